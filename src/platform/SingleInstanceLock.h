#pragma once

#include <QString>

// The device's named mutex "ORVANE QXE 1.00": an exclusive flock on the lock
// file "<name>.lock" in the per-user runtime folder. The kernel releases it
// when the process ends, however it ends, so a crashed editor never blocks
// the next start. The hand-over socket of the same name lies beside it under
// a name of its own (HandOverChannel::socketFileName()), so neither replaces
// the other.
class SingleInstanceLock {
  public:
    enum class Result {
        Acquired,       // this process is the running instance
        AlreadyRunning, // another process holds the lock (ERROR_ALREADY_EXISTS)
        Failed,         // the lock file can't be created; see errorString()
    };

    static constexpr const char* kName = "ORVANE QXE 1.00";

    // folder: where the lock file lies; empty = runtimeFolder().
    explicit SingleInstanceLock(const QString& name = QString::fromLatin1(kName),
                                const QString& folder = QString());
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    Result tryLock();
    bool isLocked() const { return fd_ >= 0; }
    void unlock();
    QString lockFilePath() const;
    // The file the lock of the given name takes in the runtime folder.
    static QString lockFileName(const QString& name);
    QString errorString() const { return error_; }

    // $XDG_RUNTIME_DIR/tavlo, else <temp>/tavlo-<uid>; created with mode 0700.
    // A temp folder of that name owned by someone else, or open to others, is
    // refused (empty result), since anyone could then take our socket's place.
    static QString runtimeFolder();

  private:
    QString name_;
    QString folder_;
    QString error_;
    int fd_ = -1;
};
