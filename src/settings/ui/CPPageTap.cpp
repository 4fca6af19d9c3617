#include "CPPageTap.h"

#include "CommandIds.h"
#include "FileSelectCommonSync.h"
#include "Settings.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace cmd::page_tap;

CPPageTap::CPPageTap(SettingsContext& context) : SettingsPage(context, cmd::IDD_PAGE_TAP) {
    Settings& s = context_.settings;
    longDelay_ = s.getInt(QStringLiteral("LONG_DELAY"));
    zoomMethod_ = s.getInt(QStringLiteral("STR_ZOOM_METHOD"));
    if (zoomMethod_ < 0 || zoomMethod_ > 2)
        zoomMethod_ = 1;
    singleTap_ = s.getInt(QStringLiteral("SELECT_BY_SINGLE_TAP"));
    readLongDelay_ = longDelay_;
    readZoomMethod_ = zoomMethod_;
}

void CPPageTap::createControls() {
    auto* delayGroup = withId(new QGroupBox(dialogText(IDC_DELAY_GROUP), this), IDC_DELAY_GROUP);
    delayNormal_ =
        withId(new QRadioButton(dialogText(IDC_DELAY_NORMAL), delayGroup), IDC_DELAY_NORMAL);
    delayLong_ = withId(new QRadioButton(dialogText(IDC_DELAY_LONG), delayGroup), IDC_DELAY_LONG);
    auto* delayLayout = new QHBoxLayout(delayGroup);
    delayLayout->addWidget(delayNormal_);
    delayLayout->addWidget(delayLong_);
    delayLayout->addStretch(1);

    auto* dialogGroup =
        withId(new QGroupBox(dialogText(IDC_FILE_DIALOG_GROUP), this), IDC_FILE_DIALOG_GROUP);
    auto* zoomLabel = withId(new QLabel(dialogText(IDC_ZOOM_LABEL), dialogGroup), IDC_ZOOM_LABEL);
    zoomLabel->setWordWrap(true);
    zoom_ = withId(new QComboBox(dialogGroup), IDC_ZOOM_METHOD);
    // The items are the list's initial data, one per line of its text.
    zoom_->addItems(dialogText(IDC_ZOOM_METHOD).split(u'\n'));
    zoomLabel->setBuddy(zoom_);
    auto* chooseLabel =
        withId(new QLabel(dialogText(IDC_SELECT_LABEL), dialogGroup), IDC_SELECT_LABEL);
    chooseLabel->setWordWrap(true);
    doubleTap_ = withId(new QRadioButton(dialogText(IDC_DOUBLE_TAP), dialogGroup), IDC_DOUBLE_TAP);
    singleTapButton_ =
        withId(new QRadioButton(dialogText(IDC_SINGLE_TAP), dialogGroup), IDC_SINGLE_TAP);
    auto* tapRow = new QHBoxLayout;
    tapRow->addWidget(doubleTap_);
    tapRow->addWidget(singleTapButton_);
    tapRow->addStretch(1);
    auto* dialogLayout = new QVBoxLayout(dialogGroup);
    dialogLayout->addWidget(zoomLabel);
    dialogLayout->addWidget(zoom_);
    dialogLayout->addWidget(chooseLabel);
    dialogLayout->addLayout(tapRow);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(delayGroup);
    layout->addWidget(dialogGroup);
    layout->addStretch(1);
}

void CPPageTap::OnInitDialog() {
    (longDelay_ != 0 ? delayLong_ : delayNormal_)->setChecked(true);
    zoom_->setCurrentIndex(zoomMethod_);
    (singleTap_ != 0 ? singleTapButton_ : doubleTap_)->setChecked(true);
}

void CPPageTap::readControls() {
    longDelay_ = delayLong_->isChecked() ? 1 : 0;
    zoomMethod_ = zoom_->currentIndex();
    singleTap_ = singleTapButton_->isChecked() ? 1 : 0;
}

void CPPageTap::OnApply() {
    Settings& s = context_.settings;
    s.writeInt(QStringLiteral("LONG_DELAY"), longDelay_);
    s.writeInt(QStringLiteral("SELECT_BY_SINGLE_TAP"), singleTap_);
    s.writeInt(QStringLiteral("STR_ZOOM_METHOD"), zoomMethod_);
    if (longDelay_ != readLongDelay_)
        filecommon::setLongDelay(context_, longDelay_ != 0);
    if (zoomMethod_ != readZoomMethod_)
        filecommon::setZoomMethod(context_, zoomMethod_);
}

void CPPageTap::report(SettingsOutcome& out) const {
    out.tapPageApplied = true;
    out.longDelay = longDelay_ != 0;
}
