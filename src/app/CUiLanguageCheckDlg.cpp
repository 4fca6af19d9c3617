#include "CUiLanguageCheckDlg.h"

#include "CommandIds.h"
#include "DialogTexts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

using namespace cmd::ui_language_check;

namespace {

// A check box's text that wraps on a narrow screen (a QCheckBox's own text
// never does): a label beside the box that ticks it when clicked.
class TicksOnClick : public QObject {
  public:
    TicksOnClick(QCheckBox* box, QObject* parent) : QObject(parent), box_(box) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::MouseButtonRelease)
            return QObject::eventFilter(watched, event);
        box_->toggle();
        return true;
    }

  private:
    QCheckBox* box_;
};

} // namespace

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
    dontCheck_ = new QCheckBox(this);
    dontCheck_->setAccessibleName(text(IDC_UI_CHECK_NO_MORE));
    auto* dontCheckText = new QLabel(text(IDC_UI_CHECK_NO_MORE), this);
    dontCheckText->setWordWrap(true);
    dontCheckText->setBuddy(dontCheck_);
    dontCheckText->installEventFilter(new TicksOnClick(dontCheck_, dontCheckText));
    auto* dontCheckRow = new QHBoxLayout;
    dontCheckRow->addWidget(dontCheck_, 0, Qt::AlignTop);
    dontCheckRow->addWidget(dontCheckText, 1);
    layout->addLayout(dontCheckRow);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* accept = buttons->addButton(text(cmd::IDOK), QDialogButtonBox::AcceptRole);
    buttons->addButton(text(cmd::IDCANCEL), QDialogButtonBox::RejectRole);
    accept->setDefault(true);
    accept->setAutoDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    // Never wider than the screen: the texts wrap instead, and the dialog is
    // as tall as the wrapped texts need.
    int width = layout->sizeHint().width();
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        width = std::min(width, screen->availableGeometry().width());
    setMinimumSize(width, layout->totalHeightForWidth(width));
    resize(minimumSize());
}

bool CUiLanguageCheckDlg::dontCheckAgain() const {
    return dontCheck_->isChecked();
}
