#include "CPPageEdit.h"

#include "CommandIds.h"
#include "FileSelectCommonSync.h"
#include "MessageService.h"
#include "Settings.h"
#include "StringIds.h"
#include "StringTable.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace cmd::page_edit;

CPPageEdit::CPPageEdit(SettingsContext& context) : SettingsPage(context, cmd::IDD_PAGE_EDIT) {
    Settings& s = context_.settings;
    tabSize_ = s.getInt(QStringLiteral("TAB_SIZE"));
    imeAscii_ = s.getInt(QStringLiteral("DEFAULT_IME_MODE_ASCII"));
    selectableCodeSet_ = s.getInt(QStringLiteral("SELECTABLE_CODE_SET"));
    jisKatakana_ = s.getInt(QStringLiteral("JIS_KATAKANA_MODE"));
    textLimit_ = s.getInt(QStringLiteral("TEXT_LIMIT"));
    readCodeSet_ = selectableCodeSet_;
}

void CPPageEdit::createControls() {
    tabEdit_ = withId(new QLineEdit(this), IDC_TAB_SIZE);
    limitEdit_ = withId(new QLineEdit(this), IDC_TEXT_LIMIT);
    for (QLineEdit* edit : {tabEdit_, limitEdit_}) {
        edit->setInputMethodHints(Qt::ImhDigitsOnly);
        bindInteger(edit);
    }
    auto* fields = new QFormLayout;
    auto* tabLabel = withId(new QLabel(dialogText(IDC_TAB_LABEL), this), IDC_TAB_LABEL);
    tabLabel->setBuddy(tabEdit_);
    auto* limitLabel =
        withId(new QLabel(dialogText(IDC_TEXT_LIMIT_LABEL), this), IDC_TEXT_LIMIT_LABEL);
    limitLabel->setBuddy(limitEdit_);
    fields->addRow(tabLabel, tabEdit_);
    fields->addRow(limitLabel, limitEdit_);

    auto* editGroup = withId(new QGroupBox(dialogText(IDC_EDIT_GROUP), this), IDC_EDIT_GROUP);
    ime_ = withId(new QCheckBox(dialogText(IDC_IME_ASCII), editGroup), IDC_IME_ASCII);
    auto* editLayout = new QVBoxLayout(editGroup);
    editLayout->addLayout(fields);
    editLayout->addWidget(ime_);

    auto* codeGroup =
        withId(new QGroupBox(dialogText(IDC_CODE_SET_GROUP), this), IDC_CODE_SET_GROUP);
    codeSet_ = withId(new QCheckBox(dialogText(IDC_SELECTABLE_CODE_SET), codeGroup),
                      IDC_SELECTABLE_CODE_SET);
    new QVBoxLayout(codeGroup);
    codeGroup->layout()->addWidget(codeSet_);

    auto* jisGroup = withId(new QGroupBox(dialogText(IDC_JIS_GROUP), this), IDC_JIS_GROUP);
    jisFull_ = withId(new QRadioButton(dialogText(IDC_JIS_TO_FULL_WIDTH), jisGroup),
                      IDC_JIS_TO_FULL_WIDTH);
    jisHalf_ = withId(new QRadioButton(dialogText(IDC_JIS_KEEP_HALF_WIDTH), jisGroup),
                      IDC_JIS_KEEP_HALF_WIDTH);
    auto* jisLayout = new QVBoxLayout(jisGroup);
    jisLayout->addWidget(jisFull_);
    jisLayout->addWidget(jisHalf_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(editGroup);
    layout->addWidget(codeGroup);
    layout->addWidget(jisGroup);
    layout->addStretch(1);
}

void CPPageEdit::OnInitDialog() {
    tabEdit_->setText(QString::number(tabSize_));
    limitEdit_->setText(QString::number(textLimit_));
    ime_->setChecked(imeAscii_ != 0);
    codeSet_->setChecked(selectableCodeSet_ != 0);
    (jisKatakana_ == 1 ? jisHalf_ : jisFull_)->setChecked(true);
}

void CPPageEdit::readControls() {
    tabSize_ = integerIn(tabEdit_).value_or(tabSize_);
    textLimit_ = integerIn(limitEdit_).value_or(textLimit_);
    imeAscii_ = ime_->isChecked() ? 1 : 0;
    selectableCodeSet_ = codeSet_->isChecked() ? 1 : 0;
    jisKatakana_ = jisHalf_->isChecked() ? 1 : 0;
}

bool CPPageEdit::check() {
    if (tabSize_ < 1 || tabSize_ > 80) {
        message(40005, QStringLiteral("Tab size must be between 1 and 80."),
                mb::MB_OK | mb::MB_ICONEXCLAMATION);
        focusField(tabEdit_);
        return false;
    }
    if (textLimit_ < kTextLimitMin || textLimit_ > kTextLimitMax) {
        const QString range = res::loadString(
            sid::IDS_TEXT_LIMIT_RANGE, QStringLiteral("The text size limit must be %d to %d."));
        message(res::substitute(res::substitute(range, kTextLimitMin), kTextLimitMax),
                mb::MB_OK | mb::MB_ICONEXCLAMATION);
        focusField(limitEdit_);
        return false;
    }
    return true;
}

void CPPageEdit::OnApply() {
    Settings& s = context_.settings;
    s.writeInt(QStringLiteral("TAB_SIZE"), tabSize_);
    s.writeInt(QStringLiteral("SELECTABLE_CODE_SET"), selectableCodeSet_);
    s.writeInt(QStringLiteral("JIS_KATAKANA_MODE"), jisKatakana_);
    s.writeInt(QStringLiteral("DEFAULT_IME_MODE_ASCII"), imeAscii_);
    s.writeInt(QStringLiteral("TEXT_LIMIT"), textLimit_);
    if (selectableCodeSet_ != readCodeSet_)
        filecommon::setShowCharSetList(context_, selectableCodeSet_ != 0);
}

void CPPageEdit::report(SettingsOutcome& out) const {
    out.editPageApplied = true;
    out.tabSize = tabSize_;
}
