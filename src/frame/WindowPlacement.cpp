#include "WindowPlacement.h"

#include <algorithm>

namespace window_placement {

QRect firstStartGeometry(const QRect& available) {
    if (available.width() < kPhoneMaxWidth || available.height() < kPhoneMaxHeight)
        return available;
    // About the width of 90 columns of text and most of the height; large
    // screens do not make the window endlessly wide.
    const int width = std::clamp(available.width() * 3 / 5, kPhoneMaxWidth - 160, 1100);
    const int height = std::min(available.height() * 17 / 20, 1000);
    QRect placed(0, 0, width, height);
    placed.moveCenter(available.center());
    return placed;
}

} // namespace window_placement
