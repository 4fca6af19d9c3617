#include "MacroLoadErrorDialog.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>

MacroLoadErrorDialog::MacroLoadErrorDialog(const QString& text, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("マクロ・ロードエラー"));
    edit_ = new QPlainTextEdit(this);
    edit_->setObjectName(QString::number(IDC_REPORT));
    edit_->setReadOnly(true);
    edit_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    edit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    edit_->setPlainText(shown);
}

void MacroLoadErrorDialog::coverParent() {
    QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    if (!owner)
        return;
    setGeometry(QRect(owner->mapToGlobal(QPoint(0, 0)), owner->size()));
}

void MacroLoadErrorDialog::showEvent(QShowEvent* event) {
    coverParent();
    edit_->setGeometry(rect());
    QTextCursor cursor = edit_->textCursor();
    cursor.movePosition(QTextCursor::Start);
    edit_->setTextCursor(cursor);
    edit_->ensureCursorVisible();
    edit_->setFocus();
    QDialog::showEvent(event);
}

void MacroLoadErrorDialog::resizeEvent(QResizeEvent* event) {
    edit_->setGeometry(rect());
    QDialog::resizeEvent(event);
}

void MacroLoadDialogPresenter::showLoadErrors(const QString& text) {
    MacroLoadErrorDialog dialog(text, parent_);
    dialog.exec();
}

void MacroLoadDialogPresenter::setPlayButtonTooltip(const QString& tooltip) {
    if (setTooltip_)
        setTooltip_(tooltip);
}
