// A save keeps what the old file carried: owner, group, permissions,
// extended attributes and access lists, and its hard links.
#include "SafeSave.h"
#include "TempFiles.h"
#include "TextFileIO.h"

#include <cstring>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

QByteArray attribute(const QByteArray& path, const char* name) {
    char value[256];
    const ssize_t n = ::getxattr(path.constData(), name, value, sizeof value);
    return n < 0 ? QByteArray("(none)") : QByteArray(value, n);
}

// An access list giving user 4321 read access: the binary form of
// system.posix_acl_access (version 2; entries of tag, permissions, id).
QByteArray accessList() {
    QByteArray acl;
    auto add32 = [&](uint32_t v) { acl.append(reinterpret_cast<const char*>(&v), 4); };
    auto entry = [&](uint16_t tag, uint16_t perm, uint32_t id) {
        acl.append(reinterpret_cast<const char*>(&tag), 2);
        acl.append(reinterpret_cast<const char*>(&perm), 2);
        add32(id);
    };
    add32(2);
    entry(0x01, 6, uint32_t(-1)); // owner rw
    entry(0x02, 4, 4321);         // user 4321 r
    entry(0x04, 4, uint32_t(-1)); // group r
    entry(0x10, 4, uint32_t(-1)); // mask r
    entry(0x20, 0, uint32_t(-1)); // others nothing
    return acl;
}

class SafeSaveTest : public ::testing::Test {
  protected:
    QByteArray path(const char* name) const { return QFile::encodeName(files.path(name)); }
    QStringList entries() const {
        return QDir(files.folder()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }
    TempFiles files;
};

} // namespace

TEST_F(SafeSaveTest, TheNewFileCarriesOwnerModeAttributesAndAccessList) {
    const QByteArray file = path("doc.txt");
    files.write("doc.txt", "old");
    ASSERT_EQ(::setxattr(file, "user.tavlo.attributes", "\x21", 1, 0), 0)
        << "the test folder's file system has no user attributes";
    ASSERT_EQ(::setxattr(file, "user.other", "kept", 4, 0), 0);
    const QByteArray acl = accessList();
    const bool hasAcl =
        ::setxattr(file, "system.posix_acl_access", acl.constData(), size_t(acl.size()), 0) == 0;
    const bool mayChown = ::chown(file, 1234, 5678) == 0;
    ASSERT_EQ(::chmod(file, 0640), 0);
    struct stat before {};
    ASSERT_EQ(::stat(file, &before), 0);

    ASSERT_TRUE(textfile::writeAtomically(QFile::decodeName(file), "new"));
    EXPECT_EQ(files.read("doc.txt"), QByteArray("new"));
    struct stat after {};
    ASSERT_EQ(::stat(file, &after), 0);
    EXPECT_NE(after.st_ino, before.st_ino) << "replaced, not written into";
    EXPECT_EQ(after.st_mode & 07777, before.st_mode & 07777);
    if (mayChown) {
        EXPECT_EQ(std::pair(after.st_uid, after.st_gid), std::pair(uid_t(1234), gid_t(5678)));
    }
    EXPECT_EQ(attribute(file, "user.tavlo.attributes"), QByteArray("\x21"));
    EXPECT_EQ(attribute(file, "user.other"), QByteArray("kept"));
    if (hasAcl)
        EXPECT_EQ(attribute(file, "system.posix_acl_access"), acl);
    EXPECT_EQ(entries(), QStringList{"doc.txt"});
}

TEST_F(SafeSaveTest, AFileWithSeveralLinksIsWrittenInPlaceAndStaysLinked) {
    const QByteArray file = path("a.txt");
    files.write("a.txt", "old bytes that are longer");
    ASSERT_EQ(::link(file, path("b.txt")), 0);
    struct stat before {};
    ASSERT_EQ(::stat(file, &before), 0);

    ASSERT_TRUE(textfile::writeAtomically(QFile::decodeName(file), "new"));
    struct stat after {};
    ASSERT_EQ(::stat(file, &after), 0);
    EXPECT_EQ(std::pair(after.st_ino, after.st_nlink), std::pair(before.st_ino, nlink_t(2)));
    EXPECT_EQ(files.read("b.txt"), QByteArray("new"));
    EXPECT_EQ(entries(), (QStringList{"a.txt", "b.txt"})) << "no backup left behind";
}

TEST_F(SafeSaveTest, ACancelledSaveLeavesNothingAndOnlyRegularFilesAreReplaced) {
    const QByteArray file = path("c.txt");
    files.write("c.txt", "old");
    {
        textfile::SafeSave save;
        ASSERT_TRUE(save.begin(file));
        ASSERT_TRUE(save.write("new", 3));
    }
    EXPECT_EQ(files.read("c.txt"), QByteArray("old"));
    EXPECT_EQ(entries(), QStringList{"c.txt"});
    textfile::SafeSave save;
    EXPECT_FALSE(save.begin("/dev/null"));
    EXPECT_EQ(errno, EINVAL);
}

TEST(TextFileRead, PipesAndDevicesAreRefusedWithoutWaiting) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath("fifo");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    // Opening a pipe for reading would wait for a writer for good.
    EXPECT_EQ(textfile::readAll(fifo).status, textfile::ReadStatus::NotRegularFile);
    EXPECT_EQ(textfile::readAll("/dev/zero").status, textfile::ReadStatus::NotRegularFile);
}
