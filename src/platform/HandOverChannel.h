#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class QLocalSocket;
class QSocketNotifier;

// The channel between a second start and the running editor, in place of the
// device's marked window and WM_COPYDATA. The running instance listens on a
// local socket named after the single-instance lock ("ORVANE QXE 1.00.socket",
// beside the lock's "ORVANE QXE 1.00.lock") in the per-user runtime folder;
// only the same user may connect (socket permissions, and the peer's uid is
// checked again on every connection).
//
// Records, all numbers little-endian:
//   request: uint32 kind, uint32 payload length, payload
//     kind 1 (raise the window): no payload
//     kind 2 (copy data): uint32 code, then the text as UTF-16LE with a NUL
//   answer:  uint32 kind | 0x80000000, uint32 4, int32 result
// A record that is malformed or longer than kMaxPayload ends the connection
// without an answer, and so does a connection that stalls; the running editor
// goes on unharmed. Under a flood of connections the channel keeps
// listening: at most kMaxConnections are served at once (more are closed at
// once), and when the process runs out of file descriptors accepting pauses
// for a moment instead of giving the socket up.
class HandOverChannel : public QObject {
    Q_OBJECT
  public:
    static constexpr uint32_t kRaise = 1;
    static constexpr uint32_t kCopyData = 2;
    static constexpr uint32_t kAnswerFlag = 0x80000000u;
    static constexpr uint32_t kMaxPayload = 64 * 1024;
    static constexpr uint32_t kCopyDataOpenFile = 0x1024; // WM_COPYDATA code of a path
    static constexpr int kMaxConnections = 32;

    using CopyDataHandler = std::function<int(uint32_t code, const QString& text)>;
    using RaiseHandler = std::function<void()>;

    // folder: empty = SingleInstanceLock::runtimeFolder().
    explicit HandOverChannel(const QString& folder = QString(), QObject* parent = nullptr);
    ~HandOverChannel() override;

    // The running instance, from the moment its window is marked. Replaces a
    // stale socket of a process that ended without cleaning up.
    bool listen();
    bool isListening() const;
    void close();
    QString socketPath() const;
    // The socket's file in the runtime folder; never the lock file's name.
    static QString socketFileName();

    // Run on the receiving side, in the event loop; the copy-data handler's
    // result becomes the sender's answer (0 when none is set).
    void setCopyDataHandler(CopyDataHandler handler) { copyData_ = std::move(handler); }
    void setRaiseHandler(RaiseHandler handler) { raise_ = std::move(handler); }
    // A connection that has not completed a record for this long is closed,
    // so that a stalled sender can't pile up connections (default 5 s).
    void setIdleTimeout(int ms) { idleTimeoutMs_ = ms; }

  signals:
    // A connection was refused (other user) or a record rejected.
    void recordRejected(const QString& reason);

  private:
    void acceptPending();
    void serve(int fd);
    void onReadyRead(QLocalSocket* socket);

    QString folder_;
    int listenFd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    int connections_ = 0;
    CopyDataHandler copyData_;
    RaiseHandler raise_;
    int idleTimeoutMs_ = 5000;
};

// The second start's side: connects to the running instance, if any, and
// sends its requests synchronously, waiting for each answer.
class HandOverClient {
  public:
    explicit HandOverClient(const QString& folder = QString());
    ~HandOverClient();
    HandOverClient(const HandOverClient&) = delete;
    HandOverClient& operator=(const HandOverClient&) = delete;

    // True when a running instance accepted the connection ("a marked window
    // was found").
    bool connectToRunning(int timeoutMs = 2000);
    bool isConnected() const;
    // Asks the running instance to show and raise its window; true when it
    // confirmed.
    bool raiseWindow(int timeoutMs = 5000);
    // Sends the record and waits for the answer; nullopt on timeout or a lost
    // connection. The text must fit kMaxPayload.
    std::optional<int> sendCopyData(uint32_t code, const QString& text, int timeoutMs = 30000);
    void disconnect();

  private:
    std::optional<int> request(uint32_t kind, const QByteArray& payload, int timeoutMs);

    QString folder_;
    QLocalSocket* socket_ = nullptr;
};
