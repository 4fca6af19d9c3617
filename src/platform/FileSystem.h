#pragma once

#include "FileTime.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

// File attribute bits with the values the editor has always used.
namespace fa {
constexpr uint32_t FILE_ATTRIBUTE_READONLY = 0x0001;
constexpr uint32_t FILE_ATTRIBUTE_HIDDEN = 0x0002;
constexpr uint32_t FILE_ATTRIBUTE_SYSTEM = 0x0004;
constexpr uint32_t FILE_ATTRIBUTE_DIRECTORY = 0x0010;
constexpr uint32_t FILE_ATTRIBUTE_ARCHIVE = 0x0020;
constexpr uint32_t FILE_ATTRIBUTE_INROM = 0x0040;
constexpr uint32_t FILE_ATTRIBUTE_NORMAL = 0x0080;
constexpr uint32_t FILE_ATTRIBUTE_TEMPORARY = 0x0100;
// A symbolic link (reported by stat and list, which never follow links).
constexpr uint32_t FILE_ATTRIBUTE_REPARSE_POINT = 0x0400;
constexpr uint32_t INVALID_FILE_ATTRIBUTES = 0xFFFFFFFFu;

// The bits kept in the extended attribute "user.tavlo.attributes".
constexpr uint32_t STORED_ATTRIBUTES = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                       FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_TEMPORARY;
} // namespace fa

// One entry of a folder, or what a path names.
struct FindData {
    QString name; // the name within its folder, no path
    uint32_t attributes = 0;
    uint64_t size = 0; // 0 for folders
    FILETIME lastWriteTime = 0;
    bool isSymLink = false; // attributes and size then describe the link itself
    // A regular file (after following a link, for statTarget); false for a
    // folder, a FIFO, a socket or a device, which are listed but never opened.
    bool isRegular = false;

    bool isFolder() const {
        return attributes != fa::INVALID_FILE_ATTRIBUTES &&
               (attributes & fa::FILE_ATTRIBUTE_DIRECTORY);
    }
};

// The file services of the editor and its file select dialog. Paths are this
// platform's paths ("/" separated; a folder may end with "/"). Every operation
// leaves an errno value in lastError() on failure (0 after a success).
//
// Attributes map as follows: directory = a folder; read-only = the owner has
// no write permission (setting it clears every write bit, clearing it gives
// the owner write permission back); hidden = the name starts with "." or the
// stored attribute; archive, system, temporary and a stored hidden live in an
// extended attribute of the file (where the file system has none, changing
// them fails with ENOTSUP); in ROM = the file lies on a file system mounted
// read-only.
//
// Only regular files are ever opened: a FIFO, socket or device is listed and
// can be deleted, but reading or copying one fails at once with EINVAL
// instead of blocking.
class FileSystem {
  public:
    enum class Links { Follow, NoFollow };
    enum class IfExists { Fail, Replace };

    virtual ~FileSystem() = default;

    // The entry itself: a symbolic link is reported as a link.
    virtual std::optional<FindData> stat(const QString& path) const = 0;
    // What the path names after following symbolic links (isSymLink false).
    virtual std::optional<FindData> statTarget(const QString& path) const = 0;
    // Every entry of a folder except "." and "..", in the order the folder
    // yields them, appended to out; links are reported as links.
    virtual bool list(const QString& folder, std::vector<FindData>& out) const = 0;
    // At most maxBytes from the start of a regular file (links followed).
    virtual std::optional<QByteArray> readHead(const QString& path, qint64 maxBytes) const = 0;
    // Same device and inode (hard links and different spellings included).
    virtual bool isSameFile(const QString& a, const QString& b) const = 0;

    // Only READONLY, HIDDEN, SYSTEM, ARCHIVE and TEMPORARY can be changed;
    // the other bits are ignored. A hidden bit on a name that starts with "."
    // needs no storing; clearing it there fails with EINVAL. With NoFollow a
    // symbolic link keeps its permissions (links have none of their own).
    virtual bool setAttributes(const QString& path, uint32_t attributes,
                               Links links = Links::Follow) = 0;
    // Copies a file's bytes, permission bits, modification time and stored
    // attributes through a temporary file and a rename, so a failed copy
    // leaves the destination as it was; a symbolic link is copied as a link.
    // An existing destination fails with EEXIST under IfExists::Fail; a
    // read-only one is never replaced (EACCES), as on the device; a link in
    // the destination's place is replaced, never written through. A folder
    // as either side fails with EISDIR.
    virtual bool copyFile(const QString& from, const QString& to, IfExists ifExists) = 0;
    // Renames without replacing (EEXIST); across file systems it copies
    // completely, then deletes the source (a folder is copied as a tree,
    // never following symbolic links).
    virtual bool moveFile(const QString& from, const QString& to) = 0;
    // Files, links (the link itself) and special files; a folder fails with
    // EISDIR and a read-only file with EACCES, as on the device.
    virtual bool deleteFile(const QString& path) = 0;
    virtual bool createDirectory(const QString& path) = 0;
    // Only an empty folder (ENOTEMPTY otherwise).
    virtual bool removeDirectory(const QString& path) = 0;

    virtual int lastError() const = 0;
    QString lastErrorText() const;

    // Follows symbolic links. INVALID_FILE_ATTRIBUTES when nothing is there.
    uint32_t getFileAttributes(const QString& path) const;
    // The entry itself exists (a dangling link does).
    bool exists(const QString& path) const { return stat(path).has_value(); }
    // A folder, or a link to one.
    bool isDirectory(const QString& path) const;
};
