#include "SettingsCommand.h"

#include "CEditer.h"
#include "CommandIds.h"
#include "Settings.h"
#include "SettingsSheet.h"
#include "UiLanguage.h"
#include "ViewMacroCommands.h"

#include <algorithm>

SettingsCommand::SettingsCommand(SettingsContext context, CEditer& view, SettingsFrameHooks frame)
    : context_(std::move(context)), view_(view), frame_(std::move(frame)) {}

bool SettingsCommand::run() {
    SettingsContext context = context_;
    context.activeFont = std::clamp(view_.fontIndex, 0, 3);
    context.macroFolder = view_.macroCommands().macro().lastFolder;
    context.fontTarget = &view_.activeEdit();
    QWidget* mainWindow = view_.window();
    if (!context.setMainTitle)
        context.setMainTitle = [mainWindow](const QString& title) {
            mainWindow->setWindowTitle(title);
        };

    SettingsSheet sheet(context, mainWindow);
    const QString oldTitle = mainWindow->windowTitle();
    mainWindow->setWindowTitle(sheet.windowTitle());
    const int answer = run_ ? run_(sheet) : sheet.exec();
    mainWindow->setWindowTitle(oldTitle);
    if (answer != QDialog::Accepted)
        return false;
    applyOutcome(sheet.outcome());
    return true;
}

void SettingsCommand::applyOutcome(const SettingsOutcome& outcome) {
    // Another interface language: its strings, menus and fonts from now on.
    if (outcome.languageChanged && context_.uiLanguage)
        context_.uiLanguage->SwitchTo(context_.settings.getString(QStringLiteral("UI_LANGUAGE_DLL_PATH")), true);
    if (outcome.tapPageApplied && frame_.setLongDelay)
        frame_.setLongDelay(outcome.longDelay);
    if (outcome.filePageApplied)
        view_.macroCommands().macro().lastFolder = outcome.macroFolder;
    // The view takes the tab width, the changed fonts, the font labels, the
    // colours, the title values, the text size limit and the insert strings.
    view_.ApplySettings();
    if (outcome.useSoftKeyChanged && frame_.setSoftKeyBarVisible)
        frame_.setSoftKeyBarVisible(outcome.useSoftKey);
    if ((outcome.exitInFileChanged || outcome.languageChanged) && frame_.rebuildMenus)
        frame_.rebuildMenus();
}

bool SettingsCommand::onCommand(int id) {
    if (id != cmd::ID_SETTINGS)
        return false;
    run();
    return true;
}

bool SettingsCommand::onUpdateCommand(int id, CommandState& state) {
    if (id != cmd::ID_SETTINGS)
        return false;
    state.enabled = !view_.state().macroPlaying;
    return true;
}
