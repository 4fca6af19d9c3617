#include "QsdFileOperations.h"

#include "CommandIds.h"
#include "DialogTexts.h"
#include "FilePath.h"

using namespace mb;

namespace {

// A message of the file operations, in the current interface language.
QString operationText(int id) {
    return res::dialogText(cmd::IDD_QSD_FILE_SELECT, id);
}

constexpr uint32_t kYesNoCancel = MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2;
constexpr uint32_t kOkCancel = MB_OKCANCEL | MB_ICONEXCLAMATION;

RESULT yesNoCancel(int answer) {
    return answer == IDYES ? rc::SUCCESS : answer == IDNO ? rc::USER_NO : rc::USER_CANCEL;
}
} // namespace

RESULT QsdFileOperations::failure(const QString& text, const QString& path, bool interactive,
                                  RESULT onOk) {
    if (!interactive)
        return onOk;
    return msg_.show(text, path, kOkCancel) == IDCANCEL ? rc::USER_CANCEL : onOk;
}

RESULT QsdFileOperations::PasteAll(CQSDFileClipboard& clipboard, const QString& destination,
                                   bool interactive) {
    clipboard.pastedNames.clear();
    if (destination.isEmpty())
        return rc::INVALID_ARGUMENT;
    const auto dest = fs_.statTarget(destination);
    if (!dest)
        return rc::NOT_EXISTING;
    if (!dest->isFolder())
        return rc::FILE_BLOCKS_FOLDER;
    const QString folder = filepath::withSlash(destination);
    const bool sameFolder = filepath::samePath(clipboard.sourceFolder, folder);
    if (!sameFolder && clipboard.holdsFolders) {
        for (const QString& name : clipboard.names) {
            const QString source = clipboard.sourceFolder + name;
            const auto d = fs_.stat(source);
            if (d && d->isFolder() && filepath::isInside(folder, source)) {
                if (interactive)
                    msg_.show(operationText(cmd::filedlg_msg::INTO_SUBFOLDER),
                              MB_OK | MB_ICONEXCLAMATION);
                return rc::INVALID_ARGUMENT;
            }
        }
    }
    if (sameFolder && clipboard.mode == CQSDFileClipboard::Cut)
        return rc::SUCCESS;
    bool skipped = false;
    for (const QString& name : clipboard.names) {
        const QString source = clipboard.sourceFolder + name;
        const auto d = fs_.stat(source);
        RESULT r = rc::SUCCESS;
        if (!d) {
            if (!interactive)
                return rc::NOT_EXISTING;
            if (msg_.show(operationText(cmd::filedlg_msg::VANISHED_SKIP), source,
                          MB_OKCANCEL | MB_ICONQUESTION) == IDCANCEL)
                return rc::USER_CANCEL;
            skipped = true;
            continue;
        }
        r = d->isFolder() ? PasteFolder(clipboard, source, folder, sameFolder, interactive)
                          : PasteFile(clipboard, source, folder, sameFolder, interactive);
        if (r == rc::SUCCESS)
            continue;
        if (!interactive || r == rc::USER_CANCEL)
            return r;
        skipped = true;
    }
    if (skipped)
        msg_.show(operationText(cmd::filedlg_msg::SOME_SKIPPED), MB_OK | MB_ICONINFORMATION);
    return rc::SUCCESS;
}

RESULT QsdFileOperations::CopyName(const QString& source, const QString& folder, bool interactive,
                                   QString& name) {
    const QString own = filepath::nameOf(source);
    name = u"コピー ～ "_qs + own;
    if (!fs_.exists(folder + name))
        return rc::SUCCESS;
    for (int n = 2; n <= kCopyNameLimit; ++n) {
        name = u"コピー(%1) ～ "_qs.arg(n) + own;
        if (!fs_.exists(folder + name))
            return rc::SUCCESS;
    }
    name.clear();
    return failure(operationText(cmd::filedlg_msg::NAME_LIMIT), source, interactive,
                   rc::NO_COPY_NAME);
}

RESULT QsdFileOperations::PasteFile(CQSDFileClipboard& clipboard, const QString& source,
                                    const QString& destinationFolder, bool sameFolder,
                                    bool interactive) {
    QString name = filepath::nameOf(source);
    if (sameFolder) {
        if (RESULT r = CopyName(source, destinationFolder, interactive, name))
            return r;
        if (!fs_.copyFile(source, destinationFolder + name, FileSystem::IfExists::Replace))
            return failure(operationText(cmd::filedlg_msg::PROCESS_ERROR), source, interactive,
                           rc::ITEM_FAILED);
        clipboard.pastedNames << name;
        return rc::SUCCESS;
    }
    const QString destination = destinationFolder + name;
    if (RESULT r = CheckDestination(destination, false, interactive))
        return r;
    if (clipboard.mode == CQSDFileClipboard::Copy) {
        if (!fs_.copyFile(source, destination, FileSystem::IfExists::Replace))
            return failure(operationText(cmd::filedlg_msg::PROCESS_ERROR), source, interactive,
                           rc::ITEM_FAILED);
    } else if (RESULT r = moveOneFile(source, destination, interactive)) {
        return r;
    }
    clipboard.pastedNames << name;
    return rc::SUCCESS;
}

RESULT QsdFileOperations::moveOneFile(const QString& source, const QString& destination,
                                      bool interactive) {
    const auto src = fs_.stat(source);
    if (!src)
        return rc::NOT_EXISTING;
    if (src->attributes & fa::FILE_ATTRIBUTE_READONLY) {
        if (!interactive)
            return rc::ITEM_READONLY;
        if (RESULT r = yesNoCancel(
                msg_.show(operationText(cmd::filedlg_msg::READ_ONLY_MOVE), source, kYesNoCancel)))
            return r;
    }
    if (fs_.exists(destination) && !fs_.deleteFile(destination))
        return failure(operationText(cmd::filedlg_msg::OVERWRITE_ERROR), destination, interactive,
                       rc::ITEM_FAILED);
    if (!fs_.moveFile(source, destination))
        return failure(operationText(cmd::filedlg_msg::PROCESS_ERROR), source, interactive,
                       rc::ITEM_FAILED);
    return rc::SUCCESS;
}

RESULT QsdFileOperations::clearReadOnly(const QString& path, uint32_t attributes,
                                        bool interactive) {
    if (fs_.setAttributes(path, attributes & ~fa::FILE_ATTRIBUTE_READONLY,
                          FileSystem::Links::NoFollow))
        return rc::SUCCESS;
    if (!interactive)
        return rc::ITEM_FAILED;
    return msg_.show(operationText(cmd::filedlg_msg::ATTRIBUTE_ERROR_SKIP), path,
                     MB_OKCANCEL | MB_ICONERROR) == IDCANCEL
               ? rc::USER_CANCEL
               : rc::ITEM_FAILED;
}

RESULT QsdFileOperations::CheckDestination(const QString& destination, bool sourceIsFolder,
                                           bool interactive) {
    const auto d = fs_.stat(destination);
    if (!d)
        return rc::SUCCESS;
    if (sourceIsFolder && !d->isFolder())
        return failure(operationText(cmd::filedlg_msg::FILE_BLOCKS_FOLDER), destination,
                       interactive, rc::FILE_BLOCKS_FOLDER);
    if (!sourceIsFolder && d->isFolder())
        return failure(operationText(cmd::filedlg_msg::FOLDER_BLOCKS_FILE), destination,
                       interactive, rc::FOLDER_BLOCKS_FILE);
    if (d->attributes & fa::FILE_ATTRIBUTE_READONLY) {
        if (!interactive)
            return rc::ITEM_READONLY;
        const QString text = operationText(sourceIsFolder ? cmd::filedlg_msg::READ_ONLY_FOLDER_THERE
                                                          : cmd::filedlg_msg::READ_ONLY_FILE_THERE);
        if (RESULT r = yesNoCancel(msg_.show(text, destination, kYesNoCancel)))
            return r;
        return clearReadOnly(destination, d->attributes, interactive);
    }
    if (sourceIsFolder)
        return rc::SUCCESS;
    if (!interactive)
        return rc::DEST_EXISTS_NO_QUESTION;
    return yesNoCancel(
        msg_.show(operationText(cmd::filedlg_msg::OVERWRITE), destination, kYesNoCancel));
}

RESULT QsdFileOperations::PasteFolder(CQSDFileClipboard& clipboard, const QString& source,
                                      const QString& destinationFolder, bool sameFolder,
                                      bool interactive) {
    QString name = filepath::nameOf(source);
    if (sameFolder) {
        if (RESULT r = CopyName(source, destinationFolder, interactive, name))
            return r;
    } else if (RESULT r = CheckDestination(destinationFolder + name, true, interactive)) {
        return r;
    }
    const QString destination = destinationFolder + name;
    const RESULT r = clipboard.mode == CQSDFileClipboard::Cut
                         ? MoveTree(source, destination, interactive)
                         : CopyTree(source, destination, interactive);
    if (r == rc::SUCCESS || fs_.exists(destination))
        clipboard.pastedNames << name;
    return r;
}

RESULT QsdFileOperations::prepareFolder(const QString& destination, bool interactive) {
    const auto d = fs_.stat(destination);
    if (!d) {
        if (fs_.createDirectory(destination))
            return rc::SUCCESS;
        return failure(operationText(cmd::filedlg_msg::CREATE_FOLDER_ERROR), destination,
                       interactive, rc::ITEM_FAILED);
    }
    if (!d->isFolder())
        return failure(operationText(cmd::filedlg_msg::FILE_BLOCKS_FOLDER), destination,
                       interactive, rc::FILE_BLOCKS_FOLDER);
    if (d->attributes & fa::FILE_ATTRIBUTE_READONLY) {
        if (!interactive)
            return rc::ITEM_FAILED;
        if (RESULT r =
                yesNoCancel(msg_.show(operationText(cmd::filedlg_msg::READ_ONLY_FOLDER_THERE),
                                      destination, kYesNoCancel)))
            return r;
        return clearReadOnly(destination, d->attributes, interactive);
    }
    return rc::SUCCESS;
}

RESULT QsdFileOperations::transferEntries(const QString& source, const QString& destination,
                                          Transfer transfer, bool interactive) {
    const bool move = transfer == Transfer::Move;
    const QString from = filepath::withSlash(source);
    const QString to = filepath::withSlash(destination);
    std::vector<FindData> entries;
    fs_.list(from, entries);
    bool skipped = false;
    for (const FindData& e : entries) {
        const QString src = from + e.name;
        const QString dst = to + e.name;
        RESULT r;
        if (e.isFolder()) {
            r = move ? MoveTree(src, dst, interactive) : CopyTree(src, dst, interactive);
        } else {
            r = CheckDestination(dst, false, interactive);
            if (r == rc::SUCCESS && move)
                r = moveOneFile(src, dst, interactive);
            else if (r == rc::SUCCESS && !fs_.copyFile(src, dst, FileSystem::IfExists::Replace))
                r = failure(operationText(cmd::filedlg_msg::PROCESS_ERROR), src, interactive,
                            rc::ITEM_FAILED);
        }
        if (r == rc::USER_CANCEL)
            return r;
        if (r != rc::SUCCESS)
            skipped = true;
    }
    return skipped ? rc::USER_NO : rc::SUCCESS;
}

RESULT QsdFileOperations::CopyTree(const QString& source, const QString& destination,
                                   bool interactive) {
    const auto src = fs_.stat(source);
    if (!src || !src->isFolder())
        return rc::NOT_EXISTING;
    if (RESULT r = prepareFolder(destination, interactive))
        return r;
    const RESULT entries = transferEntries(source, destination, Transfer::Copy, interactive);
    if (entries == rc::USER_CANCEL)
        return entries;
    bool skipped = entries != rc::SUCCESS;
    if (!fs_.setAttributes(destination, src->attributes, FileSystem::Links::NoFollow)) {
        if (RESULT r = failure(operationText(cmd::filedlg_msg::ATTRIBUTE_ERROR_SKIP), destination,
                               interactive, rc::ITEM_FAILED);
            r == rc::USER_CANCEL)
            return r;
        skipped = true;
    }
    return skipped ? rc::USER_NO : rc::SUCCESS;
}

RESULT QsdFileOperations::MoveTree(const QString& source, const QString& destination,
                                   bool interactive) {
    const auto src = fs_.stat(source);
    if (!src || !src->isFolder())
        return rc::NOT_EXISTING;
    uint32_t attributes = src->attributes;
    if (attributes & fa::FILE_ATTRIBUTE_READONLY) {
        if (!interactive)
            return rc::ITEM_READONLY;
        if (RESULT r = yesNoCancel(msg_.show(operationText(cmd::filedlg_msg::READ_ONLY_FOLDER_MOVE),
                                             source, kYesNoCancel)))
            return r;
        if (RESULT r = clearReadOnly(source, attributes, interactive))
            return r;
        attributes &= ~fa::FILE_ATTRIBUTE_READONLY;
    }
    if (RESULT r = prepareFolder(destination, interactive))
        return r;
    const RESULT entries = transferEntries(source, destination, Transfer::Move, interactive);
    if (entries == rc::USER_CANCEL)
        return entries;
    const bool skipped = entries != rc::SUCCESS;
    RESULT result = skipped ? rc::USER_NO : rc::SUCCESS;
    if (!skipped && !fs_.removeDirectory(source)) {
        result = failure(operationText(cmd::filedlg_msg::MOVE_FOLDER_ERROR), source, interactive,
                         rc::ITEM_FAILED);
        if (result == rc::USER_CANCEL)
            return result;
    }
    if (!fs_.setAttributes(destination, attributes, FileSystem::Links::NoFollow)) {
        const RESULT r = failure(operationText(cmd::filedlg_msg::ATTRIBUTE_ERROR_SKIP), destination,
                                 interactive, rc::ITEM_FAILED);
        if (r == rc::USER_CANCEL || result == rc::SUCCESS)
            result = r;
    }
    return result;
}
