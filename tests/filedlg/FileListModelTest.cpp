#include "FifoWatchdog.h"
#include "FiledlgTestUtil.h"
#include "QsdFileListModel.h"

#include <QDateTime>

namespace {

QStringList names(const QsdFileListModel& m) {
    QStringList out;
    for (int i = 0; i < m.rowCount(); ++i)
        out << m.entry(i)->data.name;
    return out;
}

FindData file(const QString& name, uint64_t size, uint32_t attributes = fa::FILE_ATTRIBUTE_NORMAL) {
    FindData d;
    d.name = name;
    d.size = size;
    d.attributes = attributes;
    return d;
}

FindData folder(const QString& name) {
    return file(name, 0, fa::FILE_ATTRIBUTE_DIRECTORY);
}

// The rows of the names as "<display name> <icon class>", followed by the
// marks " folder", " shortcut" and " to folder" that apply.
QStringList describe(const QsdFileListModel& m, const QStringList& rowNames) {
    QStringList out;
    for (const QString& n : rowNames) {
        const QsdFileEntry* e = m.entry(m.rowOfName(n));
        out << (e ? e->displayName + u' ' + QString::number(e->iconClass) +
                        (e->isFolder() ? u" folder"_qs : QString()) +
                        (e->isShortcut ? u" shortcut"_qs : QString()) +
                        (e->shortcutToFolder ? u" to folder"_qs : QString())
                  : n + u" missing"_qs);
    }
    return out;
}

struct ModelFixture : DialogServices {
    QsdFileListModel model{fileSystem, clock};
    void SetUp() override {
        model.setOptionBits(qsd::SHOW_FOLDERS);
        model.fillExtensionTables();
    }
};

} // namespace

TEST(QsdFileListCompare, FoldersStayFirstAndTheTypeKeyPutsNamesWithoutExtensionFirst) {
    QsdFileEntry up, dir, small, big;
    up.data = folder(u".."_qs);
    dir.data = folder(u"zeta"_qs);
    small.data = file(u"b.txt"_qs, 0xFFFFFFFFull);
    big.data = file(u"a.txt"_qs, 0x100000000ull); // beyond 32 bits
    for (bool asc : {true, false}) {
        for (int key = 0; key < 4; ++key) {
            EXPECT_LT(QsdFileListModel::compare(&up, &dir, key, asc), 0);
            EXPECT_GT(QsdFileListModel::compare(&dir, &up, key, asc), 0);
            EXPECT_LT(QsdFileListModel::compare(&dir, &big, key, asc), 0);
            EXPECT_GT(QsdFileListModel::compare(&small, &dir, key, asc), 0);
        }
    }
    EXPECT_LT(QsdFileListModel::compare(&small, &big, qsd::SORT_SIZE, true), 0);
    EXPECT_GT(QsdFileListModel::compare(&small, &big, qsd::SORT_SIZE, false), 0);
    EXPECT_LT(QsdFileListModel::compare(nullptr, &big, qsd::SORT_NAME, true), 0);
    EXPECT_GT(QsdFileListModel::compare(nullptr, &big, qsd::SORT_NAME, false), 0);

    QsdFileEntry readme, upper, lower;
    readme.data = file(u"README"_qs, 1);
    upper.data = file(u"a.TXT"_qs, 1);
    lower.data = file(u"b.txt"_qs, 1);
    EXPECT_LT(QsdFileListModel::compare(&readme, &upper, qsd::SORT_TYPE, true), 0);
    EXPECT_GT(QsdFileListModel::compare(&readme, &upper, qsd::SORT_TYPE, false), 0);
    // Equal extensions fall through to the name.
    EXPECT_LT(QsdFileListModel::compare(&upper, &lower, qsd::SORT_TYPE, true), 0);
    EXPECT_GT(QsdFileListModel::compare(&upper, &lower, qsd::SORT_TYPE, false), 0);
    QsdFileEntry other = readme;
    other.data.name = u"Makefile"_qs;
    EXPECT_EQ(QsdFileListModel::compare(&readme, &other, qsd::SORT_TYPE, true), 0);
}

TEST_F(ModelFixture, RefillListsParentFoldersThenFilesAndSortsBothWays) {
    tree.mkdir(u"sub"_qs);
    tree.write(u"big.txt"_qs, QByteArray(3000, 'x'));
    tree.write(u"Alpha.txt"_qs, "a");
    tree.write(u"README"_qs, "r");
    model.setFolder(tree.root());
    ASSERT_EQ(model.Refill(), rc::SUCCESS);
    EXPECT_EQ(names(model),
              (QStringList{u".."_qs, u"sub"_qs, u"Alpha.txt"_qs, u"big.txt"_qs, u"README"_qs}));
    model.SetSortKey(qsd::SORT_SIZE, false);
    model.SortByColumn(1); // same key, ascending: becomes descending
    EXPECT_FALSE(model.ascending());
    EXPECT_EQ(names(model),
              (QStringList{u".."_qs, u"sub"_qs, u"big.txt"_qs, u"README"_qs, u"Alpha.txt"_qs}));
    model.SortByColumn(1);
    EXPECT_TRUE(model.ascending());
    model.SortByColumn(0); // another key always starts ascending
    EXPECT_EQ(model.sortKey(), qsd::SORT_NAME);
    EXPECT_TRUE(model.ascending());
}

TEST_F(ModelFixture, RootHasNoParentRowAndHiddenFoldersOption) {
    model.setFolder(u"/"_qs);
    model.Refill();
    ASSERT_GT(model.rowCount(), 0);
    EXPECT_NE(model.entry(0)->data.name, u".."_qs);
    EXPECT_EQ(QsdFileListModel::parentFolder(u"/usr/"_qs), u"/"_qs);
    EXPECT_EQ(QsdFileListModel::parentFolder(u"/usr/share/"_qs), u"/usr/"_qs);

    tree.mkdir(u"sub"_qs);
    tree.write(u"a.txt"_qs, "a");
    model.setOptionBits(0);
    model.setFolder(tree.root());
    model.Refill();
    EXPECT_EQ(names(model), QStringList{u"a.txt"_qs});
}

TEST_F(ModelFixture, FilterFromPatternAndFilterTest) {
    model.SetFilter(u"*.txt;*.htm"_qs);
    EXPECT_EQ(model.filter(), (QStringList{u".txt"_qs, u".htm"_qs}));
    EXPECT_TRUE(model.passesFilter(u"A.TXT"_qs));
    EXPECT_FALSE(model.passesFilter(u"README"_qs));
    EXPECT_FALSE(model.passesFilter(u"x.lnk"_qs));
    model.SetFilter(u"*.txt;*.*"_qs);
    EXPECT_TRUE(model.filter().isEmpty());
    model.SetFilter(QString());
    EXPECT_TRUE(model.filter().isEmpty());

    tree.write(u"README"_qs, "r");
    tree.write(u"a.txt"_qs, "a");
    model.setOptionBits(0);
    model.setFolder(tree.root());
    model.SetFilter(u"*.txt"_qs);
    model.Refill();
    EXPECT_EQ(names(model), QStringList{u"a.txt"_qs});
    model.SetFilter(u"*.*"_qs);
    model.Refill();
    EXPECT_EQ(names(model), (QStringList{u"a.txt"_qs, u"README"_qs}));
}

TEST_F(ModelFixture, FillFromPatternIgnoresFilterAndMatchesWildcards) {
    tree.write(u"a.ini"_qs, "1");
    tree.write(u"B.INI"_qs, "2");
    tree.write(u"c.txt"_qs, "3");
    model.setOptionBits(0);
    model.SetFilter(u"*.txt"_qs);
    EXPECT_EQ(model.FillFromPattern(QString()), rc::NO_PATTERN);
    ASSERT_EQ(model.FillFromPattern(tree.path(u"*.ini"_qs)), rc::SUCCESS);
    EXPECT_EQ(names(model), (QStringList{u"a.ini"_qs, u"B.INI"_qs}));
    model.FillFromPattern(tree.path(u"?.t*"_qs));
    EXPECT_EQ(names(model), QStringList{u"c.txt"_qs});
}

// The icon class follows the extension in any case; unknown ones are plain.
TEST_F(ModelFixture, IconClassesDisplayNamesAndOptionBits) {
    tree.write(u"memo.TXT"_qs, "");
    tree.write(u"pic.jpeg"_qs, "");
    tree.write(u"noext"_qs, "");
    model.setFolder(tree.root());
    model.Refill();
    const QStringList rows{u"memo.TXT"_qs, u"pic.jpeg"_qs, u"noext"_qs, u".."_qs};
    EXPECT_EQ(describe(model, rows),
              (QStringList{u"memo.TXT 0"_qs, u"pic.jpeg 4"_qs, u"noext 12"_qs, u".. 2 folder"_qs}));
    model.setOptionBits(qsd::PLAIN_ICONS | qsd::HIDE_EXTENSIONS);
    model.Refill();
    EXPECT_EQ(describe(model, {u"memo.TXT"_qs}), QStringList{u"memo 12"_qs});
}

TEST(QsdFileListTexts, SizeAndTimeTexts) {
    QStringList sizes;
    for (uint64_t s : {0ull, 1024ull, 1025ull, 1048576ull, 1048577ull, 5ull << 30})
        sizes << QsdFileListModel::sizeText(file(u"f"_qs, s));
    // The last is not the low word's 0.
    EXPECT_EQ(sizes, (QStringList{u"0 "_qs, u"1024 "_qs, u"2K"_qs, u"1025K"_qs, u"1.00M"_qs,
                                  u"5120.00M"_qs}));
    EXPECT_EQ(QsdFileListModel::sizeText(folder(u"d"_qs)), QString());

    const auto ft = [](const QDateTime& t) { return filetime::fromUnix(t.toSecsSinceEpoch(), 0); };
    const QDateTime now(QDate(2026, 12, 6), QTime(14, 7, 9));
    EXPECT_EQ(QsdFileListModel::timeText(ft(now), now.date()), u"14:07"_qs);
    const QDateTime march(QDate(2009, 3, 5), QTime(23, 59));
    EXPECT_EQ(QsdFileListModel::timeText(ft(march), now.date()), u"09/03/05"_qs);
    EXPECT_EQ(QsdFileListModel::timeText(0, now.date()), QString());
}

TEST_F(ModelFixture, LnkShortcutsResolveToProgramsAndFolders) {
    tree.mkdir(u"Windows"_qs);
    tree.write(u"Windows/calc.exe"_qs, "MZ");
    tree.mkdir(u"docs"_qs);
    tree.write(u"calc.lnk"_qs, "18#calc.exe\r\nignored");
    tree.write(u"docs.LNK"_qs, "12#\"" + tree.path(u"docs"_qs).toUtf8() + "\"");
    tree.write(u"broken.lnk"_qs, "no hash here");
    tree.write(u"gone.lnk"_qs, "5#/no/such/file.txt");
    tree.write(u"relative.lnk"_qs, "5#notes.txt");
    model.shortcutReader().setProgramFolders({tree.path(u"Windows/"_qs)});
    model.setFolder(tree.root());
    model.Refill();

    EXPECT_EQ(describe(model, {u"calc.lnk"_qs, u"docs.LNK"_qs, u"broken.lnk"_qs, u"gone.lnk"_qs,
                               u"relative.lnk"_qs}),
              (QStringList{u"calc 11 shortcut"_qs, u"docs 3 shortcut to folder"_qs,
                           u"broken.lnk 12"_qs, u"gone.lnk 12"_qs, u"relative.lnk 12"_qs}));
    EXPECT_EQ(model.entry(model.rowOfName(u"calc.lnk"_qs))->shortcutTarget,
              tree.path(u"Windows/calc.exe"_qs));

    // A folder shortcut is still listed as a folder when a filter is set.
    model.SetFilter(u"*.txt"_qs);
    model.Refill();
    EXPECT_GE(model.rowOfName(u"docs.LNK"_qs), 0);
    EXPECT_LT(model.rowOfName(u"calc.lnk"_qs), 0);
}

TEST_F(ModelFixture, AFifoNamedLikeAShortcutIsListedWithoutBeingOpened) {
    tree.write(u"a.txt"_qs, "a");
    FifoWatchdog fifo(QFile::encodeName(tree.path(u"pipe.lnk"_qs)));
    ASSERT_TRUE(fifo.made());
    model.setFolder(tree.root());
    model.Refill();
    EXPECT_LT(fifo.elapsedMs(), 1000);
    EXPECT_EQ(describe(model, {u"pipe.lnk"_qs, u"a.txt"_qs}),
              (QStringList{u"pipe.lnk 12"_qs, u"a.txt 0"_qs}));
}

TEST_F(ModelFixture, LnkReaderKeepsUnmatchedQuoteAndReadsAtMost780Bytes) {
    tree.write(u"a.txt"_qs, "x");
    QsdShortcutReader reader(fileSystem);
    tree.write(u"q.lnk"_qs, "3#\"" + tree.path(u"a.txt"_qs).toUtf8());
    EXPECT_FALSE(reader.readLnk(tree.path(u"q.lnk"_qs)).valid());
    tree.write(u"long.lnk"_qs, QByteArray(779, '1') + "#" + tree.path(u"a.txt"_qs).toUtf8());
    EXPECT_FALSE(reader.readLnk(tree.path(u"long.lnk"_qs)).valid());
    tree.write(u"ok.lnk"_qs, "3#" + tree.path(u"a.txt"_qs).toUtf8());
    EXPECT_EQ(reader.readLnk(tree.path(u"ok.lnk"_qs)).path, tree.path(u"a.txt"_qs));
    // The device's separator in a stored target reads as ours.
    QString devicePath = tree.path(u"a.txt"_qs);
    devicePath.replace(u'/', u'\\');
    tree.write(u"dev.lnk"_qs, "3#" + devicePath.toUtf8() + "\r\n");
    EXPECT_EQ(reader.readLnk(tree.path(u"dev.lnk"_qs)).path, tree.path(u"a.txt"_qs));
}

TEST_F(ModelFixture, SymbolicLinksAreShortcutsAndNotFolders) {
    tree.mkdir(u"real"_qs);
    tree.write(u"pic.png"_qs, "");
    tree.symlink(tree.path(u"real"_qs), u"linkdir"_qs);
    tree.symlink(tree.path(u"pic.png"_qs), u"piclink"_qs);
    tree.symlink(tree.path(u"missing"_qs), u"dangling"_qs);
    model.setFolder(tree.root());
    model.Refill();
    EXPECT_EQ(describe(model, {u"linkdir"_qs, u"piclink"_qs, u"dangling"_qs}),
              (QStringList{u"linkdir 3 shortcut to folder"_qs, u"piclink 5 shortcut"_qs,
                           u"dangling 12"_qs}));
}

TEST_F(ModelFixture, RefreshNameReplacesOrInsertsRows) {
    tree.write(u"a.txt"_qs, "1");
    model.setOptionBits(0);
    model.setFolder(tree.root());
    model.Refill();
    tree.write(u"a.txt"_qs, "12345");
    tree.write(u"b.txt"_qs, "1");
    model.refreshName(u"a.txt"_qs);
    model.refreshName(u"b.txt"_qs);
    EXPECT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.entry(model.rowOfName(u"a.txt"_qs))->data.size, 5u);
}
