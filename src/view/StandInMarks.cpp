#include "StandInMarks.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPalette>
#include <algorithm>

namespace {
// Text in a shaded box, scaled down until it fits the cell.
void drawBoxedText(QPainter& painter, const QRectF& cell, const QString& text,
                   const QPalette& palette) {
    const QColor ink = palette.color(QPalette::Text);
    painter.fillRect(cell, palette.color(QPalette::Base));
    QColor tint = ink;
    tint.setAlpha(60);
    const QRectF box = cell.adjusted(0.5, 1, -0.5, -1);
    painter.fillRect(box, tint);
    QFont font = painter.font();
    qreal size = std::max<qreal>(4, box.height() * 0.6);
    font.setPixelSize(int(size));
    while (size > 4 && QFontMetricsF(font).horizontalAdvance(text) > box.width() - 1) {
        size -= 1;
        font.setPixelSize(int(size));
    }
    painter.save();
    painter.setFont(font);
    painter.setPen(ink);
    painter.drawText(box, Qt::AlignCenter, text);
    painter.restore();
}

// An arrow to the left for a lone CR, an arrow down for a lone LF, a
// pilcrow for a paragraph separator and a bent arrow for a line separator.
void drawMark(QPainter& painter, const QRectF& cell, edittext::StandInMark mark) {
    using edittext::StandInMark;
    const qreal w = cell.width();
    const qreal h = cell.height();
    const qreal cx = cell.center().x();
    const qreal cy = cell.center().y();
    const qreal head = std::max<qreal>(2, std::min(w, h) / 3);
    switch (mark) {
    case StandInMark::None:
        break;
    case StandInMark::ArrowLeft: {
        const qreal left = cell.left() + 1;
        painter.drawLine(QPointF(cell.right() - 1, cy), QPointF(left, cy));
        painter.drawLine(QPointF(left, cy), QPointF(left + head, cy - head));
        painter.drawLine(QPointF(left, cy), QPointF(left + head, cy + head));
        break;
    }
    case StandInMark::ArrowDown: {
        const qreal bottom = cell.top() + h * 0.8;
        painter.drawLine(QPointF(cx, cell.top() + h * 0.2), QPointF(cx, bottom));
        painter.drawLine(QPointF(cx, bottom), QPointF(cx - head, bottom - head));
        painter.drawLine(QPointF(cx, bottom), QPointF(cx + head, bottom - head));
        break;
    }
    case StandInMark::Nul: // drawn as a box of its own in paintStandInCell
        break;
    case StandInMark::Pilcrow:
        painter.drawText(cell, Qt::AlignCenter, QString(QChar(0x00B6)));
        break;
    case StandInMark::BentArrow: {
        const qreal right = cell.right() - 1;
        const qreal bottom = cell.top() + h * 0.7;
        painter.drawLine(QPointF(right, cell.top() + h * 0.25), QPointF(right, bottom));
        painter.drawLine(QPointF(right, bottom), QPointF(cell.left() + 1, bottom));
        break;
    }
    }
}
} // namespace

void paintStandInCell(QPainter& painter, const QRectF& cell, edittext::StandInMark mark,
                      const QPalette& palette) {
    if (mark == edittext::StandInMark::None)
        return;
    if (mark == edittext::StandInMark::Nul) {
        drawBoxedText(painter, cell, QStringLiteral("NUL"), palette);
        return;
    }
    const QColor shade = palette.color(QPalette::Text);
    painter.fillRect(cell, palette.color(QPalette::Base));
    QColor tint = shade;
    tint.setAlpha(40);
    painter.fillRect(cell.adjusted(0, 1, 0, -1), tint);
    painter.setPen(shade);
    drawMark(painter, cell, mark);
}

void paintRawByteCell(QPainter& painter, const QRectF& cell, uint8_t byte,
                      const QPalette& palette) {
    drawBoxedText(painter, cell, QStringLiteral("%1").arg(byte, 2, 16, QChar(u'0')).toUpper(),
                  palette);
}
