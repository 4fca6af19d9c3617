#pragma once

#include "CommandRouter.h"
#include "Macro.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QWidget;
class MacroLoadDialogPresenter;
class QsdMacroFileChooser;
struct MacroFileServices;
struct QsdCommonSettings;
struct DocumentState;
struct QsdServices;
struct ViewServices;

// The view's macro file commands: Load Macro (32850) and Save Macro (32854),
// and the start-up load the view asks for with its message 0x501 when
// LOAD_DAFAULT_MACRO is set. Holds the view's macro; the macro's last folder
// comes from MRU_FOLDER and goes back there when the view is destroyed.
class ViewMacroCommands : public QObject, public CommandTarget {
    Q_OBJECT
  public:
    ViewMacroCommands(const DocumentState& state, QWidget& view, const ViewServices& services);
    ~ViewMacroCommands() override;

    Macro& macro() { return macro_; }
    const Macro& macro() const { return macro_; }

    // Whoever owns the play-macro button shows a loaded macro's TOOLTIP.
    void setPlayButtonTooltipSetter(std::function<void(const QString&)> setter) {
        setTooltip_ = std::move(setter);
    }
    // The process's common-mode values of the file select dialog, kept and
    // written by whoever hands them in; without them the view keeps its own,
    // read from the settings and written back after each dialog.
    void setFileSelectCommon(QsdCommonSettings* common);
    // The macro file dialog (tests script its modal run through it).
    QsdMacroFileChooser& fileChooser() { return *chooser_; }

    // The commands themselves (also reachable through onCommand).
    bool loadMacro();
    bool saveMacro();
    // The start-up load of DEFAULT_MACRO_FILE_NAME.
    bool loadDefaultMacro();

    bool onCommand(int id) override;
    bool onUpdateCommand(int id, CommandState& state) override;

  private:
    MacroFileServices fileServices();
    void afterDialog();

    const DocumentState& state_;
    QWidget& view_;
    const ViewServices& services_;
    Macro macro_;
    // The file select dialog's common-mode values: the process's own when
    // the view was handed one, otherwise kept here and written back.
    std::unique_ptr<QsdCommonSettings> ownCommon_;
    QsdCommonSettings* common_ = nullptr;
    std::unique_ptr<QsdServices> qsdServices_;
    std::unique_ptr<QsdMacroFileChooser> chooser_;
    std::unique_ptr<MacroLoadDialogPresenter> presenter_;
    std::function<void(const QString&)> setTooltip_;
    bool busy_ = false;
};
