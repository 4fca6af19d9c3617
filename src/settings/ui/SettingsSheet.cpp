#include "SettingsSheet.h"

#include "CommandIds.h"
#include "DialogTexts.h"
#include "SettingsPage.h"
#include "SettingsPages.h"
#include "StringTable.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

SettingsSheet::SettingsSheet(SettingsContext& context, QWidget* parent)
    : QDialog(parent), context_(context) {
    setObjectName(QStringLiteral("settingsSheet"));
    setWindowTitle(res::loadString(35033, QStringLiteral("Settings")));
    tabs_ = new QTabWidget(this);
    tabs_->setUsesScrollButtons(true);
    tabs_->setElideMode(Qt::ElideNone);
    for (auto& made : settingsPages(context_)) {
        SettingsPage* page = made.release();
        pages_.push_back(page);
        tabs_->addTab(page, page->tabText());
    }
    buttons_ = new QDialogButtonBox(this);
    // The sheet's buttons are the standard ones, named as in a message box.
    buttons_->addButton(res::dialogText(res::IDD_MESSAGE_BOX, cmd::IDOK),
                        QDialogButtonBox::AcceptRole);
    buttons_->addButton(res::dialogText(res::IDD_MESSAGE_BOX, cmd::IDCANCEL),
                        QDialogButtonBox::RejectRole);
    for (QAbstractButton* b : buttons_->buttons())
        if (auto* push = qobject_cast<QPushButton*>(b))
            push->setAutoDefault(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_, 1);
    layout->addWidget(buttons_);
    connect(buttons_, &QDialogButtonBox::accepted, this, &SettingsSheet::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &SettingsSheet::reject);
    connect(tabs_, &QTabWidget::currentChanged, this, &SettingsSheet::onCurrentChanged);
    if (!pages_.empty())
        pages_.front()->ensureCreated();
}

SettingsSheet::~SettingsSheet() = default;

void SettingsSheet::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (SettingsPage* page = currentPage())
        page->ensureCreated();
}

SettingsPage* SettingsSheet::pageAt(int index) const {
    return index >= 0 && index < pageCount() ? pages_[size_t(index)] : nullptr;
}

SettingsPage* SettingsSheet::page(int dialogId) const {
    for (SettingsPage* p : pages_)
        if (p->dialogId() == dialogId)
            return p;
    return nullptr;
}

SettingsPage* SettingsSheet::currentPage() const {
    return pageAt(current_);
}

bool SettingsSheet::showPage(int dialogId) {
    SettingsPage* target = page(dialogId);
    if (!target)
        return false;
    tabs_->setCurrentWidget(target);
    return currentPage() == target;
}

void SettingsSheet::onCurrentChanged(int index) {
    if (index == current_)
        return;
    SettingsPage* leaving = currentPage();
    if (leaving && !leaving->OnKillActive()) {
        const QSignalBlocker block(tabs_);
        tabs_->setCurrentIndex(current_);
        return;
    }
    current_ = index;
    if (SettingsPage* page = currentPage()) {
        page->ensureCreated();
        page->setFocus(Qt::TabFocusReason);
    }
}

void SettingsSheet::accept() {
    if (SettingsPage* page = currentPage(); page && !page->OnKillActive())
        return;
    const int shown = current_;
    for (SettingsPage* page : pages_) {
        if (!page->isCreated())
            continue;
        // Each page is checked in front, so that its message and the field it
        // focuses are seen; a refusing page stays in front.
        showCreated(page);
        if (!page->check())
            return;
    }
    showCreated(pageAt(shown));
    for (SettingsPage* page : pages_)
        if (page->isCreated())
            page->OnApply();
    QDialog::accept();
}

void SettingsSheet::showCreated(SettingsPage* page) {
    const QSignalBlocker block(tabs_);
    tabs_->setCurrentWidget(page);
    current_ = tabs_->currentIndex();
}

void SettingsSheet::reject() {
    for (SettingsPage* page : pages_)
        if (page->isCreated())
            page->OnReset();
    QDialog::reject();
}

SettingsOutcome SettingsSheet::outcome() const {
    SettingsOutcome out;
    for (SettingsPage* page : pages_)
        if (page->isCreated())
            page->report(out);
    return out;
}
