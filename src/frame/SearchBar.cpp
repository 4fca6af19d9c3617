#include "SearchBar.h"

#include "DialogTexts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

SearchBar::SearchBar(int dialogId, int caseOnId, int caseOffId, QWidget* parent)
    : QWidget(parent), dialogId_(dialogId), caseOnId_(caseOnId), caseOffId_(caseOffId),
      layout_(new QHBoxLayout(this)) {
    layout_->setContentsMargins(2, 2, 2, 2);
    layout_->setSpacing(2);
    enterTimer_.setSingleShot(true);
    enterTimer_.setInterval(kEnterDelayMs);
    enterTimer_.setProperty("timerId", kEnterTimerId);
    connect(&enterTimer_, &QTimer::timeout, this,
            [this] { emit commandRequested(enterCommand()); });
}

QWidget* SearchBar::control(int id) const {
    const auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

QWidget* SearchBar::focusedControl() const {
    QWidget* focus = QApplication::focusWidget();
    return order_.contains(focus) ? focus : nullptr;
}

void SearchBar::addTextBox(int id, QLineEdit* box) {
    box->setProperty("controlId", id);
    box->installEventFilter(this);
    controls_[id] = box;
    order_.append(box);
    textBoxes_.append(box);
    layout_->addWidget(box, 1);
}

void SearchBar::addButton(int id, int command) {
    auto* button = new QPushButton(this);
    button->setAutoDefault(false);
    button->setMinimumWidth(0);
    button->setProperty("controlId", id);
    button->setFocusPolicy(Qt::StrongFocus);
    button->installEventFilter(this);
    controls_[id] = button;
    order_.append(button);
    buttons_.append(button);
    layout_->addWidget(button);
    connect(button, &QAbstractButton::clicked, this,
            [this, command] { emit commandRequested(command); });
}

void SearchBar::retranslate() {
    for (QAbstractButton* button : std::as_const(buttons_)) {
        const int id = button->property("controlId").toInt();
        const QString text = res::dialogText(dialogId_, id);
        button->setText(text);
        button->setToolTip(res::dialogTooltip(dialogId_, id));
        // The buttons stay small, as on the device, yet never cut their text.
        const QFontMetrics metrics = button->fontMetrics();
        button->setMaximumWidth(std::max(metrics.horizontalAdvance(QStringLiteral("MM")),
                                         metrics.horizontalAdvance(text)) +
                                12);
    }
}

void SearchBar::finishLayout() {
    if (QWidget* on = control(caseOnId_)) {
        QFont font = on->font();
        font.setBold(true);
        font.setUnderline(true);
        on->setFont(font);
    }
    retranslate();
    updateButtonVisibility();
}

void SearchBar::setMatchCase(bool on) {
    matchCase_ = on;
    updateButtonVisibility();
}

void SearchBar::setShowCommandButtons(bool on) {
    showButtons_ = on;
    updateButtonVisibility();
}

void SearchBar::updateButtonVisibility() {
    for (QAbstractButton* button : buttons_) {
        const int id = button->property("controlId").toInt();
        bool visible = showButtons_;
        if (id == caseOnId_)
            visible = visible && matchCase_;
        else if (id == caseOffId_)
            visible = visible && !matchCase_;
        button->setVisible(visible);
    }
}

QAbstractButton* SearchBar::visibleCaseButton() const {
    return qobject_cast<QAbstractButton*>(control(matchCase_ ? caseOnId_ : caseOffId_));
}

QLineEdit* SearchBar::activeTextBox() const {
    QWidget* focus = QApplication::focusWidget();
    for (QLineEdit* box : textBoxes_) {
        if (box == focus)
            return box;
    }
    // While a menu of the soft keys is open the box keeps the focus in spirit.
    if (lastTextBox_ && lastFocus_ == lastTextBox_ && QApplication::activePopupWidget())
        return lastTextBox_;
    return nullptr;
}

bool SearchBar::isTextBox(QWidget* control) const {
    for (QLineEdit* box : textBoxes_) {
        if (box == control)
            return true;
    }
    return false;
}

QList<QWidget*> SearchBar::visibleControls() const {
    QList<QWidget*> visible;
    for (QWidget* control : order_) {
        if (!control->isHidden() && control->isEnabled())
            visible.append(control);
    }
    return visible;
}

void SearchBar::restoreFocus(bool fromKey) {
    QWidget* target = nullptr;
    if (fromKey && lastFocus_ && !lastFocus_->isHidden())
        target = lastFocus_;
    else if (lastTextBox_)
        target = lastTextBox_;
    else
        target = searchTextBox();
    target->setFocus(Qt::OtherFocusReason);
}

bool SearchBar::eventFilter(QObject* watched, QEvent* event) {
    QWidget* control = qobject_cast<QWidget*>(watched);
    if (!control || !order_.contains(control))
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
        return handleKeyPress(control, static_cast<QKeyEvent*>(event));
    case QEvent::KeyRelease:
        return handleKeyRelease(control, static_cast<QKeyEvent*>(event));
    case QEvent::MouseButtonPress:
    case QEvent::FocusIn:
        lastFocus_ = control;
        if (auto* box = qobject_cast<QLineEdit*>(control))
            lastTextBox_ = box;
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

bool SearchBar::handleKeyPress(QWidget* control, QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return true; // the release moves the focus
    case Qt::Key_Up:
        emit commandRequested(findPreviousCommand());
        return true;
    case Qt::Key_Down:
        emit commandRequested(findNextCommand());
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right: {
        const int step = event->key() == Qt::Key_Left ? -1 : 1;
        auto* box = qobject_cast<QLineEdit*>(control);
        if (!box)
            return moveFocusSideways(control, step);
        const bool atStart = box->cursorPosition() == 0 && !box->hasSelectedText();
        const bool atEnd = box->cursorPosition() == box->text().size();
        if ((step < 0 && atStart) || (step > 0 && atEnd))
            return moveFocusSideways(control, step);
        return false;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (isTextBox(control)) {
            onEnterInTextBox();
        } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            button->click();
        }
        return true;
    default:
        return false;
    }
}

bool SearchBar::handleKeyRelease(QWidget*, QKeyEvent* event) {
    if (event->key() != Qt::Key_Tab && event->key() != Qt::Key_Backtab)
        return false;
    emit focusEditorRequested();
    return true;
}

bool SearchBar::moveFocusSideways(QWidget* control, int step) {
    const QList<QWidget*> visible = visibleControls();
    const qsizetype count = visible.size();
    const qsizetype index = visible.indexOf(control);
    if (count < 2 || index < 0) {
        postFocusMessage();
        return true;
    }
    QWidget* next = visible[(index + step + count) % count];
    next->setFocus(Qt::OtherFocusReason);
    if (auto* box = qobject_cast<QLineEdit*>(next))
        box->setCursorPosition(step < 0 ? int(box->text().size()) : 0);
    return true;
}

void SearchBar::onEnterInTextBox() {
    if (enterTimer_.isActive() && lastEnter_.isValid() && lastEnter_.elapsed() <= kDoublePressMs) {
        enterTimer_.stop();
        lastEnter_.invalidate();
        postFocusMessage();
        return;
    }
    enterTimer_.start();
    lastEnter_.start();
}

void SearchBar::postFocusMessage() {
    QMetaObject::invokeMethod(
        this, [this] { emit focusEditorRequested(); }, Qt::QueuedConnection);
}
