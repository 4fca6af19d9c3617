#include "TemporaryCleanup.h"

#include <csignal>
#include <cstring>
#include <pthread.h>
#include <unistd.h>

namespace {

constexpr int kStopSignals[] = {SIGTERM, SIGHUP, SIGINT};

// Written only while the stop signals are held, read by their handler.
char pendingPath[4097];

sigset_t stopSignalSet() {
    sigset_t set;
    sigemptyset(&set);
    for (int sig : kStopSignals)
        sigaddset(&set, sig);
    return set;
}

void onStop(int sig) {
    removePendingTemporary();
    ::signal(sig, SIG_DFL);
    ::raise(sig);
}

} // namespace

void installTemporaryCleanup() {
    struct sigaction action {};
    action.sa_handler = onStop;
    sigemptyset(&action.sa_mask);
    for (int sig : kStopSignals) {
        // A signal the caller chose to ignore (nohup) stays ignored.
        struct sigaction old {};
        if (sigaction(sig, nullptr, &old) == 0 && old.sa_handler == SIG_IGN)
            continue;
        sigaction(sig, &action, nullptr);
    }
}

void setPendingTemporary(const QByteArray& path) {
    HeldStopSignals hold;
    if (path.size() >= qsizetype(sizeof pendingPath)) {
        pendingPath[0] = '\0';
        return;
    }
    std::memcpy(pendingPath, path.constData(), size_t(path.size()));
    pendingPath[path.size()] = '\0';
}

void removePendingTemporary() {
    if (pendingPath[0] != '\0')
        ::unlink(pendingPath);
    pendingPath[0] = '\0';
}

HeldStopSignals::HeldStopSignals() {
    const sigset_t set = stopSignalSet();
    pthread_sigmask(SIG_BLOCK, &set, &previous_);
}

HeldStopSignals::~HeldStopSignals() {
    pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}
