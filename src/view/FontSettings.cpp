#include "FontSettings.h"

#include "Settings.h"
#include "StringTable.h"

#include <cstdlib>

namespace fonts {

FontChoice readFontChoice(const Settings& settings, int index) {
    const QString n = QString::number(index + 1);
    FontChoice choice;
    choice.face = settings.getString(QStringLiteral("FONT%1_NAME").arg(n));
    choice.points = settings.getInt(QStringLiteral("FONT%1_SIZE").arg(n));
    choice.bold = settings.getInt(QStringLiteral("FONT%1_BOLD").arg(n)) != 0;
    choice.italic = settings.getInt(QStringLiteral("FONT%1_ITALIC").arg(n)) != 0;
    return choice;
}

int pixelHeight(int points, int dpiY) {
    return std::abs(points * dpiY / 72);
}

int pointsFromPixels(int pixels, int dpiY) {
    return dpiY > 0 ? std::abs(pixels * 72 / dpiY) : 0;
}

QString label(const FontChoice& choice, int index, int labelFormat, bool recentPlatform) {
    const int i = index + 1;
    QString text;
    if (labelFormat != 0) {
        text =
            QStringLiteral("%1:%2pt(&%3)\tCtrl+%4").arg(choice.face).arg(choice.points).arg(i).arg(i);
    } else {
        text = res::loadString(kFirstLabelString + index,
                               QStringLiteral("Font&%1\tCtrl+%2").arg(i).arg(i));
    }
    if (recentPlatform) {
        const qsizetype tab = text.indexOf(u'\t');
        if (tab >= 0)
            text.truncate(tab);
    }
    return text;
}

} // namespace fonts
