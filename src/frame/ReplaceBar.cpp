#include "ReplaceBar.h"

#include "CommandIds.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

QPushButton* barButton(const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setAutoDefault(false);
    button->setMinimumWidth(0);
    button->setMaximumWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("MM")) + 12);
    return button;
}

} // namespace

ReplaceBar::ReplaceBar(QWidget* parent)
    : SearchBar(cmd::replacebar::IDC_CASE_ON, cmd::replacebar::IDC_CASE_OFF, parent),
      find_(new QLineEdit(this)), replace_(new QLineEdit(this)) {
    using namespace cmd::replacebar;
    setObjectName(QStringLiteral("ReplaceBar"));
    addTextBox(IDC_FIND_TEXT, find_);
    addTextBox(IDC_REPLACE_TEXT, replace_);
    addButton(IDC_CASE_OFF, barButton(QStringLiteral("Aa"), this), IDC_CASE_OFF);
    addButton(IDC_CASE_ON, barButton(QStringLiteral("Aa"), this), IDC_CASE_ON);
    addButton(IDC_NEXT, barButton(QStringLiteral("次"), this), cmd::ID_REPLACE_FIND_NEXT);
    addButton(IDC_REPLACE, barButton(QStringLiteral("置"), this), cmd::ID_REPLACE_SOFTKEY);
    addButton(IDC_REPLACE_ALL, barButton(QStringLiteral("全"), this), cmd::ID_REPLACE_ALL);
    addButton(IDC_CLOSE, barButton(QStringLiteral("×"), this), cmd::ID_REPLACE_CLOSE);
    finishLayout();
}

QString ReplaceBar::searchText() const {
    return find_->text();
}
QString ReplaceBar::replaceText() const {
    return replace_->text();
}
void ReplaceBar::setSearchText(const QString& text) {
    find_->setText(text);
}

int ReplaceBar::findPreviousCommand() const {
    return cmd::ID_FIND_PREV;
}
int ReplaceBar::findNextCommand() const {
    return cmd::ID_FIND_NEXT;
}
int ReplaceBar::enterCommand() const {
    return cmd::ID_REPLACE_FIND_NEXT;
}
