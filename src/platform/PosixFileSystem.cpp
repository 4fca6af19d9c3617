#include "PosixFileSystem.h"

#include "FileAttributes.h"
#include "FileCopy.h"
#include "FileNameBytes.h"
#include "FilePath.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <unordered_map>

using namespace fa;
using fileattr::native;

namespace {

bool isDotOrDotDot(const char* n) {
    return n[0] == '.' && (n[1] == '\0' || (n[1] == '.' && n[2] == '\0'));
}

// The name of the entry a path names; "/" for the root.
QString entryName(const QString& path) {
    return filepath::nameOf(path);
}

} // namespace

std::optional<FindData> PosixFileSystem::statWith(const QString& path, Links links) const {
    const QByteArray p = native(filepath::withoutSlash(path));
    struct stat st {};
    const bool follow = links == Links::Follow;
    if (p.isEmpty() || (follow ? ::stat(p.constData(), &st) : ::lstat(p.constData(), &st)) != 0) {
        fail(p.isEmpty() ? ENOENT : errno);
        return std::nullopt;
    }
    const QString name = entryName(path);
    const uint32_t stored = S_ISLNK(st.st_mode) ? 0 : fileattr::readStored(p, links);
    succeed();
    return fileattr::findData(name, st,
                              fileattr::fromStat(st, name, stored, fileattr::onReadOnlyMount(p)));
}

std::optional<FindData> PosixFileSystem::stat(const QString& path) const {
    return statWith(path, Links::NoFollow);
}

std::optional<FindData> PosixFileSystem::statTarget(const QString& path) const {
    return statWith(path, Links::Follow);
}

bool PosixFileSystem::list(const QString& folder, std::vector<FindData>& out) const {
    const QByteArray dirPath = native(filepath::withSlash(folder));
    DIR* dir = ::opendir(dirPath.constData());
    if (!dir)
        return fail(errno);
    const int dirFd = ::dirfd(dir);
    // Whether a device is mounted read-only is asked once per device.
    std::unordered_map<dev_t, bool> readOnlyDevices;
    int err = 0;
    for (;;) {
        errno = 0;
        const dirent* e = ::readdir(dir);
        if (!e) {
            err = errno;
            break;
        }
        if (isDotOrDotDot(e->d_name))
            continue;
        struct stat st {};
        if (::fstatat(dirFd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0)
            continue; // gone since it was listed
        const QByteArray full = dirPath + e->d_name;
        auto it = readOnlyDevices.find(st.st_dev);
        if (it == readOnlyDevices.end())
            it = readOnlyDevices.emplace(st.st_dev, fileattr::onReadOnlyMount(full)).first;
        const QString name = textFromBytes(QByteArrayView(e->d_name));
        const uint32_t stored =
            S_ISLNK(st.st_mode) ? 0 : fileattr::readStored(full, Links::NoFollow);
        out.push_back(
            fileattr::findData(name, st, fileattr::fromStat(st, name, stored, it->second)));
    }
    ::closedir(dir);
    return err ? fail(err) : succeed();
}

std::optional<QByteArray> PosixFileSystem::readHead(const QString& path, qint64 maxBytes) const {
    const int fd = filecopy::openRegular(native(path));
    if (fd < 0) {
        fail(errno);
        return std::nullopt;
    }
    QByteArray bytes(qsizetype(std::max<qint64>(0, maxBytes)), Qt::Uninitialized);
    qsizetype got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, size_t(bytes.size() - got));
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int err = errno;
            ::close(fd);
            fail(err);
            return std::nullopt;
        }
        got += n;
    }
    ::close(fd);
    bytes.truncate(got);
    succeed();
    return bytes;
}

bool PosixFileSystem::isSameFile(const QString& a, const QString& b) const {
    struct stat sa {
    }, sb{};
    const QByteArray pa = native(a), pb = native(b);
    if (pa.isEmpty() || pb.isEmpty())
        return fail(ENOENT);
    if (::stat(pa.constData(), &sa) != 0 || ::stat(pb.constData(), &sb) != 0)
        return fail(errno);
    succeed();
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

bool PosixFileSystem::setAttributes(const QString& path, uint32_t attributes, Links links) {
    const QByteArray p = native(filepath::withoutSlash(path));
    struct stat st {};
    const bool follow = links == Links::Follow;
    if (p.isEmpty() || (follow ? ::stat(p.constData(), &st) : ::lstat(p.constData(), &st)) != 0)
        return fail(p.isEmpty() ? ENOENT : errno);
    const bool dotName = entryName(path).startsWith(QLatin1Char('.'));
    if (dotName && !(attributes & FILE_ATTRIBUTE_HIDDEN))
        return fail(EINVAL); // the name itself makes it hidden

    uint32_t wanted = attributes & STORED_ATTRIBUTES;
    if (dotName)
        wanted &= ~FILE_ATTRIBUTE_HIDDEN;
    const bool link = S_ISLNK(st.st_mode);
    const uint32_t stored = link ? 0 : fileattr::readStored(p, links);
    const mode_t old = st.st_mode & 07777;
    mode_t mode = old;
    if (link)
        ; // a link has no permissions of its own
    else if (attributes & FILE_ATTRIBUTE_READONLY)
        mode &= ~mode_t(0222);
    else if (!(mode & S_IWUSR))
        mode |= S_IWUSR;

    if (wanted != stored) {
        // Extended attributes of the user namespace need write permission.
        const bool lend = !link && !(old & S_IWUSR);
        if (lend && ::chmod(p.constData(), old | S_IWUSR) != 0)
            return fail(errno);
        const int err = link ? ENOTSUP : fileattr::writeStored(p, wanted, links);
        if (err) {
            if (lend)
                ::chmod(p.constData(), old);
            return fail(err == EPERM ? ENOTSUP : err);
        }
    }
    if (!link && (mode != old || wanted != stored) && ::chmod(p.constData(), mode) != 0)
        return fail(errno);
    return succeed();
}

bool PosixFileSystem::copyLink(const QString& from, const QString& to, IfExists ifExists) {
    QByteArray target(PATH_MAX, '\0');
    const ssize_t n = ::readlink(native(from).constData(), target.data(), size_t(target.size()));
    if (n < 0)
        return fail(errno);
    if (n >= target.size())
        return fail(ENAMETOOLONG);
    target.truncate(n);
    // The new link is made beside the destination, then renamed over it.
    const QByteArray dst = native(to);
    const QByteArray tmp = dst + ".tavlo-link";
    ::unlink(tmp.constData());
    if (::symlink(target.constData(), tmp.constData()) != 0)
        return fail(errno);
    const int err = ifExists == IfExists::Fail ? filecopy::renameWithoutReplacing(tmp, dst)
                    : ::rename(tmp.constData(), dst.constData()) == 0 ? 0
                                                                      : errno;
    if (err) {
        ::unlink(tmp.constData());
        return fail(err);
    }
    return succeed();
}

bool PosixFileSystem::copyFile(const QString& from, const QString& to, IfExists ifExists) {
    const QByteArray src = native(from);
    const QByteArray dst = native(to);
    struct stat st {};
    if (src.isEmpty() || dst.isEmpty() || ::lstat(src.constData(), &st) != 0)
        return fail(src.isEmpty() || dst.isEmpty() ? ENOENT : errno);
    struct stat dstStat {};
    const bool dstExists = ::lstat(dst.constData(), &dstStat) == 0;
    if (dstExists) {
        // A link in the destination's place counts by what it points to
        // when that is a folder, by itself otherwise.
        struct stat target {};
        const bool dstIsFolder = S_ISDIR(dstStat.st_mode) ||
                                 (S_ISLNK(dstStat.st_mode) &&
                                  ::stat(dst.constData(), &target) == 0 && S_ISDIR(target.st_mode));
        if (dstIsFolder)
            return fail(EISDIR);
        if (ifExists == IfExists::Fail)
            return fail(EEXIST);
        if (!S_ISLNK(dstStat.st_mode) && !(dstStat.st_mode & S_IWUSR))
            return fail(EACCES);
        if (dstStat.st_dev == st.st_dev && dstStat.st_ino == st.st_ino)
            return fail(EINVAL); // copying a file onto itself would empty it
    }
    if (S_ISLNK(st.st_mode))
        return copyLink(from, to, ifExists);

    const int in = filecopy::openRegular(src);
    if (in < 0)
        return fail(errno);
    struct stat inStat {};
    ::fstat(in, &inStat);
    QByteArray tmp = dst + ".tavlo-XXXXXX";
    const int out = ::mkostemp(tmp.data(), O_CLOEXEC);
    if (out < 0) {
        const int err = errno;
        ::close(in);
        return fail(err);
    }
    bool ok = filecopy::copyBytes(in, out);
    int err = ok ? 0 : errno;
    // The copy is usable without the exact permission bits of the source
    // (another owner's set-id bits, say); it keeps the default then.
    (void)::fchmod(out, inStat.st_mode & 07777);
    const struct timespec times[2] = {inStat.st_atim, inStat.st_mtim};
    ::futimens(out, times);
    if (ok && ::fdatasync(out) != 0) {
        ok = false;
        err = errno;
    }
    char attr[32];
    const ssize_t n = ::fgetxattr(in, fileattr::kStoreName, attr, sizeof attr);
    if (n > 0)
        ::fsetxattr(out, fileattr::kStoreName, attr, size_t(n), 0);
    if (::close(out) != 0 && ok) {
        ok = false;
        err = errno;
    }
    ::close(in);
    if (ok) {
        if (ifExists == IfExists::Fail) {
            err = filecopy::renameWithoutReplacing(tmp, dst);
        } else {
            err = ::rename(tmp.constData(), dst.constData()) == 0 ? 0 : errno;
        }
        ok = err == 0;
    }
    if (!ok) {
        ::unlink(tmp.constData());
        return fail(err);
    }
    return succeed();
}

int PosixFileSystem::renameNoReplace(const QString& from, const QString& to) {
    return filecopy::renameWithoutReplacing(native(filepath::withoutSlash(from)),
                                            native(filepath::withoutSlash(to)));
}

bool PosixFileSystem::copyTree(const QString& from, const QString& to) {
    struct stat st {};
    if (::lstat(native(from).constData(), &st) != 0)
        return fail(errno);
    if (S_ISLNK(st.st_mode) || S_ISREG(st.st_mode))
        return copyFile(from, to, IfExists::Fail);
    if (!S_ISDIR(st.st_mode))
        return fail(ENOTSUP);
    if (::mkdir(native(to).constData(), 0700) != 0)
        return fail(errno);
    std::vector<FindData> entries;
    if (!list(from, entries))
        return false;
    for (const FindData& e : entries) {
        if (!copyTree(from + QLatin1Char('/') + e.name, to + QLatin1Char('/') + e.name))
            return false;
    }
    ::chmod(native(to).constData(), st.st_mode & 07777);
    char attr[32];
    const ssize_t n = ::getxattr(native(from).constData(), fileattr::kStoreName, attr, sizeof attr);
    if (n > 0)
        ::setxattr(native(to).constData(), fileattr::kStoreName, attr, size_t(n), 0);
    return succeed();
}

bool PosixFileSystem::removeTree(const QString& path) {
    const QByteArray p = native(path);
    struct stat st {};
    if (::lstat(p.constData(), &st) != 0)
        return fail(errno);
    if (!S_ISDIR(st.st_mode))
        return ::unlink(p.constData()) == 0 ? succeed() : fail(errno);
    std::vector<FindData> entries;
    if (!list(path, entries))
        return false;
    bool ok = true;
    for (const FindData& e : entries)
        ok = removeTree(path + QLatin1Char('/') + e.name) && ok;
    if (!ok)
        return false;
    return ::rmdir(p.constData()) == 0 ? succeed() : fail(errno);
}

bool PosixFileSystem::moveFile(const QString& from, const QString& to) {
    const QString source = filepath::withoutSlash(from);
    const QString destination = filepath::withoutSlash(to);
    const QByteArray src = native(source);
    const QByteArray dst = native(destination);
    struct stat st {};
    if (src.isEmpty() || dst.isEmpty() || ::lstat(src.constData(), &st) != 0)
        return fail(src.isEmpty() || dst.isEmpty() ? ENOENT : errno);
    const int err = renameNoReplace(source, destination);
    if (err == 0)
        return succeed();
    if (err != EXDEV)
        return fail(err);
    // Another file system: the copy must be complete before the source goes.
    struct stat existing {};
    if (::lstat(dst.constData(), &existing) == 0)
        return fail(EEXIST);
    if (!copyTree(source, destination)) {
        const int copyError = error_;
        removeTree(destination);
        return fail(copyError);
    }
    return removeTree(source) ? succeed() : false;
}

bool PosixFileSystem::deleteFile(const QString& path) {
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

bool PosixFileSystem::createDirectory(const QString& path) {
    const QByteArray p = native(filepath::withoutSlash(path));
    if (p.isEmpty())
        return fail(ENOENT);
    return ::mkdir(p.constData(), 0777) == 0 ? succeed() : fail(errno);
}

bool PosixFileSystem::removeDirectory(const QString& path) {
    const QByteArray p = native(filepath::withoutSlash(path));
    if (p.isEmpty())
        return fail(ENOENT);
    struct stat st {};
    if (::lstat(p.constData(), &st) == 0 && !S_ISDIR(st.st_mode))
        return fail(ENOTDIR);
    return ::rmdir(p.constData()) == 0 ? succeed() : fail(errno);
}
