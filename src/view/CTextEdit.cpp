#include "CTextEdit.h"

#include "EditTextMapping.h"
#include "MenuTables.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>

namespace {
// The clipboard format that carries the exact text of the edit buffer, so
// that lone CR and LF survive a copy and paste inside the editor.
const QString kExactTextMime = QStringLiteral("application/x-tavlo-edit-text");

QByteArray utf16Bytes(const QString& s) {
    return QByteArray(reinterpret_cast<const char*>(s.utf16()), s.size() * 2);
}

QString fromUtf16Bytes(const QByteArray& bytes) {
    return QString(reinterpret_cast<const QChar*>(bytes.constData()), bytes.size() / 2);
}

// Text from another program: any of CR LF, CR and LF is a line break.
QString normalizeForeignText(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return text;
}

// Draws the mark of a stand-in into its cell: an arrow to the left for a
// lone CR, an arrow down for a lone LF, a pilcrow for a paragraph separator
// and a bent arrow for a line separator. Drawn with lines, so that no font
// needs to have the glyphs.
void drawStandInMark(QPainter& painter, const QRectF& cell, char16_t meaning) {
    const qreal w = cell.width();
    const qreal h = cell.height();
    const qreal cx = cell.center().x();
    const qreal cy = cell.center().y();
    const qreal head = std::max<qreal>(2, std::min(w, h) / 3);
    switch (meaning) {
    case u'\r': {
        const qreal left = cell.left() + 1;
        painter.drawLine(QPointF(cell.right() - 1, cy), QPointF(left, cy));
        painter.drawLine(QPointF(left, cy), QPointF(left + head, cy - head));
        painter.drawLine(QPointF(left, cy), QPointF(left + head, cy + head));
        break;
    }
    case u'\n': {
        const qreal bottom = cell.top() + h * 0.8;
        painter.drawLine(QPointF(cx, cell.top() + h * 0.2), QPointF(cx, bottom));
        painter.drawLine(QPointF(cx, bottom), QPointF(cx - head, bottom - head));
        painter.drawLine(QPointF(cx, bottom), QPointF(cx + head, bottom - head));
        break;
    }
    case 0x2029:
        painter.drawText(cell, Qt::AlignCenter, QString(QChar(0x00B6)));
        break;
    default: {
        const qreal right = cell.right() - 1;
        const qreal bottom = cell.top() + h * 0.7;
        painter.drawLine(QPointF(right, cell.top() + h * 0.25), QPointF(right, bottom));
        painter.drawLine(QPointF(right, bottom), QPointF(cell.left() + 1, bottom));
        break;
    }
    }
}
} // namespace

CTextEdit::CTextEdit(int controlId, Wrap wrap, QWidget* parent)
    : QPlainTextEdit(parent), controlId_(controlId), wrap_(wrap) {
    setObjectName(QStringLiteral("edit%1").arg(controlId));
    setLineWrapMode(wrap == Wrap::On ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(wrap == Wrap::On ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    setTabChangesFocus(false);
    // The main frame offers its own context menu for tap-and-hold and the
    // right button.
    setContextMenuPolicy(Qt::NoContextMenu);
    viewport()->setContextMenuPolicy(Qt::NoContextMenu);

    connectDocument();
}

void CTextEdit::connectDocument() {
    connect(document(), &QTextDocument::contentsChange, this,
            [this](int from, int removed, int added) {
                // The document layout clears (or lays out anew) the blocks
                // from the one holding `from` on; the blocks before it keep
                // their exact line counts.
                QTextDocument* doc = document();
                const QTextBlock first = doc->findBlock(from);
                if (exactUpTo_ > from)
                    exactUpTo_ = first.isValid() ? std::min(exactUpTo_, first.position()) : 0;
                const QTextBlock last = doc->findBlock(from + added);
                recountBlocks(first.isValid() ? first : doc->lastBlock(),
                              last.isValid() ? last : doc->lastBlock());
                emit textRevised();
                if (!settingText_ && (removed != 0 || added != 0))
                    emit changeNotice();
            });
    // The document layout lays all blocks out anew (with one line each until
    // they are painted) when the width, the font or the tab stops change; it
    // announces that with an update of the whole area from the top.
    connect(document()->documentLayout(), &QAbstractTextDocumentLayout::update, this,
            [this](const QRectF& rect) {
                if (rect.top() >= 0 && rect.height() >= 1e8) {
                    markLayoutDirty();
                    restoreLineCounts();
                }
            });
}

CTextEdit::~CTextEdit() = default;

// ---- text ----

QString CTextEdit::GetText() const {
    // The raw text has a paragraph separator between blocks, which the
    // mapping turns into CR LF; one copy out of the document, one mapped.
    return edittext::fromControlText(document()->toRawText(), standIns_);
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
    const QString control = edittext::toGroupedControlText(text, standIns_);
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
    connectDocument();
    settingText_ = false;
    markLayoutDirty();
    rebuildBreakSums();
    restoreLineCounts();
    emit textRevised();
}

int CTextEdit::GetTextLength() const {
    const QTextDocument* doc = document();
    // Every line break counts two: characterCount has one for each block
    // break and one at the end; an in-block break is one character.
    return doc->characterCount() - 1 + doc->blockCount() - 1 + totalInBlockBreaks();
}

// ---- index mapping ----

int CTextEdit::positionFromIndex(int index) const {
    const QTextDocument* doc = document();
    const int length = GetTextLength();
    if (index < 0 || index > length)
        index = length;
    // The index of block k's first character: its position plus two for
    // every break before it, one of which the position already counts.
    auto startIndex = [this, doc](int k) {
        return doc->findBlockByNumber(k).position() + k + inBlockBreaksBefore(k);
    };
    // The last block whose first character's index is at most `index`.
    int lo = 0;
    int hi = doc->blockCount() - 1;
    const QTextBlock guess = doc->findBlock(index);
    if (guess.isValid())
        hi = std::min(hi, guess.blockNumber());
    while (lo < hi) {
        const int mid = lo + (hi - lo + 1) / 2;
        if (startIndex(mid) <= index)
            lo = mid;
        else
            hi = mid - 1;
    }
    const QTextBlock b = doc->findBlockByNumber(lo);
    int rest = index - startIndex(lo);
    if (b.userState() <= 0) {
        // An index between the CR and the LF of a break stands at the line's end.
        return b.position() + std::min(rest, b.length() - 1);
    }
    const QString text = b.text();
    int offset = 0;
    while (rest > 0 && offset < text.size()) {
        if (text[offset] == QChar(edittext::kInBlockBreak)) {
            if (rest == 1)
                break; // between the CR and the LF: the line's end
            rest -= 2;
        } else {
            rest -= 1;
        }
        ++offset;
    }
    return b.position() + offset;
}

int CTextEdit::indexFromPosition(int position) const {
    const QTextDocument* doc = document();
    QTextBlock b = doc->findBlock(position);
    if (!b.isValid())
        b = doc->lastBlock();
    return position + firstLogicalLine(b) + inBlockBreaksBefore(b, position - b.position());
}

// ---- line breaks inside blocks ----

void CTextEdit::rebuildBreakSums() const {
    std::vector<int> counts;
    counts.reserve(size_t(document()->blockCount()));
    for (QTextBlock b = document()->firstBlock(); b.isValid(); b = b.next()) {
        int breaks = b.userState();
        if (breaks < 0) {
            breaks = int(edittext::countInBlockBreaks(b.text()));
            b.setUserState(breaks);
        }
        counts.push_back(breaks);
    }
    inBlockBreaks_.assign(std::move(counts));
    breakSumsValid_ = true;
}

int CTextEdit::inBlockBreaksBefore(int blockNumber) const {
    if (!breakSumsValid_ || inBlockBreaks_.size() != document()->blockCount())
        rebuildBreakSums();
    return inBlockBreaks_.sumBefore(blockNumber);
}

int CTextEdit::totalInBlockBreaks() const {
    return inBlockBreaksBefore(document()->blockCount());
}

void CTextEdit::recountBlocks(const QTextBlock& first, const QTextBlock& last) {
    if (inBlockBreaks_.size() != document()->blockCount())
        breakSumsValid_ = false; // blocks came or went: rebuilt when asked
    bool linesChanged = false;
    for (QTextBlock b = first; b.isValid(); b = b.next()) {
        const int breaks = int(edittext::countInBlockBreaks(b.text()));
        if (breaks != b.userState())
            b.setUserState(breaks);
        // With the block count unchanged, the blocks outside the touched
        // range keep their numbers, so only the touched ones change.
        const int number = b.blockNumber();
        if (breakSumsValid_ && breaks != inBlockBreaks_.valueAt(number))
            inBlockBreaks_.set(number, breaks);
        linesChanged = fitLineCount(b) || linesChanged;
        if (b == last)
            break;
    }
    if (linesChanged)
        announceDocumentSize();
}

void CTextEdit::restoreLineCounts() {
    bool changed = false;
    for (QTextBlock b = document()->firstBlock(); b.isValid(); b = b.next())
        changed = fitLineCount(b) || changed;
    if (changed)
        announceDocumentSize();
}

bool CTextEdit::fitLineCount(QTextBlock& block) const {
    const int lines = std::max(0, block.userState()) + 1;
    const bool laidOut = block.layout() && block.layout()->lineCount() > 0;
    // Not wrapping, a block has exactly its logical lines; wrapping, one not
    // laid out has at least them (a laid-out one knows its own count).
    const bool fit =
        !wraps() ? block.lineCount() != lines : (!laidOut && block.lineCount() < lines);
    if (fit)
        block.setLineCount(lines);
    return fit;
}

void CTextEdit::announceDocumentSize() const {
    if (QPlainTextDocumentLayout* layout = plainLayout())
        emit layout->documentSizeChanged(layout->documentSize());
}

int CTextEdit::firstLogicalLine(const QTextBlock& block) const {
    return block.blockNumber() + inBlockBreaksBefore(block.blockNumber());
}

int CTextEdit::inBlockBreaksBefore(const QTextBlock& block, int offset) {
    if (block.userState() <= 0 || offset <= 0)
        return 0;
    return int(edittext::countInBlockBreaks(QStringView(block.text()).left(offset)));
}

std::pair<int, int> CTextEdit::lineSpanAt(const QTextBlock& block, int offset) const {
    const int blockLength = block.length() - 1;
    if (wraps()) {
        ensureBlockLaidOut(block);
        if (const QTextLayout* l = block.layout(); l && l->lineCount() > 0) {
            QTextLine line = l->lineForTextPosition(offset);
            if (!line.isValid())
                line = l->lineAt(l->lineCount() - 1);
            int length = line.textLength();
            if (length > 0 && block.userState() > 0 &&
                block.text().at(line.textStart() + length - 1) == QChar(edittext::kInBlockBreak))
                --length;
            return {line.textStart(), length};
        }
    }
    if (block.userState() <= 0)
        return {0, blockLength};
    const QString text = block.text();
    const QChar brk(edittext::kInBlockBreak);
    const int start = offset <= 0 ? 0 : int(text.lastIndexOf(brk, offset - 1)) + 1;
    int end = int(text.indexOf(brk, std::max(0, offset)));
    if (end < 0)
        end = int(text.size());
    return {start, end - start};
}

std::pair<int, int> CTextEdit::lineSpan(const QTextBlock& block, int within) const {
    if (wraps()) {
        ensureBlockLaidOut(block);
        if (const QTextLayout* l = block.layout(); l && within < l->lineCount())
            return lineSpanAt(block, l->lineAt(within).textStart());
        return {0, block.length() - 1};
    }
    int start = 0;
    if (within > 0) {
        const QString text = block.text();
        for (int k = 0; k < within; ++k) {
            const qsizetype at = text.indexOf(QChar(edittext::kInBlockBreak), start);
            if (at < 0)
                return {int(text.size()), 0};
            start = int(at) + 1;
        }
    }
    return lineSpanAt(block, start);
}

QPlainTextDocumentLayout* CTextEdit::plainLayout() const {
    return qobject_cast<QPlainTextDocumentLayout*>(document()->documentLayout());
}

QTextBlock CTextEdit::exactFrontier() const {
    if (viewport()->width() != laidOutWidth_) {
        laidOutWidth_ = viewport()->width();
        exactUpTo_ = 0;
    }
    if (exactUpTo_ >= document()->characterCount())
        return QTextBlock();
    return document()->findBlock(exactUpTo_);
}

// Lays out the blocks from the frontier on, one after the other, until
// `stop` says the block just laid out is the last one needed. Afterwards
// every block up to that one has its exact line count, so that the block
// map's line numbers are exact up to there. Returns the last block laid out
// (invalid when the frontier was already beyond the end).
template <typename Stop> QTextBlock CTextEdit::layOutFromFrontier(Stop stop) const {
    QPlainTextDocumentLayout* layout = plainLayout();
    QTextBlock b = exactFrontier();
    if (!layout || !b.isValid())
        return QTextBlock();
    const int linesBefore = document()->lineCount();
    {
        // One size notice at the end instead of one per block.
        const QSignalBlocker blocker(layout);
        int firstLine = b.firstLineNumber();
        for (;;) {
            layout->ensureBlockLayout(b);
            const QTextBlock next = b.next();
            exactUpTo_ = next.isValid() ? next.position() : INT_MAX;
            if (stop(b, firstLine) || !next.isValid())
                break;
            firstLine += b.lineCount();
            b = next;
        }
    }
    if (document()->lineCount() != linesBefore)
        announceDocumentSize();
    return b;
}

void CTextEdit::ensureExactThrough(const QTextBlock& block) const {
    if (!wraps() || !block.isValid())
        return;
    const int target = block.position();
    if (exactFrontier().isValid() && exactUpTo_ <= target)
        layOutFromFrontier([target](const QTextBlock& b, int) { return b.position() >= target; });
    ensureBlockLaidOut(block);
}

void CTextEdit::ensureAllExact() const {
    if (wraps() && exactFrontier().isValid())
        layOutFromFrontier([](const QTextBlock&, int) { return false; });
}

void CTextEdit::ensureBlockLaidOut(const QTextBlock& block) const {
    if (QPlainTextDocumentLayout* layout = plainLayout())
        layout->ensureBlockLayout(block);
}

int CTextEdit::lineOfPosition(int position) const {
    const QTextBlock b = document()->findBlock(position);
    if (!b.isValid())
        return std::max(0, GetLineCount() - 1);
    if (!wraps())
        return firstLogicalLine(b) + inBlockBreaksBefore(b, position - b.position());
    ensureExactThrough(b);
    int within = 0;
    if (const QTextLayout* l = b.layout(); l && l->lineCount() > 0) {
        const QTextLine line = l->lineForTextPosition(position - b.position());
        within = line.isValid() ? line.lineNumber() : l->lineCount() - 1;
    }
    return b.firstLineNumber() + within;
}

QTextBlock CTextEdit::blockOfLine(int line, int* lineInBlock) const {
    *lineInBlock = 0;
    if (line < 0)
        return QTextBlock();
    if (!wraps()) {
        // The last block whose first line is at most `line`.
        const QTextDocument* doc = document();
        int lo = 0;
        int hi = doc->blockCount() - 1;
        while (lo < hi) {
            const int mid = lo + (hi - lo + 1) / 2;
            if (mid + inBlockBreaksBefore(mid) <= line)
                lo = mid;
            else
                hi = mid - 1;
        }
        const QTextBlock b = doc->findBlockByNumber(lo);
        *lineInBlock = line - (lo + inBlockBreaksBefore(lo));
        if (*lineInBlock > std::max(0, b.userState()))
            return QTextBlock(); // beyond the last line
        return b;
    }
    QTextBlock b;
    const QTextBlock frontier = exactFrontier();
    if (!frontier.isValid() || line < frontier.firstLineNumber()) {
        // Within the exact part: the block map knows the line numbers.
        b = document()->findBlockByLineNumber(line);
    } else {
        b = layOutFromFrontier([line](const QTextBlock& block, int firstLine) {
            return line < firstLine + block.lineCount();
        });
    }
    if (!b.isValid())
        return QTextBlock();
    ensureBlockLaidOut(b);
    *lineInBlock = line - b.firstLineNumber();
    if (*lineInBlock >= std::max(1, b.lineCount()))
        return QTextBlock(); // beyond the last line
    return b;
}

// ---- selection ----

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
    c.insertText(edittext::toGroupedControlText(text, standIns_));
    c.endEditBlock();
    setTextCursor(c);
    ensureCursorVisible();
}

void CTextEdit::ScrollCaret() {
    ensureExactThrough(textCursor().block());
    ensureCursorVisible();
}

// ---- lines ----

int CTextEdit::LineFromChar(int index) const {
    if (index < 0)
        return lineOfPosition(textCursor().selectionStart());
    return lineOfPosition(positionFromIndex(index));
}

int CTextEdit::LineIndex(int line) const {
    if (line < 0)
        line = lineOfPosition(textCursor().position());
    int within = 0;
    const QTextBlock b = blockOfLine(line, &within);
    if (!b.isValid())
        return -1;
    return indexFromPosition(b.position() + lineSpan(b, within).first);
}

int CTextEdit::LineLength(int index) const {
    auto lengthAt = [this](int position) {
        QTextBlock b = document()->findBlock(position);
        if (!b.isValid())
            b = document()->lastBlock();
        return lineSpanAt(b, position - b.position()).second;
    };
    if (index >= 0)
        return lengthAt(positionFromIndex(index));
    const QTextCursor c = textCursor();
    if (!c.hasSelection())
        return lengthAt(c.position());
    // The unselected characters of the lines the selection touches.
    const int startLine = LineIndex(lineOfPosition(c.selectionStart()));
    const int endIndex = indexFromPosition(c.selectionEnd());
    const int endLineStart = LineIndex(lineOfPosition(c.selectionEnd()));
    const int endLineLength = lengthAt(c.selectionEnd());
    return (indexFromPosition(c.selectionStart()) - startLine) +
           (endLineStart + endLineLength - endIndex);
}

QString CTextEdit::GetLine(int line) const {
    int within = 0;
    const QTextBlock b = blockOfLine(line, &within);
    if (!b.isValid())
        return QString();
    const auto [start, length] = lineSpan(b, within);
    return edittext::fromControlText(QStringView(b.text()).mid(start, length), standIns_);
}

int CTextEdit::GetLineCount() const {
    const QTextDocument* doc = document();
    if (!wraps())
        return doc->blockCount() + totalInBlockBreaks();
    ensureAllExact();
    const QTextBlock last = doc->lastBlock();
    return last.firstLineNumber() + std::max(1, last.lineCount());
}

int CTextEdit::GetFirstVisibleLine() const {
    const QTextBlock b = firstVisibleBlock();
    if (!b.isValid())
        return 0;
    int first = 0;
    if (wraps()) {
        ensureExactThrough(b);
        first = b.firstLineNumber();
    } else {
        ensureBlockLaidOut(b);
        first = firstLogicalLine(b);
    }
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
        int target = std::max(0, first + lines);
        int within = 0;
        // Lays the lines out up to the target only; beyond the last line
        // everything is laid out and the count is exact.
        if (!blockOfLine(target, &within).isValid())
            target = std::max(0, GetLineCount() - 1);
        else if (target > verticalScrollBar()->maximum())
            ensureAllExact(); // the last page's top needs the exact count
        verticalScrollBar()->setValue(target);
    }
    if (chars != 0 && !wraps())
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() +
                                        chars * fontMetrics().averageCharWidth());
}

std::pair<int, int> CTextEdit::CharFromPos(const QPoint& point) const {
    const int position = cursorForPosition(point).position();
    return {indexFromPosition(position), lineOfPosition(position)};
}

QPoint CTextEdit::PosFromChar(int index) const {
    QTextCursor c(document());
    c.setPosition(positionFromIndex(index));
    return cursorRect(c).topLeft();
}

// ---- undo, modified flag, clipboard ----

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
    const QString text = edittext::fromControlText(textCursor().selectedText(), standIns_);
    auto* data = new QMimeData;
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    data->setText(plain);
    data->setData(kExactTextMime, utf16Bytes(text));
    return data;
}

bool CTextEdit::canInsertFromMimeData(const QMimeData* source) const {
    return source && (source->hasFormat(kExactTextMime) || source->hasText());
}

void CTextEdit::insertFromMimeData(const QMimeData* source) {
    if (!source || isReadOnly())
        return;
    QString text;
    if (source->hasFormat(kExactTextMime))
        text = fromUtf16Bytes(source->data(kExactTextMime));
    else if (source->hasText())
        text = normalizeForeignText(source->text());
    else
        return;
    avoidStandInsIn(text);
    const int room = roomForInsert();
    const QString control = fitToRoom(edittext::toGroupedControlText(text, standIns_), room);
    if (control.size() < text.size() && control.isEmpty()) {
        QApplication::beep();
        return;
    }
    QTextCursor c = textCursor();
    c.beginEditBlock();
    c.insertText(control);
    c.endEditBlock();
    setTextCursor(c);
    ensureCursorVisible();
}

// ---- limit ----

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
        const int cost = (edittext::isLineBreak(c) || pair) ? 2 : 1;
        if (used + cost > room)
            break;
        used += cost;
        n += pair ? 2 : 1;
    }
    return controlText.left(n);
}

// ---- tab stops, colours, metrics ----

void CTextEdit::SetTabStops(int tabSize) {
    setTabStopDistance(std::max(1, tabSize) * fontMetrics().averageCharWidth());
    markLayoutDirty();
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

// ---- events ----

int CTextEdit::acceleratorCommand(const QKeyEvent* e) const {
    const QKeyCombination keys(e->modifiers() & ~Qt::KeypadModifier, Qt::Key(e->key()));
    for (const res::Accelerator& a : res::mainAccelerators()) {
        if (a.keys == keys)
            return a.command;
    }
    return 0;
}

bool CTextEdit::event(QEvent* e) {
    // The keys of the main accelerator table belong to the window's commands,
    // even where the text control would take them for itself (Ctrl+K, Ctrl+Z).
    if (e->type() == QEvent::ShortcutOverride &&
        acceleratorCommand(static_cast<QKeyEvent*>(e)) != 0) {
        e->ignore();
        return true;
    }
    return QPlainTextEdit::event(e);
}

bool CTextEdit::isConsumedEdgeKey(const QKeyEvent* e) const {
    const QTextCursor c = textCursor();
    const QTextDocument* doc = document();
    auto layoutLine = [this](const QTextBlock& b, int position, bool* last) {
        auto* layout = qobject_cast<QPlainTextDocumentLayout*>(document()->documentLayout());
        if (layout)
            layout->ensureBlockLayout(b);
        const QTextLayout* l = b.layout();
        if (!l || l->lineCount() == 0) {
            *last = true;
            return 0;
        }
        const QTextLine line = l->lineForTextPosition(position - b.position());
        const int n = line.isValid() ? line.lineNumber() : l->lineCount() - 1;
        *last = n == l->lineCount() - 1;
        return n;
    };
    bool lastInBlock = false;
    switch (e->key()) {
    case Qt::Key_Down: {
        const QTextBlock b = c.block();
        layoutLine(b, c.position(), &lastInBlock);
        return b == doc->lastBlock() && lastInBlock;
    }
    case Qt::Key_Up: {
        const QTextBlock b = c.block();
        return b == doc->firstBlock() && layoutLine(b, c.position(), &lastInBlock) == 0;
    }
    case Qt::Key_Right:
        return !c.hasSelection() && c.position() == doc->characterCount() - 1;
    case Qt::Key_Left:
        return !c.hasSelection() && c.position() == 0;
    default:
        return false;
    }
}

void CTextEdit::keyPressEvent(QKeyEvent* e) {
    if (caretReportFlags_ != 0)
        emit caretMoveNotice();
    const bool recording = macroRecording_ && *macroRecording_;
    if (recording)
        emit keyDown(e->key(), e->modifiers());

    if (const int command = acceleratorCommand(e)) {
        bool handled = false;
        emit acceleratorKey(command, &handled);
        if (handled) {
            e->accept();
            return;
        }
    }
    if (isConsumedEdgeKey(e)) {
        e->accept();
        return;
    }

    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    const bool commandKey = (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) != 0;
    QString typed;
    if (enter)
        typed = QStringLiteral("\r");
    else if (!commandKey && !e->text().isEmpty() && !isReadOnly() &&
             (e->text().at(0).unicode() >= 0x20 || e->text().at(0) == u'\t') &&
             e->text().at(0).unicode() != 0x7F)
        typed = e->text();
    if (!typed.isEmpty() && !isReadOnly()) {
        const int cost = enter ? 2 : int(typed.size());
        if (cost > roomForInsert()) {
            QApplication::beep();
            e->accept();
            return;
        }
        if (recording)
            emit characterTyped(typed, e->modifiers());
        if (!enter &&
            (standIns_.usedIn(typed) || edittext::toControlText(typed, standIns_) != typed)) {
            // A character the document would take for a break or a
            // stand-in goes in mapped.
            ReplaceSel(typed);
            e->accept();
            return;
        }
    }
    if (enter && (e->modifiers() & Qt::ShiftModifier)) {
        // Shift+Enter would put a line separator into the document; the
        // edit buffer knows only one line break.
        QKeyEvent plain(e->type(), e->key(), e->modifiers() & ~Qt::ShiftModifier, e->text(),
                        e->isAutoRepeat(), e->count());
        QPlainTextEdit::keyPressEvent(&plain);
        return;
    }
    QPlainTextEdit::keyPressEvent(e);
}

void CTextEdit::keyReleaseEvent(QKeyEvent* e) {
    if (isConsumedEdgeKey(e)) {
        e->accept();
        return;
    }
    QPlainTextEdit::keyReleaseEvent(e);
}

void CTextEdit::mousePressEvent(QMouseEvent* e) {
    if (caretReportFlags_ != 0 && (e->button() == Qt::LeftButton || e->button() == Qt::RightButton))
        emit caretMoveNotice();
    QPlainTextEdit::mousePressEvent(e);
}

void CTextEdit::inputMethodEvent(QInputMethodEvent* e) {
    const QString commit = e->commitString();
    if (commit.isEmpty() || isReadOnly()) {
        QPlainTextEdit::inputMethodEvent(e);
        return;
    }
    avoidStandInsIn(commit);
    const QString control = edittext::toControlText(commit, standIns_);
    const QString fitted = fitToRoom(control, roomForInsert());
    if (macroRecording_ && *macroRecording_) {
        for (QChar c : edittext::fromControlText(fitted, standIns_))
            emit characterTyped(QString(c), Qt::NoModifier);
    }
    if (fitted == commit) {
        QPlainTextEdit::inputMethodEvent(e);
        return;
    }
    if (fitted.size() < control.size())
        QApplication::beep();
    QInputMethodEvent mapped(e->preeditString(), e->attributes());
    mapped.setCommitString(fitted, e->replacementStart(), e->replacementLength());
    QPlainTextEdit::inputMethodEvent(&mapped);
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
    markLayoutDirty();
}

void CTextEdit::changeEvent(QEvent* e) {
    QPlainTextEdit::changeEvent(e);
    if (e->type() == QEvent::FontChange)
        markLayoutDirty();
}

bool CTextEdit::viewportEvent(QEvent* e) {
    if (e->type() == QEvent::Resize)
        markLayoutDirty();
    return QPlainTextEdit::viewportEvent(e);
}

void CTextEdit::paintEvent(QPaintEvent* e) {
    QPlainTextEdit::paintEvent(e);
    paintStandIns();
}

// A lone CR or LF (and the separators kept as stand-ins) is drawn as its
// control picture on a shaded cell, so that the user sees there is a character.
void CTextEdit::paintStandIns() {
    QPainter painter(viewport());
    const QPointF offset = contentOffset();
    const int bottom = viewport()->height();
    const QColor shade = palette().color(QPalette::Text);
    for (QTextBlock b = firstVisibleBlock(); b.isValid(); b = b.next()) {
        const QRectF r = blockBoundingGeometry(b).translated(offset);
        if (r.top() > bottom)
            break;
        const QString text = b.text();
        const QTextLayout* l = b.layout();
        if (!l)
            continue;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t meaning = standIns_.meaningOf(text[i].unicode());
            // U+FDD0 and U+FDD1 of the text show as the font shows a
            // noncharacter; the other stand-ins get a mark.
            if (meaning == 0 || meaning == 0xFDD0 || meaning == 0xFDD1)
                continue;
            const QTextLine line = l->lineForTextPosition(int(i));
            if (!line.isValid())
                continue;
            const qreal x1 = line.cursorToX(int(i));
            const qreal x2 = line.cursorToX(int(i) + 1);
            const QRectF cell(r.left() + x1, r.top() + line.y(), std::max<qreal>(x2 - x1, 4),
                              line.height());
            QColor background = palette().color(QPalette::Base);
            painter.fillRect(cell, background);
            QColor tint = shade;
            tint.setAlpha(40);
            painter.fillRect(cell.adjusted(0, 1, 0, -1), tint);
            painter.setPen(shade);
            drawStandInMark(painter, cell, meaning);
        }
    }
}
