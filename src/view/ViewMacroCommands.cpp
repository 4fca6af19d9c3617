#include "ViewMacroCommands.h"

#include "CommandIds.h"
#include "DocumentState.h"
#include "MacroCommands.h"
#include "MacroLoadErrorDialog.h"
#include "MacroSettings.h"
#include "QsdMacroFileChooser.h"
#include "QsdServices.h"
#include "Settings.h"
#include "ViewServices.h"

#include <QWidget>

ViewMacroCommands::ViewMacroCommands(const DocumentState& state, QWidget& view,
                                     const ViewServices& services)
    : state_(state), view_(view), services_(services),
      ownCommon_(std::make_unique<QsdCommonSettings>()) {
    macro_.lastFolder = readMacroLastFolder(services_.settings);
    ownCommon_->load(services_.settings);
    common_ = services_.fileSelectCommon ? services_.fileSelectCommon : ownCommon_.get();
    qsdServices_ = std::make_unique<QsdServices>(
        QsdServices{PosixFileSystem::instance(), services_.messages, services_.clock, *common_});
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
        QsdServices{PosixFileSystem::instance(), services_.messages, services_.clock, *common_});
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

bool ViewMacroCommands::loadMacro() {
    if (busy_ || !isMacroLoadEnabled(state_.macroRecording))
        return false;
    busy_ = true;
    const bool loaded = MacroLoadCommand(macro_, fileServices(), *presenter_);
    afterDialog();
    busy_ = false;
    return loaded;
}

bool ViewMacroCommands::saveMacro() {
    if (busy_ || !isMacroSaveEnabled(macro_, state_.macroRecording))
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

bool ViewMacroCommands::onCommand(int id) {
    switch (id) {
    case cmd::ID_MACRO_LOAD:
        loadMacro();
        return true;
    case cmd::ID_MACRO_SAVE:
        saveMacro();
        return true;
    default:
        return false;
    }
}

bool ViewMacroCommands::onUpdateCommand(int id, CommandState& state) {
    switch (id) {
    case cmd::ID_MACRO_LOAD:
        state.enabled = !busy_ && isMacroLoadEnabled(state_.macroRecording);
        return true;
    case cmd::ID_MACRO_SAVE:
        state.enabled = !busy_ && isMacroSaveEnabled(macro_, state_.macroRecording);
        return true;
    default:
        return false;
    }
}
