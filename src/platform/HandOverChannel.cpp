#include "HandOverChannel.h"

#include "SingleInstanceLock.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QLocalSocket>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>
#include <QtEndian>

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

constexpr int kHeaderSize = 8;
constexpr int kAnswerSize = 12;
// How long accepting pauses when the process has no descriptor left.
constexpr int kAcceptPauseMs = 100;

QString socketPathIn(const QString& folder) {
    const QString base = folder.isEmpty() ? SingleInstanceLock::runtimeFolder() : folder;
    if (base.isEmpty())
        return QString();
    return base + QLatin1Char('/') + HandOverChannel::socketFileName();
}

bool peerIsSameUser(QLocalSocket* socket) {
    struct ucred cred {};
    socklen_t len = sizeof cred;
    const auto fd = int(socket->socketDescriptor());
    if (fd < 0 || ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &len) != 0 || len != sizeof cred)
        return false;
    return cred.uid == ::geteuid();
}

QByteArray header(uint32_t kind, uint32_t length) {
    QByteArray out(kHeaderSize, Qt::Uninitialized);
    qToLittleEndian(kind, out.data());
    qToLittleEndian(length, out.data() + 4);
    return out;
}

} // namespace

HandOverChannel::HandOverChannel(const QString& folder, QObject* parent)
    : QObject(parent), folder_(folder) {}

HandOverChannel::~HandOverChannel() {
    close();
}

QString HandOverChannel::socketFileName() {
    return QString::fromLatin1(SingleInstanceLock::kName) + QStringLiteral(".socket");
}

QString HandOverChannel::socketPath() const {
    return socketPathIn(folder_);
}

bool HandOverChannel::listen() {
    if (isListening())
        return true;
    const QByteArray path = QFile::encodeName(socketPath());
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.isEmpty() || size_t(path.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    listenFd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (listenFd_ < 0)
        return false;
    // Only the holder of the single-instance lock listens, so a socket file
    // that is still there belongs to an instance that has ended.
    ::unlink(path.constData());
    // The socket is made private to the user from its first moment.
    const mode_t mask = ::umask(0077);
    const bool bound = ::bind(listenFd_, reinterpret_cast<const sockaddr*>(&address),
                              socklen_t(sizeof address)) == 0;
    ::umask(mask);
    if (!bound || ::chmod(path.constData(), 0600) != 0 || ::listen(listenFd_, 64) != 0) {
        close();
        return false;
    }
    notifier_ = new QSocketNotifier(listenFd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &HandOverChannel::acceptPending);
    return true;
}

bool HandOverChannel::isListening() const {
    return listenFd_ >= 0;
}

void HandOverChannel::close() {
    if (listenFd_ < 0)
        return;
    delete notifier_;
    notifier_ = nullptr;
    ::close(listenFd_);
    listenFd_ = -1;
    ::unlink(QFile::encodeName(socketPath()).constData());
}

void HandOverChannel::acceptPending() {
    while (listenFd_ >= 0) {
        const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd >= 0) {
            serve(fd);
            continue;
        }
        if (errno == EINTR || errno == ECONNABORTED)
            continue;
        if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM) {
            // Out of descriptors: the waiting connections stay queued and are
            // taken once some are free again; the socket stays open.
            emit recordRejected(QStringLiteral("no file descriptor left; accepting paused"));
            notifier_->setEnabled(false);
            QTimer::singleShot(kAcceptPauseMs, this, [this] {
                if (notifier_)
                    notifier_->setEnabled(true);
                acceptPending();
            });
        }
        return;
    }
}

void HandOverChannel::serve(int fd) {
    if (connections_ >= kMaxConnections) {
        ::close(fd);
        emit recordRejected(QStringLiteral("too many connections at once"));
        return;
    }
    auto* socket = new QLocalSocket(this);
    if (!socket->setSocketDescriptor(fd)) {
        ::close(fd);
        delete socket;
        return;
    }
    ++connections_;
    connect(socket, &QObject::destroyed, this, [this] { --connections_; });
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    if (!peerIsSameUser(socket)) {
        emit recordRejected(QStringLiteral("connection from another user"));
        socket->abort();
        socket->deleteLater();
        return;
    }
    auto* idle = new QTimer(socket);
    idle->setObjectName(QStringLiteral("idle"));
    idle->setSingleShot(true);
    connect(idle, &QTimer::timeout, socket, [this, socket] {
        emit recordRejected(QStringLiteral("connection stalled"));
        socket->abort();
        socket->deleteLater();
    });
    idle->start(idleTimeoutMs_);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
    if (socket->bytesAvailable() > 0)
        onReadyRead(socket);
}

void HandOverChannel::onReadyRead(QLocalSocket* socket) {
    QPointer<QLocalSocket> guard(socket);
    while (guard && guard->bytesAvailable() >= kHeaderSize) {
        const QByteArray head = guard->peek(kHeaderSize);
        const auto kind = qFromLittleEndian<uint32_t>(head.constData());
        const auto length = qFromLittleEndian<uint32_t>(head.constData() + 4);
        const bool validRaise = kind == kRaise && length == 0;
        // A copy-data record holds its code and at least the NUL of its text.
        const bool validCopy =
            kind == kCopyData && length <= kMaxPayload && length >= 6 && length % 2 == 0;
        if (!validRaise && !validCopy) {
            emit recordRejected(QStringLiteral("malformed record"));
            guard->abort();
            return;
        }
        if (guard->bytesAvailable() < qint64(kHeaderSize + length))
            return; // the rest is still on its way
        guard->read(kHeaderSize);
        const QByteArray payload = guard->read(length);
        // The handlers may take long (a question to the user): the clock
        // starts again once the answer is out.
        auto* idle = guard->findChild<QTimer*>(QStringLiteral("idle"));
        if (idle)
            idle->stop();

        int result = 0;
        if (kind == kRaise) {
            if (raise_)
                raise_();
            result = 1;
        } else {
            const auto code = qFromLittleEndian<uint32_t>(payload.constData());
            const auto* units = reinterpret_cast<const char16_t*>(payload.constData() + 4);
            const qsizetype count = (payload.size() - 4) / 2;
            qsizetype end = 0;
            while (end < count && qFromLittleEndian<uint16_t>(units + end) != 0)
                ++end;
            if (end == count) {
                emit recordRejected(QStringLiteral("text without its terminating NUL"));
                if (guard)
                    guard->abort();
                return;
            }
            QString text(end, Qt::Uninitialized);
            for (qsizetype i = 0; i < end; ++i)
                text[i] = QChar(qFromLittleEndian<uint16_t>(units + i));
            // The handler may run a nested event loop (a question to the
            // user); the connection may be gone when it returns.
            if (copyData_)
                result = copyData_(code, text);
        }
        if (!guard)
            return;
        QByteArray answer = header(kind | kAnswerFlag, 4);
        answer.resize(kAnswerSize);
        qToLittleEndian(int32_t(result), answer.data() + kHeaderSize);
        guard->write(answer);
        guard->flush();
        if (idle)
            idle->start(idleTimeoutMs_);
    }
}

HandOverClient::HandOverClient(const QString& folder) : folder_(folder) {}

HandOverClient::~HandOverClient() {
    disconnect();
}

bool HandOverClient::connectToRunning(int timeoutMs) {
    disconnect();
    const QString path = socketPathIn(folder_);
    if (path.isEmpty())
        return false;
    socket_ = new QLocalSocket;
    socket_->connectToServer(path);
    if (!socket_->waitForConnected(timeoutMs)) {
        disconnect();
        return false;
    }
    return true;
}

bool HandOverClient::isConnected() const {
    return socket_ && socket_->state() == QLocalSocket::ConnectedState;
}

void HandOverClient::disconnect() {
    if (!socket_)
        return;
    socket_->abort();
    delete socket_;
    socket_ = nullptr;
}

bool HandOverClient::raiseWindow(int timeoutMs) {
    const std::optional<int> answer = request(HandOverChannel::kRaise, QByteArray(), timeoutMs);
    return answer && *answer != 0;
}

std::optional<int> HandOverClient::sendCopyData(uint32_t code, const QString& text, int timeoutMs) {
    const qsizetype length = 4 + (text.size() + 1) * 2;
    if (length > qsizetype(HandOverChannel::kMaxPayload))
        return std::nullopt;
    QByteArray payload(length, Qt::Uninitialized);
    qToLittleEndian(code, payload.data());
    for (qsizetype i = 0; i < text.size(); ++i)
        qToLittleEndian<uint16_t>(text.at(i).unicode(), payload.data() + 4 + 2 * i);
    qToLittleEndian<uint16_t>(0, payload.data() + length - 2);
    return request(HandOverChannel::kCopyData, payload, timeoutMs);
}

std::optional<int> HandOverClient::request(uint32_t kind, const QByteArray& payload,
                                           int timeoutMs) {
    if (!isConnected())
        return std::nullopt;
    QDeadlineTimer deadline(timeoutMs);
    socket_->write(header(kind, uint32_t(payload.size())) + payload);
    while (socket_->bytesToWrite() > 0) {
        if (!socket_->waitForBytesWritten(int(deadline.remainingTime())))
            return std::nullopt;
    }
    while (socket_->bytesAvailable() < kAnswerSize) {
        if (deadline.hasExpired() || !socket_->waitForReadyRead(int(deadline.remainingTime())))
            return std::nullopt;
    }
    const QByteArray answer = socket_->read(kAnswerSize);
    const auto answerKind = qFromLittleEndian<uint32_t>(answer.constData());
    const auto answerLength = qFromLittleEndian<uint32_t>(answer.constData() + 4);
    if (answerKind != (kind | HandOverChannel::kAnswerFlag) || answerLength != 4) {
        disconnect();
        return std::nullopt;
    }
    return qFromLittleEndian<int32_t>(answer.constData() + kHeaderSize);
}
