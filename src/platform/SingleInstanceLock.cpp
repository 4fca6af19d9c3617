#include "SingleInstanceLock.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Creates the folder with mode 0700 if needed and accepts it only when it is
// a real folder of ours that nobody else may enter.
bool ensurePrivateFolder(const QString& folder) {
    const QByteArray path = QFile::encodeName(folder);
    if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid())
        return false;
    if ((st.st_mode & 077) != 0 && ::chmod(path.constData(), 0700) != 0)
        return false;
    return true;
}

} // namespace

QString SingleInstanceLock::runtimeFolder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir::isAbsolutePath(runtime) && QFileInfo(runtime).isDir()) {
        const QString folder = runtime + QStringLiteral("/tavlo");
        if (ensurePrivateFolder(folder))
            return folder;
    }
    const QString folder =
        QDir::tempPath() + QStringLiteral("/tavlo-") + QString::number(::geteuid());
    return ensurePrivateFolder(folder) ? folder : QString();
}

SingleInstanceLock::SingleInstanceLock(const QString& name, const QString& folder)
    : name_(name), folder_(folder) {}

SingleInstanceLock::~SingleInstanceLock() {
    unlock();
}

QString SingleInstanceLock::lockFileName(const QString& name) {
    return name + QStringLiteral(".lock");
}

QString SingleInstanceLock::lockFilePath() const {
    const QString folder = folder_.isEmpty() ? runtimeFolder() : folder_;
    return folder.isEmpty() ? QString() : folder + QLatin1Char('/') + lockFileName(name_);
}

SingleInstanceLock::Result SingleInstanceLock::tryLock() {
    if (fd_ >= 0)
        return Result::Acquired;
    const QString path = lockFilePath();
    if (path.isEmpty()) {
        error_ = QStringLiteral("no private runtime folder for the lock file");
        return Result::Failed;
    }
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        error_ = path + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
        return Result::Failed;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int err = errno;
        ::close(fd);
        if (err == EWOULDBLOCK)
            return Result::AlreadyRunning;
        error_ = path + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(err));
        return Result::Failed;
    }
    // The holder's process id, for whoever looks.
    const QByteArray pid = QByteArray::number(qint64(::getpid())) + '\n';
    if (::ftruncate(fd, 0) == 0 && ::write(fd, pid.constData(), size_t(pid.size())) < 0) {
        // Only informative.
    }
    fd_ = fd;
    error_.clear();
    return Result::Acquired;
}

void SingleInstanceLock::unlock() {
    if (fd_ < 0)
        return;
    ::flock(fd_, LOCK_UN);
    ::close(fd_);
    fd_ = -1;
}
