#pragma once

#include "MessageService.h"
#include "Subcommand.h"

// The editor's message boxes as lines on the error stream; each takes its
// default answer.
class ErrorStreamMessages : public MessageService {
  public:
    explicit ErrorStreamMessages(CliIo& io) : io_(io) {}

    int show(const QString& text, const QString&, uint32_t style, void* = nullptr) override {
        io_.printError(cliMessage(text));
        return defaultAnswerFor(style);
    }

  private:
    CliIo& io_;
};
