#pragma once

#include <QString>

class Settings;

// One of the four switchable fonts as the settings describe it.
struct FontChoice {
    QString face;
    int points = 9;
    bool bold = false;
    bool italic = false;
};

namespace fonts {
constexpr int kCount = 4;
constexpr int kFirstCommand = 32778; // fonts 1 ... 4 are 32778 ... 32781
constexpr int kFirstLabelString = 35050;

// Font i (0-3) from FONTn_NAME, FONTn_SIZE, FONTn_BOLD and FONTn_ITALIC.
FontChoice readFontChoice(const Settings& settings, int index);

// The font height in pixels for a size in points: |points * dpi / 72|, the
// division truncating (the device's negative height, as a pixel size).
int pixelHeight(int points, int dpiY);

// The inverse, as the font select dialog takes it: |pixels * 72 / dpi|.
int pointsFromPixels(int pixels, int dpiY);

// The menu label of font i (0-3): "%s:%dpt(&%d)\tCtrl+%d" when labelFormat is
// non-zero, else string 35050 + i ("Font&1\tCtrl+1" ... when missing); cut at
// its first TAB on a recent platform.
QString label(const FontChoice& choice, int index, int labelFormat, bool recentPlatform);

// Any index other than 1, 2, 3 counts as 0.
inline int normalizedIndex(int index) {
    return index >= 1 && index <= 3 ? index : 0;
}
} // namespace fonts
