#include "QsdFolderOperations.h"

#include "FilePath.h"
#include "StringTable.h"

using namespace mb;

QString QsdFolderOperations::NewFolder(const QString& parentFolder) {
    const QString parent = filepath::withSlash(parentFolder);
    const QString labelFormat = QsdMessenger::text(30009, u"新規フォルダ(%d)"_qs);
    for (int n = 1; n <= kNewFolderLimit; ++n) {
        // Only the name goes through the format: a "%d" in the parent's path
        // must never take the number.
        const QString path = parent + res::substitute(labelFormat, n);
        if (fs_.exists(path))
            continue;
        if (!fs_.createDirectory(path)) {
            msg_.show(QsdMessenger::text(30504, u"新しいフォルダの作成に失敗しました。"_qs),
                      MB_OK | MB_ICONERROR);
            return {};
        }
        return res::substitute(labelFormat, n);
    }
    msg_.show(QsdMessenger::text(30506, u"これ以上フォルダを作成できません。"_qs),
              MB_OK | MB_ICONEXCLAMATION);
    return {};
}

QsdFolderOperations::RenameOutcome
QsdFolderOperations::RenameFolder(const QString& oldPath, const QString& label, QString& newPath) {
    const QString name = label.trimmed();
    if (name.isEmpty())
        return RenameOutcome::EditAgain;
    const QString old = filepath::withoutSlash(oldPath);
    // The file system tells names apart by case, so only an identical name is no change.
    if (name == filepath::nameOf(old))
        return RenameOutcome::Unchanged;
    static const QString refused = u"\\/:*?\"<>|"_qs;
    for (QChar c : name) {
        if (refused.contains(c)) {
            msg_.show(QsdMessenger::text(
                          30502, u"ファイル名には次の文字は使えません。\n/ : * ? \" < > |"_qs),
                      MB_OK | MB_ICONERROR);
            return RenameOutcome::EditAgain;
        }
    }
    const qsizetype slash = old.lastIndexOf(u'/');
    if (old.size() <= 1 || slash < 0) {
        msg_.show(QsdMessenger::text(30510, u"エラーが発生したため名前を変更できません。"_qs),
                  MB_OK | MB_ICONERROR);
        return RenameOutcome::Failed;
    }
    const QString target = old.left(slash + 1) + name;
    if (const auto d = fs_.stat(target)) {
        const QString text =
            d->isFolder() ? QsdMessenger::text(30500, u"同一名のフォルダが既に存在します。"_qs)
                          : QsdMessenger::text(30501, u"同一名のファイルが既に存在します。"_qs);
        msg_.show(text, MB_OK | MB_ICONERROR);
        return RenameOutcome::EditAgain;
    }
    if (!fs_.moveFile(old, target)) {
        msg_.show(QsdMessenger::text(30510, u"エラーが発生したため名前を変更できません。"_qs),
                  MB_OK | MB_ICONERROR);
        return RenameOutcome::Failed;
    }
    newPath = target + u'/';
    return RenameOutcome::Renamed;
}
