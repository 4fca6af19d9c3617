#include "FontSet.h"

#include "Settings.h"

QFont FontSet::makeFont(const FontSpec& spec, const QFont& base, int dpiY) {
    QFont f = base;
    f.setFamilies({spec.face});
    f.setFamily(spec.face);
    f.setPixelSize(std::max(1, fonts::pixelHeight(spec.points, dpiY)));
    f.setWeight(spec.bold ? QFont::Bold : QFont::Normal);
    f.setItalic(spec.italic);
    return f;
}

void FontSet::load(const Settings& settings, const std::array<bool, fonts::kCount>& reload,
                   const QFont& base, int dpiY) {
    for (int i = 0; i < fonts::kCount; ++i) {
        if (!reload[size_t(i)])
            continue;
        specs_[size_t(i)] = fonts::readSpec(settings, i);
        fonts_[size_t(i)] = makeFont(specs_[size_t(i)], base, dpiY);
    }
}

void FontSet::setLabels(int labelFormat, bool recentPlatform) {
    for (int i = 0; i < fonts::kCount; ++i)
        labels_[size_t(i)] = fonts::label(specs_[size_t(i)], i, labelFormat, recentPlatform);
}
