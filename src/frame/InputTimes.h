#pragma once

#include <QtGlobal>
#include <functional>

// When the user last pressed or released a key and last touched the screen,
// in milliseconds of a monotonic clock. The find and replace bars ask
// whether a button was pressed with a key (to keep the focus on a button)
// or tapped (to put it back into the text box).
class InputTimes {
  public:
    using TickSource = std::function<qint64()>;

    // ticks: empty = a monotonic clock started with the process.
    explicit InputTimes(TickSource ticks = {});

    void keyEvent() {
        lastKey_ = ticks_();
        keyIsLatest_ = true;
    }
    void tapEvent() {
        lastTap_ = ticks_();
        keyIsLatest_ = false;
    }

    // True when the last key event is more recent than the last tap and at
    // most 500 ms old.
    bool isKeyLastInput() const;

    qint64 lastKeyTime() const { return lastKey_; }
    qint64 lastTapTime() const { return lastTap_; }

    static constexpr qint64 kKeyRecentMs = 500;

  private:
    TickSource ticks_;
    qint64 lastKey_ = -1;
    qint64 lastTap_ = -1;
    // Events of the same millisecond still come one after the other.
    bool keyIsLatest_ = false;
};
