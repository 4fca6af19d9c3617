#include "SettingsSheet.h"

#include "CommandIds.h"
#include "DialogTexts.h"
#include "MessageService.h"
#include "ProfileStore.h"
#include "Registry.h"
#include "Settings.h"
#include "SettingsPage.h"
#include "SettingsPages.h"
#include "StringTable.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace {
// The tab widget's frame beside its tab bar.
constexpr int kTabFrame = 4;
} // namespace

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
        // On a small screen (or with large fonts) a page scrolls rather than
        // pushing the sheet past the screen's edges.
        auto* scroll = new QScrollArea(tabs_);
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setWidgetResizable(true);
        scroll->setWidget(page);
        tabs_->addTab(scroll, page->tabText());
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
    fitToScreen();
}

void SettingsSheet::fitToScreen() {
    const QScreen* screen = this->screen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QSize frame = frameGeometry().size() - size();
    const QSize room = available.size() - frame;
    // The sheet grows by what the page on show lacks, as far as the screen allows.
    QSize wanted = size();
    if (SettingsPage* page = currentPage()) {
        const auto* scroll = static_cast<const QScrollArea*>(tabs_->widget(indexOf(page)));
        wanted += (page->sizeHint() - scroll->viewport()->size()).expandedTo(QSize(0, 0));
    }
    // Where the screen has room, every tab shows without scroll buttons.
    const int margins = width() - tabs_->width();
    tabs_->setMinimumWidth(
        std::min(tabs_->tabBar()->sizeHint().width() + kTabFrame, room.width() - margins));
    wanted = wanted.expandedTo(QSize(layout()->minimumSize().width(), 0)).boundedTo(room);
    // The sheet grows about its centre, then stays whole on the screen, title
    // bar included.
    QRect placed = frameGeometry();
    if (wanted != size()) {
        const QPoint centre = placed.center();
        resize(wanted);
        placed = frameGeometry();
        placed.moveCenter(centre);
    }
    placed.moveRight(std::min(placed.right(), available.right()));
    placed.moveBottom(std::min(placed.bottom(), available.bottom()));
    placed.moveLeft(std::max(placed.left(), available.left()));
    placed.moveTop(std::max(placed.top(), available.top()));
    if (placed.topLeft() != frameGeometry().topLeft())
        move(placed.topLeft());
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

int SettingsSheet::indexOf(const SettingsPage* page) const {
    const auto found = std::find(pages_.begin(), pages_.end(), page);
    return found == pages_.end() ? -1 : int(found - pages_.begin());
}

SettingsPage* SettingsSheet::currentPage() const {
    return pageAt(current_);
}

bool SettingsSheet::showPage(int dialogId) {
    SettingsPage* target = page(dialogId);
    if (!target)
        return false;
    tabs_->setCurrentIndex(indexOf(target));
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
        // The controls of a page made just now are shown by queued calls;
        // its size is known once they ran.
        if (isVisible())
            QTimer::singleShot(0, this, [this] { fitToScreen(); });
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
    // Every page's values as one group: another editor reads the old set or
    // the new one, and a write that fails leaves the old set.
    std::vector<std::pair<QString, uint32_t>> held;
    context_.heldMessages = &held;
    {
        RegTransaction write(context_.settings.store().registry(), RegTransaction::Write);
        for (SettingsPage* page : pages_)
            if (page->isCreated())
                page->OnApply();
        write.commit();
    }
    context_.heldMessages = nullptr;
    for (const auto& [text, style] : held)
        context_.messages.show(text, res::loadString(35081, QStringLiteral("Tavlo")), style, this);
    QDialog::accept();
}

void SettingsSheet::showCreated(SettingsPage* page) {
    const QSignalBlocker block(tabs_);
    tabs_->setCurrentIndex(indexOf(page));
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
