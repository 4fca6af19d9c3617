#pragma once

#include "CommandRouter.h"
#include "Macro.h"
#include "MacroRecorder.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class FileSystem;
class QWidget;
class KeyState;
class MacroLoadDialogPresenter;
class ViewMacroPlayer;
struct RecordedStep;
class QsdMacroFileChooser;
struct MacroFileServices;
struct QsdCommonSettings;
struct DocumentState;
struct QsdServices;
struct ViewServices;

// The view's macro commands: Load Macro (32850), Save Macro (32854), Record
// (32852) with Start (32867) and Stop (32868), Play (32853), and the
// start-up load the view asks for with its message 0x501 when
// LOAD_DAFAULT_MACRO is set. Holds the view's macro; the macro's last folder
// comes from MRU_FOLDER and goes back there when the view is destroyed.
// While a macro plays, the commands that would change it (load, record,
// save, play) and the settings are disabled.
class ViewMacroCommands : public QObject, public CommandTarget {
    Q_OBJECT
  public:
    ViewMacroCommands(DocumentState& state, QWidget& view, const ViewServices& services,
                      FileSystem& fileSystem);
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

    // What the player drives: the view, handed in by the view itself.
    void setPlayer(std::unique_ptr<ViewMacroPlayer> player);
    // The application's key state, asked before playing (none: no key is down).
    void setKeyState(const KeyState* keyState);
    // The application's idle pass, run when playback starts and ends.
    void setIdlePass(std::function<void()> idle);

    // The commands themselves (also reachable through onCommand).
    bool loadMacro();
    bool saveMacro();
    void toggleRecording();
    void stop();
    void play();
    bool isRecording() const { return recorder_.isRecording(); }

    // An event of the view while recording (CEditer::macroStepRecorded).
    void recordViewStep(const RecordedStep& step);
    // A step of the find and replace bars (FindUp 5 to ReplaceAll 8) while recording.
    void recordSearchStep(int command, const QString& text, int param);
    // The start-up load of DEFAULT_MACRO_FILE_NAME.
    bool loadDefaultMacro();

    bool onCommand(int id) override;
    bool onUpdateCommand(int id, CommandState& state) override;

  private:
    MacroFileServices fileServices();
    void afterDialog();
    void recordPathStep(MacroCommand command, const QString& path);

    DocumentState& state_;
    QWidget& view_;
    const ViewServices& services_;
    FileSystem& fileSystem_;
    Macro macro_;
    MacroRecorder recorder_;
    std::unique_ptr<ViewMacroPlayer> player_;
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
