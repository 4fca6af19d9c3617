#include "CUiLanguageCheckDlg.h"

#include "CommandIds.h"
#include "DialogTexts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace cmd::ui_language_check;

CUiLanguageCheckDlg::CUiLanguageCheckDlg(const QString& languageName,
                                         const std::function<QString(int)>& text, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(text(res::IDC_CAPTION));
    auto* layout = new QVBoxLayout(this);
    auto* message = new QLabel(text(IDC_UI_CHECK_MESSAGE), this);
    message->setWordWrap(true);
    layout->addWidget(message);
    auto* name = new QLabel(languageName, this);
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    name->setIndent(16);
    layout->addWidget(name);
    dontCheck_ = new QCheckBox(text(IDC_UI_CHECK_NO_MORE), this);
    layout->addWidget(dontCheck_);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* accept = buttons->addButton(text(cmd::IDOK), QDialogButtonBox::AcceptRole);
    buttons->addButton(text(cmd::IDCANCEL), QDialogButtonBox::RejectRole);
    accept->setDefault(true);
    accept->setAutoDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetMinimumSize);
}

bool CUiLanguageCheckDlg::dontCheckAgain() const {
    return dontCheck_->isChecked();
}
