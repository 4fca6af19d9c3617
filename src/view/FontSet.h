#pragma once

#include "FontSettings.h"

#include <QFont>
#include <QString>
#include <array>

class Settings;

// The view's four prepared fonts and their menu labels.
class FontSet {
  public:
    // Re-creates font i from its settings when reload[i] is true. `base` is
    // the view's current font, whose other attributes the new font keeps.
    void load(const Settings& settings, const std::array<bool, fonts::kCount>& reload,
              const QFont& base, int dpiY);
    // Computes the four labels from the fonts' descriptions.
    void setLabels(int labelFormat, bool recentPlatform);

    const QFont& font(int index) const { return fonts_[fonts::normalizedIndex(index)]; }
    const FontChoice& choice(int index) const { return choices_[fonts::normalizedIndex(index)]; }
    const QString& label(int index) const { return labels_[fonts::normalizedIndex(index)]; }

    // The font a description makes, on top of `base`.
    static QFont makeFont(const FontChoice& choice, const QFont& base, int dpiY);

  private:
    std::array<QFont, fonts::kCount> fonts_;
    std::array<FontChoice, fonts::kCount> choices_;
    std::array<QString, fonts::kCount> labels_;
};
