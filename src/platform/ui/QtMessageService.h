#pragma once

#include "MessageService.h"

#include <QString>
#include <functional>

class QWidget;

// Shows each message box as a QMessageBox: the buttons, icon and default
// button of the style; MB_TOPMOST keeps the box above other windows and
// MB_SETFOREGROUND brings it to the front. Closing the box with Escape or the
// window's close button answers like the device: IDCANCEL where a Cancel
// button exists, otherwise the box's only or last button (IDOK, IDNO).
class QtMessageService : public MessageService {
  public:
    // buttonText gives the text of the button that answers IDOK, IDYES, ...
    // in the interface's language; without it (or for an empty text) the
    // buttons keep the toolkit's own texts.
    explicit QtMessageService(std::function<QString(int answer)> buttonText = {})
        : buttonText_(std::move(buttonText)) {}

    int show(const QString& text, const QString& caption, uint32_t style,
             void* owner = nullptr) override;

  private:
    std::function<QString(int)> buttonText_;
};
