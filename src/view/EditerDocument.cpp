#include "EditerDocument.h"

#include "CharSetNames.h"
#include "CharSetServices.h"
#include "CodePage.h"
#include "CommandIds.h"
#include "DocumentState.h"
#include "EditBuffer.h"
#include "FileInfo.h"
#include "FileInfoDialog.h"
#include "FilePath.h"
#include "FileSystem.h"
#include "MessageService.h"
#include "OpenDocuments.h"
#include "ProfileStore.h"
#include "RecordedStep.h"
#include "Settings.h"
#include "StringIds.h"
#include "StringTable.h"
#include "TextCodec.h"
#include "ViewHost.h"
#include "WaitCursor.h"

#include <QPointer>
#include <QWidget>
#include <cstring>
#include <new>

namespace {

QString tooLargeMessage(const QString& path) {
    const QString format = res::loadString(
        sid::IDS_FILE_TOO_LARGE, QStringLiteral("This file is too large to open (up to %d MB).\n"
                                                "The text being edited is kept.\n\n%s"));
    return res::substitute(res::substitute(format, int(textfile::kMaxLoadBytes / (1024 * 1024))),
                           path);
}

// The line (from 1) of the edit buffer's text that holds index at.
int lineOfIndex(QStringView text, qsizetype at) {
    int line = 1;
    for (qsizetype i = text.indexOf(u"\r\n"); i >= 0 && i < at; i = text.indexOf(u"\r\n", i + 2))
        ++line;
    return line;
}

} // namespace

EditerDocument::EditerDocument(DocumentState& state, EditBuffer& buffer, ViewHost& view,
                               ViewServices services, DocumentServices documentServices)
    : state_(state), buffer_(buffer), view_(view), services_(std::move(services)),
      documentServices_(documentServices) {}

EditerDocument::~EditerDocument() = default;

int EditerDocument::showText(const QString& text, uint32_t style) {
    return services_.messages.show(text, res::loadString(35081, QStringLiteral("Tavlo")), style,
                                   view_.dialogOwner());
}

int EditerDocument::show(uint32_t id, const QString& fallback, uint32_t style,
                         const QString& path) {
    QString text = res::loadString(id, fallback);
    if (!path.isNull())
        text = res::substitute(text, path);
    return showText(text, style);
}

bool EditerDocument::offerSave(uint32_t extraStyle) {
    if (!isChanged())
        return true;
    const int answer = show(30006, QStringLiteral("The file has changed.\nSave the changes?"),
                            mb::MB_YESNOCANCEL | mb::MB_ICONQUESTION | extraStyle);
    if (answer == mb::IDYES)
        return SaveBeforeDiscard();
    return answer == mb::IDNO;
}

void EditerDocument::recordStep(int kind, const QString& path) {
    RecordedStep step;
    step.kind = RecordedStep::Kind(kind);
    step.text = path;
    view_.recordMacroStep(step);
}

void EditerDocument::addRecent(const QString& path) {
    if (addRecent_)
        addRecent_(path);
}

bool EditerDocument::isChanged() const {
    return buffer_.GetModify() || state_.textChanged;
}

bool EditerDocument::RecordFileTime(const QString& path, uint64_t& time) {
    textfile::FileStamp stamp;
    const bool ok = textfile::readStamp(path, &stamp);
    time = stamp.time;
    return ok;
}

void EditerDocument::recordStamp(const QString& path) {
    textfile::readStamp(path, &stamp_);
    state_.fileTime = stamp_.time;
}

bool EditerDocument::ReadTextFile(const QString& path, int& charSet, int& lineEnding,
                                  bool warnIfOpenElsewhere) {
    WaitCursor wait;
    const uint32_t errorStyle = mb::MB_OK | mb::MB_ICONERROR | mb::MB_TOPMOST;
    textfile::ReadResult read = textfile::readAll(path);
    switch (read.status) {
    case textfile::ReadStatus::Ok:
        break;
    case textfile::ReadStatus::OpenFailed:
    case textfile::ReadStatus::SizeFailed:
        show(33000, QStringLiteral("Can't open the file below.\n\n%s"), errorStyle, path);
        return false;
    case textfile::ReadStatus::NotRegularFile:
        show(sid::IDS_NOT_A_REGULAR_FILE,
             QStringLiteral("The path below is a pipe or a device, not a regular file.\n\n%s"),
             errorStyle, path);
        return false;
    case textfile::ReadStatus::TooLarge:
        showText(tooLargeMessage(path), errorStyle);
        return false;
    case textfile::ReadStatus::OutOfMemory:
        show(40000, QStringLiteral("Out of memory."), errorStyle);
        return false;
    case textfile::ReadStatus::ReadFailed:
        show(33003, QStringLiteral("Can't access the file below.\n\n%s"), errorStyle, path);
        return false;
    }

    if (charSet == charset::AUTO_DETECT)
        charSet = documentServices_.charSets.DetectForLoading(read.bytes);
    charSet = charset::usable(charSet);
    DecodedText decoded =
        DecodeFileText(std::move(read.bytes), charSet, CodePage::ansi(services_.locale));
    lineEnding = decoded.lineEnding;

    // A failed conversion keeps the previous document: an empty buffer under
    // the old path would be saved over that file.
    if (decoded.result == rc::OUT_OF_MEMORY) {
        show(40000, QStringLiteral("Out of memory."), mb::MB_OK | mb::MB_ICONERROR);
        return false;
    }
    if (decoded.result != rc::SUCCESS) {
        show(40019, QStringLiteral("Character conversion failed."), mb::MB_OK | mb::MB_ICONERROR);
        return false;
    }
    const rawbytes::Report raw = countRawBytes(decoded.text);
    const int rawLine = raw.count > 0 ? lineOfIndex(decoded.text, raw.first) : 0;
    try {
        buffer_.SetText(decoded.text);
    } catch (const std::bad_alloc&) {
        show(40000, QStringLiteral("Out of memory."), mb::MB_OK | mb::MB_ICONERROR);
        return false;
    }
    decoded.text = QString();
    buffer_.SetModify(false);
    state_.textChanged = false;
    rawBytesSet_ = charSet;

    QPointer<QWidget> alive(view_.dialogOwner());
    if (raw.count > 0) {
        QString text = res::loadString(
            35100, QStringLiteral("This file holds %d bytes the chosen character set can't read "
                                  "(the first on line %d).\nThey are shown as boxed values and "
                                  "written back unchanged when the file is saved."));
        text = res::substitute(res::substitute(text, int(raw.count)), rawLine);
        showText(text, mb::MB_OK | mb::MB_ICONINFORMATION);
    }
    if (!alive)
        return false;
    if (warnIfOpenElsewhere &&
        documentServices_.openDocuments.IsOpenElsewhere(path, &state_.ownWindowHandle)) {
        show(35024,
             QStringLiteral("This file is already open in another editor.\nTake care not to "
                            "overwrite its data when saving."),
             mb::MB_OK | mb::MB_TOPMOST);
    }
    documentServices_.openDocuments.RegisterOpenDocument(path, &state_.ownWindowHandle);
    return true;
}

bool EditerDocument::OpenFileByPath(const QString& path) {
    if (path.isEmpty())
        return false;
    const uint32_t attributes = documentServices_.fileSystem.getFileAttributes(path);
    const uint32_t errorStyle = mb::MB_OK | mb::MB_ICONERROR | mb::MB_TOPMOST;
    if (attributes == fa::INVALID_FILE_ATTRIBUTES) {
        show(33003, QStringLiteral("Can't access the file below.\n\n%s"), errorStyle, path);
        return false;
    }
    if (attributes & fa::FILE_ATTRIBUTE_DIRECTORY) {
        show(33004, QStringLiteral("The path below is a folder, not a text file.\n\n%s"),
             errorStyle, path);
        return false;
    }
    // Yes with a failed save, and Cancel, keep the document: no error about
    // this file happened.
    if (!offerSave(mb::MB_TOPMOST))
        return true;

    int charSet = charset::AUTO_DETECT;
    int lineEnding = lineending::CRLF;
    const bool ok = ReadTextFile(path, charSet, lineEnding, true);
    if (ok) {
        state_.currentPath = path;
        view_.RefreshTitleName();
        state_.lineEnding = lineEnding;
        state_.charSet = charSet;
        recordStamp(path);
    }
    recordStep(int(RecordedStep::Kind::Open), path);
    return ok;
}

void EditerDocument::OnFileOpen() {
    if (!offerSave(0))
        return;
    DocumentDialogRequest request = buildRequest(false);
    const std::optional<DocumentDialogResult> result = runDialog(false, request);
    if (!result)
        return;
    const QString path = result->path;
    state_.lastFolder = fileinfo::folderOf(path);
    int charSet = codeFromResult(request, *result, charset::AUTO_DETECT);
    int lineEnding = lineending::CRLF;
    if (ReadTextFile(path, charSet, lineEnding, true)) {
        state_.currentPath = path;
        view_.RefreshTitleName();
        addRecent(path);
        state_.lineEnding = lineEnding;
        state_.charSet = charSet;
        recordStamp(path);
    }
    recordStep(int(RecordedStep::Kind::Open), path);
}

void EditerDocument::CheckOutsideChange() {
    if (checkingOutsideChange_ || state_.currentPath.isEmpty())
        return;
    textfile::FileStamp now;
    if (!textfile::readStamp(state_.currentPath, &now))
        return;
    // A copy with an older time (restored from a backup) counts as well as a
    // newer one; so does a change of size.
    if (now == stamp_)
        return;
    // Recorded before asking, so that the question comes once per change.
    stamp_ = now;
    state_.fileTime = now.time;
    checkingOutsideChange_ = true;
    QPointer<QWidget> alive(view_.dialogOwner());
    const int answer = show(33038,
                            QStringLiteral("This file was changed by another editor. Read the "
                                           "changed file again?\n\n%s"),
                            mb::MB_YESNO | mb::MB_ICONQUESTION, state_.currentPath);
    if (!alive)
        return;
    if (answer == mb::IDYES) {
        int charSet = state_.charSet;
        int lineEnding = state_.lineEnding;
        if (ReadTextFile(state_.currentPath, charSet, lineEnding, false)) {
            state_.charSet = charSet;
            state_.lineEnding = lineEnding;
            view_.RefreshTitleName();
            recordStamp(state_.currentPath);
        }
    }
    checkingOutsideChange_ = false;
}

bool EditerDocument::WriteTextFile(const QString& path, int charSet, int lineEnding) {
    if (path.isEmpty())
        return false;
    FileSystem& fs = documentServices_.fileSystem;
    const uint32_t attributes = fs.getFileAttributes(path);
    if (attributes != fa::INVALID_FILE_ATTRIBUTES) {
        if (attributes & fa::FILE_ATTRIBUTE_DIRECTORY) {
            show(33001, QStringLiteral("The output path below is a folder.\n\n%s"),
                 mb::MB_OK | mb::MB_ICONERROR, path);
            return false;
        }
        if (attributes & fa::FILE_ATTRIBUTE_READONLY) {
            const int answer = show(33002,
                                    QStringLiteral("The file below is read-only. Clear the "
                                                   "attribute and overwrite it?\n\n%s"),
                                    mb::MB_YESNO | mb::MB_ICONQUESTION, path);
            if (answer != mb::IDYES)
                return false;
            if (!fs.setAttributes(path, attributes & ~fa::FILE_ATTRIBUTE_READONLY)) {
                show(40001, QStringLiteral("The read-only attribute can't be cleared."),
                     mb::MB_OK | mb::MB_ICONERROR);
                return false;
            }
        }
    }

    // Bytes the text's own set could not read can't be written in another
    // set: ask before they are replaced.
    QString text;
    try {
        text = buffer_.GetText();
    } catch (const std::bad_alloc&) {
        show(40000, QStringLiteral("Out of memory."), mb::MB_OK | mb::MB_ICONERROR);
        return false;
    }
    const CodePage& ansi = CodePage::ansi(services_.locale);
    if (const rawbytes::Report raw = countRawBytes(text);
        raw.count > 0 && !keepsRawBytes(rawBytesSet_, charSet, ansi)) {
        QString question = res::loadString(
            35101, QStringLiteral("The text holds %d bytes that only the character set it "
                                  "was read in can write back.\nSaved in another set they "
                                  "become \"?\" (U+FFFD in the Unicode sets).\n\nSave?"));
        if (showText(res::substitute(question, int(raw.count)),
                     mb::MB_OKCANCEL | mb::MB_ICONEXCLAMATION) != mb::IDOK)
            return false;
        replaceRawBytes(text, charSet);
    }

    WaitCursor wait;
    const auto katakana = services_.settings.getInt(QStringLiteral("JIS_KATAKANA_MODE")) != 0
                              ? JisKatakanaMode::HalfWidth
                              : JisKatakanaMode::FullWidth;
    EncodedText encoded;
    try {
        encoded = EncodeFileText(std::move(text), charSet, lineEnding, katakana, ansi);
    } catch (const std::bad_alloc&) {
        encoded.result = rc::OUT_OF_MEMORY;
    }
    if (encoded.result == rc::OUT_OF_MEMORY) {
        show(40000, QStringLiteral("Out of memory."), mb::MB_OK | mb::MB_ICONERROR);
        return false;
    }
    if (encoded.result != rc::SUCCESS) {
        show(40019, QStringLiteral("Character conversion failed."), mb::MB_OK | mb::MB_ICONERROR);
        return false;
    }
    if (!textfile::writeAtomically(path, encoded.bytes)) {
        show(33003, QStringLiteral("Can't access the file below.\n\n%s"),
             mb::MB_OK | mb::MB_ICONERROR, path);
        return false;
    }

    buffer_.SetModify(false);
    view_.markTextSaved(path);
    return true;
}

bool EditerDocument::WriteCopy(const QString& path) {
    if (!WriteTextFile(path, state_.charSet, state_.lineEnding))
        return false;
    if (!state_.currentPath.isEmpty() &&
        filepath::canonicalPath(path) == filepath::canonicalPath(state_.currentPath))
        recordStamp(state_.currentPath);
    return true;
}

void EditerDocument::OnFileSave() {
    if (state_.currentPath.isEmpty()) {
        OnFileSaveAs();
        return;
    }
    const QString path = state_.currentPath;
    WriteTextFile(path, state_.charSet, state_.lineEnding);
    recordStamp(path);
    recordStep(int(RecordedStep::Kind::Save), path);
}

void EditerDocument::OnFileSaveAs() {
    DocumentDialogRequest request = buildRequest(true);
    const std::optional<DocumentDialogResult> result = runDialog(true, request);
    if (!result)
        return;
    const QString path = result->path;
    state_.lastFolder = fileinfo::folderOf(path);
    const int charSet = codeFromResult(request, *result, state_.charSet);
    if (!WriteTextFile(path, charSet, state_.lineEnding))
        return;
    state_.currentPath = path;
    documentServices_.openDocuments.RegisterOpenDocument(path, &state_.ownWindowHandle);
    view_.RefreshTitleName();
    addRecent(path);
    state_.charSet = charSet;
    recordStamp(path);
    recordStep(int(RecordedStep::Kind::Save), path);
}

bool EditerDocument::SaveBeforeDiscard() {
    DocumentDialogRequest request = buildRequest(true);
    const std::optional<DocumentDialogResult> result = runDialog(true, request);
    if (!result)
        return false;
    const QString path = result->path;
    state_.lastFolder = fileinfo::folderOf(path);
    state_.charSet = codeFromResult(request, *result, state_.charSet);
    if (!WriteTextFile(path, state_.charSet, state_.lineEnding))
        return false;
    addRecent(path);
    return true;
}

DocumentDialogRequest EditerDocument::buildRequest(bool saving) const {
    const Settings& s = services_.settings;
    DocumentDialogRequest r;
    r.saving = saving;
    r.title = saving ? res::loadString(35035, QStringLiteral("Save As"))
                     : res::loadString(35034, QStringLiteral("Open"));
    r.filters = res::loadString(35045, QStringLiteral("Text File(*.txt)"));
    QString folder = filepath::toNativePath(state_.lastFolder);
    // Before any folder was chosen in the dialog, it starts beside the open file.
    if (folder.isEmpty() && !state_.currentPath.isEmpty())
        folder = filepath::folderOf(state_.currentPath);
    if (!folder.isEmpty() && !folder.endsWith(u'/'))
        folder += u'/';
    r.initialFolder = folder;
    r.initialName = saving ? fileinfo::nameOf(state_.currentPath) : QString();
    r.filterIndex = saving
                        ? fileinfo::filterIndexForName(r.initialName, r.filters, state_.filterIndex)
                        : state_.filterIndex;
    r.ofnFlags = saving ? 0x802 : 0x1000;
    r.selectFlags = fileinfo::fileSelectFlags(
        saving ? fileinfo::DialogMode::Save : fileinfo::DialogMode::Open,
        s.getInt(QStringLiteral("LONG_DELAY")), s.getInt(QStringLiteral("SELECT_BY_SINGLE_TAP")),
        s.getInt(QStringLiteral("STR_ZOOM_METHOD")),
        s.getInt(QStringLiteral("SELECTABLE_CODE_SET")),
        s.getInt(QStringLiteral("SHOW_FOLDER_ON_FILE_LIST")));
    r.codeLabel = saving ? QString() : res::loadString(35030, QStringLiteral("Code"));
    r.codeList = documentServices_.charSets.CodeSetList(!saving);
    if (r.codeList.isEmpty())
        r.codeList =
            saving ? CharSetServices::fallbackSaveList() : CharSetServices::fallbackOpenList();
    if (saving) {
        const CharSetServices::ListIndex index =
            documentServices_.charSets.ListIndexOf(0, charset::usable(state_.charSet), r.codeList);
        r.codeIndex = index.found ? index.index : 0;
    } else {
        r.codeIndex = 0;
    }
    r.listStyle = s.getInt(QStringLiteral("FILE_LIST_STYLE"));
    r.showFolders = s.getInt(QStringLiteral("SHOW_FOLDER_ON_FILE_LIST")) != 0;
    return r;
}

std::optional<DocumentDialogResult> EditerDocument::runDialog(bool saving,
                                                              DocumentDialogRequest& request) {
    Q_UNUSED(saving);
    if (!fileDialog_)
        fileDialog_ =
            makeQsdDocumentFileDialog(services_.settings, services_.messages, services_.clock,
                                      documentServices_.fileSystem, services_.fileSelectCommon);
    const int styleBefore = request.listStyle;
    const bool foldersBefore = request.showFolders;
    std::optional<DocumentDialogResult> result = fileDialog_->run(request, view_.dialogOwner());
    Settings& s = services_.settings;
    if (request.listStyle != styleBefore)
        s.writeInt(QStringLiteral("FILE_LIST_STYLE"), request.listStyle);
    if (request.showFolders != foldersBefore)
        s.writeInt(QStringLiteral("SHOW_FOLDER_ON_FILE_LIST"), request.showFolders ? 1 : 0);
    if (result && !result->path.isEmpty())
        state_.filterIndex = result->filterIndex;
    if (result && result->path.isEmpty())
        return std::nullopt;
    return result;
}

int EditerDocument::codeFromResult(const DocumentDialogRequest& request,
                                   const DocumentDialogResult& result, int fallback) const {
    if (result.codeIndex < 0)
        return fallback;
    const CharSetId code =
        documentServices_.charSets.CodeFromListIndex(request.codeList, result.codeIndex);
    if (code == charset::NOT_FOUND)
        return charset::ANSI;
    return code;
}

void EditerDocument::OnFileNew() {
    if (!offerSave(0))
        return;
    NewDocument();
    recordStep(int(RecordedStep::Kind::NewFile), QString());
}

void EditerDocument::NewDocument() {
    buffer_.SetText(QString());
    state_.charSet = charset::ANSI;
    state_.lineEnding = lineending::CRLF;
    state_.currentPath.clear();
    buffer_.SetModify(false);
    state_.textChanged = false;
    state_.fileTime = 0;
    stamp_ = textfile::FileStamp{};
    view_.RefreshTitleName();
    documentServices_.openDocuments.UnregisterOpenDocument(state_.ownWindowHandle);
}

bool EditerDocument::ReadIntoDocument(const QString& path) {
    int charSet = charset::AUTO_DETECT;
    int lineEnding = lineending::CRLF;
    if (!ReadTextFile(path, charSet, lineEnding, true))
        return false;
    state_.currentPath = path;
    view_.RefreshTitleName();
    addRecent(path);
    state_.lineEnding = lineEnding;
    state_.charSet = charSet;
    recordStamp(path);
    return true;
}

void EditerDocument::OnFileProperties() {
    FileInfoDialog::Fields fields;
    fields.path = state_.currentPath;
    fields.codeList = documentServices_.charSets.CodeSetList(false);
    if (fields.codeList.isEmpty())
        fields.codeList = QStringLiteral("ANSI|Unicode|Unicode(BigEndian)|UTF-8|UTF-8N||");
    fields.characterCount = fileinfo::groupDigits(fileinfo::countCharacters(buffer_.GetText()));
    fields.charSet = state_.charSet;
    fields.lineEnding = state_.lineEnding;

    FileInfoDialog dialog(fields, documentServices_.charSets, view_.dialogOwner());
    const int result = runFileInfo_ ? runFileInfo_(dialog) : dialog.exec();
    if (result != QDialog::Accepted)
        return;
    bool changed = false;
    if (dialog.chosenCharSet() != state_.charSet) {
        view_.markTextChanged();
        state_.charSet = dialog.chosenCharSet();
        changed = true;
    }
    if (dialog.chosenLineEnding() != state_.lineEnding) {
        view_.markTextChanged();
        state_.lineEnding = dialog.chosenLineEnding();
        changed = true;
    }
    if (changed) {
        show(30043,
             QStringLiteral("The new character set and line ending take effect when the file "
                            "is next saved."),
             mb::MB_OK | mb::MB_ICONINFORMATION);
    }
}

bool EditerDocument::onCommand(int id) {
    switch (id) {
    case cmd::ID_FILE_NEW:
        OnFileNew();
        return true;
    case cmd::ID_FILE_OPEN:
        OnFileOpen();
        return true;
    case cmd::ID_FILE_SAVE:
        OnFileSave();
        return true;
    case cmd::ID_FILE_SAVE_AS:
        OnFileSaveAs();
        return true;
    case cmd::ID_FILE_PROPERTIES:
        OnFileProperties();
        return true;
    default:
        return false;
    }
}

bool EditerDocument::onUpdateCommand(int id, CommandState& state) {
    switch (id) {
    case cmd::ID_FILE_SAVE:
        // Also after a change of set or line ending, which the next save applies.
        state.enabled = isChanged();
        return true;
    case cmd::ID_FILE_NEW:
    case cmd::ID_FILE_OPEN:
    case cmd::ID_FILE_SAVE_AS:
    case cmd::ID_FILE_PROPERTIES:
        return true;
    default:
        return false;
    }
}
