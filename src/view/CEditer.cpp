#include "CEditer.h"

#include "CommandIds.h"
#include "EditAnchor.h"
#include "EditCommands.h"
#include "EditerDocument.h"
#include "FileInfo.h"
#include "InsertStringMenu.h"
#include "MessageService.h"
#include "Settings.h"
#include "StringTable.h"
#include "ViewMacroCommands.h"
#include "ViewMacroPlayer.h"
#include "ViewSearchTarget.h"
#include "WaitCursor.h"

#include "Clock.h"

#include <QAction>
#include <QMenu>
#include <QResizeEvent>
#include <QScreen>
#include <QTextBlock>
#include <algorithm>
#include <new>

namespace {
// COLORREF 0x00BBGGRR.
QColor colorFromColorRef(int value) {
    const auto v = uint32_t(value);
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

int caretIndexOf(const CTextEdit& edit) {
    return edit.indexFromPosition(edit.textCursor().position());
}

int anchorIndexOf(const CTextEdit& edit) {
    return edit.indexFromPosition(edit.textCursor().anchor());
}
} // namespace

CEditer::CEditer(ViewServices services, DocumentServices documentServices, QWidget* parent)
    : QWidget(parent), services_(std::move(services)), documentServices_(documentServices) {
    setObjectName(QStringLiteral("CEditer"));
    wrapEdit_ = new CTextEdit(cmd::view::IDC_WRAP_EDIT, CTextEdit::Wrap::On, this);
    plainEdit_ = new CTextEdit(cmd::view::IDC_PLAIN_EDIT, CTextEdit::Wrap::Off, this);
    activeEdit_ = wrapEdit_;
    plainEdit_->hide();

    const Settings& settings = services_.settings;
    state_.lastFolder = QStringLiteral("\\My Documents\\");
    state_.filterIndex = settings.getInt(QStringLiteral("FILTER_INDEX"));
    tabSize = settings.getInt(QStringLiteral("TAB_SIZE"));
    textColor = colorFromColorRef(settings.getInt(QStringLiteral("COLOR_TEXT")));
    backgroundColor = colorFromColorRef(settings.getInt(QStringLiteral("COLOR_BACKGROUND")));
    fontIndex = settings.getInt(QStringLiteral("FONT_SIZE"));
    applyColors();

    connectEdit(*wrapEdit_);
    connectEdit(*plainEdit_);

    sizeWatchTimer_.setInterval(cmd::timer::SIZE_WATCH_MS);
    resizeTimer_.setInterval(cmd::timer::RESIZE_MS);
    resizeTimer_.setSingleShot(true);
    titleTimer_.setInterval(cmd::timer::TITLE_REFRESH_MS);
    titleTimer_.setSingleShot(true);
    connect(&sizeWatchTimer_, &QTimer::timeout, this, [this] { OnTimer(cmd::timer::SIZE_WATCH); });
    connect(&resizeTimer_, &QTimer::timeout, this, [this] { OnTimer(cmd::timer::RESIZE); });
    connect(&titleTimer_, &QTimer::timeout, this, [this] { OnTimer(cmd::timer::TITLE_REFRESH); });

    bindCommands();
    document_ =
        std::make_unique<EditerDocument>(state_, *this, *this, services_, documentServices_);
    editCommands_ = std::make_unique<EditCommands>(*this, *this, services_);
    macroCommands_ =
        std::make_unique<ViewMacroCommands>(state_, *this, services_, documentServices_.fileSystem);
    connect(this, &CEditer::loadDefaultMacroRequested, macroCommands_.get(),
            [this] { macroCommands_->loadDefaultMacro(); });
    connect(this, &CEditer::macroStepRecorded, macroCommands_.get(),
            &ViewMacroCommands::recordViewStep);
    macroCommands_->setPlayer(std::make_unique<ViewMacroPlayer>(*this, services_.messages));
}

CEditer::~CEditer() {
    sizeWatchTimer_.stop();
    resizeTimer_.stop();
    titleTimer_.stop();
    if (initialUpdateDone_) {
        Settings& settings = services_.settings;
        settings.writeInt(QStringLiteral("FONT_SIZE"), fontIndex);
        settings.writeString(QStringLiteral("LAST_OPEN_FOLDER"), state_.lastFolder);
        settings.writeInt(QStringLiteral("FILTER_INDEX"), state_.filterIndex);
        settings.writeInt(QStringLiteral("EDIT_AUTO_ARRANGE"), wrapMode ? 1 : 0);
    }
    documentServices_.openDocuments.UnregisterOpenDocument(state_.ownWindowHandle);
    if (services_.removeOpenDocument)
        services_.removeOpenDocument();
}

void CEditer::connectEdit(CTextEdit& edit) {
    edit.setMacroRecordingFlag(&state_.macroRecording);
    // The caret-moved notice is posted: the title follows once the key or
    // the button press has moved the caret. An estimated line number in the
    // title is made exact once the control has laid out the text before it.
    connect(&edit, &CTextEdit::caretMoveNotice, this, &CEditer::onCaretMoveNotice,
            Qt::QueuedConnection);
    connect(&edit, &CTextEdit::lineNumbersExact, this, &CEditer::onCaretMoveNotice);
    // Whatever else moves the caret (a search, the macro player's selection,
    // the program's own SetSel) refreshes the title as well.
    connect(&edit, &QPlainTextEdit::cursorPositionChanged, this, [this, &edit] {
        if (&edit == activeEdit_)
            onCaretMoveNotice();
    });
    connect(&edit, &CTextEdit::changeNotice, this, &CEditer::markTextChanged);
    connect(&edit, &CTextEdit::focusNotice, this, &CEditer::editFocusChanged);
    connect(&edit, &CTextEdit::characterTyped, this,
            [this](const QString& text, Qt::KeyboardModifiers modifiers) {
                RecordedStep step;
                step.kind = RecordedStep::Kind::Character;
                step.text = text;
                step.modifiers = modifiers;
                recordMacroStep(step);
            });
    connect(&edit, &CTextEdit::keyDown, this, [this](int key, Qt::KeyboardModifiers modifiers) {
        RecordedStep step;
        step.kind = RecordedStep::Kind::KeyDown;
        step.key = key;
        step.modifiers = modifiers;
        recordMacroStep(step);
    });
    connect(&edit, &CTextEdit::acceleratorKey, this, [this](int id, bool* handled) {
        CommandState state;
        state.enabled = true;
        if (onUpdateCommand(id, state) && state.enabled)
            *handled = onCommand(id);
    });
}

void CEditer::bindCommands() {
    commands_.on(
        cmd::ID_VIEW_WRAP, [this] { toggleWrap(); },
        [this](CommandState& s) { s.checked = wrapMode; });
    commands_.onRange(
        cmd::ID_VIEW_FONT1, cmd::ID_VIEW_FONT4,
        [this](int id) { SelectFont(id - cmd::ID_VIEW_FONT1); },
        [this](int id, CommandState& s) {
            const int i = id - cmd::ID_VIEW_FONT1;
            // The label follows the fonts whenever they change, not only when
            // the label format does.
            s.text = fonts_.label(i);
            s.checked = fonts::normalizedIndex(fontIndex) == i;
        });
    commands_.onRange(cmd::ID_INSERT_STRING1, cmd::ID_INSERT_STRING8, [this](int id) {
        const int index = id - cmd::ID_INSERT_STRING1;
        if (index < 0 || index >= int(insertStrings.size()))
            return;
        InsertString(insertStrings[size_t(index)]);
    });
    commands_.on(cmd::ID_INSERT_STRING_MENU, [this] { ShowInsertMenu(QCursor::pos()); });
}

bool CEditer::onCommand(int id) {
    return commands_.onCommand(id) || document_->onCommand(id) || editCommands_->onCommand(id) ||
           macroCommands_->onCommand(id);
}

bool CEditer::onUpdateCommand(int id, CommandState& state) {
    return commands_.onUpdateCommand(id, state) || document_->onUpdateCommand(id, state) ||
           editCommands_->onUpdateCommand(id, state) || macroCommands_->onUpdateCommand(id, state);
}

void CEditer::toggleWrap() {
    wrapMode = !wrapMode;
    if (wrapMode)
        SwitchEdit(*plainEdit_, *wrapEdit_);
    else
        SwitchEdit(*wrapEdit_, *plainEdit_);
}

void CEditer::OnInitialUpdate() {
    if (initialUpdateDone_) {
        activeEdit_->setFocus();
        state_.charSet = 1;
        return;
    }
    initialUpdateDone_ = true;
    Settings& settings = services_.settings;

    LoadInsertStrings();
    BuildInsertMenu();

    exitInFileMenu_ = settings.getInt(QStringLiteral("EXIT_IN_FILE_MENU")) != 0;
    LoadFonts(true, true, true, true);
    fontIndex = settings.getInt(QStringLiteral("FONT_SIZE"));
    SetFontLabels();
    SelectFont(fontIndex);

    state_.lastFolder = settings.getString(QStringLiteral("LAST_OPEN_FOLDER"));
    state_.filterIndex = settings.getInt(QStringLiteral("FILTER_INDEX"));
    wrapMode = settings.getInt(QStringLiteral("EDIT_AUTO_ARRANGE")) != 0;
    activeEdit_ = wrapMode ? wrapEdit_ : plainEdit_;
    showActive();

    applyTextLimit();
    sizeWatchTimer_.start();

    if (settings.getInt(QStringLiteral("LOAD_DAFAULT_MACRO")) != 0)
        QMetaObject::invokeMethod(
            this, [this] { emit loadDefaultMacroRequested(); }, Qt::QueuedConnection);

    readTitleFlags();
    if (titleFlags & titleflags::kLabelMask)
        UpdateTitle(labelTitle(), titleFlags, true);
    else
        UpdateTitle(std::nullopt, titleFlags, true);

    ArrangeEdits();

    if (settings.getInt(QStringLiteral("DEFAULT_IME_MODE_ASCII")) != 0) {
        // Half-width alphanumeric input: the input method is asked for Latin text.
        for (CTextEdit* edit : {wrapEdit_, plainEdit_})
            edit->setInputMethodHints(edit->inputMethodHints() | Qt::ImhPreferLatin);
    }

    activeEdit_->setFocus();
    state_.charSet = 1;
}

void CEditer::readTitleFlags() {
    const Settings& s = services_.settings;
    titleFlags = titleflags::build(s.getInt(QStringLiteral("TITLE_BAR_INFO")),
                                   s.getInt(QStringLiteral("DISP_TEXT_MODIFIED_MARK")),
                                   s.getInt(QStringLiteral("DISP_CARET_POS_INFO")),
                                   s.getInt(QStringLiteral("CARET_POS_INFO_POS")));
    wrapEdit_->setCaretReportFlags(titleFlags & titleflags::kCaretMask);
    plainEdit_->setCaretReportFlags(titleFlags & titleflags::kCaretMask);
}

void CEditer::ApplySettings() {
    Settings& settings = services_.settings;
    const int newTabSize = settings.getInt(QStringLiteral("TAB_SIZE"));
    if (newTabSize != tabSize) {
        tabSize = newTabSize;
        wrapEdit_->SetTabStops(tabSize);
        plainEdit_->SetTabStops(tabSize);
    }

    std::array<bool, fonts::kCount> changed{};
    bool anyFont = false;
    for (int i = 0; i < fonts::kCount; ++i) {
        const FontChoice now = fonts::readFontChoice(settings, i);
        const FontChoice& was = fonts_.choice(i);
        changed[size_t(i)] = now.face != was.face || now.points != was.points ||
                             now.bold != was.bold || now.italic != was.italic;
        anyFont = anyFont || changed[size_t(i)];
    }
    LoadFonts(changed[0], changed[1], changed[2], changed[3]);
    SetFontLabels();
    if (anyFont)
        SelectFont(fontIndex);

    textColor = colorFromColorRef(settings.getInt(QStringLiteral("COLOR_TEXT")));
    backgroundColor = colorFromColorRef(settings.getInt(QStringLiteral("COLOR_BACKGROUND")));
    applyColors();
    activeEdit_->hide();
    activeEdit_->show();

    readTitleFlags();
    RefreshTitleName();
    applyTextLimit();

    LoadInsertStrings();
    BuildInsertMenu();
}

void CEditer::applyTextLimit() {
    // TEXT_LIMIT lets a user raise the device's 65,536 characters; a value
    // edited by hand outside 64 Ki to 64 Mi is held to that range.
    const int limit = std::clamp(services_.settings.getInt(QStringLiteral("TEXT_LIMIT")),
                                 CTextEdit::kDefaultLimit, 64 * 1024 * 1024);
    wrapEdit_->SetLimitText(limit);
    plainEdit_->SetLimitText(limit);
}

void CEditer::applyColors() {
    wrapEdit_->SetColors(textColor, backgroundColor);
    plainEdit_->SetColors(textColor, backgroundColor);
}

void CEditer::showActive() {
    CTextEdit* hidden = activeEdit_ == wrapEdit_ ? plainEdit_ : wrapEdit_;
    activeEdit_->show();
    hidden->hide();
}

bool CEditer::IsDocumentChanged() const {
    return GetModify() || state_.textChanged;
}

bool CEditer::OpenFileByPath(const QString& path) {
    return document_->OpenFileByPath(path);
}

QString CEditer::caption() const {
    return res::loadString(35081, QStringLiteral("Tavlo"));
}

QString CEditer::labelTitle() const {
    const QString label = services_.settings.getString(QStringLiteral("TITLE_BAR_LABEL"));
    return label;
}

std::optional<QString> CEditer::caretTextFor(CTextEdit& edit) const {
    const int index = caretIndexOf(edit);
    const auto [line, lineStart] = edit.lineAndStartForDisplay(index);
    const int column = index - std::max(0, lineStart) + 1;
    // Only the characters before the caret count, and a line may be long.
    return caretText(line + 1, edit.GetTextRange(std::max(0, lineStart), index), column, tabSize);
}

void CEditer::UpdateTitle(const std::optional<QString>& name, uint16_t flags, bool setName) {
    std::optional<QString> caret;
    if (flags & titleflags::kCaretMask)
        caret = caretTextFor(*activeEdit_);
    title_ = titleComposer_.update(name, flags, setName, caret, state_.textChanged);
    window()->setWindowTitle(title_);
    emit titleChanged(title_);
}

void CEditer::RefreshTitleName() {
    std::optional<QString> name;
    if (titleFlags & titleflags::kLabelMask) {
        name = labelTitle();
    } else if (!state_.currentPath.isEmpty()) {
        name = titleNameFromPath(state_.currentPath);
    }
    UpdateTitle(name, titleFlags, true);
}

void CEditer::onCaretMoveNotice() {
    if (titleFlags & titleflags::kCaretMask)
        titleTimer_.start();
}

void CEditer::markTextChanged() {
    if (state_.textChanged)
        return;
    state_.textChanged = true;
    if (titleFlags & titleflags::kMarkMask)
        UpdateTitle(std::nullopt, titleFlags, false);
}

void CEditer::markTextSaved(const QString& path) {
    if (!state_.textChanged)
        return;
    state_.textChanged = false;
    if (titleFlags & titleflags::kLabelMask)
        UpdateTitle(std::nullopt, titleFlags, false);
    else
        UpdateTitle(fileinfo::nameOf(path), titleFlags, true);
}

void CEditer::refreshCaretPosition() {
    if (titleFlags & titleflags::kCaretMask)
        UpdateTitle(std::nullopt, titleFlags, false);
}

void CEditer::SelectRangeAndScroll(int start, int end) {
    SetSel(start, end);
    ScrollCaret();
}

void CEditer::postSelectRangeAndScroll(int start, int end) {
    QPointer<CEditer> self(this);
    QMetaObject::invokeMethod(
        this,
        [self, start, end] {
            if (self)
                self->SelectRangeAndScroll(start, end);
        },
        Qt::QueuedConnection);
}

bool CEditer::IsCaretVisible(const CTextEdit& edit) const {
    const int caretLine = edit.LineFromChar(caretIndexOf(edit));
    return isLineVisible(caretLine, edit.GetFirstVisibleLine(), edit.visibleLineCount());
}

void CEditer::SwitchEdit(CTextEdit& from, CTextEdit& to) {
    WaitCursor wait;
    const QString text = from.GetText();
    const int anchorIndex = anchorIndexOf(from);
    const int caretIndex = caretIndexOf(from);
    const bool caretVisible = IsCaretVisible(from);
    const EditAnchor anchor =
        anchorFor(caretVisible, from.LineFromChar(caretIndex), from.GetFirstVisibleLine());
    const int anchorLineIndex = from.LineIndex(anchor.line);
    const bool modified = from.GetModify();
    try {
        // Shown first, so that the control lays its lines out for its real width.
        to.setGeometry(from.geometry());
        to.show();
        to.SetText(text);
        to.SetModify(modified);
        from.SetText(QString());
        to.SetSel(anchorIndex, caretIndex);
        const int line = to.LineFromChar(std::max(0, anchorLineIndex));
        to.LineScroll(scrollToAnchor(line, anchor.offset, to.GetFirstVisibleLine()));
        if (caretVisible && !IsCaretVisible(to)) {
            to.SetSel(anchorIndex, caretIndex);
            to.ScrollCaret();
        }
        from.hide();
        activeEdit_ = &to;
        to.setFocus();
    } catch (const std::bad_alloc&) {
        services_.messages.show(res::loadString(40004, QStringLiteral("Out of memory.")), caption(),
                                mb::MB_OK | mb::MB_ICONERROR, window());
        wrapMode = !wrapMode;
        activeEdit_ = wrapMode ? wrapEdit_ : plainEdit_;
        // The text stays with the control that is shown again.
        if (activeEdit_->GetTextLength() == 0 && !text.isEmpty())
            activeEdit_->SetText(text);
        showActive();
        activeEdit_->setFocus();
    }
}

void CEditer::ArrangeEdits() {
    const bool caretVisible = IsCaretVisible(*activeEdit_);
    const int anchorIndex = anchorIndexOf(*activeEdit_);
    const int caretIndex = caretIndexOf(*activeEdit_);
    wrapEdit_->setGeometry(rect());
    plainEdit_->setGeometry(rect());
    if (caretVisible && !IsCaretVisible(*activeEdit_)) {
        activeEdit_->SetSel(anchorIndex, caretIndex);
        activeEdit_->ScrollCaret();
    }
}

void CEditer::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (resizePending)
        resizeTimer_.stop();
    resizeTimer_.start();
    resizePending = true;
}

void CEditer::OnTimer(int timerId) {
    switch (timerId) {
    case cmd::timer::SIZE_WATCH:
        onSizeWatch();
        break;
    case cmd::timer::RESIZE:
        resizeTimer_.stop();
        resizePending = false;
        ArrangeEdits();
        break;
    case cmd::timer::TITLE_REFRESH:
        titleTimer_.stop();
        UpdateTitle(std::nullopt, titleFlags, false);
        break;
    default:
        break;
    }
}

bool CEditer::isTimerRunning(int timerId) const {
    switch (timerId) {
    case cmd::timer::SIZE_WATCH:
        return sizeWatchTimer_.isActive();
    case cmd::timer::RESIZE:
        return resizeTimer_.isActive();
    case cmd::timer::TITLE_REFRESH:
        return titleTimer_.isActive();
    default:
        return false;
    }
}

void CEditer::onSizeWatch() {
    // While a warning is still open (nobody at the device) the next one
    // waits: the boxes must not pile up every 30 seconds.
    if (sizeWarningOpen_)
        return;
    const int length = activeEdit_->GetTextLength();
    const int limit = activeEdit_->GetLimitText();
    if (length < limit - 255)
        return;
    const int id = length < limit - 1 ? 40010 : 40009;
    const QString text = res::loadString(
        id, id == 40010 ? QStringLiteral("The text is about to reach its size limit.")
                        : QStringLiteral("The text has exceeded its size limit."));
    sizeWarningOpen_ = true;
    QPointer<CEditer> self(this);
    services_.messages.show(text, caption(), mb::MB_OK, window());
    if (self)
        sizeWarningOpen_ = false;
}

int CEditer::dpiY() const {
    return logicalDpiY() > 0 ? logicalDpiY() : 96;
}

void CEditer::LoadFonts(bool f1, bool f2, bool f3, bool f4) {
    fonts_.load(services_.settings, {f1, f2, f3, f4}, activeEdit_->font(), dpiY());
}

void CEditer::SetFontLabels() {
    fonts_.setLabels(services_.settings.getInt(QStringLiteral("FONT_LABEL_FORMAT")),
                     services_.isRecentPlatform && services_.isRecentPlatform());
}

void CEditer::SelectFont(int index) {
    WaitCursor wait;
    CTextEdit& edit = *activeEdit_;
    const int firstIndex = edit.LineIndex(edit.GetFirstVisibleLine());
    const int anchorIndex = anchorIndexOf(edit);
    const int caretIndex = caretIndexOf(edit);
    const bool caretVisible = IsCaretVisible(edit);

    index = fonts::normalizedIndex(index);
    wrapEdit_->setFont(fonts_.font(index));
    plainEdit_->setFont(fonts_.font(index));
    wrapEdit_->SetTabStops(tabSize);
    plainEdit_->SetTabStops(tabSize);
    fontIndex = index;

    const int line = edit.LineFromChar(std::max(0, firstIndex));
    edit.LineScroll(line - edit.GetFirstVisibleLine());
    if (caretVisible && !IsCaretVisible(edit)) {
        edit.SetSel(anchorIndex, caretIndex);
        edit.ScrollCaret();
    }
}

void CEditer::LoadInsertStrings() {
    insertStrings = insertstrings::load(services_.settings);
}

void CEditer::BuildInsertMenu() {
    insertMenu_.build(insertStrings, services_.isRecentPlatform && services_.isRecentPlatform(),
                      this, [this](int id) { onCommand(id); });
}

void CEditer::ShowInsertMenu(const QPoint& globalPos) {
    insertMenu_.popup(globalPos, *activeEdit_);
}

void CEditer::InsertString(const InsertStringEntry& entry) {
    RecordedStep step;
    step.kind = RecordedStep::Kind::Markup;
    step.text = insertstrings::recordedText(entry);
    step.skipModifiers = true;
    recordMacroStep(step);
    insertstrings::insertInto(*this, entry, services_.clock.now());
}

void CEditer::InsertString(const QString& insertText, const std::optional<QString>& endText) {
    InsertStringEntry entry;
    entry.insertText = insertText;
    entry.hasEndText = endText.has_value();
    entry.endText = endText.value_or(QString());
    InsertString(entry);
}

void CEditer::recordMacroStep(const RecordedStep& step) {
    if (!state_.macroRecording)
        return;
    emit macroStepRecorded(step);
}

SearchTarget& CEditer::searchTarget() {
    if (!searchTarget_)
        searchTarget_ = std::make_unique<ViewSearchTarget>(
            *wrapEdit_, *plainEdit_, [this]() -> CTextEdit& { return *activeEdit_; }, textColor,
            backgroundColor);
    return *searchTarget_;
}

TextSearch& CEditer::textSearch() {
    if (!textSearch_)
        textSearch_ = std::make_unique<TextSearch>(services_.clock, services_.messages);
    return *textSearch_;
}

bool CEditer::Search(const QString& text, SearchDirection direction, MatchCase matchCase,
                     SearchMode mode) {
    return textSearch().search(searchTarget(), text, direction, matchCase, mode);
}

bool CEditer::Replace(const QString& findText, const QString& replaceText, MatchCase matchCase) {
    return textSearch().replace(searchTarget(), findText, replaceText, matchCase);
}

bool CEditer::ReplaceAll(const QString& findText, const QString& replaceText, MatchCase matchCase) {
    return textSearch().replaceAll(searchTarget(), findText, replaceText, matchCase);
}
