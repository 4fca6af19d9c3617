#pragma once

#include "CommandRouter.h"
#include "DocumentFileDialog.h"
#include "DocumentServices.h"
#include "TextFileIO.h"
#include "ViewServices.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>

class EditBuffer;
class FileInfoDialog;
class ViewHost;
struct DocumentState;

// The document operations of the view: loading (ReadTextFile,
// OpenFileByPath, Open, the outside-change check), saving (WriteTextFile,
// Save, Save As, SaveBeforeDiscard), New and the file information dialog.
// It works on the document state, the text through the edit buffer, and
// reaches the view only through ViewHost.
class EditerDocument : public CommandTarget {
  public:
    EditerDocument(DocumentState& state, EditBuffer& buffer, ViewHost& view, ViewServices services,
                   DocumentServices documentServices);
    ~EditerDocument() override;

    void setFileDialog(std::unique_ptr<DocumentFileDialog> dialog) {
        fileDialog_ = std::move(dialog);
    }
    // Adds a path to the application's recent-file list.
    void setRecentFileAdder(std::function<void(const QString&)> add) {
        addRecent_ = std::move(add);
    }
    // Replaces the modal run of the file information dialog (tests script it);
    // returns the dialog's result code.
    void setFileInfoRunner(std::function<int(FileInfoDialog&)> run) {
        runFileInfo_ = std::move(run);
    }
    OpenDocuments& openDocuments() { return documentServices_.openDocuments; }

    bool ReadTextFile(const QString& path, int& charSet, int& lineEnding, bool warnIfOpenElsewhere);
    bool OpenFileByPath(const QString& path);
    void OnFileOpen();
    // The file's last-write time; 0 and false when it can't be read.
    static bool RecordFileTime(const QString& path, uint64_t& time);
    // Run when the main window is activated: asks once per change of the
    // file (its time, either way, or its size) whether to read it again.
    void CheckOutsideChange();

    bool WriteTextFile(const QString& path, int charSet, int lineEnding);
    // The macro's SAVE with a path: the text goes there in the document's set
    // and line ending, and the document keeps its name. A write to the
    // document's own file records its new time, so that it is not taken
    // for a change by another program.
    bool WriteCopy(const QString& path);
    void OnFileSave();
    void OnFileSaveAs();
    bool SaveBeforeDiscard();

    void OnFileNew();
    // The new empty document of New, without the question before it.
    void NewDocument();
    // Reads the file with automatic detection into the document, which takes
    // its name, character set and line ending (the macro's OPEN, after its
    // question); the path enters the recent files. False when it can't be read.
    bool ReadIntoDocument(const QString& path);
    void OnFileProperties();

    // The file dialog request for opening or saving, built from the view's
    // state and the settings.
    DocumentDialogRequest buildRequest(bool saving) const;

    bool onCommand(int id) override;
    bool onUpdateCommand(int id, CommandState& state) override;

  private:
    int show(uint32_t id, const QString& fallback, uint32_t style, const QString& path = QString());
    int showText(const QString& text, uint32_t style);
    // Asks 30006 before the document is replaced; false when the caller stops.
    bool offerSave(uint32_t extraStyle);
    std::optional<DocumentDialogResult> runDialog(bool saving, DocumentDialogRequest& request);
    int codeFromResult(const DocumentDialogRequest& request, const DocumentDialogResult& result,
                       int fallback) const;
    void recordStamp(const QString& path);
    void recordStep(int kind, const QString& path);
    void addRecent(const QString& path);
    bool isChanged() const;

    DocumentState& state_;
    EditBuffer& buffer_;
    ViewHost& view_;
    ViewServices services_;
    DocumentServices documentServices_;
    std::unique_ptr<DocumentFileDialog> fileDialog_;
    std::function<void(const QString&)> addRecent_;
    std::function<int(FileInfoDialog&)> runFileInfo_;
    textfile::FileStamp stamp_;
    bool checkingOutsideChange_ = false;
    // The set the text was read in: the bytes it could not read, kept in
    // the text as stand-ins, are bytes of that set.
    int rawBytesSet_ = 1; // ANSI
};
