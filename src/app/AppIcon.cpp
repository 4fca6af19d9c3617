#include "AppIcon.h"

#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

class AppIconEngine : public QIconEngine {
  public:
    void paint(QPainter* p, const QRect& rect, QIcon::Mode, QIcon::State) override {
        p->save();
        p->setRenderHint(QPainter::Antialiasing);
        p->translate(rect.topLeft());
        p->scale(rect.width() / 128.0, rect.height() / 128.0);

        QPainterPath sheet;
        sheet.moveTo(24, 10);
        sheet.lineTo(82, 10);
        sheet.lineTo(106, 34);
        sheet.lineTo(106, 114);
        sheet.quadTo(106, 120, 100, 120);
        sheet.lineTo(24, 120);
        sheet.quadTo(18, 120, 18, 114);
        sheet.lineTo(18, 16);
        sheet.quadTo(18, 10, 24, 10);
        QLinearGradient page(0, 0, 0, 128);
        page.setColorAt(0, QColor("#ffffff"));
        page.setColorAt(1, QColor("#e8edf3"));
        QPen outline(QColor("#44546a"), 4);
        outline.setJoinStyle(Qt::RoundJoin);
        p->setPen(outline);
        p->setBrush(page);
        p->drawPath(sheet);

        QPainterPath fold;
        fold.moveTo(82, 10);
        fold.lineTo(82, 28);
        fold.quadTo(82, 34, 88, 34);
        fold.lineTo(106, 34);
        p->setBrush(QColor("#cfd8e3"));
        p->drawPath(fold);

        QPen lines(QColor("#2f6fb5"), 6);
        lines.setCapStyle(Qt::RoundCap);
        p->setPen(lines);
        p->drawLine(32, 46, 74, 46);
        p->drawLine(32, 62, 90, 62);
        p->drawLine(32, 78, 66, 78);
        p->drawLine(32, 94, 54, 94);

        p->translate(92, 92);
        p->rotate(45);
        p->translate(-92, -92);
        QLinearGradient pen(84, 52, 100, 104);
        pen.setColorAt(0, QColor("#f4a340"));
        pen.setColorAt(1, QColor("#d9701c"));
        p->setPen(QPen(QColor("#7a3d0c"), 3));
        p->setBrush(pen);
        p->drawRoundedRect(QRectF(84, 52, 16, 52), 3, 3);
        QPainterPath tip;
        tip.moveTo(84, 104);
        tip.lineTo(92, 120);
        tip.lineTo(100, 104);
        tip.closeSubpath();
        p->setBrush(QColor("#f7e2c4"));
        p->drawPath(tip);
        p->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pm(size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        paint(&p, QRect(QPoint(0, 0), size), mode, state);
        return pm;
    }

    QIconEngine* clone() const override { return new AppIconEngine; }
};

} // namespace

QIcon tavloAppIcon() {
    return QIcon(new AppIconEngine);
}
