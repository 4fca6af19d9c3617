#include "CPPageCustomize.h"

#include "CommandIds.h"
#include "Settings.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace cmd::page_customize;

CPPageCustomize::CPPageCustomize(SettingsContext& context)
    : SettingsPage(context, cmd::IDD_PAGE_CUSTOMIZE) {
    Settings& s = context_.settings;
    info_ = s.getInt(QStringLiteral("TITLE_BAR_INFO"));
    label_ = s.getString(QStringLiteral("TITLE_BAR_LABEL"));
    modifiedMark_ = s.getInt(QStringLiteral("DISP_TEXT_MODIFIED_MARK"));
    caretPos_ = s.getInt(QStringLiteral("DISP_CARET_POS_INFO"));
    caretAfter_ = s.getInt(QStringLiteral("CARET_POS_INFO_POS"));
}

void CPPageCustomize::createControls() {
    auto* infoGroup = withId(new QGroupBox(dialogText(IDC_INFO_GROUP), this), IDC_INFO_GROUP);
    fileName_ =
        withId(new QRadioButton(dialogText(IDC_SHOW_FILE_NAME), infoGroup), IDC_SHOW_FILE_NAME);
    fixedLabel_ = withId(new QRadioButton(dialogText(IDC_SHOW_LABEL), infoGroup), IDC_SHOW_LABEL);
    labelEdit_ = withId(new QLineEdit(infoGroup), IDC_LABEL);
    auto* infoLayout = new QVBoxLayout(infoGroup);
    infoLayout->addWidget(fileName_);
    infoLayout->addWidget(fixedLabel_);
    infoLayout->addWidget(labelEdit_);

    markBox_ = withId(new QCheckBox(dialogText(IDC_MODIFIED_MARK), this), IDC_MODIFIED_MARK);
    caretBox_ = withId(new QCheckBox(dialogText(IDC_CARET_POS), this), IDC_CARET_POS);
    before_ = withId(new QRadioButton(dialogText(IDC_CARET_BEFORE), this), IDC_CARET_BEFORE);
    after_ = withId(new QRadioButton(dialogText(IDC_CARET_AFTER), this), IDC_CARET_AFTER);
    auto* caretRow = new QHBoxLayout;
    caretRow->addSpacing(24);
    caretRow->addWidget(before_);
    caretRow->addWidget(after_);
    caretRow->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(infoGroup);
    layout->addWidget(markBox_);
    layout->addWidget(caretBox_);
    layout->addLayout(caretRow);
    layout->addStretch(1);

    for (QAbstractButton* b :
         std::initializer_list<QAbstractButton*>{fileName_, fixedLabel_, caretBox_})
        connect(b, &QAbstractButton::clicked, this, &CPPageCustomize::updateEnabled);
}

void CPPageCustomize::OnInitDialog() {
    (info_ == 1 ? fixedLabel_ : fileName_)->setChecked(true);
    labelEdit_->setText(label_);
    markBox_->setChecked(modifiedMark_ != 0);
    caretBox_->setChecked(caretPos_ != 0);
    (caretAfter_ == 1 ? after_ : before_)->setChecked(true);
    updateEnabled();
}

void CPPageCustomize::updateEnabled() {
    labelEdit_->setEnabled(fixedLabel_->isChecked());
    before_->setEnabled(caretBox_->isChecked());
    after_->setEnabled(caretBox_->isChecked());
}

void CPPageCustomize::readControls() {
    info_ = fixedLabel_->isChecked() ? 1 : 0;
    label_ = labelEdit_->text();
    modifiedMark_ = markBox_->isChecked() ? 1 : 0;
    caretPos_ = caretBox_->isChecked() ? 1 : 0;
    caretAfter_ = after_->isChecked() ? 1 : 0;
}

void CPPageCustomize::OnApply() {
    Settings& s = context_.settings;
    s.writeInt(QStringLiteral("TITLE_BAR_INFO"), info_);
    s.writeString(QStringLiteral("TITLE_BAR_LABEL"), label_);
    s.writeInt(QStringLiteral("DISP_TEXT_MODIFIED_MARK"), modifiedMark_);
    s.writeInt(QStringLiteral("DISP_CARET_POS_INFO"), caretPos_);
    s.writeInt(QStringLiteral("CARET_POS_INFO_POS"), caretAfter_);
}
