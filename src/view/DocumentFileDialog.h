#pragma once

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

class MessageService;
class QWidget;
class Clock;
class FileSystem;
class Settings;
struct QsdCommonSettings;

// What the view asks the file select dialog for when it opens or saves a
// document, and what comes back.
struct DocumentDialogRequest {
    bool saving = false;
    QString title;
    QString filters;       // description and pattern pairs, "|"-separated
    QString initialFolder; // this platform's path, ends with "/"
    QString initialName;
    int filterIndex = 1;
    uint32_t ofnFlags = 0;    // file must exist (opening), overwrite prompt and path must exist
    uint32_t selectFlags = 0; // the file select flags
    QString codeLabel;
    QString codeList; // the character sets, "|"-separated, ended by an empty item
    int codeIndex = 0;
    int listStyle = 1;
    bool showFolders = true;
};

struct DocumentDialogResult {
    QString path;
    int filterIndex = 1;
    int codeIndex = -1; // -1: none chosen
    int listStyle = 1;
    bool showFolders = true;
};

// Runs the file select dialog. Tests give the view a scripted one.
class DocumentFileDialog {
  public:
    virtual ~DocumentFileDialog() = default;
    // Nothing when the user cancelled; listStyle and showFolders come back
    // through `request` either way.
    virtual std::optional<DocumentDialogResult> run(DocumentDialogRequest& request,
                                                    QWidget* owner) = 0;
};

// The program's own file select dialog. With sharedCommon null the dialog
// reads the common options from the settings and saves them back after each run.
std::unique_ptr<DocumentFileDialog>
makeQsdDocumentFileDialog(Settings& settings, MessageService& messages, const Clock& clock,
                          FileSystem& fileSystem, QsdCommonSettings* sharedCommon);
