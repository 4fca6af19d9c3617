#include "InputTimes.h"

#include <QElapsedTimer>

InputTimes::InputTimes(TickSource ticks) : ticks_(std::move(ticks)) {
    if (!ticks_) {
        static QElapsedTimer clock;
        if (!clock.isValid())
            clock.start();
        ticks_ = [] { return clock.elapsed(); };
    }
}

bool InputTimes::isKeyLastInput() const {
    if (lastKey_ < 0 || !keyIsLatest_)
        return false;
    return ticks_() - lastKey_ <= kKeyRecentMs;
}
