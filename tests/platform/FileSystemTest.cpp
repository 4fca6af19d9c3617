#include "FakeFileSystem.h"
#include "FifoWatchdog.h"
#include "FilePath.h"
#include "PosixFileSystem.h"
#include "TempFiles.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace fa;
constexpr auto Fail = FileSystem::IfExists::Fail;
constexpr auto Replace = FileSystem::IfExists::Replace;

namespace {

class FileSystemTest : public ::testing::Test {
  protected:
    QString path(const QString& name) const { return files.path(name); }
    QString write(const QString& name, const QByteArray& bytes, mode_t mode = 0644) {
        const QString p = files.write(name, bytes);
        ::chmod(QFile::encodeName(p).constData(), mode);
        return p;
    }
    QByteArray read(const QString& p) const { return files.read(p); }

    TempFiles files;
    PosixFileSystem fs;
};

// The call failed and left this error number.
::testing::AssertionResult failed(const FileSystem& fs, bool ok, int error) {
    if (!ok && fs.lastError() == error)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << (ok ? "succeeded" : "failed") << ", error "
                                         << fs.lastError() << " instead of " << error;
}

} // namespace

TEST_F(FileSystemTest, AttributesFromTypeNameAndPermissions) {
    const QString file = write("a.txt", "x");
    EXPECT_EQ(fs.getFileAttributes(file), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(fs.getFileAttributes(files.folder()) & FILE_ATTRIBUTE_DIRECTORY,
              FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(fs.getFileAttributes(write(".profile", "x")), FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(fs.getFileAttributes(write("ro.txt", "x", 0444)), FILE_ATTRIBUTE_READONLY);
    // Others' write permission does not make a file writable for its owner.
    EXPECT_EQ(fs.getFileAttributes(write("gw.txt", "x", 0464)), FILE_ATTRIBUTE_READONLY);

    EXPECT_EQ(fs.getFileAttributes(path("missing")), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(fs.lastError(), ENOENT);
}

TEST_F(FileSystemTest, ReadOnlyClearsEveryWriteBitAndGivesTheOwnersBack) {
    const QString file = write("a.txt", "x", 0666);
    ASSERT_TRUE(fs.setAttributes(file, FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(permissionsOf(file), mode_t(0444));
    EXPECT_EQ(fs.getFileAttributes(file), FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(fs.setAttributes(file, FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(permissionsOf(file), mode_t(0644));
    EXPECT_EQ(fs.lastError(), 0);

    // A hidden name stays hidden; asking otherwise fails and changes nothing.
    const QString dot = write(".rc", "x", 0644);
    EXPECT_TRUE(failed(fs, fs.setAttributes(dot, FILE_ATTRIBUTE_READONLY), EINVAL));
    EXPECT_EQ(permissionsOf(dot), mode_t(0644));
    EXPECT_TRUE(fs.setAttributes(dot, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(permissionsOf(dot), mode_t(0444));

    EXPECT_TRUE(failed(fs, fs.setAttributes(path("missing"), FILE_ATTRIBUTE_NORMAL), ENOENT));
}

TEST_F(FileSystemTest, StoredAttributesLiveInAnExtendedAttributeOrFailCleanly) {
    const QString file = write("a.txt", "x", 0444);
    const bool ok = fs.setAttributes(file, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE |
                                               FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN);
    if (ok) {
        EXPECT_EQ(fs.getFileAttributes(file), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE |
                                                  FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN);
        EXPECT_EQ(permissionsOf(file), mode_t(0444));
        char value[32] = {};
        const ssize_t n = ::getxattr(QFile::encodeName(file).constData(), "user.tavlo.attributes",
                                     value, sizeof value);
        EXPECT_EQ(QByteArray(value, int(std::max<ssize_t>(n, 0))), QByteArray("38")); // 0x26
        ASSERT_TRUE(fs.setAttributes(file, FILE_ATTRIBUTE_TEMPORARY));
        EXPECT_EQ(fs.getFileAttributes(file), FILE_ATTRIBUTE_TEMPORARY);
        EXPECT_EQ(permissionsOf(file), mode_t(0644));
        ASSERT_TRUE(fs.setAttributes(file, FILE_ATTRIBUTE_NORMAL));
        EXPECT_EQ(::getxattr(QFile::encodeName(file).constData(), "user.tavlo.attributes", value,
                             sizeof value),
                  -1);
    } else {
        // No extended attributes here: the change fails as a whole.
        EXPECT_EQ(fs.lastError(), ENOTSUP);
        EXPECT_EQ(fs.getFileAttributes(file), FILE_ATTRIBUTE_READONLY);
        EXPECT_EQ(permissionsOf(file), mode_t(0444));
    }
}

TEST_F(FileSystemTest, FileTimeAndLargeSizes) {
    const QString file = write("t.txt", "abc");
    // 2020-01-02 03:04:05.123456789 UTC
    const struct timespec times[2] = {{1577934245, 123456789}, {1577934245, 123456789}};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(file).constData(), times, 0), 0);
    EXPECT_EQ(fs.statTarget(file)->lastWriteTime,
              (1577934245ull + 11644473600ull) * 10000000ull + 1234567ull);
    EXPECT_EQ(filetime::fromUnix(-11644473600LL, 0), 0u);

    const QString big = write("big.bin", "");
    ASSERT_EQ(::truncate(QFile::encodeName(big).constData(), 5LL << 30), 0);
    const auto info = fs.statTarget(big);
    ASSERT_TRUE(info);
    EXPECT_EQ(std::tuple(info->name, info->size, info->isRegular),
              std::tuple(u"big.bin"_qs, 5ull << 30, true));
}

TEST_F(FileSystemTest, FindListsEntriesWithoutFollowingLinks) {
    write("b.TXT", "12345");
    write("c.log", "");
    ASSERT_TRUE(QDir(files.folder()).mkdir("sub"));
    ASSERT_TRUE(QFile::link(path("sub"), path("link")));

    std::vector<FindData> entries;
    ASSERT_TRUE(fs.list(files.folder(), entries));
    // Name, size (a link's is its target's length), attributes: 0x80 normal,
    // 0x10 folder, 0x400 link.
    QStringList seen;
    for (const FindData& d : entries)
        seen << d.name + (d.isSymLink ? u" link"_qs : u' ' + QString::number(d.size)) + u' ' +
                    QString::number(d.attributes, 16);
    seen.sort();
    EXPECT_EQ(seen, QStringList({"b.TXT 5 80", "c.log 0 80", "link link 400", "sub 0 10"}));
    EXPECT_FALSE(fs.stat(path("link"))->isFolder());

    entries.clear();
    EXPECT_TRUE(failed(fs, fs.list(path("missing"), entries), ENOENT));
    EXPECT_TRUE(failed(fs, fs.list(path("c.log"), entries), ENOTDIR));
    EXPECT_TRUE(entries.empty());
}

TEST_F(FileSystemTest, CopyKeepsBytesPermissionsAndTimeAndNeverHalfReplaces) {
    const QByteArray bytes("line1\r\nline2\0tail", 17);
    const QString src = write("src.txt", bytes, 0640);
    const struct timespec times[2] = {{1000000000, 0}, {1000000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(src).constData(), times, 0), 0);

    ASSERT_TRUE(fs.copyFile(src, path("dst.txt"), Fail));
    EXPECT_EQ(read(path("dst.txt")), bytes);
    EXPECT_EQ(permissionsOf(path("dst.txt")), mode_t(0640));
    EXPECT_EQ(fs.stat(src)->lastWriteTime, fs.stat(path("dst.txt"))->lastWriteTime);

    const QString other = write("other.txt", "old");
    EXPECT_TRUE(failed(fs, fs.copyFile(src, other, Fail), EEXIST));
    EXPECT_EQ(read(other), QByteArray("old"));
    ASSERT_TRUE(fs.copyFile(src, other, Replace));
    EXPECT_EQ(read(other), bytes);

    const QString readOnly = write("ro.txt", "keep", 0444);
    EXPECT_TRUE(failed(fs, fs.copyFile(src, readOnly, Replace), EACCES));
    EXPECT_EQ(read(readOnly), QByteArray("keep"));
    ASSERT_TRUE(fs.setAttributes(readOnly, FILE_ATTRIBUTE_NORMAL));
    ASSERT_TRUE(fs.copyFile(src, readOnly, Replace));
    EXPECT_EQ(read(readOnly), bytes);
    EXPECT_EQ(permissionsOf(readOnly), mode_t(0640));

    EXPECT_FALSE(fs.copyFile(src, src, Replace));
    EXPECT_EQ(read(src), bytes);
    ASSERT_TRUE(QDir(files.folder()).mkdir("folder"));
    EXPECT_TRUE(failed(fs, fs.copyFile(src, path("folder"), Replace), EISDIR));
    EXPECT_TRUE(failed(fs, fs.copyFile(path("folder"), path("x"), Replace), EISDIR));
    EXPECT_TRUE(failed(fs, fs.copyFile(path("missing"), path("x"), Replace), ENOENT));
    // No temporary files are left behind.
    EXPECT_EQ(QDir(files.folder()).entryList(QDir::Files).size(), 4);
}

TEST_F(FileSystemTest, MoveRenamesRefusesToReplaceAndAcrossFileSystemsCopiesThenDeletes) {
    const QString src = write("r.txt", "R");
    const QString taken = write("b.txt", "B");
    EXPECT_TRUE(failed(fs, fs.moveFile(src, taken), EEXIST));
    EXPECT_EQ(read(taken), QByteArray("B"));
    ASSERT_TRUE(fs.moveFile(src, path("c.txt")));
    EXPECT_FALSE(QFile::exists(src));
    EXPECT_EQ(read(path("c.txt")), QByteArray("R"));

    FakeFileSystem xfs;
    xfs.crossDevice = true;
    const QString file = write("a.txt", "data", 0600);
    ASSERT_TRUE(xfs.moveFile(file, path("moved.txt")));
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_EQ(read(path("moved.txt")), QByteArray("data"));
    EXPECT_EQ(permissionsOf(path("moved.txt")), mode_t(0600));

    // A tree with a link to something outside: the link moves as a link and
    // what it points to is left alone.
    const QString outside = write("outside.txt", "keep");
    QDir(files.folder()).mkpath("tree/inner");
    write("tree/inner/f.txt", "f");
    ASSERT_TRUE(QFile::link(outside, path("tree/inner/ln")));
    ASSERT_TRUE(xfs.moveFile(path("tree"), path("tree2")));
    EXPECT_FALSE(QFile::exists(path("tree")));
    EXPECT_EQ(read(path("tree2/inner/f.txt")), QByteArray("f"));
    EXPECT_EQ(QFileInfo(path("tree2/inner/ln")).symLinkTarget(), outside);
    EXPECT_EQ(read(outside), QByteArray("keep"));

    // A copy that can't finish leaves the source and no partial destination.
    ASSERT_TRUE(QDir(files.folder()).mkdir("fifo-tree"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("fifo-tree/pipe")).constData(), 0600), 0);
    EXPECT_TRUE(failed(xfs, xfs.moveFile(path("fifo-tree"), path("fifo-tree2")), ENOTSUP));
    EXPECT_TRUE(QFileInfo::exists(path("fifo-tree/pipe")));
    EXPECT_FALSE(QFileInfo::exists(path("fifo-tree2")));
}

TEST_F(FileSystemTest, DeleteAndFolders) {
    ASSERT_TRUE(fs.createDirectory(path("d")));
    EXPECT_TRUE(failed(fs, fs.createDirectory(path("d")), EEXIST));
    write("d/f", "x");
    EXPECT_TRUE(failed(fs, fs.removeDirectory(path("d")), ENOTEMPTY));
    EXPECT_TRUE(failed(fs, fs.deleteFile(path("d")), EISDIR));
    EXPECT_TRUE(failed(fs, fs.removeDirectory(path("d/f")), ENOTDIR));
    ASSERT_TRUE(fs.deleteFile(path("d/f")));
    ASSERT_TRUE(fs.removeDirectory(path("d")));
    EXPECT_FALSE(fs.exists(path("d")));

    // A read-only file stays until its attribute is cleared.
    const QString readOnly = write("ro", "r", 0444);
    EXPECT_TRUE(failed(fs, fs.deleteFile(readOnly), EACCES));
    ASSERT_TRUE(fs.setAttributes(readOnly, FILE_ATTRIBUTE_NORMAL));
    EXPECT_TRUE(fs.deleteFile(readOnly));

    // Deleting a link deletes the link only.
    const QString target = write("target", "t");
    ASSERT_TRUE(QFile::link(target, path("ln")));
    ASSERT_TRUE(fs.deleteFile(path("ln")));
    EXPECT_EQ(read(target), QByteArray("t"));
    EXPECT_TRUE(failed(fs, fs.deleteFile(path("ln")), ENOENT));
}

TEST_F(FileSystemTest, CanonicalPaths) {
    write("a.txt", "x");
    ASSERT_TRUE(QDir(files.folder()).mkdir("sub"));
    const QString canonicalDir = QFileInfo(files.folder()).canonicalFilePath();
    EXPECT_EQ(filepath::canonicalPath(path("sub/../a.txt")), canonicalDir + "/a.txt");
    EXPECT_EQ(filepath::canonicalPath(path("sub/new/x.txt")), canonicalDir + "/sub/new/x.txt");
    EXPECT_EQ(filepath::canonicalPath(QStringLiteral("/")), QStringLiteral("/"));
    EXPECT_EQ(filepath::canonicalPath(QString()), QString());
}

TEST_F(FileSystemTest, EditorPathsMapToThisPlatform) {
    const QString docs = filepath::myDocumentsPath();
    EXPECT_TRUE(QFileInfo(docs).isDir());
    EXPECT_FALSE(docs.endsWith('/') && docs.size() > 1);
    EXPECT_EQ(filepath::toNativePath(QStringLiteral("\\My Documents\\")), docs + "/");
    EXPECT_EQ(filepath::toNativePath(QStringLiteral("\\my documents\\a\\b.mcr")),
              docs + "/a/b.mcr");
    EXPECT_EQ(filepath::toNativePath(QStringLiteral("\\My Documents2\\x")),
              QStringLiteral("/My Documents2/x"));
    EXPECT_EQ(filepath::toNativePath(QStringLiteral("/home/u/a.txt")),
              QStringLiteral("/home/u/a.txt"));
}

TEST_F(FileSystemTest, SpecialFilesAreListedButNeverOpenedAndReadHeadReadsAtMostTheAskedBytes) {
    FifoWatchdog fifo(QFile::encodeName(path("pipe.lnk")));
    ASSERT_TRUE(fifo.made());
    std::vector<FindData> entries;
    ASSERT_TRUE(fs.list(files.folder(), entries));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_FALSE(entries[0].isRegular || entries[0].isFolder());

    EXPECT_TRUE(failed(fs, bool(fs.readHead(path("pipe.lnk"), 780)), EINVAL));
    EXPECT_TRUE(failed(fs, fs.copyFile(path("pipe.lnk"), path("copy"), Replace), EINVAL));
    EXPECT_FALSE(QFileInfo::exists(path("copy")));
    EXPECT_LT(fifo.elapsedMs(), 1000);
    EXPECT_TRUE(fs.deleteFile(path("pipe.lnk")));

    write("a.txt", "0123456789");
    EXPECT_EQ(fs.readHead(path("a.txt"), 4), QByteArray("0123"));
    EXPECT_EQ(fs.readHead(path("a.txt"), 100), QByteArray("0123456789"));
    EXPECT_TRUE(failed(fs, bool(fs.readHead(files.folder(), 4)), EISDIR));
}
