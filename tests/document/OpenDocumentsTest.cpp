// The open-documents key and the recent-file list on a temporary registry.
#include "OpenDocuments.h"
#include "CommandIds.h"
#include "OtherProcess.h"
#include "RecentFileList.h"
#include "TempProfile.h"
#include "TestBytes.h"

#include <gtest/gtest.h>

using testbytes::utf16z;

const QString kOpenDocs = kAppKey + QStringLiteral("\\OpenDocs");

TEST(OpenDocuments, RegistersUnderTheProcessIdAndUnregisters) {
    TempProfile p;
    OpenDocuments docs(p.registry(), p.store().applicationKeyPath(), 4242,
                       [](qint64) { return true; });
    qint64 own = 0;
    docs.RegisterOpenDocument(QStringLiteral("/home/u/memo.txt"), &own);
    EXPECT_EQ(own, 4242);
    uint32_t type = 0;
    EXPECT_EQ(p.rawValue(kOpenDocs, QStringLiteral("4242"), &type), utf16z("/home/u/memo.txt"));
    EXPECT_EQ(type, reg::REG_SZ);

    // Its own value is no other instance.
    EXPECT_FALSE(docs.IsOpenElsewhere(QStringLiteral("/home/u/memo.txt"), &own));
    EXPECT_TRUE(docs.UnregisterOpenDocument(own));
    EXPECT_EQ(p.keyContents(kOpenDocs), QStringList());
    EXPECT_TRUE(docs.UnregisterOpenDocument(0));
}

TEST(OpenDocuments, AnotherLiveProcessIsFoundStaleAndMalformedValuesGo) {
    TempProfile p;
    const QString path = p.folder() + QStringLiteral("/shared.txt");
    OtherProcess other;
    p.setRaw(kOpenDocs, QStringLiteral("999999991"), reg::REG_SZ, utf16z("/a"));
    p.setRaw(kOpenDocs, QStringLiteral("not a number"), reg::REG_SZ, utf16z("/b"));
    p.setRaw(kOpenDocs, QString::number(other.pid()), reg::REG_SZ, utf16z(path));

    OpenDocuments docs(p.registry(), p.store().applicationKeyPath(), ::getpid());
    qint64 own = 0;
    EXPECT_TRUE(docs.IsOpenElsewhere(path, &own));
    EXPECT_EQ(own, qint64(::getpid()));
    // The same file by another spelling of its path.
    EXPECT_TRUE(docs.IsOpenElsewhere(p.folder() + QStringLiteral("/./shared.txt"), &own));
    EXPECT_FALSE(docs.IsOpenElsewhere(p.folder() + QStringLiteral("/other.txt"), &own));
    EXPECT_EQ(p.keyContents(kOpenDocs), QStringList{QString::number(other.pid())});

    other.end();
    EXPECT_FALSE(docs.IsOpenElsewhere(path, &own));
    EXPECT_EQ(p.keyContents(kOpenDocs), QStringList()) << "the stale value stayed";
}

TEST(RecentFileList, AddAndOpeningAnEntryMoveItToTheTopAndTheListDropsWhatIsPastItsSize) {
    TempProfile s;
    RecentFileList list(s.store(), 3);
    for (const char* p : {"/a", "/b", "/c", "/d"})
        list.Add(QString::fromLatin1(p));
    EXPECT_EQ(list.entries(), (QStringList{"/d", "/c", "/b"}));
    list.Add(QStringLiteral("/b"));
    EXPECT_EQ(list.entries(), (QStringList{"/b", "/d", "/c"}));
    list.Remove(1);
    EXPECT_EQ(list.entries(), (QStringList{"/b", "/c"}));

    // An entry that can't be opened leaves the list.
    list.Add(QStringLiteral("/top"));
    QStringList opened;
    list.setOpener([&](const QString& p) -> std::optional<bool> {
        opened << p;
        return p != QStringLiteral("/c");
    });
    EXPECT_TRUE(list.onCommand(cmd::ID_FILE_MRU_FILE1 + 1));
    EXPECT_EQ(list.entries(), (QStringList{"/b", "/top", "/c"}));
    list.onCommand(cmd::ID_FILE_MRU_FILE1 + 2);
    EXPECT_EQ(list.entries(), (QStringList{"/b", "/top"}));
    EXPECT_EQ(opened, (QStringList{"/b", "/c"}));

    // Without a view nothing happens.
    list.setOpener([](const QString&) { return std::nullopt; });
    list.onCommand(cmd::ID_FILE_MRU_FILE1 + 1);
    EXPECT_EQ(list.entries(), (QStringList{"/b", "/top"}));
}

TEST(RecentFileList, SurvivesARestart) {
    TempProfile s;
    {
        RecentFileList list(s.store(), 3);
        list.ReadList();
        list.Add(QStringLiteral("/home/u/one.txt"));
        list.Add(QStringLiteral("/home/u/two.txt"));
        list.WriteList();
    }
    EXPECT_EQ((QStringList{s.store().GetProfileString("NotepatMRUList", "File1", {}),
                           s.store().GetProfileString("NotepatMRUList", "File2", {})}),
              (QStringList{"/home/u/two.txt", "/home/u/one.txt"}));
    RecentFileList again(s.store(), 3);
    again.ReadList();
    EXPECT_EQ(again.entries(), (QStringList{"/home/u/two.txt", "/home/u/one.txt"}));

    // A smaller list writes no entries beyond its size.
    RecentFileList smaller(s.store(), 1);
    smaller.ReadList();
    smaller.WriteList();
    EXPECT_TRUE(s.store().GetProfileString("NotepatMRUList", "File2", {}).isEmpty());
}

TEST(RecentFileList, MenuTextsAreNumberedAndAbbreviated) {
    TempProfile s;
    RecentFileList list(s.store(), 3);
    EXPECT_TRUE(list.menuItems().empty());
    list.Add(QStringLiteral("/home/user/documents/projects/tavlo/notes/today.txt"));
    list.Add(QStringLiteral("/tmp/R&D.txt"));
    QStringList items;
    for (const auto& item : list.menuItems())
        items << QString::number(item.id - cmd::ID_FILE_MRU_FILE1) + u' ' + item.text;
    EXPECT_EQ(items, (QStringList{u"0 &1 /tmp/R&&D.txt"_qs, u"1 &2 /home/.../notes/today.txt"_qs}));

    for (const QString& path :
         {QStringLiteral("/a/b/c/d/e/f/g/h/i/j/k/l/m/n/o/p.txt"),
          QStringLiteral("/very/long/folder/name/with/a_really_long_file_name_here.txt"),
          QStringLiteral("relative/path/that/is/quite/long/too/x.txt")}) {
        const QString shortened = RecentFileList::abbreviate(path);
        EXPECT_LE(shortened.size(), 30) << shortened.toStdString();
        EXPECT_FALSE(shortened.isEmpty());
    }
    EXPECT_EQ(RecentFileList::abbreviate(QStringLiteral("/short.txt")),
              QStringLiteral("/short.txt"));
}
