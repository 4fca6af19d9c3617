#include "TextFileIO.h"

#include "FileNameBytes.h"
#include "SafeSave.h"

#include <algorithm>
#include <cstring>

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace textfile {

namespace {

// Closes a descriptor on every way out.
struct Fd {
    int fd = -1;
    ~Fd() {
        if (fd >= 0)
            ::close(fd);
    }
};

} // namespace

ReadResult readAll(const QString& path, qint64 maxBytes) {
    ReadResult result;
    const QByteArray name = bytesFromText(path);
    // The kind of file is checked before it is opened: opening a pipe waits
    // for a writer, and opening a device may act on the device.
    struct stat st {};
    if (::stat(name.constData(), &st) == 0 && !S_ISREG(st.st_mode)) {
        result.status = S_ISDIR(st.st_mode) ? ReadStatus::OpenFailed : ReadStatus::NotRegularFile;
        return result;
    }
    // Opened without waiting, in case the path was replaced by a pipe
    // meanwhile; the check is repeated on what was opened.
    Fd file;
    file.fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (file.fd < 0) {
        result.status = ReadStatus::OpenFailed;
        return result;
    }
    if (::fstat(file.fd, &st) != 0) {
        result.status = ReadStatus::SizeFailed;
        return result;
    }
    if (!S_ISREG(st.st_mode)) {
        result.status = S_ISDIR(st.st_mode) ? ReadStatus::OpenFailed : ReadStatus::NotRegularFile;
        return result;
    }
    ::fcntl(file.fd, F_SETFL, ::fcntl(file.fd, F_GETFL) & ~O_NONBLOCK);
    const qint64 size = st.st_size;
    if (size > maxBytes) {
        result.status = ReadStatus::TooLarge;
        return result;
    }
    try {
        // The four zero bytes after the data sit in QByteArray's reserve.
        result.bytes.reserve(size + 4);
        result.bytes.resize(size);
        std::fill_n(result.bytes.data() + size, 4, '\0');
    } catch (const std::bad_alloc&) {
        result.bytes = QByteArray();
        result.status = ReadStatus::OutOfMemory;
        return result;
    }
    qint64 done = 0;
    char* data = result.bytes.data();
    while (done < size) {
        const ssize_t n = ::read(file.fd, data + done, size_t(size - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            result.bytes = QByteArray();
            result.status = ReadStatus::ReadFailed;
            return result;
        }
        done += n;
    }
    result.status = ReadStatus::Ok;
    return result;
}

bool readStamp(const QString& path, FileStamp* stamp) {
    *stamp = FileStamp{};
    struct stat st {};
    if (::stat(bytesFromText(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    stamp->time = filetime::fromUnix(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
    stamp->size = st.st_size;
    return true;
}

QString saveTarget(const QString& path) {
    QByteArray target = bytesFromText(path);
    // A chain of links is followed link by link, so that a link to a file
    // that doesn't exist yet is still written through. The bound stops loops.
    for (int hops = 0; hops < 40; ++hops) {
        char next[PATH_MAX];
        const ssize_t n = ::readlink(target.constData(), next, sizeof next);
        if (n <= 0 || n == ssize_t(sizeof next))
            return textFromBytes(target);
        const QByteArray link(next, qsizetype(n));
        if (link.startsWith('/'))
            target = link;
        else
            target = target.left(target.lastIndexOf('/') + 1) + link;
    }
    return path;
}

bool writeAtomically(const QString& path, const QByteArray& bytes, QString* errorText) {
    SafeSave save;
    const bool ok = save.begin(bytesFromText(saveTarget(path))) &&
                    save.write(bytes.constData(), size_t(bytes.size())) && save.commit(true);
    if (!ok && errorText)
        *errorText = QString::fromLocal8Bit(strerror(errno));
    return ok;
}

} // namespace textfile
