#include "FindBar.h"

#include "CommandIds.h"
#include "StringTable.h"

#include <QLineEdit>

FindBar::FindBar(QWidget* parent)
    : SearchBar(cmd::IDD_FINDBAR, cmd::findbar::IDC_CASE_ON, cmd::findbar::IDC_CASE_OFF, parent),
      text_(new QLineEdit(this)) {
    using namespace cmd::findbar;
    setObjectName(QStringLiteral("FindBar"));
    addTextBox(IDC_TEXT, text_);
    addButton(IDC_PREV, cmd::ID_FIND_PREV);
    addButton(IDC_NEXT, cmd::ID_FIND_NEXT);
    addButton(IDC_CASE_ON, IDC_CASE_ON);
    addButton(IDC_CASE_OFF, IDC_CASE_OFF);
    addButton(IDC_CLOSE, cmd::ID_FIND_CLOSE);
    finishLayout();
}

QString FindBar::searchText() const {
    return text_->text();
}

void FindBar::setSearchText(const QString& text) {
    text_->setText(text);
}

QString FindBar::softKeyLabel() const {
    return backward_ ? res::loadString(37006, QStringLiteral("Prev"))
                     : res::loadString(37000, QStringLiteral("Next"));
}

int FindBar::findPreviousCommand() const {
    return cmd::ID_FIND_PREV;
}
int FindBar::findNextCommand() const {
    return cmd::ID_FIND_NEXT;
}
int FindBar::enterCommand() const {
    return cmd::ID_FIND_SOFTKEY;
}
