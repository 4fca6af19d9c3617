#include "SoftKeyBar.h"

#include <QAction>
#include <QHBoxLayout>
#include <QMenu>
#include <QPainter>
#include <QStyle>
#include <QToolButton>

namespace {

QToolButton* makeKey(QWidget* parent) {
    auto* key = new QToolButton(parent);
    key->setToolButtonStyle(Qt::ToolButtonTextOnly);
    key->setAutoRaise(true);
    key->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    key->setFocusPolicy(Qt::NoFocus);
    return key;
}

} // namespace

SoftKeyBar::SoftKeyBar(QWidget* parent)
    : QWidget(parent), leftButton_(makeKey(this)), rightButton_(makeKey(this)) {
    setObjectName(QStringLiteral("softKeyBar"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    // The right key opens its menu upwards from the bar, as soft keys do.
    connect(rightButton_, &QToolButton::clicked, this, &SoftKeyBar::openRightMenu);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 1, 2, 1);
    layout->setSpacing(2);
    layout->addWidget(leftButton_, 1);
    layout->addWidget(rightButton_, 1);
}

void SoftKeyBar::setCompact(bool compact) {
    if (compact == compact_)
        return;
    compact_ = compact;
    auto* row = static_cast<QHBoxLayout*>(layout());
    const QSizePolicy::Policy width = compact ? QSizePolicy::Preferred : QSizePolicy::Expanding;
    for (QToolButton* key : {leftButton_, rightButton_}) {
        key->setSizePolicy(width, QSizePolicy::Preferred);
        key->setMinimumWidth(compact ? 7 * fontMetrics().averageCharWidth() + 16 : 0);
        row->setStretchFactor(key, compact ? 0 : 1);
    }
    // The stretch that pushes compact keys to the right end.
    if (compact)
        row->insertStretch(0, 1);
    else if (QLayoutItem* stretch = row->itemAt(0); stretch && stretch->spacerItem())
        delete row->takeAt(0);
}

void SoftKeyBar::setKeys(QAction* leftCommand, QMenu* rightMenu) {
    left_ = leftCommand;
    right_ = rightMenu;
    // The button takes the action's text and enabled state and follows them.
    // A tool button that holds more than one action offers them as a menu
    // (and draws its arrow), so the previous key's action goes first.
    for (QAction* previous : leftButton_->actions())
        leftButton_->removeAction(previous);
    leftButton_->setDefaultAction(leftCommand);
    leftButton_->setVisible(leftCommand != nullptr);
    rightButton_->setText(rightMenu ? rightMenu->title() : QString());
    rightButton_->setVisible(rightMenu != nullptr);
}

void SoftKeyBar::openRightMenu() {
    if (!right_)
        return;
    const QSize menuSize = right_->sizeHint();
    const QPoint buttonTopRight = rightButton_->mapToGlobal(QPoint(rightButton_->width(), 0));
    right_->popup(
        QPoint(buttonTopRight.x() - menuSize.width(), buttonTopRight.y() - menuSize.height()));
}

void SoftKeyBar::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(0, 0, width(), 0);
}

QSize SoftKeyBar::sizeHint() const {
    const int height =
        fontMetrics().height() + 2 * style()->pixelMetric(QStyle::PM_ButtonMargin) + 8;
    return {QWidget::sizeHint().width(), height};
}
