#include "CPPageMenu.h"

#include "CommandIds.h"
#include "MessageService.h"
#include "Settings.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

using namespace cmd::page_menu;

CPPageMenu::CPPageMenu(SettingsContext& context) : SettingsPage(context, cmd::IDD_PAGE_MENU) {
    Settings& s = context_.settings;
    readExitInFile_ = exitInFile_ = s.getInt(QStringLiteral("EXIT_IN_FILE_MENU"));
    readUseSoftKey_ = useSoftKey_ = s.getInt(QStringLiteral("USE_SOFT_KEY_MENU"));
    readLabelFormat_ = labelFormat_ = s.getInt(QStringLiteral("FONT_LABEL_FORMAT"));
    readCount_ = s.getInt(QStringLiteral("MRU_LIST_ITEM_COUNT"));
    countText_ = QString::asprintf("%d", readCount_);
}

void CPPageMenu::createControls() {
    exitInFileBox_ =
        withId(new QCheckBox(dialogText(IDC_EXIT_IN_FILE_MENU), this), IDC_EXIT_IN_FILE_MENU);
    softKeyBox_ =
        withId(new QCheckBox(dialogText(IDC_USE_SOFT_KEY_MENU), this), IDC_USE_SOFT_KEY_MENU);
    softKeyBox_->setEnabled(false);

    countEdit_ = withId(new QLineEdit(this), IDC_MRU_COUNT);
    countEdit_->setInputMethodHints(Qt::ImhDigitsOnly);
    countEdit_->setMaximumWidth(
        countEdit_->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    auto* spin = withId(new QWidget(this), IDC_MRU_SPIN);
    auto* up = new QToolButton(spin);
    up->setArrowType(Qt::UpArrow);
    auto* down = new QToolButton(spin);
    down->setArrowType(Qt::DownArrow);
    auto* spinLayout = new QHBoxLayout(spin);
    spinLayout->setContentsMargins(0, 0, 0, 0);
    spinLayout->setSpacing(0);
    spinLayout->addWidget(up);
    spinLayout->addWidget(down);
    connect(up, &QToolButton::clicked, this, [this] { stepCount(1); });
    connect(down, &QToolButton::clicked, this, [this] { stepCount(-1); });
    auto* countLabel = withId(new QLabel(dialogText(IDC_MRU_LABEL), this), IDC_MRU_LABEL);
    countLabel->setBuddy(countEdit_);
    auto* countRow = new QHBoxLayout;
    countRow->addWidget(countLabel);
    countRow->addWidget(countEdit_);
    countRow->addWidget(spin);
    countRow->addStretch(1);

    auto* labelGroup = withId(new QGroupBox(dialogText(IDC_LABEL_GROUP), this), IDC_LABEL_GROUP);
    numbered_ =
        withId(new QRadioButton(dialogText(IDC_LABEL_NUMBERED), labelGroup), IDC_LABEL_NUMBERED);
    faceAndSize_ = withId(new QRadioButton(dialogText(IDC_LABEL_FACE_AND_SIZE), labelGroup),
                          IDC_LABEL_FACE_AND_SIZE);
    auto* labelLayout = new QVBoxLayout(labelGroup);
    labelLayout->addWidget(numbered_);
    labelLayout->addWidget(faceAndSize_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(exitInFileBox_);
    layout->addWidget(softKeyBox_);
    layout->addLayout(countRow);
    layout->addWidget(labelGroup);
    layout->addStretch(1);
}

void CPPageMenu::OnInitDialog() {
    exitInFileBox_->setChecked(exitInFile_ != 0);
    softKeyBox_->setChecked(useSoftKey_ != 0);
    softKeyBox_->setEnabled(true);
    countEdit_->setText(countText_);
    (labelFormat_ != 0 ? faceAndSize_ : numbered_)->setChecked(true);
}

void CPPageMenu::stepCount(int delta) {
    bool ok = false;
    const int now = countEdit_->text().trimmed().toInt(&ok);
    countEdit_->setText(QString::number(std::clamp(ok ? now + delta : 1, 1, 9)));
}

void CPPageMenu::readControls() {
    exitInFile_ = exitInFileBox_->isChecked() ? 1 : 0;
    useSoftKey_ = softKeyBox_->isChecked() ? 1 : 0;
    labelFormat_ = faceAndSize_->isChecked() ? 1 : 0;
    countText_ = countEdit_->text();
}

bool CPPageMenu::checkCount() {
    bool ok = false;
    const int n = countText_.trimmed().toInt(&ok, 10);
    if (ok && n >= 1 && n <= 9)
        return true;
    message(40025, QStringLiteral("Recent files must be between 1 and 9."),
            mb::MB_OK | mb::MB_ICONERROR);
    if (countEdit_)
        focusField(countEdit_);
    return false;
}

bool CPPageMenu::OnKillActive() {
    return SettingsPage::OnKillActive() && checkCount();
}

bool CPPageMenu::check() {
    return checkCount();
}

void CPPageMenu::OnApply() {
    Settings& s = context_.settings;
    s.writeInt(QStringLiteral("EXIT_IN_FILE_MENU"), exitInFile_);
    s.writeInt(QStringLiteral("USE_SOFT_KEY_MENU"), useSoftKey_);
    s.writeInt(QStringLiteral("FONT_LABEL_FORMAT"), labelFormat_);
    const int count = countText_.trimmed().toInt();
    if (count != readCount_)
        message(35064, QStringLiteral("The recent file setting takes effect at the next start."),
                mb::MB_OK | mb::MB_ICONINFORMATION);
    s.writeInt(QStringLiteral("MRU_LIST_ITEM_COUNT"), count);
}

void CPPageMenu::report(SettingsOutcome& out) const {
    out.labelFormatChanged = labelFormat_ != readLabelFormat_;
    out.useSoftKeyChanged = useSoftKey_ != readUseSoftKey_;
    out.useSoftKey = useSoftKey_ != 0;
    out.exitInFileChanged = exitInFile_ != readExitInFile_;
}
