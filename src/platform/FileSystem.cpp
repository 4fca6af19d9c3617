#include "FileSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace fa;

namespace {

constexpr const char* kAttributeName = "user.tavlo.attributes";
// Seconds between 1601-01-01 and 1970-01-01.
constexpr int64_t kEpochDifference = 11644473600LL;

QByteArray native(const QString& path) {
    return QFile::encodeName(path);
}

QString fileNameOf(const QString& path) {
    QString p = path;
    while (p.size() > 1 && p.endsWith(QLatin1Char('/')))
        p.chop(1);
    return p.mid(p.lastIndexOf(QLatin1Char('/')) + 1);
}

bool isDotName(const QString& name) {
    return name.startsWith(QLatin1Char('.'));
}

// The stored attribute bits; 0 when there are none or the file system has no
// extended attributes.
uint32_t readStoredAttributes(const QByteArray& path, bool followLinks) {
    char buffer[32] = {};
    const ssize_t n =
        followLinks ? ::getxattr(path.constData(), kAttributeName, buffer, sizeof buffer - 1)
                    : ::lgetxattr(path.constData(), kAttributeName, buffer, sizeof buffer - 1);
    if (n <= 0)
        return 0;
    bool ok = false;
    const uint32_t value = QByteArray(buffer, int(n)).toUInt(&ok, 0);
    return ok ? (value & STORED_ATTRIBUTES) : 0;
}

bool onReadOnlyMount(const QByteArray& path) {
    struct statvfs vfs {};
    return ::statvfs(path.constData(), &vfs) == 0 && (vfs.f_flag & ST_RDONLY);
}

uint32_t attributesFrom(const struct stat& st, const QString& name, uint32_t stored, bool inRom) {
    uint32_t attrs = stored;
    if (S_ISDIR(st.st_mode))
        attrs |= FILE_ATTRIBUTE_DIRECTORY;
    if (S_ISLNK(st.st_mode))
        attrs |= FILE_ATTRIBUTE_REPARSE_POINT;
    else if (!(st.st_mode & S_IWUSR))
        attrs |= FILE_ATTRIBUTE_READONLY;
    if (isDotName(name))
        attrs |= FILE_ATTRIBUTE_HIDDEN;
    if (inRom)
        attrs |= FILE_ATTRIBUTE_INROM;
    return attrs ? attrs : FILE_ATTRIBUTE_NORMAL;
}

void fillFindData(FindData* d, const QString& name, const struct stat& st, uint32_t attrs) {
    d->name = name;
    d->attributes = attrs;
    d->isSymLink = S_ISLNK(st.st_mode);
    d->size = S_ISDIR(st.st_mode) ? 0 : uint64_t(st.st_size);
    d->lastWriteTime = FileSystem::fileTimeFromTimespec(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
}

bool writeAll(int fd, const char* data, size_t size) {
    while (size) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= size_t(n);
    }
    return true;
}

// Copies the bytes of one open file into another.
bool copyBytes(int in, int out) {
    std::vector<char> buffer(1 << 16);
    for (;;) {
        const ssize_t n = ::read(in, buffer.data(), buffer.size());
        if (n == 0)
            return true;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (!writeAll(out, buffer.data(), size_t(n)))
            return false;
    }
}

// rename() that never replaces an existing destination.
int renameWithoutReplacing(const QByteArray& from, const QByteArray& to) {
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // A file system without RENAME_NOREPLACE: a hard link fails on an
    // existing name just the same.
    if (::link(from.constData(), to.constData()) == 0) {
        ::unlink(from.constData());
        return 0;
    }
    if (errno != EPERM && errno != EXDEV)
        return errno;
    struct stat st {};
    if (::lstat(to.constData(), &st) == 0)
        return EEXIST;
    return ::rename(from.constData(), to.constData()) == 0 ? 0 : errno;
}

} // namespace

int FileSystem::renameNoReplace(const QString& from, const QString& to) {
    return renameWithoutReplacing(native(from), native(to));
}

FILETIME FileSystem::fileTimeFromTimespec(int64_t seconds, int64_t nanoseconds) {
    const int64_t ticks = (seconds + kEpochDifference) * 10000000LL + nanoseconds / 100;
    return ticks < 0 ? 0 : FILETIME(ticks);
}

uint32_t FileSystem::getFileAttributes(const QString& path) {
    const QByteArray p = native(path);
    struct stat st {};
    if (p.isEmpty() || ::stat(p.constData(), &st) != 0) {
        fail(p.isEmpty() ? ENOENT : errno);
        return INVALID_FILE_ATTRIBUTES;
    }
    succeed();
    return attributesFrom(st, fileNameOf(path), readStoredAttributes(p, true), onReadOnlyMount(p));
}

bool FileSystem::setFileAttributes(const QString& path, uint32_t attributes) {
    const QByteArray p = native(path);
    struct stat st {};
    if (p.isEmpty() || ::stat(p.constData(), &st) != 0)
        return fail(p.isEmpty() ? ENOENT : errno);
    const bool dotName = isDotName(fileNameOf(path));
    if (dotName && !(attributes & FILE_ATTRIBUTE_HIDDEN))
        return fail(EINVAL); // the name itself makes it hidden

    uint32_t wanted = attributes & STORED_ATTRIBUTES;
    if (dotName)
        wanted &= ~FILE_ATTRIBUTE_HIDDEN;
    const uint32_t stored = readStoredAttributes(p, true);

    mode_t mode = st.st_mode & 07777;
    if (attributes & FILE_ATTRIBUTE_READONLY)
        mode &= ~mode_t(0222);
    else if (!(mode & S_IWUSR))
        mode |= S_IWUSR;

    if (wanted != stored) {
        // Extended attributes of the user namespace need write permission.
        const bool lend = !(st.st_mode & S_IWUSR);
        if (lend && ::chmod(p.constData(), (st.st_mode & 07777) | S_IWUSR) != 0)
            return fail(errno);
        int rc;
        if (wanted == 0) {
            rc = ::removexattr(p.constData(), kAttributeName);
            if (rc != 0 && errno == ENODATA)
                rc = 0;
        } else {
            const QByteArray text =
                QByteArray::number(wanted); // decimal, as the file dialog reads it
            rc =
                ::setxattr(p.constData(), kAttributeName, text.constData(), size_t(text.size()), 0);
        }
        const int err = errno;
        if (rc != 0) {
            if (lend)
                ::chmod(p.constData(), st.st_mode & 07777);
            return fail(err == EPERM ? ENOTSUP : err);
        }
    }
    if (mode != (st.st_mode & 07777) || wanted != stored) {
        if (::chmod(p.constData(), mode) != 0)
            return fail(errno);
    }
    return succeed();
}

bool FileSystem::getFileInfo(const QString& path, FindData* info) {
    const QByteArray p = native(path);
    struct stat st {};
    if (p.isEmpty() || ::stat(p.constData(), &st) != 0)
        return fail(p.isEmpty() ? ENOENT : errno);
    const QString name = fileNameOf(path);
    fillFindData(info, name, st,
                 attributesFrom(st, name, readStoredAttributes(p, true), onReadOnlyMount(p)));
    return succeed();
}

bool FileSystem::getFileTime(const QString& path, FILETIME* lastWriteTime) {
    struct stat st {};
    const QByteArray p = native(path);
    if (p.isEmpty() || ::stat(p.constData(), &st) != 0)
        return fail(p.isEmpty() ? ENOENT : errno);
    *lastWriteTime = fileTimeFromTimespec(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
    return succeed();
}

bool FileSystem::getFileSize(const QString& path, uint64_t* size) {
    struct stat st {};
    const QByteArray p = native(path);
    if (p.isEmpty() || ::stat(p.constData(), &st) != 0)
        return fail(p.isEmpty() ? ENOENT : errno);
    *size = S_ISDIR(st.st_mode) ? 0 : uint64_t(st.st_size);
    return succeed();
}

bool FileSystem::copyFile(const QString& from, const QString& to, bool failIfExists) {
    const QByteArray src = native(from);
    const QByteArray dst = native(to);
    if (src.isEmpty() || dst.isEmpty())
        return fail(ENOENT);
    const int in = ::open(src.constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return fail(errno);
    struct stat st {};
    if (::fstat(in, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int err = S_ISDIR(st.st_mode) ? EISDIR : (errno ? errno : EINVAL);
        ::close(in);
        return fail(err);
    }
    struct stat dst_st {};
    if (::stat(dst.constData(), &dst_st) == 0) {
        int err = 0;
        if (S_ISDIR(dst_st.st_mode))
            err = EISDIR;
        else if (failIfExists)
            err = EEXIST;
        else if (!(dst_st.st_mode & S_IWUSR))
            err = EACCES;
        else if (dst_st.st_dev == st.st_dev && dst_st.st_ino == st.st_ino)
            err = EINVAL; // copying a file onto itself would empty it
        if (err) {
            ::close(in);
            return fail(err);
        }
    }

    QByteArray tmp = dst + ".tavlo-XXXXXX";
    const int out = ::mkostemp(tmp.data(), O_CLOEXEC);
    if (out < 0) {
        const int err = errno;
        ::close(in);
        return fail(err);
    }
    bool ok = copyBytes(in, out);
    int err = ok ? 0 : errno;
    if (ok && ::fchmod(out, st.st_mode & 07777) != 0) {
        // The copy is usable without the exact permission bits of the source
        // (another owner's set-id bits, say); keep the default then.
    }
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    ::futimens(out, times);
    if (ok && ::fdatasync(out) != 0) {
        ok = false;
        err = errno;
    }
    char attr[32];
    const ssize_t n = ::fgetxattr(in, kAttributeName, attr, sizeof attr);
    if (n > 0)
        ::fsetxattr(out, kAttributeName, attr, size_t(n), 0);
    if (::close(out) != 0 && ok) {
        ok = false;
        err = errno;
    }
    ::close(in);
    if (ok) {
        if (failIfExists) {
            err = renameWithoutReplacing(tmp, dst);
            ok = err == 0;
        } else {
            ok = ::rename(tmp.constData(), dst.constData()) == 0;
            err = ok ? 0 : errno;
        }
    }
    if (!ok) {
        ::unlink(tmp.constData());
        return fail(err);
    }
    return succeed();
}

bool FileSystem::copyTree(const QString& from, const QString& to) {
    struct stat st {};
    if (::lstat(native(from).constData(), &st) != 0)
        return fail(errno);
    if (S_ISLNK(st.st_mode)) {
        QByteArray target(PATH_MAX, '\0');
        const ssize_t n =
            ::readlink(native(from).constData(), target.data(), size_t(target.size()));
        if (n < 0)
            return fail(errno);
        target.truncate(n);
        return ::symlink(target.constData(), native(to).constData()) == 0 ? succeed() : fail(errno);
    }
    if (S_ISREG(st.st_mode))
        return copyFile(from, to, true);
    if (!S_ISDIR(st.st_mode))
        return fail(ENOTSUP);
    if (::mkdir(native(to).constData(), 0700) != 0)
        return fail(errno);
    DIR* dir = ::opendir(native(from).constData());
    if (!dir)
        return fail(errno);
    bool ok = true;
    while (struct dirent* e = ::readdir(dir)) {
        if (!std::strcmp(e->d_name, ".") || !std::strcmp(e->d_name, ".."))
            continue;
        const QString name = QFile::decodeName(e->d_name);
        if (!copyTree(from + QLatin1Char('/') + name, to + QLatin1Char('/') + name)) {
            ok = false;
            break;
        }
    }
    ::closedir(dir);
    if (!ok)
        return false;
    ::chmod(native(to).constData(), st.st_mode & 07777);
    char attr[32];
    const ssize_t n = ::getxattr(native(from).constData(), kAttributeName, attr, sizeof attr);
    if (n > 0)
        ::setxattr(native(to).constData(), kAttributeName, attr, size_t(n), 0);
    return succeed();
}

bool FileSystem::removeTree(const QString& path) {
    const QByteArray p = native(path);
    struct stat st {};
    if (::lstat(p.constData(), &st) != 0)
        return fail(errno);
    if (!S_ISDIR(st.st_mode))
        return ::unlink(p.constData()) == 0 ? succeed() : fail(errno);
    DIR* dir = ::opendir(p.constData());
    if (!dir)
        return fail(errno);
    bool ok = true;
    while (struct dirent* e = ::readdir(dir)) {
        if (!std::strcmp(e->d_name, ".") || !std::strcmp(e->d_name, ".."))
            continue;
        ok = removeTree(path + QLatin1Char('/') + QFile::decodeName(e->d_name)) && ok;
    }
    ::closedir(dir);
    if (!ok)
        return false;
    return ::rmdir(p.constData()) == 0 ? succeed() : fail(errno);
}

bool FileSystem::moveFile(const QString& from, const QString& to) {
    const QByteArray src = native(from);
    const QByteArray dst = native(to);
    struct stat st {};
    if (src.isEmpty() || dst.isEmpty() || ::lstat(src.constData(), &st) != 0)
        return fail(src.isEmpty() || dst.isEmpty() ? ENOENT : errno);
    const int err = renameNoReplace(from, to);
    if (err == 0)
        return succeed();
    if (err != EXDEV)
        return fail(err);
    // Another file system: the copy must be complete before the source goes.
    struct stat existing {};
    if (::lstat(dst.constData(), &existing) == 0)
        return fail(EEXIST);
    if (!copyTree(from, to)) {
        const int copyError = error_;
        removeTree(to);
        return fail(copyError);
    }
    if (!removeTree(from))
        return false;
    return succeed();
}

bool FileSystem::deleteFile(const QString& path) {
    const QByteArray p = native(path);
    struct stat st {};
    if (p.isEmpty() || ::lstat(p.constData(), &st) != 0)
        return fail(p.isEmpty() ? ENOENT : errno);
    if (S_ISDIR(st.st_mode))
        return fail(EISDIR);
    if (!S_ISLNK(st.st_mode) && !(st.st_mode & S_IWUSR))
        return fail(EACCES);
    return ::unlink(p.constData()) == 0 ? succeed() : fail(errno);
}

bool FileSystem::createDirectory(const QString& path) {
    const QByteArray p = native(path);
    if (p.isEmpty())
        return fail(ENOENT);
    return ::mkdir(p.constData(), 0777) == 0 ? succeed() : fail(errno);
}

bool FileSystem::removeDirectory(const QString& path) {
    const QByteArray p = native(path);
    if (p.isEmpty())
        return fail(ENOENT);
    struct stat st {};
    if (::lstat(p.constData(), &st) == 0 && !S_ISDIR(st.st_mode))
        return fail(ENOTDIR);
    return ::rmdir(p.constData()) == 0 ? succeed() : fail(errno);
}

bool FileSystem::exists(const QString& path) {
    struct stat st {};
    const QByteArray p = native(path);
    return !p.isEmpty() && ::stat(p.constData(), &st) == 0 ? succeed()
                                                           : fail(p.isEmpty() ? ENOENT : errno);
}

bool FileSystem::isDirectory(const QString& path) {
    struct stat st {};
    const QByteArray p = native(path);
    if (p.isEmpty() || ::stat(p.constData(), &st) != 0)
        return fail(p.isEmpty() ? ENOENT : errno);
    succeed();
    return S_ISDIR(st.st_mode);
}

bool FileSystem::isSameFile(const QString& a, const QString& b) {
    struct stat sa {
    }, sb{};
    const QByteArray pa = native(a), pb = native(b);
    if (pa.isEmpty() || pb.isEmpty() || ::stat(pa.constData(), &sa) != 0 ||
        ::stat(pb.constData(), &sb) != 0)
        return fail(errno ? errno : ENOENT);
    succeed();
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

QString FileSystem::lastErrorText() const {
    return error_ ? QString::fromLocal8Bit(std::strerror(error_)) : QString();
}

QString FileSystem::canonicalPath(const QString& path) {
    if (path.isEmpty())
        return QString();
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    // Resolve the longest part that exists and keep the rest as written.
    QString existing = absolute;
    QStringList tail;
    for (;;) {
        const QString canonical = QFileInfo(existing).canonicalFilePath();
        if (!canonical.isEmpty()) {
            tail.prepend(canonical == QLatin1String("/") ? QString() : canonical);
            return tail.size() == 1 && tail.first().isEmpty() ? QStringLiteral("/")
                                                              : tail.join(QLatin1Char('/'));
        }
        if (existing == QLatin1String("/"))
            return absolute;
        const qsizetype slash = existing.lastIndexOf(QLatin1Char('/'));
        if (slash < 0)
            return absolute;
        tail.prepend(existing.mid(slash + 1));
        existing = slash == 0 ? QStringLiteral("/") : existing.left(slash);
    }
}

QString FileSystem::myDocumentsPath() {
    QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (docs.isEmpty() || !QFileInfo(docs).isDir())
        docs = QDir::homePath();
    while (docs.size() > 1 && docs.endsWith(QLatin1Char('/')))
        docs.chop(1);
    return docs;
}

QString FileSystem::toNativePath(const QString& editorPath) {
    static const QString kMyDocuments = QStringLiteral("\\My Documents");
    if (editorPath.startsWith(kMyDocuments, Qt::CaseInsensitive)) {
        const QString rest = editorPath.mid(kMyDocuments.size());
        if (rest.isEmpty() || rest.startsWith(QLatin1Char('\\')) ||
            rest.startsWith(QLatin1Char('/'))) {
            QString out = myDocumentsPath() + rest;
            out.replace(QLatin1Char('\\'), QLatin1Char('/'));
            return out;
        }
    }
    QString out = editorPath;
    out.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return out;
}

struct FileFinder::Impl {
    DIR* dir = nullptr;
    QString folder;
    QByteArray nativeFolder;
    dev_t device = 0;
    bool folderInRom = false;
    QRegularExpression pattern; // invalid = every name
    bool matchAll = true;
};

FileFinder::FileFinder() = default;

FileFinder::~FileFinder() {
    close();
}

void FileFinder::close() {
    if (impl_ && impl_->dir)
        ::closedir(impl_->dir);
    impl_.reset();
}

bool FileFinder::findFirst(const QString& folder, FindData* data, const QString& pattern) {
    close();
    auto impl = std::make_unique<Impl>();
    impl->folder =
        folder.endsWith(QLatin1Char('/')) && folder.size() > 1 ? folder.chopped(1) : folder;
    impl->nativeFolder = native(impl->folder);
    struct stat st {};
    if (impl->nativeFolder.isEmpty() || ::stat(impl->nativeFolder.constData(), &st) != 0) {
        error_ = impl->nativeFolder.isEmpty() ? ENOENT : errno;
        return false;
    }
    impl->dir = ::opendir(impl->nativeFolder.constData());
    if (!impl->dir) {
        error_ = errno;
        return false;
    }
    impl->device = st.st_dev;
    impl->folderInRom = onReadOnlyMount(impl->nativeFolder);
    impl->matchAll =
        pattern.isEmpty() || pattern == QLatin1String("*") || pattern == QLatin1String("*.*");
    if (!impl->matchAll) {
        impl->pattern = QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern),
                                           QRegularExpression::CaseInsensitiveOption);
    }
    impl_ = std::move(impl);
    return findNext(data);
}

bool FileFinder::findNext(FindData* data) {
    if (!impl_ || !impl_->dir) {
        error_ = EBADF;
        return false;
    }
    for (;;) {
        errno = 0;
        struct dirent* e = ::readdir(impl_->dir);
        if (!e) {
            error_ = errno ? errno : ENOENT;
            return false;
        }
        if (!std::strcmp(e->d_name, ".") || !std::strcmp(e->d_name, ".."))
            continue;
        const QString name = QFile::decodeName(e->d_name);
        if (!impl_->matchAll && !impl_->pattern.match(name).hasMatch())
            continue;
        struct stat st {};
        if (::fstatat(dirfd(impl_->dir), e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0)
            continue; // gone since it was listed
        const QByteArray path = impl_->nativeFolder + '/' + e->d_name;
        const bool inRom = st.st_dev == impl_->device ? impl_->folderInRom : onReadOnlyMount(path);
        const uint32_t stored = S_ISLNK(st.st_mode) ? 0 : readStoredAttributes(path, false);
        fillFindData(data, name, st, attributesFrom(st, name, stored, inRom));
        error_ = 0;
        return true;
    }
}
