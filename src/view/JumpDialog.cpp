#include "JumpDialog.h"

#include "MessageService.h"
#include "StringTable.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>

JumpDialog::JumpDialog(int currentLine, int lastLine, MessageService& messages, QWidget* parent)
    : QDialog(parent), messages_(messages), lastLine_(std::max(1, lastLine)),
      targetValue_(currentLine) {
    setObjectName(QStringLiteral("dialog137"));
    setWindowTitle(QStringLiteral("ジャンプ"));

    auto* current = new QLabel(QString::number(currentLine), this);
    current->setObjectName(QStringLiteral("control1042"));
    auto* last = new QLabel(QString::number(lastLine), this);
    last->setObjectName(QStringLiteral("control1044"));
    target_ = new QLineEdit(QString::number(currentLine), this);
    target_->setObjectName(QStringLiteral("control1043"));
    target_->setInputMethodHints(Qt::ImhDigitsOnly);
    target_->installEventFilter(this);
    trackBar_ = new QSlider(Qt::Horizontal, this);
    trackBar_->setObjectName(QStringLiteral("control1055"));
    trackBar_->setRange(1, lastLine_);
    trackBar_->setTickPosition(QSlider::TicksBelow);
    trackBar_->setTickInterval(tickFrequency(lastLine_));
    trackBar_->setValue(std::clamp(currentLine, 1, lastLine_));
    // Only a drag of the stylus writes into the target box.
    connect(trackBar_, &QSlider::sliderMoved, this, [this] { copyTrackBarPosition(); });
    connect(trackBar_, &QSlider::sliderReleased, this, [this] { copyTrackBarPosition(); });

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("文字入力カーソル："), this), 0, 0);
    grid->addWidget(current, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("行"), this), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("テキストの最終行："), this), 1, 0);
    grid->addWidget(last, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("行"), this), 1, 2);
    auto* targetLabel = new QLabel(QStringLiteral("ジャンプ先(&G)："), this);
    targetLabel->setBuddy(target_);
    grid->addWidget(targetLabel, 2, 0);
    grid->addWidget(target_, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("行"), this), 2, 2);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &JumpDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(trackBar_);
    layout->addWidget(buttons);
    target_->selectAll();
    target_->setFocus();
}

int JumpDialog::tickFrequency(int lastLine) {
    if (lastLine < 10)
        return 1;
    if (lastLine < 100)
        return 10;
    if (lastLine < 1000)
        return 100;
    if (lastLine < 10000)
        return 1000;
    return 10000;
}

int JumpDialog::typedTarget() const {
    bool ok = false;
    const int value = target_->text().trimmed().toInt(&ok);
    return ok ? value : 0;
}

void JumpDialog::copyTrackBarPosition() {
    const QString position = QString::number(trackBar_->sliderPosition());
    if (target_->text() != position)
        target_->setText(position);
}

void JumpDialog::showRangeMessage() {
    const QString text = res::substitute(
        res::loadString(33006, QStringLiteral("Give a number from 1 to %d.")), lastLine_);
    messages_.show(text, windowTitle(), mb::MB_OK, this);
}

void JumpDialog::onTargetLeft() {
    if (validating_)
        return;
    const int value = typedTarget();
    if (value >= 1 && value <= lastLine_) {
        trackBar_->setValue(value);
        return;
    }
    validating_ = true;
    showRangeMessage();
    target_->selectAll();
    target_->setFocus();
    validating_ = false;
}

bool JumpDialog::eventFilter(QObject* watched, QEvent* event) {
    // Leaving the box for the buttons is checked by OK itself.
    if (watched == target_ && event->type() == QEvent::FocusOut && isVisible()) {
        QWidget* next = focusWidget();
        if (!qobject_cast<QPushButton*>(next))
            onTargetLeft();
    }
    return QDialog::eventFilter(watched, event);
}

void JumpDialog::accept() {
    const int value = typedTarget();
    if (value < 1 || value > lastLine_) {
        validating_ = true;
        showRangeMessage();
        target_->selectAll();
        target_->setFocus();
        validating_ = false;
        return;
    }
    targetValue_ = value;
    QDialog::accept();
}
