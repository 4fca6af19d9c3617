#include "HandOverChannel.h"

#include "SingleInstanceLock.h"

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>
#include <QtEndian>

#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int kHeaderSize = 8;
constexpr int kAnswerSize = 12;

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
    const QString path = socketPath();
    if (path.isEmpty())
        return false;
    // Only the holder of the single-instance lock listens, so a socket file
    // that is still there belongs to an instance that has ended.
    QLocalServer::removeServer(path);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(path)) {
        delete server_;
        server_ = nullptr;
        return false;
    }
    connect(server_, &QLocalServer::newConnection, this, &HandOverChannel::onNewConnection);
    return true;
}

bool HandOverChannel::isListening() const {
    return server_ && server_->isListening();
}

void HandOverChannel::close() {
    if (!server_)
        return;
    server_->close();
    delete server_;
    server_ = nullptr;
}

void HandOverChannel::onNewConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!peerIsSameUser(socket)) {
            emit recordRejected(QStringLiteral("connection from another user"));
            socket->abort();
            socket->deleteLater();
            continue;
        }
        auto* idle = new QTimer(socket);
        idle->setObjectName(QStringLiteral("idle"));
        idle->setSingleShot(true);
        connect(idle, &QTimer::timeout, socket, [this, socket] {
            emit recordRejected(QStringLiteral("connection stalled"));
            socket->abort();
        });
        idle->start(idleTimeoutMs_);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
        if (socket->bytesAvailable() > 0)
            onReadyRead(socket);
    }
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
