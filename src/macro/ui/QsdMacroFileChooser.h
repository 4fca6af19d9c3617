#pragma once

#include "MacroFileDialog.h"

#include <functional>

class CQSDFileDialog;
class QWidget;
class Settings;
struct QsdServices;

// MacroFileDialog over the program's own file select dialog, in common mode
// and without an option list. The file select flags come from the settings
// LONG_DELAY, SELECT_BY_SINGLE_TAP and STR_ZOOM_METHOD; FILE_LIST_STYLE and
// SHOW_FOLDER_ON_FILE_LIST go to the dialog and are written back from it,
// whether the user confirmed or cancelled.
class QsdMacroFileChooser : public MacroFileChooser {
  public:
    QsdMacroFileChooser(Settings& settings, QsdServices& services, QWidget* owner);

    std::optional<QString> MacroFileDialog(MacroFileRequest& request) override;

    // Replaces the dialog's modal run (tests script the dialog with it).
    void setRunHook(std::function<int(CQSDFileDialog&)> run) { run_ = std::move(run); }

  private:
    Settings& settings_;
    QsdServices& services_;
    QWidget* owner_;
    std::function<int(CQSDFileDialog&)> run_;
};
