#include "SafeSave.h"

#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace textfile {

namespace {

// Keeps errno across clean-up calls that may change it.
struct ErrnoKeeper {
    int saved = errno;
    ~ErrnoKeeper() { errno = saved; }
};

QByteArray folderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    if (slash == 0)
        return QByteArrayLiteral("/");
    return path.left(slash);
}

// The process's umask, read without changing it: umask() can only be read
// by setting it, which would race with files other threads create.
mode_t currentUmask() {
    if (FILE* status = std::fopen("/proc/self/status", "re")) {
        char line[256];
        unsigned mask = 0;
        bool found = false;
        while (!found && std::fgets(line, sizeof line, status))
            found = std::sscanf(line, "Umask: %o", &mask) == 1;
        std::fclose(status);
        if (found)
            return mode_t(mask);
    }
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

bool writeAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0) {
            errno = EIO;
            return false;
        }
        data += n;
        size -= size_t(n);
    }
    return true;
}

// Copies the whole content of `from` over the start of `to` and cuts `to`
// to that length.
bool copyContent(int from, int to) {
    std::vector<char> buffer(1 << 20);
    off_t offset = 0;
    for (;;) {
        const ssize_t n = ::pread(from, buffer.data(), buffer.size(), offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        if (::lseek(to, offset, SEEK_SET) < 0 || !writeAll(to, buffer.data(), size_t(n)))
            return false;
        offset += n;
    }
    return ::ftruncate(to, offset) == 0;
}

// Copies every extended attribute of the file at `path` that this process
// may set. The access lists are attributes too ("system.posix_acl_access").
bool copyExtendedAttributes(const char* path, int to) {
    ssize_t size = ::listxattr(path, nullptr, 0);
    if (size < 0)
        return errno == ENOTSUP || errno == ENODATA;
    std::vector<char> names(size_t(size) + 1);
    size = ::listxattr(path, names.data(), names.size());
    if (size < 0)
        return false;
    std::vector<char> value;
    for (ssize_t at = 0; at < size; at += ssize_t(std::strlen(names.data() + at)) + 1) {
        const char* name = names.data() + at;
        const ssize_t length = ::getxattr(path, name, nullptr, 0);
        if (length < 0)
            continue;
        value.resize(size_t(length) + 1);
        const ssize_t got = ::getxattr(path, name, value.data(), value.size());
        if (got < 0)
            continue;
        // Attributes of name spaces this process may not write (trusted.*,
        // security.* for a user) stay behind, as a copy by the user would
        // leave them; everything else must arrive.
        if (::fsetxattr(to, name, value.data(), size_t(got), 0) != 0 && errno != EPERM &&
            errno != ENOTSUP && errno != EACCES)
            return false;
    }
    return true;
}

} // namespace

QByteArray makeShortName(const QByteArray& folder, const char* suffix, int* fd) {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        QByteArray name = folder + "/tavlo-";
        for (int i = 0; i < 6; ++i)
            name += kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters) - 1)];
        name += suffix;
        if (fd) {
            *fd = ::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
            if (*fd >= 0)
                return name;
            if (errno != EEXIST)
                return {};
        } else {
            struct stat st {};
            if (::lstat(name.constData(), &st) != 0 && errno == ENOENT)
                return name;
        }
    }
    errno = EEXIST;
    return {};
}

bool SafeSave::begin(const QByteArray& target) {
    cancel();
    target_ = target;
    folder_ = folderOf(target);
    existed_ = ::stat(target.constData(), &old_) == 0;
    if (!existed_ && errno != ENOENT)
        return false;
    // Only a regular file is replaced: a folder, a pipe or a device in its
    // place is not ours to swap for a file.
    if (existed_ && !S_ISREG(old_.st_mode)) {
        errno = S_ISDIR(old_.st_mode) ? EISDIR : EINVAL;
        return false;
    }
    // An unnamed file needs /proc to be linked in at the end.
    if (::access("/proc/self/fd", X_OK) == 0)
        fd_ = ::open(folder_.constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd_ < 0) {
        temporaryPath_ = makeShortName(folder_, ".tmp", &fd_);
        if (temporaryPath_.isEmpty()) {
            fd_ = -1;
            return false;
        }
    }
    return true;
}

bool SafeSave::write(const char* data, size_t size) {
    if (fd_ < 0) {
        errno = EBADF;
        return false;
    }
    return writeAll(fd_, data, size);
}

bool SafeSave::carryAttributes() {
    if (!existed_)
        return ::fchmod(fd_, 0666 & ~currentUmask()) == 0;
    // The owner first: changing it clears set-id bits, which fchmod then
    // sets again. A user who may not give the file away keeps it.
    if (::fchown(fd_, old_.st_uid, old_.st_gid) != 0 &&
        ::fchown(fd_, uid_t(-1), old_.st_gid) != 0 && errno != EPERM)
        return false;
    if (::fchmod(fd_, old_.st_mode & 07777) != 0)
        return false;
    return copyExtendedAttributes(target_.constData(), fd_);
}

bool SafeSave::linkAndRename() {
    if (temporaryPath_.isEmpty()) {
        char self[64];
        std::snprintf(self, sizeof self, "/proc/self/fd/%d", fd_);
        for (int attempt = 0; attempt < 100; ++attempt) {
            QByteArray name = makeShortName(folder_, ".tmp", nullptr);
            if (name.isEmpty())
                return false;
            if (::linkat(AT_FDCWD, self, AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) == 0) {
                temporaryPath_ = name;
                break;
            }
            if (errno != EEXIST)
                return false;
        }
        if (temporaryPath_.isEmpty())
            return false;
    }
    if (::rename(temporaryPath_.constData(), target_.constData()) != 0)
        return false;
    temporaryPath_.clear();
    return true;
}

bool SafeSave::writeIntoLinkedTarget(bool sync) {
    int backupFd = -1;
    const QByteArray backup = makeShortName(folder_, ".bak", &backupFd);
    if (backup.isEmpty())
        return false;
    const int targetFd = ::open(target_.constData(), O_RDWR | O_CLOEXEC);
    bool ok = targetFd >= 0 && copyContent(targetFd, backupFd) && ::fsync(backupFd) == 0;
    ::close(backupFd);
    if (!ok) {
        ErrnoKeeper keep;
        if (targetFd >= 0)
            ::close(targetFd);
        ::unlink(backup.constData());
        return false;
    }
    ok = copyContent(fd_, targetFd) && (!sync || ::fsync(targetFd) == 0);
    if (!ok) {
        // Put the old bytes back; if even that fails, the backup stays
        // beside the file with the only whole copy.
        ErrnoKeeper keep;
        const int restoreFd = ::open(backup.constData(), O_RDONLY | O_CLOEXEC);
        const bool restored = restoreFd >= 0 && copyContent(restoreFd, targetFd);
        if (restoreFd >= 0)
            ::close(restoreFd);
        ::close(targetFd);
        if (restored)
            ::unlink(backup.constData());
        return false;
    }
    ok = ::close(targetFd) == 0;
    if (ok)
        ::unlink(backup.constData());
    return ok;
}

bool SafeSave::commit(bool sync) {
    if (fd_ < 0) {
        errno = EBADF;
        return false;
    }
    bool ok;
    if (existed_ && old_.st_nlink > 1 && S_ISREG(old_.st_mode)) {
        ok = writeIntoLinkedTarget(sync);
    } else {
        ok = carryAttributes() && (!sync || ::fdatasync(fd_) == 0) && linkAndRename();
        if (ok && sync) {
            const int folder = ::open(folder_.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (folder >= 0) {
                ::fsync(folder);
                ::close(folder);
            }
        }
    }
    ErrnoKeeper keep;
    if (ok) {
        ::close(fd_);
        fd_ = -1;
        temporaryPath_.clear();
    } else {
        cancel();
    }
    return ok;
}

void SafeSave::cancel() {
    ErrnoKeeper keep;
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (!temporaryPath_.isEmpty())
        ::unlink(temporaryPath_.constData());
    temporaryPath_.clear();
}

} // namespace textfile
