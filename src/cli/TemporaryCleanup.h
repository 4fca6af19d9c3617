#pragma once

#include <QByteArray>
#include <csignal>

// A named temporary file of tavlo-cli's must not outlive a stop by SIGTERM,
// SIGHUP or SIGINT (nor the stop of the mapped-input guard). The one pending
// name is kept where a signal handler can reach it; the handler removes the
// file and then ends the process as the signal would have.
void installTemporaryCleanup();
void setPendingTemporary(const QByteArray& path); // empty: none pending
// Async-signal-safe: removes the pending file, if any.
void removePendingTemporary();

// Holds SIGTERM, SIGHUP and SIGINT back while it lives, so that a step that
// names files (putting OUT in place) is never cut in half.
class HeldStopSignals {
  public:
    HeldStopSignals();
    ~HeldStopSignals();
    HeldStopSignals(const HeldStopSignals&) = delete;
    HeldStopSignals& operator=(const HeldStopSignals&) = delete;

  private:
    sigset_t previous_;
};
