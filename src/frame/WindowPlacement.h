#pragma once

#include <QRect>

// Where the main window opens on its first start: on a screen of phone or
// small-tablet size it fills the available area, as the device's windows do;
// on a desktop it takes a comfortable editing size, centred, never larger
// than the available area. Later starts restore the geometry the user left
// (QWidget::restoreGeometry keeps it on the screen).
namespace window_placement {

// Screens whose available area is narrower or lower than this are phone-like.
inline constexpr int kPhoneMaxWidth = 800;
inline constexpr int kPhoneMaxHeight = 700;

QRect firstStartGeometry(const QRect& available);

} // namespace window_placement
