#pragma once

#include <QByteArray>
#include <QtGlobal>

// Sets an environment variable (a null value unsets it) until the end of the
// scope, then gives it back its earlier value or absence.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const QByteArray& value) : name_(name), saved_(qgetenv(name)) {
        set(value);
    }
    ~ScopedEnv() { set(saved_); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

    void set(const QByteArray& value) const {
        if (value.isNull())
            qunsetenv(name_);
        else
            qputenv(name_, value);
    }

  private:
    const char* name_;
    QByteArray saved_;
};
