#include "OutputFile.h"

#include "CharSetCommandSupport.h"
#include "FileNameBytes.h"
#include "TemporaryCleanup.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kMaxLinkHops = 40;

// The path a write to `path` reaches: its symbolic links followed one by
// one, so that a link to a file not made yet still leads somewhere. Empty
// with errno set when a link can't be read or they form a loop.
QByteArray finalTarget(QByteArray path) {
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat st {};
        if (::lstat(path.constData(), &st) != 0)
            return errno == ENOENT ? path : QByteArray();
        if (!S_ISLNK(st.st_mode))
            return path;
        QByteArray link(4096, Qt::Uninitialized);
        const ssize_t n = ::readlink(path.constData(), link.data(), size_t(link.size()));
        if (n < 0)
            return {};
        link.truncate(n);
        const qsizetype slash = path.lastIndexOf('/');
        path = link.startsWith('/') || slash < 0 ? link : path.left(slash + 1) + link;
    }
    errno = ELOOP;
    return {};
}

// Whether the process may write the file as its owner would be allowed to:
// root's power to write anything is not a reason to replace a file its owner
// marked read-only.
bool writable(const QByteArray& path, const struct stat& st) {
    if (::geteuid() == 0)
        return (st.st_mode & 0222) != 0;
    return ::access(path.constData(), W_OK) == 0;
}

} // namespace

bool OutputFile::refuse(const QString& why) {
    cancel();
    io_.printError(cliMessage(why));
    return false;
}

bool OutputFile::fail(int error) {
    return refuse(
        editorMessage(33003, QStringLiteral("下記ファイルにアクセスできません。\n\n%s"), path_) +
        QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(error)));
}

bool OutputFile::open() {
    if (path_ == u"-")
        return true;
    const QByteArray target = finalTarget(bytesFromText(path_));
    if (target.isEmpty())
        return fail(errno);
    struct stat st {};
    if (::stat(target.constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return refuse(editorMessage(
                33001, QStringLiteral("出力先に指定されている下記のパスはフォルダです。\n\n%s"),
                path_));
        if (!S_ISREG(st.st_mode))
            return refuse(path_ + QStringLiteral(": not a regular file; it was left as it is"));
        if (!replaceReadOnly_ && !writable(target, st))
            return refuse(path_ + QStringLiteral(" is read-only; it was left as it is "
                                                 "(--force replaces it)"));
        struct stat input {};
        inPlace_ = ::stat(bytesFromText(inputPath_).constData(), &input) == 0 &&
                   input.st_dev == st.st_dev && input.st_ino == st.st_ino;
    } else if (errno != ENOENT) {
        return fail(errno);
    }
    installTemporaryCleanup();
    if (!save_.begin(target))
        return fail(errno);
    setPendingTemporary(save_.temporaryPath());
    toFile_ = true;
    return true;
}

bool OutputFile::write(const char* data, qsizetype size) {
    if (!toFile_)
        return io_.writeOut(data, size);
    return save_.write(data, size_t(size)) || fail(errno);
}

bool OutputFile::commit() {
    if (!toFile_)
        return !io_.outFailed;
    HeldStopSignals hold;
    const bool ok = save_.commit(inPlace_);
    const int error = errno;
    setPendingTemporary({});
    toFile_ = false;
    return ok || fail(error);
}

void OutputFile::cancel() {
    if (!toFile_)
        return;
    HeldStopSignals hold;
    save_.cancel();
    setPendingTemporary({});
    toFile_ = false;
}
