#include "TapAndHoldRecognizer.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWidget>

namespace {

// An event that bubbles up from a child to its parents passes the filter once
// per receiver; only its first receiver, the deepest widget, counts.
bool isDeepestReceiver(QWidget* receiver, QPoint globalPos) {
    return receiver->childAt(receiver->mapFromGlobal(globalPos)) == nullptr;
}

} // namespace

TapAndHoldRecognizer::TapAndHoldRecognizer(InputTimes& times, QObject* parent)
    : QObject(parent), times_(times) {
    hold_.setSingleShot(true);
    connect(&hold_, &QTimer::timeout, this, [this] {
        swallowRelease_ = true;
        emit contextMenuGesture(holdPos_);
    });
}

void TapAndHoldRecognizer::cancelHold() {
    hold_.stop();
}

bool TapAndHoldRecognizer::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        times_.keyEvent();
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (watched->isWidgetType())
            return onPress(static_cast<QWidget*>(watched), event);
        break;
    case QEvent::MouseMove:
        if (hold_.isActive()) {
            const auto* me = static_cast<QMouseEvent*>(event);
            const QPoint moved = me->globalPosition().toPoint() - holdPos_;
            if (moved.manhattanLength() > QApplication::startDragDistance())
                cancelHold();
        }
        break;
    case QEvent::MouseButtonRelease:
        if (watched->isWidgetType()) {
            const auto* me = static_cast<QMouseEvent*>(event);
            auto* receiver = static_cast<QWidget*>(watched);
            if (!isDeepestReceiver(receiver, me->globalPosition().toPoint()))
                break;
            times_.tapEvent();
            cancelHold();
            if (swallowRelease_) {
                swallowRelease_ = false;
                return true;
            }
        }
        break;
    case QEvent::ContextMenu:
        // Right presses were answered when they came; the keyboard's menu key
        // asks for the same menu at the place it names.
        if (watched->isWidgetType()) {
            auto* receiver = static_cast<QWidget*>(watched);
            const auto* ce = static_cast<QContextMenuEvent*>(event);
            if (inTextArea_ && inTextArea_(receiver, ce->globalPos())) {
                if (ce->reason() != QContextMenuEvent::Mouse)
                    emit contextMenuGesture(ce->globalPos());
                return true;
            }
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

bool TapAndHoldRecognizer::onPress(QWidget* receiver, QEvent* event) {
    const auto* me = static_cast<QMouseEvent*>(event);
    const QPoint globalPos = me->globalPosition().toPoint();
    if (!isDeepestReceiver(receiver, globalPos))
        return false;
    times_.tapEvent();
    cancelHold();
    swallowRelease_ = false;
    if (!inTextArea_ || qobject_cast<QScrollBar*>(receiver) || !inTextArea_(receiver, globalPos))
        return false;
    if (me->button() == Qt::RightButton) {
        swallowRelease_ = true;
        emit contextMenuGesture(globalPos);
        return true;
    }
    if (me->button() == Qt::LeftButton) {
        holdPos_ = globalPos;
        hold_.start(delayMs());
    }
    return false;
}
