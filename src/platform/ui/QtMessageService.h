#pragma once

#include "MessageService.h"

class QWidget;

// Shows each message box as a QMessageBox: the buttons, icon and default
// button of the style; MB_TOPMOST keeps the box above other windows and
// MB_SETFOREGROUND brings it to the front. Closing the box with Escape or the
// window's close button answers like the device: IDCANCEL where a Cancel
// button exists, otherwise the box's only or last button (IDOK, IDNO).
class QtMessageService : public MessageService {
  public:
    int show(const QString& text, const QString& caption, uint32_t style,
             void* owner = nullptr) override;
};
