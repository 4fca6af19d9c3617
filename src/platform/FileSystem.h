#pragma once

#include <QString>
#include <cstdint>
#include <memory>

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
// A symbolic link (reported by the find operations, which never follow links).
constexpr uint32_t FILE_ATTRIBUTE_REPARSE_POINT = 0x0400;
constexpr uint32_t INVALID_FILE_ATTRIBUTES = 0xFFFFFFFFu;

// The bits kept in the extended attribute "user.tavlo.attributes".
constexpr uint32_t STORED_ATTRIBUTES = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                       FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_TEMPORARY;
} // namespace fa

// A file time: 100-nanosecond intervals since 1601-01-01 UTC.
using FILETIME = uint64_t;

// One entry of a folder listing.
struct FindData {
    QString name; // the name within its folder, no path
    uint32_t attributes = 0;
    uint64_t size = 0; // 0 for folders
    FILETIME lastWriteTime = 0;
    bool isSymLink = false; // attributes and size then describe the link itself
};

// The device's file services over POSIX. Paths are this platform's paths
// ("/" separated). Every operation returns success as bool and leaves an
// errno value in lastError() on failure (0 after a success).
//
// Attributes map as follows: directory = S_ISDIR; read-only = the owner has no
// write permission (setting it clears every write bit, clearing it gives the
// owner write permission back); hidden = the name starts with "." or the
// stored attribute; archive, system, temporary and a stored hidden live in the
// extended attribute "user.tavlo.attributes" as a decimal number (where the
// file system has no
// extended attributes, changing them fails with ENOTSUP); in ROM = the file
// lies on a file system mounted read-only.
//
// Virtual so that tests can replace single operations.
class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // Follows symbolic links. INVALID_FILE_ATTRIBUTES on failure.
    virtual uint32_t getFileAttributes(const QString& path);
    // Only READONLY, HIDDEN, SYSTEM, ARCHIVE and TEMPORARY can be changed;
    // the other bits are ignored. A hidden bit on a name that starts with "."
    // needs no storing; clearing it there fails with EINVAL.
    virtual bool setFileAttributes(const QString& path, uint32_t attributes);
    // Follows symbolic links; fills everything but isSymLink (false).
    virtual bool getFileInfo(const QString& path, FindData* info);
    virtual bool getFileTime(const QString& path, FILETIME* lastWriteTime);
    virtual bool getFileSize(const QString& path, uint64_t* size);

    // Copies a file's bytes, permission bits, modification time and stored
    // attributes (through a temporary file and a rename, so a failed copy
    // leaves the destination as it was). With failIfExists an existing
    // destination fails with EEXIST; a read-only destination is never
    // replaced (EACCES), as on the device: clear its attribute first. The
    // source must be a file; a destination that is a folder fails with EISDIR.
    virtual bool copyFile(const QString& from, const QString& to, bool failIfExists);
    // Renames; across file systems it copies completely, then deletes the
    // source (a folder is copied as a tree, never following symbolic links).
    // An existing destination fails with EEXIST.
    virtual bool moveFile(const QString& from, const QString& to);
    // Files and symbolic links (the link itself); a folder fails with EISDIR
    // and a read-only file with EACCES, as on the device.
    virtual bool deleteFile(const QString& path);
    virtual bool createDirectory(const QString& path);
    // Only an empty folder (ENOTEMPTY otherwise).
    virtual bool removeDirectory(const QString& path);

    bool exists(const QString& path);
    bool isDirectory(const QString& path);
    // Same device and inode (hard links and different spellings included).
    bool isSameFile(const QString& a, const QString& b);

    int lastError() const { return error_; }
    QString lastErrorText() const;

    // The absolute path with "." and ".." resolved and symbolic links
    // followed; for a path that doesn't exist yet, its existing folder part is
    // resolved and the rest appended. Empty for an empty path.
    static QString canonicalPath(const QString& path);
    // The user's documents folder (XDG), else the home folder; no trailing "/".
    static QString myDocumentsPath();
    // The editor's own paths to this platform's: "\My Documents\" (any case)
    // at the start becomes the documents folder, every "\" becomes "/".
    static QString toNativePath(const QString& editorPath);
    static FILETIME fileTimeFromTimespec(int64_t seconds, int64_t nanoseconds);

  protected:
    // Renames without replacing an existing destination; 0 or an errno value.
    // Tests return EXDEV here to take the path between file systems.
    virtual int renameNoReplace(const QString& from, const QString& to);

    bool fail(int err) {
        error_ = err;
        return false;
    }
    bool succeed() {
        error_ = 0;
        return true;
    }

  private:
    bool copyTree(const QString& from, const QString& to);
    bool removeTree(const QString& path);
    int error_ = 0;
};

// Find-first / find-next over one folder: every entry but "." and "..", in
// the order the folder yields them, optionally filtered by a wildcard pattern
// ("*" and "?", compared without regard to case; "*.*" matches every name, as
// it always has for the editor). Symbolic links are reported as links, never
// followed to decide the type.
class FileFinder {
  public:
    FileFinder();
    ~FileFinder();
    FileFinder(const FileFinder&) = delete;
    FileFinder& operator=(const FileFinder&) = delete;

    // False with lastError() ENOENT when the folder exists but holds no matching
    // entry (the device's "no more files"), or the errno of opening the folder.
    bool findFirst(const QString& folder, FindData* data,
                   const QString& pattern = QStringLiteral("*"));
    // False with ENOENT at the end.
    bool findNext(FindData* data);
    void close();
    int lastError() const { return error_; }

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    int error_ = 0;
};
