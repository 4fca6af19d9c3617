#include "ReplaceBar.h"

#include "CommandIds.h"

#include <QLineEdit>

ReplaceBar::ReplaceBar(QWidget* parent)
    : SearchBar(cmd::IDD_REPLACEBAR, cmd::replacebar::IDC_CASE_ON, cmd::replacebar::IDC_CASE_OFF,
                parent),
      find_(new QLineEdit(this)), replace_(new QLineEdit(this)) {
    using namespace cmd::replacebar;
    setObjectName(QStringLiteral("ReplaceBar"));
    addTextBox(IDC_FIND_TEXT, find_);
    addTextBox(IDC_REPLACE_TEXT, replace_);
    addButton(IDC_CASE_OFF, IDC_CASE_OFF);
    addButton(IDC_CASE_ON, IDC_CASE_ON);
    addButton(IDC_NEXT, cmd::ID_REPLACE_FIND_NEXT);
    addButton(IDC_REPLACE, cmd::ID_REPLACE_SOFTKEY);
    addButton(IDC_REPLACE_ALL, cmd::ID_REPLACE_ALL);
    addButton(IDC_CLOSE, cmd::ID_REPLACE_CLOSE);
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
