#include "JumpDialog.h"

#include "CommandIds.h"
#include "DialogTexts.h"
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
#include <utility>

using namespace cmd::jump;

namespace {
QString text(int controlId) {
    return res::dialogText(cmd::IDD_JUMP, controlId);
}
} // namespace

JumpDialog::JumpDialog(int currentLine, int lastLine, MessageService& messages, QWidget* parent)
    : QDialog(parent), messages_(messages), lastLine_(std::max(1, lastLine)),
      targetValue_(currentLine) {
    setObjectName(QStringLiteral("dialog137"));
    setWindowTitle(text(res::IDC_CAPTION));

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
    auto* targetLabel = new QLabel(text(IDC_TARGET_LABEL), this);
    targetLabel->setBuddy(target_);
    const std::pair<QWidget*, QWidget*> rows[] = {
        {new QLabel(text(IDC_CURRENT_LABEL), this), current},
        {new QLabel(text(IDC_LAST_LABEL), this), last},
        {targetLabel, target_},
    };
    // A language without a unit after the numbers gives it as a blank.
    const QString unit = text(IDC_LINE_UNIT).trimmed();
    for (int row = 0; row < 3; ++row) {
        grid->addWidget(rows[row].first, row, 0);
        grid->addWidget(rows[row].second, row, 1);
        if (!unit.isEmpty())
            grid->addWidget(new QLabel(unit, this), row, 2);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(res::softKeyText(cmd::IDR_OK_CANCEL_MENUBAR, 0));
    buttons->button(QDialogButtonBox::Cancel)
        ->setText(res::softKeyText(cmd::IDR_OK_CANCEL_MENUBAR, 1));
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
