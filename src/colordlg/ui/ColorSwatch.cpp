#include "ColorSwatch.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

QColor toQColor(COLORREF color) {
    return QColor(colorpalette::red(color), colorpalette::green(color), colorpalette::blue(color));
}

ColorSwatch::ColorSwatch(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ColorSwatch::setColor(COLORREF color) {
    color_ = color;
    update();
}

QSize ColorSwatch::sizeHint() const {
    const int h = fontMetrics().height() + 8;
    return {std::max(h + 8, 32), h};
}

QSize ColorSwatch::minimumSizeHint() const {
    const int h = fontMetrics().height() + 4;
    return {h, h};
}

void ColorSwatch::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect().adjusted(1, 1, -1, -1);
    p.fillRect(r, isEnabled() ? toQColor(color_) : palette().color(QPalette::Window));
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    if (hasFocus()) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 2));
        p.drawRect(r.adjusted(1, 1, -2, -2));
    }
    if (text().isEmpty() || !isEnabled())
        return;
    p.setPen(colorpalette::captionIsWhite(color_) ? Qt::white : Qt::black);
    p.drawText(r, Qt::AlignCenter, text());
}
