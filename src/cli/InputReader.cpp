#include "CharSetCommandSupport.h"

#include "FileNameBytes.h"
#include "MappedInputGuard.h"
#include "StringTable.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <poll.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace {

// The file system of unnamed pipes ("|" in a shell, standard input).
constexpr long kPipeFsMagic = 0x50495045;

struct Fd {
    int fd = -1;
    ~Fd() {
        if (fd >= 0)
            ::close(fd);
    }
};

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

QString outOfMemoryMessage() {
    return editorMessage(40000, QStringLiteral("メモリー不足が発生しました。"));
}

// Waits until a program opened a named pipe and wrote to it (or closed it
// again). Opening for reading doesn't wait for a writer, so that a pipe no
// program ever writes to ends the run instead of hanging it.
bool waitForWriter(int fd) {
    pollfd p{fd, POLLIN, 0};
    for (;;) {
        const int n = ::poll(&p, 1, kWriterWaitSeconds * 1000);
        if (n < 0 && errno == EINTR)
            continue;
        return n > 0;
    }
}

enum class StreamRead { Ok, Failed, TooLarge, OutOfMemory };

// Reads to the end, at most kMaxStreamBytes.
StreamRead readStream(int fd, QByteArray& bytes) {
    try {
        qsizetype size = 0;
        bytes.resize(64 * 1024);
        for (;;) {
            if (size == bytes.size()) {
                if (size > kMaxStreamBytes)
                    return StreamRead::TooLarge;
                bytes.resize(std::min<qsizetype>(size * 2, kMaxStreamBytes + 1));
            }
            const ssize_t n = ::read(fd, bytes.data() + size, size_t(bytes.size() - size));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                return StreamRead::Failed;
            if (n == 0)
                break;
            size += n;
        }
        bytes.truncate(size);
        return StreamRead::Ok;
    } catch (const std::bad_alloc&) {
        bytes = QByteArray();
        return StreamRead::OutOfMemory;
    }
}

} // namespace

std::optional<InputFile> readInputFile(const QString& path, CliIo& io, const QString& openFailure) {
    const QByteArray name = bytesFromText(path);
    auto refuse = [&](const QString& text) {
        io.printError(cliMessage(text));
        return std::optional<InputFile>();
    };
    auto failed = [&](int error) {
        return refuse(res::substitute(openFailure, path) + QStringLiteral(": ") +
                      systemReason(error));
    };
    // The kind of file is known before it is opened: opening a device may act
    // on it, and only pipes and character devices are read as streams.
    struct stat st {};
    if (::stat(name.constData(), &st) != 0)
        return failed(errno);
    if (S_ISDIR(st.st_mode))
        return refuse(editorMessage(33004,
                                    QStringLiteral("下のパスはテキストファイルではなく、フォルダ"
                                                   "であるためオープンできません\n\n%s"),
                                    path));
    if (!S_ISREG(st.st_mode) && !S_ISFIFO(st.st_mode) && !S_ISCHR(st.st_mode))
        return refuse(path + QStringLiteral(": not a regular file, a pipe or a character device; "
                                            "it was not read"));
    Fd file;
    file.fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (file.fd < 0 || ::fstat(file.fd, &st) != 0)
        return failed(errno);
    if (S_ISREG(st.st_mode) && st.st_size > 0) {
        const size_t size = size_t(st.st_size);
        void* at = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, file.fd, 0);
        if (at != MAP_FAILED) {
            guardMappedInput(path);
            return InputFile(static_cast<const char*>(at), size);
        }
    }
    struct statfs fs {};
    const bool namedPipe =
        S_ISFIFO(st.st_mode) && ::fstatfs(file.fd, &fs) == 0 && fs.f_type != kPipeFsMagic;
    if (namedPipe && !waitForWriter(file.fd))
        return refuse(path + QStringLiteral(": no program wrote to this pipe within %1 seconds; "
                                            "it was not read")
                                 .arg(kWriterWaitSeconds));
    ::fcntl(file.fd, F_SETFL, ::fcntl(file.fd, F_GETFL) & ~O_NONBLOCK);
    QByteArray bytes;
    const StreamRead read = readStream(file.fd, bytes);
    const int error = errno;
    switch (read) {
    case StreamRead::Ok:
        return InputFile(std::move(bytes));
    case StreamRead::Failed:
        return refuse(
            editorMessage(33003, QStringLiteral("下記ファイルにアクセスできません。\n\n%s"), path) +
            QStringLiteral(": ") + systemReason(error));
    case StreamRead::TooLarge:
        return refuse(path + QStringLiteral(": more than %1 MB to read; it was refused")
                                 .arg(kMaxStreamBytes / (1024 * 1024)));
    case StreamRead::OutOfMemory:
        return refuse(outOfMemoryMessage() + QStringLiteral(": ") + path);
    }
    return std::nullopt;
}
