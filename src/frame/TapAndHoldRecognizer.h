#pragma once

#include "InputTimes.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QTimer>
#include <functional>

class QWidget;

// The frame's look at every input event of its thread before the event is
// delivered: it keeps the times of the last key and the last tap, and it
// recognises the context-menu gesture over the text — a left press held still
// for the recognition delay (longer when LONG_DELAY is set), or a right press
// at once. Installed on the application as an event filter.
class TapAndHoldRecognizer : public QObject {
    Q_OBJECT
  public:
    static constexpr int kNormalDelayMs = 500;
    static constexpr int kLongDelayMs = 1000;

    // inTextArea: whether a press at this global point on this widget lies
    // over the text; only there the gesture is recognised.
    using AreaTest = std::function<bool(QWidget* receiver, QPoint globalPos)>;

    explicit TapAndHoldRecognizer(InputTimes& times, QObject* parent = nullptr);

    void setAreaTest(AreaTest test) { inTextArea_ = std::move(test); }
    void setLongDelay(bool longDelay) { longDelay_ = longDelay; }
    bool longDelay() const { return longDelay_; }
    int delayMs() const { return longDelay_ ? kLongDelayMs : kNormalDelayMs; }
    bool isHolding() const { return hold_.isActive(); }

  signals:
    // The context-menu gesture at this global point.
    void contextMenuGesture(QPoint globalPos);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool onPress(QWidget* receiver, QEvent* event);
    void cancelHold();

    InputTimes& times_;
    AreaTest inTextArea_;
    bool longDelay_ = true;
    QTimer hold_;
    QPoint holdPos_;
    // The release that ends a recognised hold belongs to the gesture.
    bool swallowRelease_ = false;
};
