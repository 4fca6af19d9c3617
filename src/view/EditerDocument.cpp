#include "EditerDocument.h"

#include "CEditer.h"
#include "CharSetNames.h"
#include "CharSetServices.h"
#include "CodePage.h"
#include "CommandIds.h"
#include "FileInfo.h"
#include "FileInfoDialog.h"
#include "FileSystem.h"
#include "MessageService.h"
#include "OpenDocuments.h"
#include "ProfileStore.h"
#include "Settings.h"
#include "StringTable.h"
#include "TextCodec.h"
#include "TitleComposer.h"
#include "WaitCursor.h"

#include <QCoreApplication>
#include <QPointer>
#include <cstring>
#include <new>

namespace {

// Our own notices for what the editor's messages don't cover.
QString nulCutMessage(const QString& path) {
    return QStringLiteral("このファイルには NUL 文字（コード 0）が含まれています。\n"
                          "NUL 文字より前のテキストだけを読み込みました。"
                          "このまま保存すると、NUL 文字以降の内容は失われます。\n\n%1")
        .arg(path);
}

QString tooLargeMessage(const QString& path) {
    return QStringLiteral("このファイルは大きすぎるため開けません（%1 MB まで）。\n"
                          "編集中のテキストはそのまま残っています。\n\n%2")
        .arg(textfile::kMaxLoadBytes / (1024 * 1024))
        .arg(path);
}

// Whether the file's text stops early at a NUL character: a zero unit of a
// UTF-16 file, a zero byte in every other set.
bool containsNul(const QByteArray& bytes, int charSet) {
    if (charSet == charset::UNICODE_LE || charSet == charset::UNICODE_BE) {
        const qsizetype units = bytes.size() / 2;
        const char* d = bytes.constData();
        for (qsizetype i = 0; i < units; ++i) {
            if (d[2 * i] == 0 && d[2 * i + 1] == 0)
                return true;
        }
        return false;
    }
    return std::memchr(bytes.constData(), 0, size_t(bytes.size())) != nullptr;
}

} // namespace

EditerDocument::EditerDocument(CEditer& view, ViewServices services)
    : view_(view), services_(std::move(services)) {
    Settings& settings = services_.settings;
    charSets_ = std::make_unique<CharSetServices>(
        [&settings] { return settings.getString(QStringLiteral("UI_LANGUAGE_DLL_PATH")); },
        services_.locale);
    ProfileStore& store = settings.store();
    openDocs_ = std::make_unique<OpenDocuments>(store.registry(), store.applicationKeyPath(),
                                                QCoreApplication::applicationPid());
}

EditerDocument::~EditerDocument() = default;

// ---- messages ----

int EditerDocument::showText(const QString& text, uint32_t style) {
    return services_.messages.show(text, res::loadString(35081, QStringLiteral("Tavlo")), style,
                                   view_.window());
}

int EditerDocument::show(uint32_t id, const QString& fallback, uint32_t style,
                         const QString& path) {
    QString text = res::loadString(id, fallback);
    if (!path.isNull())
        text = res::substitute(text, path);
    return showText(text, style);
}

bool EditerDocument::offerSave(uint32_t extraStyle) {
    if (!view_.IsDocumentChanged())
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

void EditerDocument::markChanged() {
    if (view_.textChanged)
        return;
    view_.textChanged = true;
    if (view_.titleFlags & titleflags::kMarkMask)
        view_.UpdateTitle(std::nullopt, view_.titleFlags, false);
}

// ---- loading ----

bool EditerDocument::RecordFileTime(const QString& path, uint64_t& time) {
    textfile::FileStamp stamp;
    const bool ok = textfile::readStamp(path, &stamp);
    time = stamp.time;
    return ok;
}

void EditerDocument::recordStamp(const QString& path) {
    textfile::readStamp(path, &stamp_);
    view_.fileTime = stamp_.time;
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
        charSet = charSets_->DetectForLoading(read.bytes);
    charSet = charset::usable(charSet);
    const bool nulCut = containsNul(read.bytes, charSet);
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
    try {
        view_.SetText(decoded.text);
    } catch (const std::bad_alloc&) {
        show(40000, QStringLiteral("Out of memory."), mb::MB_OK | mb::MB_ICONERROR);
        return false;
    }
    decoded.text = QString();
    view_.SetModify(false);
    view_.textChanged = false;

    QPointer<CEditer> alive(&view_);
    if (nulCut)
        showText(nulCutMessage(path), mb::MB_OK | mb::MB_ICONEXCLAMATION);
    if (!alive)
        return false;
    if (warnIfOpenElsewhere && openDocs_->IsOpenElsewhere(path, &view_.ownWindowHandle)) {
        show(35024,
             QStringLiteral("This file is already open in another editor.\nTake care not to "
                            "overwrite its data when saving."),
             mb::MB_OK | mb::MB_TOPMOST);
    }
    openDocs_->RegisterOpenDocument(path, &view_.ownWindowHandle);
    return true;
}

bool EditerDocument::OpenFileByPath(const QString& path) {
    if (path.isEmpty())
        return false;
    const uint32_t attributes = FileSystem().getFileAttributes(path);
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
        view_.currentPath = path;
        view_.RefreshTitleName();
        view_.lineEnding = lineEnding;
        view_.charSet = charSet;
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
    view_.lastFolder = fileinfo::folderOf(path);
    int charSet = codeFromResult(request, *result, charset::AUTO_DETECT);
    int lineEnding = lineending::CRLF;
    if (ReadTextFile(path, charSet, lineEnding, true)) {
        view_.currentPath = path;
        view_.RefreshTitleName();
        addRecent(path);
        view_.lineEnding = lineEnding;
        view_.charSet = charSet;
        recordStamp(path);
    }
    recordStep(int(RecordedStep::Kind::Open), path);
}

void EditerDocument::CheckOutsideChange() {
    if (checkingOutsideChange_ || view_.currentPath.isEmpty())
        return;
    textfile::FileStamp now;
    if (!textfile::readStamp(view_.currentPath, &now))
        return;
    // A copy with an older time (restored from a backup) counts as well as a
    // newer one; so does a change of size.
    if (now == stamp_)
        return;
    // Recorded before asking, so that the question comes once per change.
    stamp_ = now;
    view_.fileTime = now.time;
    checkingOutsideChange_ = true;
    QPointer<CEditer> alive(&view_);
    const int answer = show(33038,
                            QStringLiteral("This file was changed by another editor. Read the "
                                           "changed file again?\n\n%s"),
                            mb::MB_YESNO | mb::MB_ICONQUESTION, view_.currentPath);
    if (!alive)
        return;
    if (answer == mb::IDYES) {
        int charSet = view_.charSet;
        int lineEnding = view_.lineEnding;
        if (ReadTextFile(view_.currentPath, charSet, lineEnding, false)) {
            view_.charSet = charSet;
            view_.lineEnding = lineEnding;
            view_.RefreshTitleName();
            recordStamp(view_.currentPath);
        }
    }
    checkingOutsideChange_ = false;
}

// ---- saving ----

bool EditerDocument::WriteTextFile(const QString& path, int charSet, int lineEnding) {
    if (path.isEmpty())
        return false;
    FileSystem fs;
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
            if (!fs.setFileAttributes(path, attributes & ~fa::FILE_ATTRIBUTE_READONLY)) {
                show(40001, QStringLiteral("The read-only attribute can't be cleared."),
                     mb::MB_OK | mb::MB_ICONERROR);
                return false;
            }
        }
    }

    WaitCursor wait;
    const auto katakana = services_.settings.getInt(QStringLiteral("JIS_KATAKANA_MODE")) != 0
                              ? JisKatakanaMode::HalfWidth
                              : JisKatakanaMode::FullWidth;
    EncodedText encoded;
    try {
        encoded = EncodeFileText(view_.GetText(), charSet, lineEnding, katakana,
                                 CodePage::ansi(services_.locale));
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

    view_.SetModify(false);
    if (view_.textChanged) {
        view_.textChanged = false;
        if (view_.titleFlags & titleflags::kLabelMask)
            view_.UpdateTitle(std::nullopt, view_.titleFlags, false);
        else
            view_.UpdateTitle(fileinfo::nameOf(path), view_.titleFlags, true);
    }
    return true;
}

void EditerDocument::OnFileSave() {
    if (view_.currentPath.isEmpty()) {
        OnFileSaveAs();
        return;
    }
    const QString path = view_.currentPath;
    WriteTextFile(path, view_.charSet, view_.lineEnding);
    recordStamp(path);
    recordStep(int(RecordedStep::Kind::Save), path);
}

void EditerDocument::OnFileSaveAs() {
    DocumentDialogRequest request = buildRequest(true);
    const std::optional<DocumentDialogResult> result = runDialog(true, request);
    if (!result)
        return;
    const QString path = result->path;
    view_.lastFolder = fileinfo::folderOf(path);
    const int charSet = codeFromResult(request, *result, view_.charSet);
    if (!WriteTextFile(path, charSet, view_.lineEnding))
        return;
    view_.currentPath = path;
    openDocs_->RegisterOpenDocument(path, &view_.ownWindowHandle);
    view_.RefreshTitleName();
    addRecent(path);
    view_.charSet = charSet;
    recordStamp(path);
    recordStep(int(RecordedStep::Kind::Save), path);
}

bool EditerDocument::SaveBeforeDiscard() {
    DocumentDialogRequest request = buildRequest(true);
    const std::optional<DocumentDialogResult> result = runDialog(true, request);
    if (!result)
        return false;
    const QString path = result->path;
    view_.lastFolder = fileinfo::folderOf(path);
    view_.charSet = codeFromResult(request, *result, view_.charSet);
    if (!WriteTextFile(path, view_.charSet, view_.lineEnding))
        return false;
    addRecent(path);
    return true;
}

// ---- the file dialog ----

DocumentDialogRequest EditerDocument::buildRequest(bool saving) const {
    const Settings& s = services_.settings;
    DocumentDialogRequest r;
    r.saving = saving;
    r.title = saving ? res::loadString(35035, QStringLiteral("Save As"))
                     : res::loadString(35034, QStringLiteral("Open"));
    r.filters = res::loadString(35045, QStringLiteral("Text File(*.txt)"));
    QString folder = FileSystem::toNativePath(view_.lastFolder);
    if (!folder.isEmpty() && !folder.endsWith(u'/'))
        folder += u'/';
    r.initialFolder = folder;
    r.initialName = saving ? fileinfo::nameOf(view_.currentPath) : QString();
    r.filterIndex = saving
                        ? fileinfo::filterIndexForName(r.initialName, r.filters, view_.filterIndex)
                        : view_.filterIndex;
    r.ofnFlags = saving ? 0x802 : 0x1000;
    r.selectFlags = fileinfo::fileSelectFlags(
        saving ? fileinfo::DialogMode::Save : fileinfo::DialogMode::Open,
        s.getInt(QStringLiteral("LONG_DELAY")), s.getInt(QStringLiteral("SELECT_BY_SINGLE_TAP")),
        s.getInt(QStringLiteral("STR_ZOOM_METHOD")),
        s.getInt(QStringLiteral("SELECTABLE_CODE_SET")),
        s.getInt(QStringLiteral("SHOW_FOLDER_ON_FILE_LIST")));
    r.codeLabel = saving ? QString() : res::loadString(35030, QStringLiteral("Code"));
    r.codeList = charSets_->CodeSetList(!saving);
    if (r.codeList.isEmpty())
        r.codeList =
            saving ? CharSetServices::fallbackSaveList() : CharSetServices::fallbackOpenList();
    if (saving) {
        const CharSetServices::ListIndex index =
            charSets_->ListIndexOf(0, charset::usable(view_.charSet), r.codeList);
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
        fileDialog_ = makeQsdDocumentFileDialog(services_.settings, services_.messages,
                                                services_.clock, services_.fileSelectCommon);
    const int styleBefore = request.listStyle;
    const bool foldersBefore = request.showFolders;
    std::optional<DocumentDialogResult> result = fileDialog_->run(request, view_.window());
    Settings& s = services_.settings;
    if (request.listStyle != styleBefore)
        s.writeInt(QStringLiteral("FILE_LIST_STYLE"), request.listStyle);
    if (request.showFolders != foldersBefore)
        s.writeInt(QStringLiteral("SHOW_FOLDER_ON_FILE_LIST"), request.showFolders ? 1 : 0);
    if (result && !result->path.isEmpty())
        view_.filterIndex = result->filterIndex;
    if (result && result->path.isEmpty())
        return std::nullopt;
    return result;
}

int EditerDocument::codeFromResult(const DocumentDialogRequest& request,
                                   const DocumentDialogResult& result, int fallback) const {
    if (result.codeIndex < 0)
        return fallback;
    const CharSetId code = charSets_->CodeFromListIndex(request.codeList, result.codeIndex);
    if (code == charset::NOT_FOUND)
        return charset::ANSI;
    return code;
}

// ---- new document, file information ----

void EditerDocument::OnFileNew() {
    if (!offerSave(0))
        return;
    view_.SetText(QString());
    view_.charSet = charset::ANSI;
    view_.lineEnding = lineending::CRLF;
    view_.currentPath.clear();
    view_.SetModify(false);
    view_.textChanged = false;
    view_.fileTime = 0;
    stamp_ = textfile::FileStamp{};
    view_.RefreshTitleName();
    openDocs_->UnregisterOpenDocument(view_.ownWindowHandle);
    recordStep(int(RecordedStep::Kind::NewFile), QString());
}

void EditerDocument::OnFileProperties() {
    FileInfoDialog::Fields fields;
    fields.path = view_.currentPath;
    fields.codeList = charSets_->CodeSetList(false);
    if (fields.codeList.isEmpty())
        fields.codeList = QStringLiteral("ANSI|Unicode|Unicode(BigEndian)|UTF-8|UTF-8N||");
    fields.characterCount = fileinfo::groupDigits(fileinfo::countCharacters(view_.GetText()));
    fields.charSet = view_.charSet;
    fields.lineEnding = view_.lineEnding;

    FileInfoDialog dialog(fields, *charSets_, view_.window());
    const int result = runFileInfo_ ? runFileInfo_(dialog) : dialog.exec();
    if (result != QDialog::Accepted)
        return;
    bool changed = false;
    if (dialog.chosenCharSet() != view_.charSet) {
        markChanged();
        view_.charSet = dialog.chosenCharSet();
        changed = true;
    }
    if (dialog.chosenLineEnding() != view_.lineEnding) {
        markChanged();
        view_.lineEnding = dialog.chosenLineEnding();
        changed = true;
    }
    if (changed) {
        show(30043,
             QStringLiteral("The new character set and line ending take effect when the file "
                            "is next saved."),
             mb::MB_OK | mb::MB_ICONINFORMATION);
    }
}

// ---- commands ----

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
        state.enabled = view_.IsDocumentChanged();
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
