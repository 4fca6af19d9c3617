#include "ColorPalette.h"

#include "CommandIds.h"

#include <algorithm>

namespace colorpalette {
namespace {
constexpr COLORREF kBasic[kBasicCount] = {
    0x9999FF, 0x99FFFF, 0x99FF99, 0x99FF00, 0xFFFF99, 0xFF9900, 0xCC99FF, 0xFF66FF,
    0x0000FF, 0x00FFFF, 0x00FF99, 0x33FF00, 0xFFFF00, 0xCC9900, 0xCC9999, 0xFF0066,
    0x333399, 0x3399FF, 0x00FF00, 0x999900, 0x993300, 0xFF9999, 0x330099, 0x9900FF,
    0x000066, 0x0066FF, 0x006666, 0x339900, 0xFF0000, 0xCC0000, 0x990099, 0xFF0099,
    0x000033, 0x003399, 0x006600, 0x333300, 0x990000, 0x330000, 0x330033, 0x990033,
    0x000000, 0x006699, 0x339999, 0x999999, 0x996633, 0xCCCCCC, 0x3300CC, 0xFFFFFF,
};
} // namespace

COLORREF basicColor(int index) {
    return index >= 0 && index < kBasicCount ? kBasic[index] : kWhite;
}

bool isBasicId(int id) {
    return id >= cmd::colordlg::IDC_BASIC_FIRST && id <= cmd::colordlg::IDC_BASIC_LAST;
}

bool isCustomId(int id) {
    return id >= cmd::colordlg::IDC_CUSTOM_FIRST && id <= cmd::colordlg::IDC_CUSTOM_LAST;
}

int basicIndexOf(COLORREF color) {
    const auto* it = std::find(std::begin(kBasic), std::end(kBasic), color);
    return it == std::end(kBasic) ? -1 : int(it - std::begin(kBasic));
}

bool captionIsWhite(COLORREF color) {
    const int r = red(color);
    const int g = green(color);
    const int b = blue(color) * 6 / 10;
    return r * r + g * g + b * b < 48769;
}

int componentFromText(const QString& text) {
    bool ok = false;
    const qlonglong n = text.trimmed().toLongLong(&ok);
    if (!ok)
        return text.trimmed().isEmpty() ? 0 : 255; // digits beyond a long long
    return int(std::clamp<qlonglong>(n, 0, 255));
}

int normalizedStyle(int stored) {
    return stored == kStyleBoth || stored == kStyleCustom ? stored : kStyleBasic;
}

int normalizedTapAction(int stored) {
    return stored == kTapFocus || stored == kTapLoad ? stored : kTapSelect;
}
} // namespace colorpalette

void CustomColorList::set(int count,
                          const std::array<COLORREF, colorpalette::kCustomCount>& colors) {
    count_ = std::clamp(count, 0, colorpalette::kCustomCount);
    for (int i = 0; i < count_; ++i)
        slots_[size_t(i)] = colors[size_t(i)];
}

COLORREF CustomColorList::at(int index) const {
    return index >= 0 && index < colorpalette::kCustomCount ? slots_[size_t(index)]
                                                            : colorpalette::kWhite;
}

int CustomColorList::indexOf(COLORREF color) const {
    for (int i = 0; i < count_; ++i)
        if (slots_[size_t(i)] == color)
            return i;
    return -1;
}

void CustomColorList::putFirst(COLORREF color) {
    int from = indexOf(color);
    if (from < 0) {
        count_ = std::min(count_ + 1, colorpalette::kCustomCount);
        from = count_ - 1;
    }
    for (int i = from; i > 0; --i)
        slots_[size_t(i)] = slots_[size_t(i - 1)];
    slots_[0] = color;
}
