#include "FontSet.h"

#include "Settings.h"

QFont FontSet::makeFont(const FontChoice& choice, const QFont& base, int dpiY) {
    QFont f = base;
    f.setFamilies({choice.face});
    f.setFamily(choice.face);
    f.setPixelSize(std::max(1, fonts::pixelHeight(choice.points, dpiY)));
    f.setWeight(choice.bold ? QFont::Bold : QFont::Normal);
    f.setItalic(choice.italic);
    return f;
}

void FontSet::load(const Settings& settings, const std::array<bool, fonts::kCount>& reload,
                   const QFont& base, int dpiY) {
    for (int i = 0; i < fonts::kCount; ++i) {
        if (!reload[size_t(i)])
            continue;
        choices_[size_t(i)] = fonts::readFontChoice(settings, i);
        fonts_[size_t(i)] = makeFont(choices_[size_t(i)], base, dpiY);
    }
}

void FontSet::setLabels(int labelFormat, bool recentPlatform) {
    for (int i = 0; i < fonts::kCount; ++i)
        labels_[size_t(i)] = fonts::label(choices_[size_t(i)], i, labelFormat, recentPlatform);
}
