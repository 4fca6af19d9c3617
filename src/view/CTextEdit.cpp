#include "CTextEdit.h"

#include "RawBytes.h"

#include "EditClipboard.h"
#include "EditTextMapping.h"
#include "StandInMarks.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTimer>
#include <algorithm>
#include <optional>

CTextEdit::CTextEdit(int controlId, Wrap wrap, QWidget* parent)
    : QPlainTextEdit(parent), controlId_(controlId), wrap_(wrap),
      lineIndex_(wrap == Wrap::On ? EditLineIndex::Wrap::On : EditLineIndex::Wrap::Off,
                 [this] { return viewport()->width(); }) {
    setObjectName(QStringLiteral("edit%1").arg(controlId));
    setLineWrapMode(wrap == Wrap::On ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(wrap == Wrap::On ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    setTabChangesFocus(false);
    // The main frame offers its own context menu for tap-and-hold and the
    // right button.
    setContextMenuPolicy(Qt::NoContextMenu);
    viewport()->setContextMenuPolicy(Qt::NoContextMenu);

    lineIndex_.setDocument(document());
    connectDocument();
}

void CTextEdit::connectDocument() {
    connect(document(), &QTextDocument::contentsChange, this,
            [this](int from, int removed, int added) {
                lineIndex_.contentsChanged(from, added);
                emit textRevised();
                if (!settingText_ && (removed != 0 || added != 0))
                    emit changeNotice();
            });
    // The document layout lays all blocks out anew (with one line each until
    // they are painted) when the width, the font or the tab stops change; it
    // announces that with an update of the whole area from the top.
    connect(document()->documentLayout(), &QAbstractTextDocumentLayout::update, this,
            [this](const QRectF& rect) {
                if (rect.top() >= 0 && rect.height() >= 1e8)
                    lineIndex_.layoutReset();
            });
}

CTextEdit::~CTextEdit() = default;

QString CTextEdit::GetText() const {
    // The raw text has a paragraph separator between blocks, which the
    // mapping turns into CR LF; one copy out of the document, one mapped.
    return edittext::fromControlText(lineIndex_.controlText(0, INT_MAX), standIns_);
}

void CTextEdit::SetText(const QString& text) {
    standIns_ = edittext::chooseStandIns(text);
    fillDocument(text);
}

void CTextEdit::avoidStandInsIn(const QString& text) {
    if (!standIns_.usedIn(text))
        return;
    // The text to come holds one of the stand-ins: the document's text is
    // put in again with a set that neither uses. Rare enough (noncharacters
    // in the text) that losing the undo step is acceptable.
    const QString current = GetText();
    const auto [start, end] = GetSel();
    const bool modified = GetModify();
    const int v = verticalScrollBar()->value();
    const int h = horizontalScrollBar()->value();
    standIns_ = edittext::chooseStandIns(current, text);
    fillDocument(current);
    SetSel(start, end);
    SetModify(modified);
    verticalScrollBar()->setValue(v);
    horizontalScrollBar()->setValue(h);
}

void CTextEdit::fillDocument(const QString& text) {
    const QString control = edittext::toGroupedControlText(text, standIns_, lineChunk());
    // The text goes into a new document that has no view and no cursors yet,
    // which then replaces the shown one: filling the shown document would
    // also restyle every character and keep the view's cursors up to date.
    QTextDocument* old = document();
    auto* doc = new QTextDocument(this);
    auto* layout = new QPlainTextDocumentLayout(doc);
    layout->setPaintDevice(old->documentLayout()->paintDevice());
    doc->setDocumentLayout(layout);
    doc->setDefaultFont(old->defaultFont());
    doc->setDefaultTextOption(old->defaultTextOption()); // tab stops, wrapping
    doc->setDocumentMargin(old->documentMargin());
    doc->setUndoRedoEnabled(false);
    doc->setPlainText(control);
    EditLineIndex::markJoinedBlocks(doc, control);
    doc->setUndoRedoEnabled(true);
    doc->setModified(false);
    settingText_ = true;
    disconnect(old, nullptr, this, nullptr);
    disconnect(old->documentLayout(), nullptr, this, nullptr);
    // The control deletes the document it made itself; the ones made here
    // are deleted here.
    const bool ours = old->parent() == this;
    setDocument(doc);
    if (ours)
        delete old;
    lineIndex_.setDocument(doc);
    connectDocument();
    settingText_ = false;
    emit textRevised();
}

int CTextEdit::GetTextLength() const {
    return lineIndex_.textLength();
}

int CTextEdit::GetLineCount() const {
    return lineIndex_.lineCount();
}

int CTextEdit::positionFromIndex(int index) const {
    return lineIndex_.positionFromIndex(index);
}

int CTextEdit::indexFromPosition(int position) const {
    return lineIndex_.indexFromPosition(position);
}

std::pair<int, int> CTextEdit::GetSel() const {
    const QTextCursor c = textCursor();
    return {indexFromPosition(c.selectionStart()), indexFromPosition(c.selectionEnd())};
}

void CTextEdit::SetSel(int start, int end) {
    QTextCursor c = textCursor();
    if (start < 0) {
        c.clearSelection();
    } else {
        c.setPosition(positionFromIndex(start));
        c.setPosition(positionFromIndex(end), QTextCursor::KeepAnchor);
    }
    const int v = verticalScrollBar()->value();
    const int h = horizontalScrollBar()->value();
    setTextCursor(c);
    verticalScrollBar()->setValue(v);
    horizontalScrollBar()->setValue(h);
}

void CTextEdit::ReplaceSel(const QString& text) {
    avoidStandInsIn(text);
    QTextCursor c = textCursor();
    c.beginEditBlock();
    c.removeSelectedText();
    EditLineIndex::insertControlText(
        c, edittext::toGroupedControlText(text, standIns_, lineChunk()), lineChunk());
    c.endEditBlock();
    setTextCursor(c);
    ensureCursorVisible();
}

void CTextEdit::ScrollCaret() {
    lineIndex_.ensureExactThrough(textCursor().block());
    ensureCursorVisible();
}

int CTextEdit::LineFromChar(int index) const {
    if (index < 0)
        return lineIndex_.lineOfPosition(textCursor().selectionStart());
    return lineIndex_.lineOfPosition(positionFromIndex(index));
}

std::pair<int, int> CTextEdit::lineAndStartForDisplay(int index) {
    // About as much as a screen of text costs to lay out.
    constexpr int kLayoutBudget = 64 * 1024;
    const int position = positionFromIndex(index);
    bool exact = true;
    const int line = lineIndex_.lineOfPositionWithin(position, kLayoutBudget, &exact);
    const int start = indexFromPosition(lineIndex_.lineRangeAt(position).first);
    if (!exact && !idleLayout_) {
        idleLayout_ = new QTimer(this);
        idleLayout_->setInterval(0);
        connect(idleLayout_, &QTimer::timeout, this, [this] {
            if (!lineIndex_.layOutSome(10))
                return;
            idleLayout_->stop();
            emit lineNumbersExact();
        });
    }
    if (!exact)
        idleLayout_->start();
    return {line, start};
}

int CTextEdit::LineIndex(int line) const {
    if (line < 0)
        line = lineIndex_.lineOfPosition(textCursor().position());
    const int start = lineIndex_.lineStart(line);
    return start < 0 ? -1 : indexFromPosition(start);
}

int CTextEdit::LineLength(int index) const {
    auto lengthAt = [this](int position) {
        const auto [start, end] = lineIndex_.lineRangeAt(position);
        return indexFromPosition(end) - indexFromPosition(start);
    };
    if (index >= 0)
        return lengthAt(positionFromIndex(index));
    const QTextCursor c = textCursor();
    if (!c.hasSelection())
        return lengthAt(c.position());
    // The unselected characters of the lines the selection touches.
    const int startLine = LineIndex(lineIndex_.lineOfPosition(c.selectionStart()));
    const int endIndex = indexFromPosition(c.selectionEnd());
    const int endLineStart = LineIndex(lineIndex_.lineOfPosition(c.selectionEnd()));
    const int endLineLength = lengthAt(c.selectionEnd());
    return (indexFromPosition(c.selectionStart()) - startLine) +
           (endLineStart + endLineLength - endIndex);
}

QString CTextEdit::GetLine(int line) const {
    const auto [start, end] = lineIndex_.lineRange(line);
    if (start < 0)
        return QString();
    return edittext::fromControlText(lineIndex_.controlText(start, end), standIns_);
}

QString CTextEdit::GetTextRange(int start, int end) const {
    const int from = positionFromIndex(start);
    const int to = positionFromIndex(end);
    if (to <= from)
        return QString();
    return edittext::fromControlText(lineIndex_.controlText(from, to), standIns_);
}

int CTextEdit::GetFirstVisibleLine() const {
    const QTextBlock b = firstVisibleBlock();
    if (!b.isValid())
        return 0;
    const int first = lineIndex_.firstLineOf(b);
    // The top of the viewport lies this far into the first visible block.
    // (The control rounds that offset down to whole pixels.)
    const qreal y = -contentOffset().y();
    int within = 0;
    if (const QTextLayout* l = b.layout()) {
        for (int i = 0; i + 1 < l->lineCount(); ++i) {
            if (l->lineAt(i).naturalTextRect().bottom() < y + 1)
                within = i + 1;
        }
    }
    return first + within;
}

void CTextEdit::LineScroll(int lines, int chars) {
    if (lines != 0) {
        const int first = GetFirstVisibleLine();
        // Lays the lines out up to the target only; beyond the last line
        // everything is laid out and the count is exact. The scroll bar
        // counts the rows of the block map, where a long line cut into
        // joined blocks has one row per block.
        int row = lineIndex_.scrollLineOf(std::max(0, first + lines));
        if (row < 0)
            row = lineIndex_.scrollLineOf(std::max(0, GetLineCount() - 1));
        else if (row > verticalScrollBar()->maximum())
            lineIndex_.ensureAllExact(); // the last page's top needs the exact count
        verticalScrollBar()->setValue(row);
    }
    if (chars != 0 && !wraps())
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() +
                                        chars * fontMetrics().averageCharWidth());
}

std::pair<int, int> CTextEdit::CharFromPos(const QPoint& point) const {
    const int position = cursorForPosition(point).position();
    return {indexFromPosition(position), lineIndex_.lineOfPosition(position)};
}

QPoint CTextEdit::PosFromChar(int index) const {
    QTextCursor c(document());
    c.setPosition(positionFromIndex(index));
    return cursorRect(c).topLeft();
}

bool CTextEdit::Undo() {
    if (!CanUndo())
        return false;
    undo();
    return true;
}

bool CTextEdit::CanUndo() const {
    return document()->isUndoAvailable();
}

void CTextEdit::EmptyUndoBuffer() {
    document()->clearUndoRedoStacks();
}

bool CTextEdit::GetModify() const {
    return document()->isModified();
}

void CTextEdit::SetModify(bool modified) {
    document()->setModified(modified);
}

void CTextEdit::Cut() {
    cut();
}

void CTextEdit::Copy() {
    copy();
}

void CTextEdit::Paste() {
    paste();
}

void CTextEdit::Clear() {
    QTextCursor c = textCursor();
    if (!c.hasSelection())
        return;
    c.removeSelectedText();
    setTextCursor(c);
}

QMimeData* CTextEdit::createMimeDataFromSelection() const {
    const QTextCursor c = textCursor();
    return editclipboard::mimeDataFor(edittext::fromControlText(
        lineIndex_.controlText(c.selectionStart(), c.selectionEnd()), standIns_));
}

bool CTextEdit::canInsertFromMimeData(const QMimeData* source) const {
    return editclipboard::canRead(source);
}

void CTextEdit::insertFromMimeData(const QMimeData* source) {
    if (isReadOnly())
        return;
    const std::optional<QString> read = editclipboard::textOf(source);
    if (!read)
        return;
    const QString& text = *read;
    avoidStandInsIn(text);
    const int room = roomForInsert();
    const QString control =
        fitToRoom(edittext::toGroupedControlText(text, standIns_, lineChunk()), room);
    if (control.size() < text.size() && control.isEmpty()) {
        QApplication::beep();
        return;
    }
    QTextCursor c = textCursor();
    c.beginEditBlock();
    c.removeSelectedText();
    EditLineIndex::insertControlText(c, control, lineChunk());
    c.endEditBlock();
    setTextCursor(c);
    ensureCursorVisible();
}

int CTextEdit::roomForInsert() const {
    const QTextCursor c = textCursor();
    const int selected =
        indexFromPosition(c.selectionEnd()) - indexFromPosition(c.selectionStart());
    return std::max(0, limit_ - (GetTextLength() - selected));
}

QString CTextEdit::fitToRoom(const QString& controlText, int room) const {
    int used = 0;
    qsizetype n = 0;
    while (n < controlText.size()) {
        const QChar c = controlText[n];
        const bool pair = c.isHighSurrogate() && n + 1 < controlText.size() &&
                          controlText[n + 1].isLowSurrogate();
        const int cost =
            (edittext::isLineBreak(c) || pair) ? 2 : (c.unicode() == edittext::kBlockJoin ? 0 : 1);
        if (used + cost > room)
            break;
        used += cost;
        n += pair ? 2 : 1;
    }
    return controlText.left(n);
}

void CTextEdit::SetTabStops(int tabSize) {
    setTabStopDistance(std::max(1, tabSize) * fontMetrics().averageCharWidth());
    lineIndex_.markLayoutDirty();
}

void CTextEdit::SetColors(const QColor& text, const QColor& background) {
    QPalette p = palette();
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Base, background);
    p.setColor(QPalette::Window, background);
    setPalette(p);
    viewport()->setPalette(p);
}

int CTextEdit::lineHeight() const {
    return std::max(1, fontMetrics().height());
}

int CTextEdit::visibleLineCount() const {
    const int height = viewport()->height() - 2 * int(document()->documentMargin());
    return std::max(0, height) / lineHeight();
}

void CTextEdit::focusInEvent(QFocusEvent* e) {
    QPlainTextEdit::focusInEvent(e);
    emit focusNotice(true);
}

void CTextEdit::focusOutEvent(QFocusEvent* e) {
    QPlainTextEdit::focusOutEvent(e);
    emit focusNotice(false);
}

void CTextEdit::resizeEvent(QResizeEvent* e) {
    QPlainTextEdit::resizeEvent(e);
    lineIndex_.markLayoutDirty();
}

void CTextEdit::changeEvent(QEvent* e) {
    QPlainTextEdit::changeEvent(e);
    if (e->type() == QEvent::FontChange)
        lineIndex_.markLayoutDirty();
}

bool CTextEdit::viewportEvent(QEvent* e) {
    if (e->type() == QEvent::Resize)
        lineIndex_.markLayoutDirty();
    return QPlainTextEdit::viewportEvent(e);
}

void CTextEdit::paintEvent(QPaintEvent* e) {
    QPlainTextEdit::paintEvent(e);
    paintStandIns();
}

// A lone CR or LF (and the separators kept as stand-ins) is drawn as a mark
// on a shaded cell, so that the user sees there is a character.
void CTextEdit::paintStandIns() {
    QPainter painter(viewport());
    const QPointF offset = contentOffset();
    const int bottom = viewport()->height();
    const char16_t lowest = standIns_.lowest();
    for (QTextBlock b = firstVisibleBlock(); b.isValid(); b = b.next()) {
        const QRectF r = blockBoundingGeometry(b).translated(offset);
        if (r.top() > bottom)
            break;
        const QString text = b.text();
        const QTextLayout* l = b.layout();
        if (!l)
            continue;
        // The cell of `length` units from `at`, at least 4 pixels wide;
        // nothing where the layout has no line for it.
        const auto cellOf = [&](qsizetype at, int length) -> std::optional<QRectF> {
            const QTextLine line = l->lineForTextPosition(int(at));
            if (!line.isValid())
                return std::nullopt;
            const qreal x1 = line.cursorToX(int(at));
            const qreal x2 = line.cursorToX(int(at) + length);
            return QRectF(r.left() + x1, r.top() + line.y(), std::max<qreal>(x2 - x1, 4),
                          line.height());
        };
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i].unicode() < lowest && text[i].unicode() != rawbytes::kHigh)
                continue;
            if (rawbytes::startsStandIn(reinterpret_cast<const char16_t*>(text.utf16()), i,
                                        text.size())) {
                const std::optional<QRectF> cell = cellOf(i, 2);
                ++i;
                if (cell)
                    paintRawByteCell(painter, *cell, rawbytes::byteOf(text[i].unicode()), palette());
                continue;
            }
            const int kind = standIns_.kindOf(text[i].unicode());
            if (kind < 0 || edittext::kStandInKinds[size_t(kind)].mark == edittext::StandInMark::None)
                continue;
            if (const std::optional<QRectF> cell = cellOf(i, 1))
                paintStandInCell(painter, *cell, edittext::kStandInKinds[size_t(kind)].mark,
                                 palette());
        }
    }
}
