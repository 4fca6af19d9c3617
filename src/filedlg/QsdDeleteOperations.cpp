#include "QsdDeleteOperations.h"

#include "CommandIds.h"
#include "DialogTexts.h"
#include "FilePath.h"

using namespace mb;

namespace {

// A message of the file operations, in the current interface language.
QString operationText(int id) {
    return res::dialogText(cmd::IDD_QSD_FILE_SELECT, id);
}

QString skippedText() {
    return QsdMessenger::text(30401, u"いくつかのファイル・フォルダの処理をスキップしました。"_qs);
}
} // namespace

RESULT QsdDeleteOperations::askReadOnly(const QString& path, uint32_t attributes,
                                        bool interactive) {
    if (!interactive)
        return rc::ITEM_READONLY;
    const int answer = msg_.show(operationText(cmd::filedlg_msg::READ_ONLY_DELETE), path,
                                 MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2);
    if (answer == IDCANCEL)
        return rc::USER_CANCEL;
    if (answer != IDYES)
        return rc::USER_NO;
    if (fs_.setAttributes(path, attributes & ~fa::FILE_ATTRIBUTE_READONLY,
                          FileSystem::Links::NoFollow))
        return rc::SUCCESS;
    return msg_.show(operationText(cmd::filedlg_msg::ATTRIBUTE_ERROR_SKIP), path,
                     MB_OKCANCEL | MB_ICONERROR) == IDCANCEL
               ? rc::USER_CANCEL
               : rc::ITEM_FAILED;
}

RESULT QsdDeleteOperations::DeleteTree(const QString& path, bool interactive) {
    if (path.isEmpty())
        return rc::INVALID_ARGUMENT;
    const auto d = fs_.stat(path);
    if (!d)
        return rc::NOT_EXISTING;
    if (d->attributes & fa::FILE_ATTRIBUTE_READONLY) {
        if (RESULT r = askReadOnly(path, d->attributes, interactive))
            return r;
    }
    if (!d->isFolder()) {
        if (fs_.deleteFile(path))
            return rc::SUCCESS;
        if (!interactive)
            return rc::ITEM_FAILED;
        return msg_.show(operationText(cmd::filedlg_msg::DELETE_FILE_ERROR), path,
                         MB_OKCANCEL | MB_ICONERROR) == IDCANCEL
                   ? rc::USER_CANCEL
                   : rc::ITEM_FAILED;
    }
    const QString folder = filepath::withSlash(path);
    std::vector<FindData> entries;
    fs_.list(folder, entries);
    bool skipped = false;
    for (const FindData& e : entries) {
        const QString child = folder + e.name;
        if (e.isFolder()) {
            const RESULT r = DeleteTree(child, interactive);
            if (r == rc::USER_CANCEL)
                return r;
            skipped |= r != rc::SUCCESS;
            continue;
        }
        if (e.attributes & fa::FILE_ATTRIBUTE_READONLY) {
            const RESULT r = askReadOnly(child, e.attributes, interactive);
            if (r == rc::USER_CANCEL || r == rc::ITEM_READONLY)
                return r;
            if (r != rc::SUCCESS) {
                skipped = true;
                continue;
            }
        }
        if (fs_.deleteFile(child))
            continue;
        if (!interactive)
            return rc::ITEM_FAILED;
        if (msg_.show(operationText(cmd::filedlg_msg::PROCESS_ERROR), child,
                      MB_OKCANCEL | MB_ICONEXCLAMATION) == IDCANCEL)
            return rc::USER_CANCEL;
        skipped = true;
    }
    if (skipped)
        return rc::USER_NO;
    if (fs_.removeDirectory(path))
        return rc::SUCCESS;
    if (!interactive)
        return rc::ITEM_FAILED;
    return msg_.show(operationText(cmd::filedlg_msg::DELETE_FOLDER_ERROR), path,
                     MB_OKCANCEL | MB_ICONERROR) == IDCANCEL
               ? rc::USER_CANCEL
               : rc::ITEM_FAILED;
}

bool QsdDeleteOperations::DeleteRows(const QString& folder, const std::vector<Row>& rows,
                                     const std::function<void(int)>& removed) {
    if (rows.empty())
        return false;
    const QString question = QsdMessenger::text(
        30400, u"選択されているファイル・フォルダを削除します。\nよろしですか？"_qs);
    if (msg_.show(question, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return false;
    bool skipped = false;
    for (int i = static_cast<int>(rows.size()) - 1; i >= 0; --i) {
        const Row& row = rows[i];
        if (!row.selected || (row.isFolder && row.name == u".."))
            continue;
        const QString path = filepath::withSlash(folder) + row.name;
        const auto d = fs_.stat(path);
        if (!d) {
            const QString text = QsdMessenger::text(
                30020, u"下記ファイルは既に存在しません。処理をスキップします。\n\n%s"_qs);
            if (msg_.show(text, path, MB_OKCANCEL | MB_ICONEXCLAMATION) == IDCANCEL)
                return true;
            skipped = true;
            continue;
        }
        if (d->attributes & fa::FILE_ATTRIBUTE_READONLY) {
            const QString text = QsdMessenger::text(
                30027, u"下記ファイル・フォルダは読み取り専用です。削除しますか？\n\n%s"_qs);
            const int answer =
                msg_.show(text, path, MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2);
            if (answer == IDCANCEL)
                return true;
            if (answer != IDYES) {
                skipped = true;
                continue;
            }
            if (!fs_.setAttributes(path, d->attributes & ~fa::FILE_ATTRIBUTE_READONLY,
                                   FileSystem::Links::NoFollow)) {
                const QString error = QsdMessenger::text(
                    30507, u"ファイル属性の変更操作で、エラーが発生しました。"_qs);
                if (msg_.show(error, MB_OKCANCEL | MB_ICONERROR) == IDCANCEL)
                    return true;
                skipped = true;
                continue;
            }
        }
        if (d->isFolder()) {
            const RESULT r = DeleteTree(path, true);
            if (r == rc::USER_CANCEL)
                return true;
            if (r != rc::SUCCESS) {
                skipped = true;
                continue;
            }
            removed(i);
            continue;
        }
        if (fs_.deleteFile(path)) {
            removed(i);
            continue;
        }
        const QString text =
            QsdMessenger::text(30026, u"下記ファイルの削除でエラーが発生しました。\n\n%s"_qs);
        if (msg_.show(text, path, MB_OKCANCEL | MB_ICONERROR) == IDCANCEL)
            return true;
        skipped = true;
    }
    if (skipped)
        msg_.show(skippedText(), MB_OK | MB_ICONINFORMATION);
    return true;
}

QsdDeleteOperations::FolderOutcome QsdDeleteOperations::DeleteFolder(const QString& folder) {
    const QString question =
        QsdMessenger::text(30024, u"下記フォルダを削除します。よろしいですか？\n\n%s"_qs);
    if (msg_.show(question, folder, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return FolderOutcome::Declined;
    const RESULT r = DeleteTree(folder, true);
    if (r == rc::SUCCESS)
        return FolderOutcome::Deleted;
    if (r == rc::USER_NO) {
        msg_.show(skippedText(), MB_OK | MB_ICONINFORMATION);
        return FolderOutcome::Partly;
    }
    if (r == rc::USER_CANCEL)
        return FolderOutcome::Cancelled;
    msg_.show(
        QsdMessenger::text(
            30509,
            u"フォルダの削除に失敗しました。\n他のアプリケーションがこのフォルダのファイルを使用していないか等を確認してください。"_qs),
        MB_OK | MB_ICONERROR);
    return FolderOutcome::Failed;
}
