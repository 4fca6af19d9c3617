#pragma once

#include "MessageService.h"

#include <QString>

// Shows the file select dialog's messages: the path (or number) goes into the
// text's "%s" (or "%d"), the caption is the application title.
class QsdMessenger {
  public:
    explicit QsdMessenger(MessageService& service, void* owner = nullptr)
        : service_(service), owner_(owner) {}

    int show(const QString& text, uint32_t style) const;
    int show(const QString& text, const QString& path, uint32_t style) const;
    // A numbered string, with its own text as the fallback.
    static QString text(uint32_t id, const QString& fallback);
    // A path as shown in messages: no trailing "/" except for the root.
    static QString shownPath(const QString& path);

    void setOwner(void* owner) { owner_ = owner; }
    MessageService& service() const { return service_; }

  private:
    MessageService& service_;
    void* owner_;
};
