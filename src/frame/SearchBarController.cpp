#include "SearchBarController.h"

#include "CommandIds.h"
#include "FindBar.h"
#include "ReplaceBar.h"
#include "SearchBarHost.h"
#include "Settings.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>

namespace {

MatchCase matchCaseOf(const SearchBar* bar) {
    return bar->matchCase() ? MatchCase::On : MatchCase::Off;
}

// The part of a selection up to its first line break.
QString firstLineOf(const QString& text) {
    const qsizetype lineEnd = text.indexOf(QStringLiteral("\r\n"));
    return lineEnd < 0 ? text : text.left(lineEnd);
}

} // namespace

SearchBarController::SearchBarController(Settings& settings, SearchBarHost& host, QWidget* parent)
    : QObject(parent), settings_(settings), host_(host), findBar_(new FindBar(parent)),
      replaceBar_(new ReplaceBar(parent)) {
    findBar_->hide();
    replaceBar_->hide();
    findBar_->setMatchCase(settings_.getInt(QStringLiteral("FIND_CASE_SENSITIVE")) != 0);
    findBar_->setShowCommandButtons(settings_.getInt(QStringLiteral("FIND_SHOW_CMD_BUTTONS")) != 0);
    replaceBar_->setMatchCase(settings_.getInt(QStringLiteral("REPLACE_CASE_SENSITIVE")) != 0);
    replaceBar_->setShowCommandButtons(
        settings_.getInt(QStringLiteral("REPLACE_SHOW_CMD_BUTTONS")) != 0);
    // At most one bar is visible; the replace bar wins a tie.
    if (settings_.getInt(QStringLiteral("SHOW_CMDBAR_REPLECE")) != 0)
        replaceBar_->show();
    else if (settings_.getInt(QStringLiteral("SHOW_CMDBAR_SEARCH")) != 0)
        findBar_->show();

    for (SearchBar* bar :
         {static_cast<SearchBar*>(findBar_), static_cast<SearchBar*>(replaceBar_)}) {
        connect(bar, &SearchBar::commandRequested, this, [this](int id) { execute(id); });
        connect(bar, &SearchBar::focusEditorRequested, this, [this] { host_.focusEditControl(); });
    }
    bindCommands();
}

SearchBarController::~SearchBarController() = default;

bool SearchBarController::isFindBarShown() const {
    return !findBar_->isHidden();
}
bool SearchBarController::isReplaceBarShown() const {
    return !replaceBar_->isHidden();
}

int SearchBarController::softKeyMenu() const {
    if (isFindBarShown())
        return cmd::IDR_FINDBAR_MENUBAR;
    if (isReplaceBarShown())
        return cmd::IDR_REPLACEBAR_MENUBAR;
    return 0;
}

QString SearchBarController::findSoftKeyLabel() const {
    return findBar_->softKeyLabel();
}

void SearchBarController::retranslate() {
    findBar_->retranslate();
    replaceBar_->retranslate();
}

CommandState SearchBarController::query(int id) {
    CommandState state;
    state.enabled = true;
    if (!target_.onUpdateCommand(id, state))
        state.enabled = false;
    return state;
}

bool SearchBarController::execute(int id) {
    if (!query(id).enabled)
        return false;
    return target_.onCommand(id);
}

namespace {

bool isClipboardCommand(int id) {
    return id == cmd::ID_EDIT_CUT || id == cmd::ID_EDIT_COPY || id == cmd::ID_EDIT_PASTE;
}

bool clipboardHasText() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data && data->hasText();
}

} // namespace

bool SearchBarController::Target::onCommand(int id) {
    if (!isClipboardCommand(id))
        return owner_.commands_.onCommand(id);
    QLineEdit* box = owner_.focusedTextBox();
    if (!box)
        return false;
    if (id == cmd::ID_EDIT_CUT)
        box->cut();
    else if (id == cmd::ID_EDIT_COPY)
        box->copy();
    else
        box->paste();
    return true;
}

bool SearchBarController::Target::onUpdateCommand(int id, CommandState& state) {
    if (!isClipboardCommand(id))
        return owner_.commands_.onUpdateCommand(id, state);
    const QLineEdit* box = owner_.focusedTextBox();
    if (!box)
        return false;
    state.enabled = id == cmd::ID_EDIT_PASTE ? clipboardHasText() : box->hasSelectedText();
    return true;
}

void SearchBarController::bindCommands() {
    using namespace cmd;
    commands_.on(ID_EDIT_FIND, [this] { showBar(findBar_, host_.selectedText()); });
    commands_.on(ID_EDIT_REPLACE, [this] { showBar(replaceBar_, host_.selectedText()); });
    commands_.on(ID_FIND_NEXT, [this] { find(false); });
    commands_.on(ID_FIND_PREV, [this] { find(true); });
    commands_.on(ID_FIND_REVERSE, [this] { reverseDirection(); });
    commands_.on(
        ID_FIND_SOFTKEY, [this] { find(findBar_->isBackward()); },
        [this](CommandState& state) { state.text = findSoftKeyLabel(); });
    commands_.on(ID_REPLACE_FIND_NEXT, [this] { replaceFindNext(); });
    commands_.on(ID_REPLACE_SOFTKEY, [this] { replaceStep(); });
    commands_.on(ID_REPLACE_AND_FIND_NEXT, [this] { replaceStep(); });
    commands_.on(ID_REPLACE_ALL, [this] { replaceAll(); });
    commands_.on(ID_FIND_CLOSE, [this] { closeBar(findBar_); });
    commands_.on(ID_REPLACE_CLOSE, [this] { closeBar(replaceBar_); });
    commands_.on(ID_FIND_FOCUS_EDITOR, [this] { host_.focusEditControl(); });
    commands_.on(ID_REPLACE_FOCUS_EDITOR, [this] { host_.focusEditControl(); });

    const auto bindCase = [this](SearchBar* bar, int toggle, int onButton, int offButton) {
        commands_.on(
            toggle, [this, bar] { bar->setMatchCase(!bar->matchCase()); },
            [bar](CommandState& state) {
                state.enabled = !bar->isHidden();
                state.checked = bar->matchCase();
            });
        // The button shown while match case is on turns it off, and the other way round.
        commands_.on(onButton, [this, bar] { setMatchCase(bar, false); });
        commands_.on(offButton, [this, bar] { setMatchCase(bar, true); });
    };
    bindCase(findBar_, ID_FIND_CASE_SENSITIVE, findbar::IDC_CASE_ON, findbar::IDC_CASE_OFF);
    bindCase(replaceBar_, ID_REPLACE_CASE_SENSITIVE, replacebar::IDC_CASE_ON,
             replacebar::IDC_CASE_OFF);

    const auto bindButtons = [this](SearchBar* bar, int toggle) {
        commands_.on(
            toggle,
            [bar] {
                const bool hadButtonFocus =
                    bar->focusedControl() && bar->focusedControl() != bar->activeTextBox();
                bar->setShowCommandButtons(!bar->showCommandButtons());
                if (hadButtonFocus && !bar->showCommandButtons())
                    bar->searchTextBox()->setFocus(Qt::OtherFocusReason);
            },
            [bar](CommandState& state) { state.checked = bar->showCommandButtons(); });
    };
    bindButtons(findBar_, ID_FIND_SHOW_BUTTONS);
    bindButtons(replaceBar_, ID_REPLACE_SHOW_BUTTONS);

    bindEditCommands(findBar_, ID_FIND_TEXT_CUT, ID_FIND_TEXT_COPY, ID_FIND_TEXT_PASTE,
                     ID_FIND_TEXT_UNDO, ID_FIND_TEXT_SELECT_ALL, ID_FIND_TEXT_CLEAR);
    bindEditCommands(replaceBar_, ID_REPLACE_TEXT_CUT, ID_REPLACE_TEXT_COPY, ID_REPLACE_TEXT_PASTE,
                     ID_REPLACE_TEXT_UNDO, ID_REPLACE_TEXT_SELECT_ALL, ID_REPLACE_TEXT_CLEAR);
}

void SearchBarController::bindEditCommands(SearchBar* bar, int cut, int copy, int paste, int undo,
                                           int selectAll, int clear) {
    // Each item acts on the bar's text box and is enabled by that box's state.
    const auto bind = [this, bar](int id, void (*action)(QLineEdit*),
                                  bool (*enabled)(const QLineEdit*)) {
        commands_.on(
            id,
            [this, bar, action] {
                if (QLineEdit* box = editTarget(bar))
                    action(box);
            },
            [this, bar, enabled](CommandState& state) {
                const QLineEdit* box = editTarget(bar);
                state.enabled = box && enabled(box);
            });
    };
    const auto hasSelection = [](const QLineEdit* box) { return box->hasSelectedText(); };
    const auto notEmpty = [](const QLineEdit* box) { return !box->text().isEmpty(); };
    bind(
        cut, [](QLineEdit* box) { box->cut(); }, hasSelection);
    bind(
        copy, [](QLineEdit* box) { box->copy(); }, hasSelection);
    bind(
        paste, [](QLineEdit* box) { box->paste(); },
        [](const QLineEdit*) { return clipboardHasText(); });
    bind(
        undo, [](QLineEdit* box) { box->undo(); },
        [](const QLineEdit* box) { return box->isUndoAvailable(); });
    bind(
        selectAll, [](QLineEdit* box) { box->selectAll(); }, notEmpty);
    bind(
        clear, [](QLineEdit* box) { box->clear(); }, notEmpty);
}

QLineEdit* SearchBarController::editTarget(SearchBar* bar) const {
    if (bar == findBar_)
        return findBar_->searchTextBox();
    return bar->activeTextBox();
}

QLineEdit* SearchBarController::focusedTextBox() const {
    QWidget* focus = QApplication::focusWidget();
    for (QLineEdit* box :
         {findBar_->searchTextBox(), replaceBar_->searchTextBox(), replaceBar_->replaceTextBox()}) {
        if (box == focus && !box->isHidden())
            return box;
    }
    return nullptr;
}

void SearchBarController::showBar(SearchBar* bar, const QString& selection) {
    SearchBar* other =
        bar == findBar_ ? static_cast<SearchBar*>(replaceBar_) : static_cast<SearchBar*>(findBar_);
    other->hide();
    const QString firstLine = firstLineOf(selection);
    if (!firstLine.isEmpty())
        bar->searchTextBox()->setText(firstLine);
    bar->show();
    bar->searchTextBox()->setFocus(Qt::OtherFocusReason);
    bar->searchTextBox()->selectAll();
    emit softKeyMenuChanged(softKeyMenu());
}

void SearchBarController::closeBar(SearchBar* bar) {
    bar->hide();
    emit softKeyMenuChanged(softKeyMenu());
    host_.focusEditControl();
}

void SearchBarController::find(bool backward) {
    SearchBar* bar = replaceBar_;
    if (!isReplaceBarShown()) {
        if (!isFindBarShown())
            showBar(findBar_, QString());
        bar = findBar_;
    }
    const QString text = bar->searchTextBox()->text();
    if (text.isEmpty())
        return;
    const bool fromKey = host_.isKeyLastInput();
    const MatchCase matchCase = matchCaseOf(bar);
    host_.search(text, backward ? SearchDirection::Up : SearchDirection::Down, matchCase,
                 SearchMode::Find);
    bar->restoreFocus(fromKey);
    recordMacroStep(backward ? SearchStep::FindUp : SearchStep::FindDown, text,
                    matchCase == MatchCase::On);
}

void SearchBarController::reverseDirection() {
    findBar_->setBackward(!findBar_->isBackward());
    emit findSoftKeyLabelChanged(findSoftKeyLabel());
    find(findBar_->isBackward());
}

void SearchBarController::replaceFindNext() {
    const bool fromKey = host_.isKeyLastInput();
    host_.search(replaceBar_->searchText(), SearchDirection::Down, matchCaseOf(replaceBar_),
                 SearchMode::Find);
    replaceBar_->restoreFocus(fromKey);
}

void SearchBarController::replaceStep() {
    const bool fromKey = host_.isKeyLastInput();
    const QString findText = replaceBar_->searchText();
    const QString replaceText = replaceBar_->replaceText();
    const MatchCase matchCase = matchCaseOf(replaceBar_);
    host_.replace(findText, replaceText, matchCase);
    if (!findText.isEmpty()) {
        recordMacroStep(SearchStep::Replace, findText + QStringLiteral("\r\n") + replaceText,
                        matchCase == MatchCase::On);
    }
    if (isReplaceBarShown())
        replaceBar_->restoreFocus(fromKey);
}

void SearchBarController::replaceAll() {
    const bool fromKey = host_.isKeyLastInput();
    const QString findText = replaceBar_->searchText();
    const QString replaceText = replaceBar_->replaceText();
    const MatchCase matchCase = matchCaseOf(replaceBar_);
    if (host_.replaceAll(findText, replaceText, matchCase)) {
        recordMacroStep(SearchStep::ReplaceAll, findText + QStringLiteral("\r\n") + replaceText,
                        matchCase == MatchCase::On);
    }
    if (isReplaceBarShown())
        replaceBar_->restoreFocus(fromKey);
}

void SearchBarController::setMatchCase(SearchBar* bar, bool on) {
    bar->setMatchCase(on);
    if (host_.isKeyLastInput() && bar->showCommandButtons())
        bar->visibleCaseButton()->setFocus(Qt::OtherFocusReason);
    else
        bar->searchTextBox()->setFocus(Qt::OtherFocusReason);
}

void SearchBarController::storeSettings() {
    settings_.writeInt(QStringLiteral("SHOW_CMDBAR_SEARCH"), isFindBarShown() ? 1 : 0);
    settings_.writeInt(QStringLiteral("FIND_CASE_SENSITIVE"), findBar_->matchCase() ? 1 : 0);
    settings_.writeInt(QStringLiteral("FIND_SHOW_CMD_BUTTONS"),
                       findBar_->showCommandButtons() ? 1 : 0);
    settings_.writeInt(QStringLiteral("SHOW_CMDBAR_REPLECE"), isReplaceBarShown() ? 1 : 0);
    settings_.writeInt(QStringLiteral("REPLACE_CASE_SENSITIVE"), replaceBar_->matchCase() ? 1 : 0);
    settings_.writeInt(QStringLiteral("REPLACE_SHOW_CMD_BUTTONS"),
                       replaceBar_->showCommandButtons() ? 1 : 0);
}

void SearchBarController::recordMacroStep(SearchStep step, const QString& text, bool matchCase) {
    emit macroStepRecorded(int(step), text, matchCase ? 1 : 0);
}
