#include "MappedInputGuard.h"

#include "TemporaryCleanup.h"

#include <csignal>
#include <string>
#include <unistd.h>

namespace {

// Made before the signal can come: the handler may only write and exit.
std::string& stopMessage() {
    static std::string message;
    return message;
}

void onInputVanished(int) {
    const std::string& message = stopMessage();
    const ssize_t written = write(STDERR_FILENO, message.data(), message.size());
    (void)written;
    removePendingTemporary();
    _exit(1);
}

} // namespace

void guardMappedInput(const QString& path) {
    stopMessage() = QStringLiteral("tavlo-cli: %1 was changed by another program while it was "
                                   "being read; stopped here, and no file was replaced\n")
                        .arg(path)
                        .toStdString();
    struct sigaction action {};
    action.sa_handler = onInputVanished;
    sigemptyset(&action.sa_mask);
    sigaction(SIGBUS, &action, nullptr);
}
