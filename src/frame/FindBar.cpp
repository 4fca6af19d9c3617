#include "FindBar.h"

#include "CommandIds.h"
#include "StringTable.h"

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

FindBar::FindBar(QWidget* parent)
    : SearchBar(cmd::findbar::IDC_CASE_ON, cmd::findbar::IDC_CASE_OFF, parent),
      text_(new QLineEdit(this)) {
    using namespace cmd::findbar;
    setObjectName(QStringLiteral("FindBar"));
    addTextBox(IDC_TEXT, text_);
    addButton(IDC_PREV, barButton(QStringLiteral("▲"), this), cmd::ID_FIND_PREV);
    addButton(IDC_NEXT, barButton(QStringLiteral("▼"), this), cmd::ID_FIND_NEXT);
    addButton(IDC_CASE_ON, barButton(QStringLiteral("Aa"), this), IDC_CASE_ON);
    addButton(IDC_CASE_OFF, barButton(QStringLiteral("Aa"), this), IDC_CASE_OFF);
    addButton(IDC_CLOSE, barButton(QStringLiteral("×"), this), cmd::ID_FIND_CLOSE);
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
