// Reading and safe writing of text files, the file stamp, and the texts of the
// file information dialog.
#include "TextFileIO.h"
#include "FileInfo.h"
#include "StringTable.h"

#include "TempFiles.h"

#include <QDateTime>

TEST(TextFileRead, ReadsAllBytesAndRefusesWhatIsNoFileOrTooLarge) {
    TempFiles dir;
    const QString path = dir.path("a.txt");
    dir.write(path, QByteArray("abc\0def", 7));
    textfile::ReadResult r = textfile::readAll(path);
    ASSERT_EQ(r.status, textfile::ReadStatus::Ok);
    EXPECT_EQ(r.bytes, QByteArray("abc\0def", 7));

    EXPECT_EQ(textfile::readAll(path, 6).status, textfile::ReadStatus::TooLarge);
    EXPECT_EQ(textfile::readAll(dir.folder()).status, textfile::ReadStatus::OpenFailed);
    EXPECT_EQ(textfile::readAll(dir.path("missing")).status, textfile::ReadStatus::OpenFailed);

    dir.write(path, QByteArray());
    r = textfile::readAll(path);
    EXPECT_EQ(std::pair(r.status, r.bytes), std::pair(textfile::ReadStatus::Ok, QByteArray()));
}

TEST(TextFileStamp, ChangesWithTimeEitherWayAndWithSize) {
    TempFiles dir;
    const QString path = dir.path("a.txt");
    dir.write(path, "12345");
    textfile::FileStamp first;
    ASSERT_TRUE(textfile::readStamp(path, &first));
    EXPECT_EQ(first.size, 5);

    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTimeUtc().addDays(-30),
                              QFileDevice::FileModificationTime));
    f.close();
    textfile::FileStamp older;
    ASSERT_TRUE(textfile::readStamp(path, &older));
    EXPECT_LT(older.time, first.time);
    EXPECT_FALSE(older == first);

    textfile::FileStamp none;
    EXPECT_FALSE(textfile::readStamp(dir.path("missing"), &none));
    EXPECT_EQ(none.time, 0u);
}

TEST(TextFileWrite, SavesThroughASymbolicLinkWhichStaysALink) {
    TempFiles dir;
    const QString target = dir.path("target.txt");
    const QString link = dir.path("link.txt");
    dir.write(target, "before");
    ASSERT_TRUE(QFile::link(target, link));

    EXPECT_EQ(textfile::saveTarget(link), target);
    ASSERT_TRUE(textfile::writeAtomically(link, "after"));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(dir.read(target), QByteArray("after"));
}

// A write that fails part-way keeps the original: DocumentTest.
TEST(TextFileWrite, AFolderInPlaceOfTheFileFails) {
    TempFiles dir;
    QString why;
    EXPECT_FALSE(textfile::writeAtomically(dir.folder(), "x", &why));
    EXPECT_FALSE(why.isEmpty());
}

TEST(FileInfoTexts, CountsSizesAndGroups) {
    EXPECT_EQ(fileinfo::countCharacters(u"\t \r\n"), 0);
    EXPECT_EQ(fileinfo::countCharacters(u"あ\u3000い"), 3); // full-width blanks count
    EXPECT_EQ(fileinfo::groupDigits(0), QStringLiteral("0"));
    EXPECT_EQ(fileinfo::groupDigits(999), QStringLiteral("999"));
    EXPECT_EQ(fileinfo::groupDigits(1000), QStringLiteral("1,000"));
    EXPECT_EQ(fileinfo::groupDigits(1234567), QStringLiteral("1,234,567"));

    const QDateTime local(QDate(2011, 7, 8), QTime(9, 5, 3));
    const auto ms = uint64_t(local.toMSecsSinceEpoch());
    const FILETIME ft = ms * 10000 + 116444736000000000ULL;
    EXPECT_EQ(fileinfo::timeText(ft), QStringLiteral("2011 年 7月 8日 9:05:03"));
}

TEST(FileDialogRequest, FilterIndexFollowsTheExtension) {
    const QString filters = *res::loadString(35045);
    EXPECT_EQ(fileinfo::filterIndexForName("memo.txt", filters, 5), 1);
    EXPECT_EQ(fileinfo::filterIndexForName("page.html", filters, 5), 2);
    EXPECT_EQ(fileinfo::filterIndexForName("system.ini", filters, 5), 3);
    EXPECT_EQ(fileinfo::filterIndexForName("a.b.mcr", filters, 5), 4);
    EXPECT_EQ(fileinfo::filterIndexForName("README", filters, 5), 5);
    // The match is case-sensitive, as it always was.
    EXPECT_EQ(fileinfo::filterIndexForName("MEMO.TXT", filters, 2), 2);
    EXPECT_EQ(fileinfo::filterIndexForName("x.ht", filters, 2), 2);
}

TEST(FileDialogRequest, FlagsFromTheSettings) {
    using fileinfo::DialogMode;
    // The settings' defaults: long delay, single tap, zoom 1, code set, folders.
    EXPECT_EQ(fileinfo::fileSelectFlags(DialogMode::Open, 1, 1, 1, 1, 1),
              0x8000u | 0x1u | 0x8000000u | 0x20u | 0x5000u | 0x210u | 0x10000u);
    EXPECT_EQ(fileinfo::fileSelectFlags(DialogMode::Save, 0, 0, 2, 0, 0),
              0x800000u | 0x5000u | 0x200u | 0x260000u);
    EXPECT_EQ(fileinfo::folderOf("/home/u/memo.txt"), QStringLiteral("/home/u/"));
    EXPECT_EQ(fileinfo::folderOf("memo.txt"), QStringLiteral("memo.txt"));
    EXPECT_EQ(fileinfo::nameOf("/home/u/memo.txt"), QStringLiteral("memo.txt"));
}
