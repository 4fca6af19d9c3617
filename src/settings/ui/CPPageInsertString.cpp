#include "CPPageInsertString.h"

#include "CommandIds.h"
#include "MessageService.h"
#include "Settings.h"
#include "StringIds.h"
#include "StringTable.h"

#include <QBoxLayout>
#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTreeWidget>

using namespace cmd::page_insert;

CPPageInsertString::CPPageInsertString(SettingsContext& context)
    : SettingsPage(context, cmd::IDD_PAGE_INSERT_STRING) {}

QString CPPageInsertString::keyText(const InsertStringEntry& entry, bool wide) {
    const QString separator = wide ? QStringLiteral("+") : QStringLiteral(" + ");
    QString text;
    if (entry.ctrl)
        text += u'C';
    if (entry.shift)
        text += (text.isEmpty() ? QString() : separator) + u'S';
    return text + (text.isEmpty() ? QString() : separator) + QString(entry.key);
}

void CPPageInsertString::createControls() {
    list_ = withId(new QTreeWidget(this), IDC_LIST);
    list_->setColumnCount(2);
    list_->setRootIsDecorated(false);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setAllColumnsShowFocus(true);

    fields_ = withId(new QGroupBox(dialogText(IDC_FIELDS_GROUP), this), IDC_FIELDS_GROUP);
    atCaret_ = withId(new QRadioButton(dialogText(IDC_AT_CARET), fields_), IDC_AT_CARET);
    surround_ = withId(new QRadioButton(dialogText(IDC_SURROUND), fields_), IDC_SURROUND);
    insertEdit_ = withId(new QLineEdit(fields_), IDC_INSERT_TEXT);
    endEdit_ = withId(new QLineEdit(fields_), IDC_END_TEXT);
    endLabel_ = withId(new QLabel(dialogText(IDC_END_LABEL), fields_), IDC_END_LABEL);
    auto* form = new QFormLayout(fields_);
    form->addRow(atCaret_);
    form->addRow(surround_);
    form->addRow(withId(new QLabel(dialogText(IDC_INSERT_LABEL), fields_), IDC_INSERT_LABEL),
                 insertEdit_);
    form->addRow(endLabel_, endEdit_);
    fields_->setEnabled(false);

    layout_ = new QBoxLayout(QBoxLayout::TopToBottom, this);
    layout_->addWidget(list_, 1);
    layout_->addWidget(fields_, 1);

    connect(list_, &QTreeWidget::itemSelectionChanged, this, &CPPageInsertString::onRowSelected);
    connect(atCaret_, &QRadioButton::clicked, this, [this] { onEdited(true); });
    connect(surround_, &QRadioButton::clicked, this, [this] { onEdited(true); });
    connect(insertEdit_, &QLineEdit::textChanged, this, [this] { onEdited(false); });
    connect(endEdit_, &QLineEdit::textChanged, this, [this] { onEdited(false); });
}

void CPPageInsertString::OnInitDialog() {
    entries_ = insertstrings::load(context_.settings);
    list_->setHeaderLabels({res::loadString(35054, QStringLiteral("Access Key")),
                            res::loadString(35055, QStringLiteral("Inserted String"))});
    list_->setColumnWidth(0, 90);
    for (const InsertStringEntry& entry : entries_) {
        auto* row = new QTreeWidgetItem(list_);
        row->setText(0, keyText(entry, isWide()));
        row->setText(1, entry.insertText + entry.endText);
    }
    arrange();
}

void CPPageInsertString::resizeEvent(QResizeEvent* e) {
    SettingsPage::resizeEvent(e);
    if (list_)
        arrange();
}

void CPPageInsertString::arrange() {
    const bool wide = isWide();
    layout_->setDirection(wide ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
    const int listWidth = list_->viewport()->width();
    if (wide) {
        list_->headerItem()->setText(0, res::loadString(35066, QStringLiteral("Key")));
        list_->headerItem()->setText(1, res::loadString(35067, QStringLiteral("String")));
        list_->setColumnWidth(0, 47);
        list_->setColumnWidth(1, std::max(listWidth - 50, 40));
    } else {
        list_->headerItem()->setText(0, res::loadString(35054, QStringLiteral("Access Key")));
        list_->headerItem()->setText(1, res::loadString(35055, QStringLiteral("Inserted String")));
        list_->setColumnWidth(0, 85);
        list_->setColumnWidth(1, std::max(listWidth - 87, 40));
    }
    for (int i = 0; i < list_->topLevelItemCount() && i < int(entries_.size()); ++i)
        list_->topLevelItem(i)->setText(0, keyText(entries_[size_t(i)], wide));
}

void CPPageInsertString::onRowSelected() {
    const QList<QTreeWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty())
        return;
    const int row = list_->indexOfTopLevelItem(selected.front());
    const InsertStringEntry& entry = entries_[size_t(row)];
    loading_ = true;
    insertEdit_->setText(entry.insertText);
    endEdit_->setText(entry.endText);
    (entry.hasEndText ? surround_ : atCaret_)->setChecked(true);
    endEdit_->setEnabled(entry.hasEndText);
    endLabel_->setEnabled(entry.hasEndText);
    fields_->setEnabled(true);
    loading_ = false;
}

QString CPPageInsertString::rowText(const InsertStringEntry& entry) const {
    return entry.hasEndText ? entry.insertText + entry.endText : entry.insertText;
}

void CPPageInsertString::onEdited(bool radioClicked) {
    if (loading_)
        return;
    if (radioClicked) {
        endEdit_->setEnabled(surround_->isChecked());
        endLabel_->setEnabled(surround_->isChecked());
    }
    const QList<QTreeWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty())
        return;
    InsertStringEntry& entry = entries_[size_t(list_->indexOfTopLevelItem(selected.front()))];
    entry.hasEndText = surround_->isChecked();
    entry.insertText = insertEdit_->text().trimmed();
    entry.endText = endEdit_->text().trimmed();
    selected.front()->setText(1, rowText(entry));
}

bool CPPageInsertString::check() {
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (!entries_[i].insertText.contains(u'\t'))
            continue;
        // A TAB in the insert text would split the stored value in the wrong place.
        list_->setCurrentItem(list_->topLevelItem(int(i)));
        message(sid::IDS_TAB_IN_INSERT_STRING,
                QStringLiteral("An insert string cannot contain a tab."),
                mb::MB_OK | mb::MB_ICONEXCLAMATION);
        focusField(insertEdit_);
        return false;
    }
    return true;
}

void CPPageInsertString::OnApply() {
    for (size_t i = 0; i < entries_.size(); ++i) {
        const InsertStringEntry& e = entries_[i];
        const QString value = e.hasEndText ? e.insertText + u'\t' + e.endText : e.insertText;
        context_.settings.writeString(QStringLiteral("INS_KEY_VALUE%1").arg(i + 1), value);
    }
}
