#include "ViewMacroPlayer.h"

#include "CTextEdit.h"
#include "EditBuffer.h"
#include "EditerDocument.h"
#include "KeyState.h"
#include "MacroPlayView.h"
#include "MessageService.h"
#include "StringIds.h"
#include "StringTable.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

namespace {

QString caption() {
    return res::loadString(sid::AFX_IDS_APP_TITLE, {});
}

// Runs the event loop until the time is up or `done` says so; checked often
// enough that a stop ends a long wait at once.
void runEventsFor(int milliseconds, const std::function<bool()>& done) {
    if (milliseconds <= 0 || (done && done()))
        return;
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done && done())
            loop.quit();
    });
    deadline.start(milliseconds);
    poll.start(10);
    loop.exec();
}

} // namespace

QString macroTextFittingRoom(const QString& text, int room) {
    qsizetype n = std::min<qsizetype>(text.size(), std::max(0, room));
    if (n > 0 && n < text.size()) {
        const QChar last = text[n - 1];
        if ((last == u'\r' && text[n] == u'\n') || last.isHighSurrogate())
            --n;
    }
    return text.left(n);
}

ViewMacroPlayer::ViewMacroPlayer(MacroPlayView& view, MessageService& messages)
    : view_(view), messages_(messages) {}

CTextEdit& ViewMacroPlayer::edit() const {
    return view_.activeEdit();
}

void ViewMacroPlayer::sendKey(int virtualKey, bool down) {
    // Keys go to the edit control even when a search box holds the focus or
    // the control was disabled (it then ignores them).
    keys_.sendKey(&edit(), virtualKey, down);
}

void ViewMacroPlayer::typeText(const QString& text) {
    const auto [start, end] = edit().GetSel();
    const int room = edit().GetLimitText() - (edit().GetTextLength() - (end - start));
    const QString fitted = macroTextFittingRoom(text, room);
    if (fitted.size() < text.size())
        QApplication::beep();
    if (!fitted.isEmpty())
        edit().ReplaceSel(fitted);
}

void ViewMacroPlayer::pumpMessages() {
    QCoreApplication::processEvents();
}

void ViewMacroPlayer::sleep(int milliseconds, const bool& playing) {
    runEventsFor(milliseconds, [&playing] { return !playing; });
}

bool ViewMacroPlayer::isKeyDown(int virtualKey) const {
    return keyState_ && keyState_->isKeyDown(virtualKey);
}

void ViewMacroPlayer::waitForEvents(int milliseconds) {
    runEventsFor(milliseconds, {});
}

void ViewMacroPlayer::repaint() {
    view_.repaintNow();
}

void ViewMacroPlayer::runIdle() {
    if (idle_)
        idle_();
    else
        QCoreApplication::processEvents();
}

std::pair<int, int> ViewMacroPlayer::selection() const {
    return view_.editBuffer().GetSel();
}

void ViewMacroPlayer::setSelection(int start, int end) {
    view_.editBuffer().SetSel(start, end);
}

void ViewMacroPlayer::scrollCaret() {
    view_.editBuffer().ScrollCaret();
}

int ViewMacroPlayer::textLength() const {
    return view_.editBuffer().GetTextLength();
}

int ViewMacroPlayer::lineCount() const {
    return view_.editBuffer().GetLineCount();
}

int ViewMacroPlayer::lineFromChar(int index) const {
    return view_.editBuffer().LineFromChar(index);
}

int ViewMacroPlayer::lineIndex(int line) const {
    return view_.editBuffer().LineIndex(line);
}

int ViewMacroPlayer::lineLength(int index) const {
    return view_.editBuffer().LineLength(index);
}

int ViewMacroPlayer::firstVisibleLine() const {
    return view_.editBuffer().GetFirstVisibleLine();
}

bool ViewMacroPlayer::isEditEnabled() const {
    return edit().isEnabled();
}

void ViewMacroPlayer::setEditEnabled(bool enabled) {
    edit().setEnabled(enabled);
}

void ViewMacroPlayer::focusEdit() {
    edit().setFocus(Qt::OtherFocusReason);
}

void ViewMacroPlayer::insertString(const QString& insertText,
                                   const std::optional<QString>& endText) {
    view_.InsertString(insertText, endText);
}

void ViewMacroPlayer::find(const QString& text, bool up, bool matchCase) {
    view_.Search(text, up ? SearchDirection::Up : SearchDirection::Down,
                 matchCase ? MatchCase::On : MatchCase::Off, SearchMode::Find);
}

void ViewMacroPlayer::replaceNext(const QString& findText, const QString& replaceText,
                                  bool matchCase) {
    if (view_.Search(findText, SearchDirection::Down, matchCase ? MatchCase::On : MatchCase::Off,
                     SearchMode::Replace))
        view_.editBuffer().ReplaceSel(replaceText);
}

void ViewMacroPlayer::replaceAll(const QString& findText, const QString& replaceText,
                                 bool matchCase) {
    view_.ReplaceAll(findText, replaceText, matchCase ? MatchCase::On : MatchCase::Off);
}

bool ViewMacroPlayer::offerSave(const QString& abandonText) {
    if (!view_.IsDocumentChanged())
        return true;
    const int answer = messages_.show(
        res::loadString(30006, QStringLiteral("The file has changed.\nSave the changes?")),
        caption(), mb::MB_YESNOCANCEL | mb::MB_ICONQUESTION, view_.dialogOwner());
    if (answer == mb::IDNO)
        return true;
    if (answer != mb::IDYES)
        return false;
    if (view_.document().SaveBeforeDiscard())
        return true;
    messages_.show(abandonText, caption(), mb::MB_OK | mb::MB_ICONEXCLAMATION, view_.dialogOwner());
    return false;
}

void ViewMacroPlayer::newFile(bool ask) {
    if (ask && !offerSave(res::loadString(sid::IDS_MACRO_NEW_FILE_ABANDONED, {})))
        return;
    view_.document().NewDocument();
}

void ViewMacroPlayer::open(const QString& path, bool ask) {
    if (ask && !offerSave(res::loadString(sid::IDS_MACRO_OPEN_ABANDONED, {})))
        return;
    view_.document().ReadIntoDocument(path);
}

void ViewMacroPlayer::saveCopy(const QString& path) {
    view_.document().WriteCopy(path);
}

void ViewMacroPlayer::saveAs() {
    view_.document().OnFileSaveAs();
}

void ViewMacroPlayer::cut() {
    view_.editBuffer().Cut();
}

void ViewMacroPlayer::copy() {
    view_.editBuffer().Copy();
}

void ViewMacroPlayer::paste() {
    view_.editBuffer().Paste();
}
