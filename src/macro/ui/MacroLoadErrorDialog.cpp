#include "MacroLoadErrorDialog.h"

#include "CommandIds.h"
#include "DialogTexts.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QVBoxLayout>

MacroLoadErrorDialog::MacroLoadErrorDialog(const QString& text, QWidget* parent) : QDialog(parent) {
    setWindowTitle(res::dialogText(cmd::IDD_MACRO_LOAD_ERROR, res::IDC_CAPTION));
    edit_ = new QPlainTextEdit(this);
    edit_->setObjectName(QString::number(IDC_REPORT));
    edit_->setReadOnly(true);
    edit_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    edit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    edit_->setPlainText(shown);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)
        ->setText(res::dialogText(cmd::IDD_MACRO_LOAD_ERROR, cmd::IDOK));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(edit_, 1);
    auto* row = new QVBoxLayout;
    row->setContentsMargins(6, 4, 6, 4);
    row->addWidget(buttons);
    layout->addLayout(row);
}

void MacroLoadErrorDialog::coverParent() {
    QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    if (!owner)
        return;
    setGeometry(QRect(owner->mapToGlobal(QPoint(0, 0)), owner->size()));
}

void MacroLoadErrorDialog::showEvent(QShowEvent* event) {
    coverParent();
    QTextCursor cursor = edit_->textCursor();
    cursor.movePosition(QTextCursor::Start);
    edit_->setTextCursor(cursor);
    edit_->ensureCursorVisible();
    edit_->setFocus();
    QDialog::showEvent(event);
}

void MacroLoadDialogPresenter::showLoadErrors(const QString& text) {
    MacroLoadErrorDialog dialog(text, parent_);
    dialog.exec();
}

void MacroLoadDialogPresenter::setPlayButtonTooltip(const QString& tooltip) {
    if (setTooltip_)
        setTooltip_(tooltip);
}
