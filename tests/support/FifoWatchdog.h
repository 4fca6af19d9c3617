#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

// A FIFO for tests of code that must never open one. Should the code under
// test block in open() or read() anyway, the watchdog opens the FIFO's other
// end after `limit` and closes it, so the test ends (and fails on its time
// bound) instead of hanging the run.
class FifoWatchdog {
  public:
    explicit FifoWatchdog(QByteArray path,
                          std::chrono::milliseconds limit = std::chrono::milliseconds(3000))
        : path_(std::move(path)) {
        made_ = ::mkfifo(path_.constData(), 0600) == 0;
        timer_.start();
        thread_ = std::thread([this, limit] {
            const auto end = std::chrono::steady_clock::now() + limit;
            while (!done_ && std::chrono::steady_clock::now() < end)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            if (done_)
                return;
            const int fd = ::open(path_.constData(), O_RDWR | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
        });
    }
    ~FifoWatchdog() {
        done_ = true;
        thread_.join();
    }
    FifoWatchdog(const FifoWatchdog&) = delete;
    FifoWatchdog& operator=(const FifoWatchdog&) = delete;

    bool made() const { return made_; }
    // Milliseconds since the FIFO was made.
    qint64 elapsedMs() const { return timer_.elapsed(); }

  private:
    QByteArray path_;
    bool made_ = false;
    QElapsedTimer timer_;
    std::atomic<bool> done_{false};
    std::thread thread_;
};
