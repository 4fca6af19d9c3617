#pragma once

#include <QDateTime>

// The local time as the editor sees it; tests install a fixed one.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const { return QDateTime::currentDateTime(); }
};

class FixedClock : public Clock {
public:
    explicit FixedClock(QDateTime t) : t_(std::move(t)) {}
    QDateTime now() const override { return t_; }
    void set(QDateTime t) { t_ = std::move(t); }

private:
    QDateTime t_;
};
