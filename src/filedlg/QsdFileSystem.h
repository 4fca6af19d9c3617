#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

// One entry as a folder search returns it: the fields of the device's find
// record that the file select dialog reads, with the full 64-bit size.
struct QsdFindData {
    uint32_t dwFileAttributes = 0;
    uint64_t ftLastWriteTime = 0; // 100 ns units since 1601-01-01 UTC
    uint64_t nFileSize = 0;
    QString cFileName;
    bool isSymlink = false; // the entry itself is a symbolic link (never followed)

    bool isFolder() const;
};

// The file system calls of the file select dialog. Paths use "/" and folders
// end with "/". Nothing here follows a symbolic link unless it says so: links
// are listed, copied, moved and removed as links.
class QsdFileSystem {
  public:
    virtual ~QsdFileSystem() = default;

    // The entry itself (a link is reported as a link).
    virtual std::optional<QsdFindData> stat(const QString& path) const = 0;
    // The entry a symbolic link points to (the path itself for other entries).
    virtual std::optional<QsdFindData> statTarget(const QString& path) const = 0;
    // Every entry of a folder except "." and "..", in the order the file system
    // returns them. False when the folder can't be read.
    virtual bool list(const QString& folder, std::vector<QsdFindData>& out) const = 0;
    // Reads at most maxBytes from the start of a file.
    virtual std::optional<QByteArray> readHead(const QString& path, qint64 maxBytes) const = 0;

    // Copies a file, replacing an existing target file; a link is copied as a link.
    virtual bool copyFile(const QString& from, const QString& to) = 0;
    // Moves a file or link; across file systems it copies, and removes the
    // source only when the copy is complete.
    virtual bool moveFile(const QString& from, const QString& to) = 0;
    // Renames a file or folder within its file system.
    virtual bool rename(const QString& from, const QString& to) = 0;
    virtual bool removeFile(const QString& path) = 0;
    virtual bool makeFolder(const QString& path) = 0;
    virtual bool removeFolder(const QString& path) = 0;
    virtual bool setAttributes(const QString& path, uint32_t attributes) = 0;

    bool exists(const QString& path) const { return stat(path).has_value(); }
};

// The real file system through POSIX calls.
class PosixFileSystem : public QsdFileSystem {
  public:
    std::optional<QsdFindData> stat(const QString& path) const override;
    std::optional<QsdFindData> statTarget(const QString& path) const override;
    bool list(const QString& folder, std::vector<QsdFindData>& out) const override;
    std::optional<QByteArray> readHead(const QString& path, qint64 maxBytes) const override;
    bool copyFile(const QString& from, const QString& to) override;
    bool moveFile(const QString& from, const QString& to) override;
    bool rename(const QString& from, const QString& to) override;
    bool removeFile(const QString& path) override;
    bool makeFolder(const QString& path) override;
    bool removeFolder(const QString& path) override;
    bool setAttributes(const QString& path, uint32_t attributes) override;

    // The process-wide instance used when no other is injected.
    static PosixFileSystem& instance();

  protected:
    // rename(2): 0 or the errno value (tests provoke EXDEV through it).
    virtual int renameEntry(const QString& from, const QString& to);
};

namespace qsdpath {
// Folder of a path with its trailing "/" ("/" for a path at the root).
QString folderOf(const QString& path);
// Last component of a path (without a trailing "/").
QString nameOf(const QString& path);
// The folder with a trailing "/".
QString withSlash(const QString& folder);
// The path without a trailing "/" (the root stays "/").
QString withoutSlash(const QString& path);
// The last extension with its dot, or empty when the name has no ".".
QString lastExtension(const QString& name);
// The name without its last extension.
QString withoutExtension(const QString& name);
// Collapses ".", ".." and repeated separators of an absolute path.
QString normalize(const QString& path);
// Whether two paths name the same place, compared as this file system does:
// by their canonical paths (exactly, when one can't be resolved).
bool samePath(const QString& a, const QString& b);
// Whether path lies inside folder (folder given with its trailing "/").
bool isInside(const QString& path, const QString& folder);
// FILETIME from seconds and nanoseconds since 1970.
uint64_t fileTimeFromUnix(int64_t seconds, int64_t nanoseconds);
int64_t unixMsecsFromFileTime(uint64_t fileTime);
} // namespace qsdpath
