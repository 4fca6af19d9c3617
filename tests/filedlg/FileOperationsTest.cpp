#include "FakeFileSystem.h"
#include "FiledlgTestUtil.h"
#include "QsdDeleteOperations.h"
#include "QsdFileOperations.h"
#include "QsdFolderOperations.h"

using namespace mb;

namespace {

struct OperationsFixture : ::testing::Test {
    TempTree tree;
    FakeFileSystem fs;
    ScriptedMessageService messages;
    QsdMessenger messenger{messages};
    QsdFileOperations ops{fs, messenger};
    QsdDeleteOperations deletes{fs, messenger};
    QsdFolderOperations folders{fs, messenger};
    CQSDFileClipboard clipboard;

    void take(CQSDFileClipboard::Mode mode, const QString& folder, const QStringList& names) {
        clipboard.clear();
        ASSERT_TRUE(clipboard.setSourceFolder(fs, tree.path(folder)));
        for (const QString& n : names)
            ASSERT_TRUE(clipboard.addName(fs, n));
        clipboard.mode = mode;
    }
};

} // namespace

TEST_F(OperationsFixture, ClipboardTakesOnlyExistingNamesAndMarksFolders) {
    tree.mkdir(u"src/dir"_qs);
    EXPECT_FALSE(clipboard.setSourceFolder(fs, tree.path(u"nope/"_qs)));
    ASSERT_TRUE(clipboard.setSourceFolder(fs, tree.path(u"src"_qs)));
    EXPECT_EQ(clipboard.sourceFolder, tree.path(u"src/"_qs));
    EXPECT_FALSE(clipboard.addName(fs, u"ghost.txt"_qs));
    EXPECT_FALSE(clipboard.holdsFolders);
    EXPECT_TRUE(clipboard.addName(fs, u"dir"_qs));
    EXPECT_TRUE(clipboard.holdsFolders);
    clipboard.mode = CQSDFileClipboard::Cut;
    EXPECT_FALSE(clipboard.canPasteInto(tree.path(u"src/"_qs)));
    EXPECT_TRUE(clipboard.canPasteInto(tree.root()));
    clipboard.clear();
    EXPECT_TRUE(clipboard.isEmpty());
    EXPECT_EQ(clipboard.mode, CQSDFileClipboard::Copy);
}

TEST_F(OperationsFixture, PasteIntoTheSourceFolderNamesCopiesAndLeavesCutFiles) {
    tree.write(u"a.txt"_qs, "alpha");
    take(CQSDFileClipboard::Copy, u""_qs, {u"a.txt"_qs});
    EXPECT_EQ(ops.PasteAll(clipboard, tree.root(), true), rc::SUCCESS);
    EXPECT_EQ(tree.read(u"コピー ～ a.txt"_qs), "alpha");
    EXPECT_EQ(clipboard.pastedNames, QStringList{u"コピー ～ a.txt"_qs});
    EXPECT_EQ(ops.PasteAll(clipboard, tree.root(), true), rc::SUCCESS);
    EXPECT_EQ(tree.read(u"コピー(2) ～ a.txt"_qs), "alpha");
    EXPECT_TRUE(messages.shown().empty());

    take(CQSDFileClipboard::Cut, u""_qs, {u"a.txt"_qs});
    EXPECT_EQ(ops.PasteAll(clipboard, tree.root(), true), rc::SUCCESS);
    EXPECT_EQ(tree.read(u"a.txt"_qs), "alpha");
    EXPECT_FALSE(tree.exists(u"コピー(3) ～ a.txt"_qs));
    EXPECT_TRUE(clipboard.pastedNames.isEmpty());
    EXPECT_EQ(clipboard.names, QStringList{u"a.txt"_qs});
}

TEST_F(OperationsFixture, CopyNameLimitIsReported) {
    tree.write(u"a.txt"_qs, "alpha");
    tree.write(u"コピー ～ a.txt"_qs, "");
    tree.write(u"コピー(2) ～ a.txt"_qs, "");
    // The rest of the names are taken without filling the disk.
    for (int n = 3; n <= QsdFileOperations::kCopyNameLimit; ++n)
        fs.phantoms << tree.path(u"コピー(%1) ～ a.txt"_qs.arg(n));
    QString name;
    EXPECT_EQ(ops.CopyName(tree.path(u"a.txt"_qs), tree.root(), false, name), rc::NO_COPY_NAME);
    messages.queueAnswer(IDCANCEL);
    EXPECT_EQ(ops.CopyName(tree.path(u"a.txt"_qs), tree.root(), true, name), rc::USER_CANCEL);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text,
              u"ファイルの作成制限数に達したため、下記ファイルの処理をスキップしました。\n\n"_qs +
                  tree.path(u"a.txt"_qs));
}

TEST_F(OperationsFixture, FolderIntoItsOwnSubfolderIsRefused) {
    tree.mkdir(u"top/inner"_qs);
    tree.write(u"top/f.txt"_qs, "f");
    for (auto mode : {CQSDFileClipboard::Copy, CQSDFileClipboard::Cut}) {
        messages.clear();
        take(mode, u""_qs, {u"top"_qs});
        EXPECT_EQ(ops.PasteAll(clipboard, tree.path(u"top/inner/"_qs), true), rc::INVALID_ARGUMENT);
        EXPECT_EQ(
            messages.texts(),
            QStringList{u"フォルダをそのサブフォルダ内に移動・コピーすることはできません。"_qs});
        EXPECT_FALSE(tree.exists(u"top/inner/top"_qs));
        EXPECT_EQ(tree.read(u"top/f.txt"_qs), "f");
    }
}

TEST_F(OperationsFixture, DestinationErrorsAndFoldersAndFilesOfOneName) {
    tree.write(u"a.txt"_qs, "a");
    take(CQSDFileClipboard::Copy, u""_qs, {u"a.txt"_qs});
    EXPECT_EQ(ops.PasteAll(clipboard, QString(), true), rc::INVALID_ARGUMENT);
    EXPECT_EQ(ops.PasteAll(clipboard, tree.path(u"none/"_qs), true), rc::NOT_EXISTING);
    EXPECT_EQ(ops.PasteAll(clipboard, tree.path(u"a.txt"_qs), true), rc::FILE_BLOCKS_FOLDER);

    tree.mkdir(u"dst/a.txt"_qs);
    tree.write(u"dst/dir"_qs, "file");
    EXPECT_EQ(ops.CheckDestination(tree.path(u"dst/a.txt"_qs), false, false),
              rc::FOLDER_BLOCKS_FILE);
    EXPECT_EQ(ops.CheckDestination(tree.path(u"dst/dir"_qs), true, false), rc::FILE_BLOCKS_FOLDER);
    EXPECT_EQ(ops.CheckDestination(tree.path(u"dst/free"_qs), true, false), rc::SUCCESS);
}

TEST_F(OperationsFixture, ExistingAndReadOnlyTargetQuestionAnswers) {
    tree.mkdir(u"dst"_qs);
    tree.write(u"a.txt"_qs, "new");
    tree.write(u"dst/a.txt"_qs, "old");
    EXPECT_EQ(ops.CheckDestination(tree.path(u"dst/a.txt"_qs), false, false),
              rc::DEST_EXISTS_NO_QUESTION);
    take(CQSDFileClipboard::Copy, u""_qs, {u"a.txt"_qs});
    messages.queueAnswer(IDNO);
    EXPECT_EQ(ops.PasteAll(clipboard, tree.path(u"dst"_qs), true), rc::SUCCESS);
    EXPECT_EQ(tree.read(u"dst/a.txt"_qs), "old");
    EXPECT_EQ(messages.texts().last(),
              u"いくつかのファイル・フォルダの処理をスキップしました。"_qs);
    messages.clear();
    messages.queueAnswer(IDCANCEL);
    EXPECT_EQ(ops.PasteAll(clipboard, tree.path(u"dst"_qs), true), rc::USER_CANCEL);
    EXPECT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(ops.PasteAll(clipboard, tree.path(u"dst"_qs), false), rc::DEST_EXISTS_NO_QUESTION);

    // A read-only target: one question, and Yes clears the attribute too.
    tree.setReadOnly(u"dst/a.txt"_qs, true);
    messages.clear();
    messages.queueAnswer(IDYES);
    EXPECT_EQ(ops.PasteAll(clipboard, tree.path(u"dst"_qs), true), rc::SUCCESS);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(
        messages.shown()[0].text,
        u"貼り付け先に同名の読み取り専用ファイルが存在します。読み取り専用属性を解除して強制的に上書きしますか？\n\n"_qs +
            tree.path(u"dst/a.txt"_qs));
    EXPECT_EQ(messages.shown()[0].style & MB_TYPEMASK, MB_YESNOCANCEL);
    EXPECT_EQ(tree.read(u"dst/a.txt"_qs), "new");
}

TEST_F(OperationsFixture, SameNamedFoldersMergeAskingOnlyForClashingFiles) {
    tree.mkdir(u"src/box/deep"_qs);
    tree.write(u"src/box/one.txt"_qs, "1new");
    tree.write(u"src/box/two.txt"_qs, "2new");
    tree.write(u"src/box/deep/d.txt"_qs, "d");
    tree.mkdir(u"dst/box"_qs);
    tree.write(u"dst/box/one.txt"_qs, "1old");
    tree.write(u"dst/box/keep.txt"_qs, "keep");
    take(CQSDFileClipboard::Copy, u"src"_qs, {u"box"_qs});
    messages.queueAnswer(IDYES);
    EXPECT_EQ(ops.PasteAll(clipboard, tree.path(u"dst"_qs), true), rc::SUCCESS);
    EXPECT_EQ(messages.texts(),
              QStringList{u"貼り付け先に同名のファイルが既に存在します。\n上書きしますか？\n\n"_qs +
                          tree.path(u"dst/box/one.txt"_qs)});
    EXPECT_EQ(tree.read(u"dst/box/one.txt"_qs), "1new");
    EXPECT_EQ(tree.read(u"dst/box/two.txt"_qs), "2new");
    EXPECT_EQ(tree.read(u"dst/box/keep.txt"_qs), "keep");
    EXPECT_EQ(tree.read(u"dst/box/deep/d.txt"_qs), "d");
    EXPECT_EQ(clipboard.pastedNames, QStringList{u"box"_qs});
}

TEST_F(OperationsFixture, CutMovesTreeAndRemovesSourceOnOneFileSystemOrAcrossTwo) {
    tree.mkdir(u"src/box/deep"_qs);
    tree.write(u"src/box/deep/d.txt"_qs, "d");
    tree.write(u"src/f.txt"_qs, "f");
    tree.mkdir(u"dst"_qs);
    take(CQSDFileClipboard::Cut, u"src"_qs, {u"box"_qs, u"f.txt"_qs});
    EXPECT_EQ(ops.PasteAll(clipboard, tree.path(u"dst"_qs), true), rc::SUCCESS);
    EXPECT_EQ(tree.read(u"dst/box/deep/d.txt"_qs), "d");
    EXPECT_EQ(tree.read(u"dst/f.txt"_qs), "f");
    EXPECT_FALSE(tree.exists(u"src/box"_qs));
    EXPECT_FALSE(tree.exists(u"src/f.txt"_qs));
    EXPECT_TRUE(messages.shown().empty());

    // Across file systems, the file system removes the source itself once the
    // copy is complete.
    fs.crossDevice = true;
    take(CQSDFileClipboard::Cut, u"dst"_qs, {u"f.txt"_qs});
    EXPECT_EQ(ops.PasteAll(clipboard, tree.path(u"src"_qs), true), rc::SUCCESS);
    EXPECT_EQ(tree.read(u"src/f.txt"_qs), "f");
    EXPECT_FALSE(tree.exists(u"dst/f.txt"_qs));
    EXPECT_EQ(fs.order, (QStringList{u"copy:f.txt"_qs}));
}

TEST_F(OperationsFixture, ReadOnlySourceMoveAsksAndNoKeepsIt) {
    tree.write(u"src/r.txt"_qs, "r");
    tree.mkdir(u"dst"_qs);
    tree.setReadOnly(u"src/r.txt"_qs, true);
    take(CQSDFileClipboard::Cut, u"src"_qs, {u"r.txt"_qs});
    EXPECT_EQ(ops.PasteAll(clipboard, tree.path(u"dst"_qs), false), rc::ITEM_READONLY);
    messages.queueAnswer(IDNO);
    EXPECT_EQ(ops.PasteAll(clipboard, tree.path(u"dst"_qs), true), rc::SUCCESS);
    EXPECT_EQ(messages.texts().first(),
              u"下記ファイルは読み取り専用です。強制的に移動を実行しますか？\n\n"_qs +
                  tree.path(u"src/r.txt"_qs));
    EXPECT_TRUE(tree.exists(u"src/r.txt"_qs));
    EXPECT_FALSE(tree.exists(u"dst/r.txt"_qs));
}

TEST_F(OperationsFixture, DeleteSkipsAFileItCannotRemoveAndShowsSummary) {
    tree.mkdir(u"dir"_qs);
    tree.write(u"dir/busy.txt"_qs, "b");
    tree.write(u"dir/free.txt"_qs, "f");
    tree.write(u"other.txt"_qs, "o");
    fs.undeletable << u"busy.txt"_qs;
    std::vector<QsdDeleteOperations::Row> rows{
        {u".."_qs, true, true}, {u"dir"_qs, true, true}, {u"other.txt"_qs, true, false}};
    std::vector<int> removed;
    messages.queueAnswer(IDYES); // confirm
    messages.queueAnswer(IDOK);  // the busy file
    EXPECT_TRUE(deletes.DeleteRows(tree.root(), rows, [&](int i) { removed.push_back(i); }));
    EXPECT_EQ(removed, std::vector<int>{2});
    EXPECT_TRUE(tree.exists(u"dir/busy.txt"_qs));
    EXPECT_FALSE(tree.exists(u"dir/free.txt"_qs));
    EXPECT_FALSE(tree.exists(u"other.txt"_qs));
    EXPECT_EQ(messages.texts(),
              (QStringList{u"選択されているファイル・フォルダを削除します。\nよろしですか？"_qs,
                           u"下記ファイルの処理でエラーが発生しました。\n\n"_qs +
                               tree.path(u"dir/busy.txt"_qs),
                           u"いくつかのファイル・フォルダの処理をスキップしました。"_qs}));
    EXPECT_EQ(messages.shown()[0].style & (MB_TYPEMASK | MB_DEFMASK), MB_YESNO | MB_DEFBUTTON2);
}

TEST_F(OperationsFixture, DeleteTreeReadOnlyRulesAndCodes) {
    EXPECT_EQ(deletes.DeleteTree(QString(), true), rc::INVALID_ARGUMENT);
    EXPECT_EQ(deletes.DeleteTree(tree.path(u"none"_qs), true), rc::NOT_EXISTING);
    tree.mkdir(u"d"_qs);
    tree.write(u"d/r.txt"_qs, "r");
    tree.setReadOnly(u"d/r.txt"_qs, true);
    EXPECT_EQ(deletes.DeleteTree(tree.path(u"d"_qs), false), rc::ITEM_READONLY);
    messages.queueAnswer(IDNO);
    EXPECT_EQ(deletes.DeleteTree(tree.path(u"d"_qs), true), rc::USER_NO);
    EXPECT_TRUE(tree.exists(u"d/r.txt"_qs));
    messages.queueAnswer(IDYES);
    EXPECT_EQ(deletes.DeleteTree(tree.path(u"d"_qs), true), rc::SUCCESS);
    EXPECT_FALSE(tree.exists(u"d"_qs));
}

TEST_F(OperationsFixture, DeleteFolderOutcomesAndMessages) {
    tree.mkdir(u"d"_qs);
    tree.write(u"d/busy.txt"_qs, "b");
    messages.queueAnswer(IDNO);
    EXPECT_EQ(deletes.DeleteFolder(tree.path(u"d/"_qs)),
              QsdDeleteOperations::FolderOutcome::Declined);
    EXPECT_EQ(messages.texts().first(),
              u"下記フォルダを削除します。よろしいですか？\n\n"_qs + tree.path(u"d"_qs));
    fs.undeletable << u"busy.txt"_qs;
    messages.clear();
    messages.queueAnswer(IDYES);
    messages.queueAnswer(IDOK);
    EXPECT_EQ(deletes.DeleteFolder(tree.path(u"d/"_qs)),
              QsdDeleteOperations::FolderOutcome::Partly);
    EXPECT_EQ(messages.texts().last(),
              u"いくつかのファイル・フォルダの処理をスキップしました。"_qs);
    fs.undeletable.clear();
    messages.clear();
    messages.queueAnswer(IDYES);
    EXPECT_EQ(deletes.DeleteFolder(tree.path(u"d/"_qs)),
              QsdDeleteOperations::FolderOutcome::Deleted);
}

TEST_F(OperationsFixture, SymbolicLinksAreNeverFollowed) {
    TempTree outside;
    outside.write(u"precious.txt"_qs, "keep");
    tree.mkdir(u"victim"_qs);
    tree.symlink(outside.root(), u"victim/escape"_qs);
    tree.symlink(tree.path(u"victim"_qs), u"victim/loop"_qs); // links to its own folder
    tree.write(u"victim/plain.txt"_qs, "p");

    // Copy: links are copied as links, the loop ends.
    take(CQSDFileClipboard::Copy, u""_qs, {u"victim"_qs});
    tree.mkdir(u"copy"_qs);
    EXPECT_EQ(ops.PasteAll(clipboard, tree.path(u"copy"_qs), true), rc::SUCCESS);
    EXPECT_TRUE(QFileInfo(tree.path(u"copy/victim/escape"_qs)).isSymLink());
    EXPECT_EQ(QFileInfo(tree.path(u"copy/victim/loop"_qs)).symLinkTarget(),
              QFileInfo(tree.path(u"victim"_qs)).absoluteFilePath());

    // Delete: the links go, what they point at stays.
    EXPECT_EQ(deletes.DeleteTree(tree.path(u"victim"_qs), true), rc::SUCCESS);
    EXPECT_EQ(deletes.DeleteTree(tree.path(u"copy"_qs), true), rc::SUCCESS);
    EXPECT_FALSE(tree.exists(u"victim"_qs));
    EXPECT_EQ(outside.read(u"precious.txt"_qs), "keep");
    EXPECT_TRUE(messages.shown().empty());

    // A link row of the list: the link itself is removed.
    tree.symlink(outside.root(), u"rowlink"_qs);
    messages.queueAnswer(IDYES);
    std::vector<int> removed;
    deletes.DeleteRows(tree.root(), {{u"rowlink"_qs, true, false}},
                       [&](int i) { removed.push_back(i); });
    EXPECT_EQ(removed, std::vector<int>{0});
    EXPECT_EQ(outside.read(u"precious.txt"_qs), "keep");
}

TEST_F(OperationsFixture, NewFolderNumbersAndLimit) {
    // A "%d" in the parent's path is no number.
    tree.mkdir(u"a%d"_qs);
    tree.mkdir(u"a1"_qs);
    EXPECT_EQ(folders.NewFolder(tree.path(u"a%d"_qs)), u"新規フォルダ(1)"_qs);
    EXPECT_TRUE(QFileInfo(tree.path(u"a%d/新規フォルダ(1)"_qs)).isDir());
    EXPECT_TRUE(QDir(tree.path(u"a1"_qs)).isEmpty());
    EXPECT_EQ(folders.NewFolder(tree.root()), u"新規フォルダ(1)"_qs);
    EXPECT_EQ(folders.NewFolder(tree.root()), u"新規フォルダ(2)"_qs);
    EXPECT_TRUE(tree.exists(u"新規フォルダ(2)"_qs));
    for (int n = 3; n < QsdFolderOperations::kNewFolderLimit; ++n)
        fs.phantoms << tree.path(u"新規フォルダ(%1)"_qs.arg(n));
    // The last free number is still used, the 4096th request is refused.
    EXPECT_EQ(folders.NewFolder(tree.root()), u"新規フォルダ(4095)"_qs);
    EXPECT_TRUE(tree.exists(u"新規フォルダ(4095)"_qs));
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(folders.NewFolder(tree.root()), QString());
    EXPECT_EQ(messages.texts(), QStringList{u"これ以上フォルダを作成できません。"_qs});
}

TEST_F(OperationsFixture, RenameFolderRules) {
    tree.mkdir(u"old"_qs);
    tree.mkdir(u"taken"_qs);
    tree.write(u"file"_qs, "");
    QString renamed;
    using R = QsdFolderOperations::RenameOutcome;
    EXPECT_EQ(folders.RenameFolder(tree.path(u"old/"_qs), u"  "_qs, renamed), R::EditAgain);
    EXPECT_EQ(folders.RenameFolder(tree.path(u"old/"_qs), u" old "_qs, renamed), R::Unchanged);
    EXPECT_EQ(folders.RenameFolder(tree.path(u"old/"_qs), u"wh?at"_qs, renamed), R::EditAgain);
    EXPECT_EQ(messages.texts().last(),
              u"ファイル名には次の文字は使えません。\n/ : * ? \" < > |"_qs);
    EXPECT_EQ(folders.RenameFolder(tree.path(u"old/"_qs), u"taken"_qs, renamed), R::EditAgain);
    EXPECT_EQ(messages.texts().last(), u"同一名のフォルダが既に存在します。"_qs);
    EXPECT_EQ(folders.RenameFolder(tree.path(u"old/"_qs), u"file"_qs, renamed), R::EditAgain);
    EXPECT_EQ(messages.texts().last(), u"同一名のファイルが既に存在します。"_qs);
    EXPECT_EQ(folders.RenameFolder(u"/"_qs, u"x"_qs, renamed), R::Failed);
    EXPECT_EQ(folders.RenameFolder(tree.path(u"old/"_qs), u"new "_qs, renamed), R::Renamed);
    EXPECT_EQ(renamed, tree.path(u"new/"_qs));
    EXPECT_TRUE(tree.exists(u"new"_qs));
}
