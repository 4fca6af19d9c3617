#pragma once

#include <QString>
#include <array>
#include <cstdint>

// A colour as the settings store it: red in bits 0-7, green in 8-15, blue in 16-23.
using COLORREF = uint32_t;

namespace colorpalette {
constexpr int kBasicCount = 48;
constexpr int kBasicColumns = 8;
constexpr int kCustomCount = 5;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kPreviewFrame = 0x404040;

// Styles, stored as the string ids of their names.
constexpr int kStyleBoth = 30069;
constexpr int kStyleBasic = 30070;
constexpr int kStyleCustom = 30071;
// What a tap on a swatch does.
constexpr int kTapSelect = 0;
constexpr int kTapFocus = 1;
constexpr int kTapLoad = 2;

constexpr int red(COLORREF c) {
    return int(c & 0xFF);
}
constexpr int green(COLORREF c) {
    return int((c >> 8) & 0xFF);
}
constexpr int blue(COLORREF c) {
    return int((c >> 16) & 0xFF);
}
constexpr COLORREF rgb(int r, int g, int b) {
    return COLORREF(r & 0xFF) | (COLORREF(g & 0xFF) << 8) | (COLORREF(b & 0xFF) << 16);
}

// Basic colour `index` (0-47), row by row from the top left.
COLORREF basicColor(int index);
bool isBasicId(int id);
bool isCustomId(int id);
// The index of a basic colour in the palette, or -1.
int basicIndexOf(COLORREF color);

// A caption on this colour is drawn white when the colour is dark enough.
bool captionIsWhite(COLORREF color);

// A value box's text read as a number and limited to 0-255; text that is no
// number reads as 0.
int componentFromText(const QString& text);

// A stored style or tap action the dialog doesn't know becomes the default,
// so that the dialog always shows some colours and a tap always does something.
int normalizedStyle(int stored);
int normalizedTapAction(int stored);
} // namespace colorpalette

// The recently created custom colours, most recent first.
class CustomColorList {
  public:
    // A count below 0 becomes 0, above 5 becomes 5; the first count slots take
    // the colours from the start.
    void set(int count, const std::array<COLORREF, colorpalette::kCustomCount>& colors);
    int count() const { return count_; }
    COLORREF at(int index) const;
    // Puts a colour first: a colour already in the list moves to the front,
    // a new one pushes the others down (the last of a full list drops out).
    void putFirst(COLORREF color);
    // The first slot holding the colour, or -1.
    int indexOf(COLORREF color) const;

  private:
    int count_ = 0;
    std::array<COLORREF, 8> slots_{colorpalette::kWhite, colorpalette::kWhite, colorpalette::kWhite,
                                   colorpalette::kWhite, colorpalette::kWhite, colorpalette::kWhite,
                                   colorpalette::kWhite, colorpalette::kWhite};
};
