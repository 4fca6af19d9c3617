#pragma once

#include "MacroFiles.h"

// What the view shows after a macro was loaded; implemented by the view with
// the load-error dialog (dialog 140) and the command bar's play button.
class MacroLoadPresenter {
  public:
    virtual ~MacroLoadPresenter() = default;
    virtual void showLoadErrors(const QString& text) = 0;
    virtual void setPlayButtonTooltip(const QString& tooltip) = 0;
};

// The text of the load-error dialog: the report, and when the load was
// cancelled a separator line and message 40007.
QString macroLoadErrorText(const Macro& macro);

// Shows the result of a load: the report in the load-error dialog; unless the
// load was cancelled, the tooltip on the play button and the explanation in a
// box "マクロの説明".
void MacroShowLoadResult(const Macro& macro, MessageService& messages,
                         MacroLoadPresenter& presenter, void* owner = nullptr);

// The Load Macro command (32850): asks for a file, loads it and shows the
// result. Returns MacroLoad's answer.
bool MacroLoadCommand(Macro& macro, const MacroFileServices& services,
                      MacroLoadPresenter& presenter);

// The start-up load (the view's WM_USER + 257): loads the file named in
// DEFAULT_MACRO_FILE_NAME and shows the result; when it can't be loaded, the
// start-up message follows the loader's own.
bool MacroStartupLoad(Macro& macro, const QString& path, const MacroFileServices& services,
                      MacroLoadPresenter& presenter);

// The Save Macro command (32854).
bool MacroSaveCommand(Macro& macro, const MacroFileServices& services);

// Update handlers: Load Macro is enabled while no recording runs, Save Macro
// when there are steps and no recording runs.
bool isMacroLoadEnabled(bool recording);
bool isMacroSaveEnabled(const Macro& macro, bool recording);

// The view's private message for the start-up load.
constexpr unsigned WM_MACRO_STARTUP_LOAD = 0x0400 + 257;
