#include "CommandBarIcons.h"

#include "CommandIds.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>

namespace {

// Draws one picture on a 16 x 16 grid scaled to the requested size.
class DrawnIconEngine : public QIconEngine {
  public:
    explicit DrawnIconEngine(int commandId) : id_(commandId) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / 16.0, rect.height() / 16.0);
        const bool disabled = mode == QIcon::Disabled;
        const QColor ink = disabled ? QColor(160, 160, 160) : QColor(40, 40, 40);
        const QColor accent = disabled ? QColor(200, 200, 200) : QColor(0, 102, 204);
        QPen pen(ink, 1.2);
        pen.setJoinStyle(Qt::RoundJoin);
        pen.setCapStyle(Qt::RoundCap);
        painter->setPen(pen);
        draw(painter, ink, accent, disabled);
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pm(size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        paint(&p, QRect(QPoint(0, 0), size), mode, state);
        return pm;
    }

    QIconEngine* clone() const override { return new DrawnIconEngine(id_); }

  private:
    void draw(QPainter* p, const QColor& ink, const QColor& accent, bool disabled) const {
        const QColor paper = disabled ? QColor(240, 240, 240) : Qt::white;
        switch (id_) {
        case cmd::ID_FILE_OPEN: {
            QPainterPath folder;
            folder.moveTo(1.5, 13.5);
            folder.lineTo(1.5, 3.5);
            folder.lineTo(6, 3.5);
            folder.lineTo(7.5, 5);
            folder.lineTo(13, 5);
            folder.lineTo(13, 7);
            p->setBrush(disabled ? paper : QColor(255, 214, 102));
            p->drawPath(folder);
            QPainterPath front;
            front.moveTo(1.5, 13.5);
            front.lineTo(4, 7);
            front.lineTo(15, 7);
            front.lineTo(12.5, 13.5);
            front.closeSubpath();
            p->setBrush(disabled ? paper : QColor(255, 193, 37));
            p->drawPath(front);
            break;
        }
        case cmd::ID_FILE_SAVE:
            p->setBrush(accent);
            p->drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1.5, 1.5);
            p->setBrush(paper);
            p->drawRect(QRectF(4, 1.5, 8, 5));
            p->drawRect(QRectF(4, 9.5, 8, 5));
            break;
        case cmd::ID_EDIT_CUT:
            p->setBrush(Qt::NoBrush);
            p->drawLine(QPointF(4, 1.5), QPointF(11, 10.5));
            p->drawLine(QPointF(12, 1.5), QPointF(5, 10.5));
            p->setPen(QPen(accent, 1.4));
            p->drawEllipse(QPointF(4.5, 12.5), 2.3, 2.3);
            p->drawEllipse(QPointF(11.5, 12.5), 2.3, 2.3);
            break;
        case cmd::ID_EDIT_COPY:
            p->setBrush(paper);
            p->drawRect(QRectF(1.5, 1.5, 8.5, 10));
            p->drawRect(QRectF(6, 4.5, 8.5, 10));
            p->drawLine(QPointF(8, 7.5), QPointF(12.5, 7.5));
            p->drawLine(QPointF(8, 9.5), QPointF(12.5, 9.5));
            p->drawLine(QPointF(8, 11.5), QPointF(11, 11.5));
            break;
        case cmd::ID_EDIT_PASTE:
            p->setBrush(disabled ? paper : QColor(214, 170, 110));
            p->drawRoundedRect(QRectF(2, 2.5, 10, 12), 1, 1);
            p->setBrush(paper);
            p->drawRect(QRectF(7, 6.5, 7.5, 8.5));
            p->setBrush(ink);
            p->drawRect(QRectF(5, 1.5, 4, 2.5));
            break;
        case cmd::ID_MACRO_PLAY: {
            QPainterPath triangle;
            triangle.moveTo(4, 2);
            triangle.lineTo(13.5, 8);
            triangle.lineTo(4, 14);
            triangle.closeSubpath();
            p->setBrush(disabled ? paper : QColor(46, 160, 67));
            p->drawPath(triangle);
            break;
        }
        case cmd::ID_MACRO_STOP:
            p->setBrush(disabled ? paper : QColor(207, 34, 46));
            p->drawRoundedRect(QRectF(3, 3, 10, 10), 1.5, 1.5);
            break;
        default:
            break;
        }
        (void)ink;
    }

    int id_;
};

} // namespace

namespace commandbar_icons {

QIcon forCommand(int commandId) {
    switch (commandId) {
    case cmd::ID_FILE_OPEN:
    case cmd::ID_FILE_SAVE:
    case cmd::ID_EDIT_CUT:
    case cmd::ID_EDIT_COPY:
    case cmd::ID_EDIT_PASTE:
    case cmd::ID_MACRO_PLAY:
    case cmd::ID_MACRO_STOP:
        return QIcon(new DrawnIconEngine(commandId));
    default:
        return QIcon();
    }
}

} // namespace commandbar_icons
