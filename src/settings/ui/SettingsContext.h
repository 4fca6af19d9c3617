#pragma once

#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

class DesktopAssociation;
class MacroFileChooser;
class MessageService;
class QWidget;
class Settings;
class UiLanguage;
struct QsdCommonSettings;

// What the settings sheet and its pages work with, handed in by whoever
// opens the sheet, so that tests run the pages over a temporary registry,
// scripted message boxes and a scripted file dialog.
struct SettingsContext {
    SettingsContext(Settings& settings, MessageService& messages)
        : settings(settings), messages(messages) {}

    Settings& settings;
    MessageService& messages;
    // The font select dialog takes this window's screen and font.
    QWidget* fontTarget = nullptr;
    // The number of the active font (0-3) and the macro folder of the view's macro.
    int activeFont = 1;
    QString macroFolder;
    // The macro file browse of the file page; without one the "..." button is disabled.
    MacroFileChooser* macroChooser = nullptr;
    // The process's file select options; without them the stored ones are changed.
    QsdCommonSettings* fileSelectCommon = nullptr;
    // The program file the association names; empty: the running program.
    QString programPath;
    // Makes the program the desktop's default application; may be absent.
    DesktopAssociation* desktop = nullptr;
    // Sets the main window's title while the macro browse is open; may be empty.
    std::function<void(const QString&)> setMainTitle;
    // The interface language; without it the sheet has no language page.
    UiLanguage* uiLanguage = nullptr;
    // Where the language page's register button starts: the language folder
    // when it exists, else the program's folder.
    QString languageFolder;
    QString programFolder;
    // The file select dialog for a library: start folder, filter, title.
    std::function<std::optional<QString>(const QString&, const QString&, const QString&)> chooseFile;
    // While the sheet writes the pages' values as one group, the pages'
    // notices wait here (text, style) and are shown once it is done, so that
    // no message box holds the store from other editors.
    std::vector<std::pair<QString, uint32_t>>* heldMessages = nullptr;
};

// What the pages report after the sheet closed with OK, for the view and the
// frame to take over at once.
struct SettingsOutcome {
    bool editPageApplied = false;
    int tabSize = 8;
    bool tapPageApplied = false;
    bool longDelay = true;
    bool filePageApplied = false;
    QString macroFolder;
    std::array<bool, 4> fontChanged{};
    bool labelFormatChanged = false;
    bool useSoftKeyChanged = false;
    bool useSoftKey = true;
    bool exitInFileChanged = false;
    // The language page chose another interface language.
    bool languageChanged = false;

    bool anyFontChanged() const {
        return fontChanged[0] || fontChanged[1] || fontChanged[2] || fontChanged[3];
    }
};
