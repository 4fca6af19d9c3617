#include "QsdFileSystem.h"

#include "QsdTypes.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <unordered_map>

namespace {

// Archive, system, temporary (and hidden for a name without a leading dot)
// live in this user extended attribute as a decimal number.
constexpr const char* kAttributeXattr = "user.tavlo.attributes";
constexpr uint32_t kStoredBits = fattr::HIDDEN | fattr::SYSTEM | fattr::ARCHIVE | fattr::TEMPORARY;

QByteArray native(const QString& path) {
    return QFile::encodeName(path);
}

uint32_t storedAttributes(const QByteArray& path) {
    char buffer[32];
    const ssize_t n = ::lgetxattr(path.constData(), kAttributeXattr, buffer, sizeof buffer - 1);
    if (n <= 0)
        return 0;
    return QByteArray(buffer, n).toUInt() & kStoredBits;
}

bool onReadOnlyMount(const QByteArray& path) {
    struct statvfs vfs;
    return ::statvfs(path.constData(), &vfs) == 0 && (vfs.f_flag & ST_RDONLY);
}

QsdFindData fromStat(const QString& name, const struct stat& st, uint32_t stored, bool inRom) {
    QsdFindData d;
    d.cFileName = name;
    d.isSymlink = S_ISLNK(st.st_mode);
    d.nFileSize = S_ISDIR(st.st_mode) ? 0 : static_cast<uint64_t>(st.st_size);
    d.ftLastWriteTime = qsdpath::fileTimeFromUnix(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
    uint32_t a = stored;
    if (S_ISDIR(st.st_mode))
        a |= fattr::DIRECTORY;
    if (!d.isSymlink && !(st.st_mode & S_IWUSR))
        a |= fattr::READONLY;
    if (name.startsWith(u'.'))
        a |= fattr::HIDDEN;
    if (inRom)
        a |= fattr::INROM;
    if (a == 0)
        a = fattr::NORMAL;
    d.dwFileAttributes = a;
    return d;
}

std::optional<QsdFindData> statWith(const QString& path, bool follow) {
    const QByteArray p = native(qsdpath::withoutSlash(path));
    struct stat st;
    if ((follow ? ::stat(p.constData(), &st) : ::lstat(p.constData(), &st)) != 0)
        return std::nullopt;
    return fromStat(qsdpath::nameOf(path), st, storedAttributes(p), onReadOnlyMount(p));
}

bool copyLink(const QByteArray& from, const QByteArray& to) {
    QByteArray target(4096, '\0');
    const ssize_t n = ::readlink(from.constData(), target.data(), target.size());
    if (n < 0 || n >= target.size())
        return false;
    target.truncate(n);
    struct stat st;
    if (::lstat(to.constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode) || ::unlink(to.constData()) != 0)
            return false;
    }
    return ::symlink(target.constData(), to.constData()) == 0;
}

} // namespace

bool QsdFindData::isFolder() const {
    return dwFileAttributes != fattr::INVALID && (dwFileAttributes & fattr::DIRECTORY);
}

std::optional<QsdFindData> PosixFileSystem::stat(const QString& path) const {
    return statWith(path, false);
}

std::optional<QsdFindData> PosixFileSystem::statTarget(const QString& path) const {
    return statWith(path, true);
}

bool PosixFileSystem::list(const QString& folder, std::vector<QsdFindData>& out) const {
    const QByteArray dirPath = native(qsdpath::withSlash(folder));
    DIR* dir = ::opendir(dirPath.constData());
    if (!dir)
        return false;
    const int dirFd = ::dirfd(dir);
    // Whether a device is mounted read-only is asked once per device.
    std::unordered_map<dev_t, bool> readOnlyDevices;
    while (dirent* e = ::readdir(dir)) {
        const char* n = e->d_name;
        if ((n[0] == '.' && n[1] == '\0') || (n[0] == '.' && n[1] == '.' && n[2] == '\0'))
            continue;
        struct stat st;
        if (::fstatat(dirFd, n, &st, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        const QByteArray full = dirPath + n;
        auto it = readOnlyDevices.find(st.st_dev);
        if (it == readOnlyDevices.end())
            it = readOnlyDevices.emplace(st.st_dev, onReadOnlyMount(dirPath)).first;
        out.push_back(fromStat(QFile::decodeName(n), st, storedAttributes(full), it->second));
    }
    ::closedir(dir);
    return true;
}

std::optional<QByteArray> PosixFileSystem::readHead(const QString& path, qint64 maxBytes) const {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return f.read(maxBytes);
}

bool PosixFileSystem::copyFile(const QString& from, const QString& to) {
    const QByteArray src = native(from);
    const QByteArray dst = native(to);
    struct stat st;
    if (::lstat(src.constData(), &st) != 0 || S_ISDIR(st.st_mode))
        return false;
    if (S_ISLNK(st.st_mode))
        return copyLink(src, dst);
    // A link in the target's place is replaced, never written through.
    struct stat dstStat;
    if (::lstat(dst.constData(), &dstStat) == 0) {
        if (S_ISDIR(dstStat.st_mode))
            return false;
        if (S_ISLNK(dstStat.st_mode) && ::unlink(dst.constData()) != 0)
            return false;
    }
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QSaveFile out(to);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    QByteArray chunk;
    constexpr qint64 kChunk = 1 << 20;
    while (!in.atEnd()) {
        chunk = in.read(kChunk);
        if (chunk.isEmpty() && in.error() != QFile::NoError)
            return false;
        if (out.write(chunk) != chunk.size())
            return false;
    }
    if (!out.commit())
        return false;
    ::chmod(dst.constData(), st.st_mode & 07777);
    const timespec times[2] = {st.st_atim, st.st_mtim};
    ::utimensat(AT_FDCWD, dst.constData(), times, 0);
    const uint32_t stored = storedAttributes(src);
    if (stored)
        ::lsetxattr(dst.constData(), kAttributeXattr, QByteArray::number(stored).constData(),
                    QByteArray::number(stored).size(), 0);
    return true;
}

int PosixFileSystem::renameEntry(const QString& from, const QString& to) {
    return ::rename(native(from).constData(), native(to).constData()) == 0 ? 0 : errno;
}

bool PosixFileSystem::moveFile(const QString& from, const QString& to) {
    const int err = renameEntry(from, to);
    if (err == 0)
        return true;
    if (err != EXDEV)
        return false;
    // Across file systems: the source goes only once its copy is complete.
    if (!copyFile(from, to))
        return false;
    return removeFile(from);
}

bool PosixFileSystem::rename(const QString& from, const QString& to) {
    return renameEntry(from, to) == 0;
}

bool PosixFileSystem::removeFile(const QString& path) {
    return ::unlink(native(path).constData()) == 0;
}

bool PosixFileSystem::makeFolder(const QString& path) {
    return ::mkdir(native(qsdpath::withoutSlash(path)).constData(), 0777) == 0;
}

bool PosixFileSystem::removeFolder(const QString& path) {
    return ::rmdir(native(qsdpath::withoutSlash(path)).constData()) == 0;
}

bool PosixFileSystem::setAttributes(const QString& path, uint32_t attributes) {
    const QByteArray p = native(qsdpath::withoutSlash(path));
    struct stat st;
    if (::lstat(p.constData(), &st) != 0)
        return false;
    // A name starting with "." is hidden by the name itself; that can't be cleared.
    const bool dotName = qsdpath::nameOf(path).startsWith(u'.');
    if (dotName && !(attributes & fattr::HIDDEN))
        return false;
    if (!S_ISLNK(st.st_mode)) {
        mode_t mode = st.st_mode & 07777;
        if (attributes & fattr::READONLY)
            mode &= ~(S_IWUSR | S_IWGRP | S_IWOTH);
        else
            mode |= S_IWUSR;
        if (mode != (st.st_mode & 07777) && ::chmod(p.constData(), mode) != 0)
            return false;
    }
    uint32_t stored = attributes & kStoredBits;
    if (dotName)
        stored &= ~fattr::HIDDEN;
    if (stored == storedAttributes(p))
        return true;
    if (stored == 0)
        return ::lremovexattr(p.constData(), kAttributeXattr) == 0 || errno == ENODATA;
    const QByteArray value = QByteArray::number(stored);
    return ::lsetxattr(p.constData(), kAttributeXattr, value.constData(), value.size(), 0) == 0;
}

PosixFileSystem& PosixFileSystem::instance() {
    static PosixFileSystem fs;
    return fs;
}

namespace qsdpath {

QString folderOf(const QString& path) {
    const QString p = withoutSlash(path);
    const qsizetype i = p.lastIndexOf(u'/');
    return i < 0 ? QStringLiteral("/") : p.left(i + 1);
}

QString nameOf(const QString& path) {
    const QString p = withoutSlash(path);
    return p.mid(p.lastIndexOf(u'/') + 1);
}

QString withSlash(const QString& folder) {
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

QString withoutSlash(const QString& path) {
    QString p = path;
    while (p.size() > 1 && p.endsWith(u'/'))
        p.chop(1);
    return p;
}

QString lastExtension(const QString& name) {
    const qsizetype i = name.lastIndexOf(u'.');
    return i < 0 ? QString() : name.mid(i);
}

QString withoutExtension(const QString& name) {
    const qsizetype i = name.lastIndexOf(u'.');
    return i < 0 ? name : name.left(i);
}

QString normalize(const QString& path) {
    QStringList parts;
    for (const QString& part : path.split(u'/', Qt::SkipEmptyParts)) {
        if (part == u".")
            continue;
        if (part == u"..") {
            if (!parts.isEmpty())
                parts.removeLast();
            continue;
        }
        parts << part;
    }
    QString result = u'/' + parts.join(u'/');
    if (path.endsWith(u'/') && !parts.isEmpty())
        result += u'/';
    return result;
}

namespace {
QString canonical(const QString& path) {
    const QString c = QFileInfo(withoutSlash(path)).canonicalFilePath();
    return c.isEmpty() ? withoutSlash(path) : c;
}
} // namespace

bool samePath(const QString& a, const QString& b) {
    return canonical(a) == canonical(b);
}

bool isInside(const QString& path, const QString& folder) {
    return withSlash(canonical(path)).startsWith(withSlash(canonical(folder)));
}

constexpr uint64_t kEpochDifference = 116444736000000000ull; // 1601 -> 1970 in 100 ns

uint64_t fileTimeFromUnix(int64_t seconds, int64_t nanoseconds) {
    return static_cast<uint64_t>(seconds * 10000000 + nanoseconds / 100) + kEpochDifference;
}

int64_t unixMsecsFromFileTime(uint64_t fileTime) {
    return (static_cast<int64_t>(fileTime) - static_cast<int64_t>(kEpochDifference)) / 10000;
}

} // namespace qsdpath
