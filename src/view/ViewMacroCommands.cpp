#include "ViewMacroCommands.h"

#include "CommandIds.h"
#include "DocumentState.h"
#include "MacroCommands.h"
#include "MacroLoadErrorDialog.h"
#include "MacroSettings.h"
#include "MenuTables.h"
#include "QsdMacroFileChooser.h"
#include "QsdServices.h"
#include "RecordedStep.h"
#include "Settings.h"
#include "StringIds.h"
#include "StringTable.h"
#include "ViewMacroPlayer.h"
#include "ViewServices.h"
#include "VirtualKeys.h"

#include <QWidget>

ViewMacroCommands::ViewMacroCommands(DocumentState& state, QWidget& view,
                                     const ViewServices& services, FileSystem& fileSystem)
    : state_(state), view_(view), services_(services), fileSystem_(fileSystem),
      recorder_(macro_, state.macroRecording), ownCommon_(std::make_unique<QsdCommonSettings>()) {
    macro_.lastFolder = readMacroLastFolder(services_.settings);
    ownCommon_->load(services_.settings);
    common_ = services_.fileSelectCommon ? services_.fileSelectCommon : ownCommon_.get();
    qsdServices_ = std::make_unique<QsdServices>(
        QsdServices{fileSystem_, services_.messages, services_.clock, *common_});
    chooser_ = std::make_unique<QsdMacroFileChooser>(services_.settings, *qsdServices_, &view_);
    presenter_ = std::make_unique<MacroLoadDialogPresenter>(&view_, [this](const QString& tooltip) {
        if (setTooltip_)
            setTooltip_(tooltip);
    });
}

ViewMacroCommands::~ViewMacroCommands() {
    writeMacroLastFolder(services_.settings, macro_.lastFolder);
    if (common_ == ownCommon_.get())
        ownCommon_->save(services_.settings);
}

void ViewMacroCommands::setFileSelectCommon(QsdCommonSettings* common) {
    common_ = common ? common : ownCommon_.get();
    qsdServices_ = std::make_unique<QsdServices>(
        QsdServices{fileSystem_, services_.messages, services_.clock, *common_});
    chooser_ = std::make_unique<QsdMacroFileChooser>(services_.settings, *qsdServices_, &view_);
}

MacroFileServices ViewMacroCommands::fileServices() {
    return MacroFileServices{services_.messages, services_.locale, services_.clock, chooser_.get(),
                             view_.window()};
}

void ViewMacroCommands::afterDialog() {
    // The dialog's common-mode values reach the registry at once, so that the
    // next file dialog of any kind starts from them.
    if (common_ == ownCommon_.get())
        ownCommon_->save(services_.settings);
}

void ViewMacroCommands::setPlayer(std::unique_ptr<ViewMacroPlayer> player) {
    player_ = std::move(player);
}

void ViewMacroCommands::setKeyState(const KeyState* keyState) {
    if (player_)
        player_->setKeyState(keyState);
}

void ViewMacroCommands::setIdlePass(std::function<void()> idle) {
    if (player_)
        player_->setIdlePass(std::move(idle));
}

bool ViewMacroCommands::loadMacro() {
    if (busy_ || state_.macroPlaying || !isMacroLoadEnabled(state_.macroRecording))
        return false;
    busy_ = true;
    const bool loaded = MacroLoadCommand(macro_, fileServices(), *presenter_);
    afterDialog();
    busy_ = false;
    return loaded;
}

bool ViewMacroCommands::saveMacro() {
    if (busy_ || state_.macroPlaying || !isMacroSaveEnabled(macro_, state_.macroRecording))
        return false;
    busy_ = true;
    const bool saved = MacroSaveCommand(macro_, fileServices());
    afterDialog();
    busy_ = false;
    return saved;
}

bool ViewMacroCommands::loadDefaultMacro() {
    if (busy_ || state_.macroRecording || state_.macroPlaying)
        return false;
    busy_ = true;
    const bool loaded = MacroStartupLoad(
        macro_, services_.settings.getString(QStringLiteral("DEFAULT_MACRO_FILE_NAME")),
        fileServices(), *presenter_);
    busy_ = false;
    return loaded;
}

void ViewMacroCommands::toggleRecording() {
    if (state_.macroPlaying || busy_)
        return;
    if (recorder_.isRecording())
        recorder_.stop();
    else
        recorder_.start();
}

void ViewMacroCommands::stop() {
    if (recorder_.isRecording())
        toggleRecording();
    else
        state_.macroPlaying = false;
}

void ViewMacroCommands::play() {
    if (!player_ || busy_ || state_.macroPlaying || recorder_.isRecording() || macro_.steps.empty())
        return;
    // Busy from the start: while the player waits for the keys that started
    // it, their repeats must not start another playback.
    busy_ = true;
    MacroPlay(macro_, *player_, state_.macroPlaying, services_.messages, view_.window());
    busy_ = false;
}

void ViewMacroCommands::recordSearchStep(int command, const QString& text, int param) {
    recorder_.recordCommand(MacroCommand(command), text, param, std::nullopt);
}

void ViewMacroCommands::recordViewStep(const RecordedStep& step) {
    const MacroModifiers modifiers{step.modifiers.testFlag(Qt::ControlModifier),
                                   step.modifiers.testFlag(Qt::ShiftModifier),
                                   step.modifiers.testFlag(Qt::AltModifier)};
    const std::optional<MacroModifiers> commandModifiers =
        step.skipModifiers ? std::nullopt : std::optional(modifiers);
    switch (step.kind) {
    case RecordedStep::Kind::KeyDown:
        recorder_.recordKeyDown(vk::fromQtKey(step.key), modifiers);
        break;
    case RecordedStep::Kind::Character:
        for (const QChar c : step.text)
            recorder_.recordCharacter(c, modifiers);
        break;
    case RecordedStep::Kind::Markup:
        recorder_.recordCommand(MacroCommand::Markup, step.text, 0, std::nullopt);
        break;
    case RecordedStep::Kind::NewFile:
        recorder_.recordCommand(MacroCommand::NewFile, {}, 0, commandModifiers);
        break;
    case RecordedStep::Kind::Open:
        recordPathStep(MacroCommand::Open, step.text);
        break;
    case RecordedStep::Kind::Save:
        recordPathStep(MacroCommand::Save, step.text);
        break;
    case RecordedStep::Kind::Cut:
        recorder_.recordCommand(MacroCommand::Cut, {}, 0, commandModifiers);
        break;
    case RecordedStep::Kind::Copy:
        recorder_.recordCommand(MacroCommand::Copy, {}, 0, commandModifiers);
        break;
    case RecordedStep::Kind::Paste:
        recorder_.recordCommand(MacroCommand::Paste, {}, 0, commandModifiers);
        break;
    }
}

// A path that no macro line can hold would load back cut short or split into
// another command, and a replayed SAVE would write elsewhere: such a step is
// left out, and the user is told.
void ViewMacroCommands::recordPathStep(MacroCommand command, const QString& path) {
    const std::optional<QString> stored = macroRecordedPath(path);
    if (!stored) {
        services_.messages.show(
            res::substitute(res::loadString(sid::IDS_MACRO_PATH_NOT_RECORDABLE, {}), path),
            res::loadString(sid::AFX_IDS_APP_TITLE, {}), mb::MB_OK | mb::MB_ICONEXCLAMATION,
            view_.window());
        return;
    }
    recorder_.recordCommand(command, *stored, 0, std::nullopt);
}

bool ViewMacroCommands::onCommand(int id) {
    switch (id) {
    case cmd::ID_MACRO_LOAD:
        loadMacro();
        return true;
    case cmd::ID_MACRO_SAVE:
        saveMacro();
        return true;
    case cmd::ID_MACRO_RECORD:
        toggleRecording();
        return true;
    case cmd::ID_MACRO_START_RECORDING:
        if (!recorder_.isRecording())
            toggleRecording();
        return true;
    case cmd::ID_MACRO_STOP:
        stop();
        return true;
    case cmd::ID_MACRO_PLAY:
        play();
        return true;
    case cmd::ID_SETTINGS:
        // Whoever handles the settings does so unless a macro plays.
        return state_.macroPlaying;
    default:
        return false;
    }
}

bool ViewMacroCommands::onUpdateCommand(int id, CommandState& state) {
    const bool playing = state_.macroPlaying;
    const bool recording = recorder_.isRecording();
    switch (id) {
    case cmd::ID_MACRO_LOAD:
        state.enabled = !busy_ && !playing && isMacroLoadEnabled(recording);
        return true;
    case cmd::ID_MACRO_SAVE:
        state.enabled = !busy_ && !playing && isMacroSaveEnabled(macro_, recording);
        return true;
    case cmd::ID_MACRO_RECORD:
        state.enabled = !busy_ && !playing;
        // While recording the item ends the recording; otherwise it keeps
        // its own text (the context menus' is shorter).
        if (recording) {
            state.text = res::loadString(35001, QStringLiteral("Stop Recording Macro"));
            if (services_.isRecentPlatform && services_.isRecentPlatform())
                state.text = res::withoutKeyName(*state.text);
        }
        return true;
    case cmd::ID_MACRO_START_RECORDING:
        state.enabled = !busy_ && !playing && !recording;
        return true;
    case cmd::ID_MACRO_STOP:
        state.enabled = playing || recording;
        return true;
    case cmd::ID_MACRO_PLAY:
        state.enabled = !busy_ && !playing && !recording && !macro_.steps.empty();
        return true;
    case cmd::ID_SETTINGS:
        if (!playing)
            return false;
        state.enabled = false;
        return true;
    default:
        return false;
    }
}
