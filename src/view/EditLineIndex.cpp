#include "EditLineIndex.h"

#include "EditTextMapping.h"

#include <QAbstractTextDocumentLayout>
#include <QElapsedTimer>
#include <QPlainTextDocumentLayout>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>
#include <climits>
#include <cmath>

EditLineIndex::EditLineIndex(Wrap wrap, std::function<int()> layoutWidth)
    : wrap_(wrap), layoutWidth_(std::move(layoutWidth)) {}

void EditLineIndex::setDocument(QTextDocument* document) {
    document_ = document;
    markLayoutDirty();
    rebuildBreakSums();
    restoreLineCounts();
}

void EditLineIndex::contentsChanged(int from, int added) {
    // The document layout clears (or lays out anew) the blocks from the one
    // holding `from` on; the blocks before it keep their exact line counts.
    const QTextBlock first = document_->findBlock(from);
    if (exactUpTo_ > from)
        exactUpTo_ = first.isValid() ? std::min(exactUpTo_, first.position()) : 0;
    const QTextBlock last = document_->findBlock(from + added);
    recountBlocks(first.isValid() ? first : document_->lastBlock(),
                  last.isValid() ? last : document_->lastBlock());
}

void EditLineIndex::layoutReset() {
    markLayoutDirty();
    restoreLineCounts();
}

int EditLineIndex::textLength() const {
    // Every line break counts two: characterCount has one for each block
    // break and one at the end; an in-block break is one character; a join
    // is nothing.
    return document_->characterCount() - 1 + document_->blockCount() - 1 + totalInBlockBreaks() -
           2 * totalJoins();
}

bool EditLineIndex::isJoined(const QTextBlock& block) {
    return block.blockFormat().boolProperty(kJoinedProperty);
}

QTextBlockFormat EditLineIndex::withJoin(QTextBlockFormat format, bool joined) {
    if (joined)
        format.setProperty(kJoinedProperty, true);
    else
        format.clearProperty(kJoinedProperty);
    return format;
}

int EditLineIndex::indexShift(int k) const {
    // Two for every break before the block, one of which the position
    // already counts; minus one for every join, which the position counts.
    return k + inBlockBreaksBefore(k) - 2 * joinsThrough(k);
}

int EditLineIndex::joinsThrough(int blockNumber) const {
    if (!sumsValid_ || joins_.size() != document_->blockCount())
        rebuildBreakSums();
    return joins_.sumBefore(blockNumber + 1);
}

int EditLineIndex::totalJoins() const {
    return joinsThrough(document_->blockCount());
}

int EditLineIndex::positionFromIndex(int index) const {
    const QTextDocument* doc = document_;
    const int length = textLength();
    if (index < 0 || index > length)
        index = length;
    auto startIndex = [this, doc](int k) {
        return doc->findBlockByNumber(k).position() + indexShift(k);
    };
    // The last block whose first character's index is at most `index`.
    int lo = 0;
    int hi = doc->blockCount() - 1;
    // Without joins no index is smaller than its position.
    const QTextBlock guess = doc->findBlock(index);
    if (guess.isValid() && totalJoins() == 0)
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

int EditLineIndex::indexFromPosition(int position) const {
    const QTextDocument* doc = document_;
    QTextBlock b = doc->findBlock(position);
    if (!b.isValid())
        b = doc->lastBlock();
    return position + indexShift(b.blockNumber()) + inBlockBreaksBefore(b, position - b.position());
}

void EditLineIndex::rebuildBreakSums() const {
    std::vector<int> counts;
    std::vector<int> joins;
    counts.reserve(size_t(document_->blockCount()));
    joins.reserve(size_t(document_->blockCount()));
    for (QTextBlock b = document_->firstBlock(); b.isValid(); b = b.next()) {
        int breaks = b.userState();
        if (breaks < 0) {
            breaks = int(edittext::countInBlockBreaks(b.text()));
            b.setUserState(breaks);
        }
        counts.push_back(breaks);
        joins.push_back(joins.empty() ? 0 : int(isJoined(b)));
    }
    inBlockBreaks_.assign(std::move(counts));
    joins_.assign(std::move(joins));
    sumsValid_ = true;
}

int EditLineIndex::inBlockBreaksBefore(int blockNumber) const {
    if (!sumsValid_ || inBlockBreaks_.size() != document_->blockCount())
        rebuildBreakSums();
    return inBlockBreaks_.sumBefore(blockNumber);
}

int EditLineIndex::totalInBlockBreaks() const {
    return inBlockBreaksBefore(document_->blockCount());
}

void EditLineIndex::recountBlocks(const QTextBlock& first, const QTextBlock& last) {
    if (inBlockBreaks_.size() != document_->blockCount())
        sumsValid_ = false; // blocks came or went: rebuilt when asked
    bool linesChanged = false;
    for (QTextBlock b = first; b.isValid(); b = b.next()) {
        const int breaks = int(edittext::countInBlockBreaks(b.text()));
        if (breaks != b.userState())
            b.setUserState(breaks);
        // With the block count unchanged, the blocks outside the touched
        // range keep their numbers, so only the touched ones change.
        const int number = b.blockNumber();
        if (sumsValid_ && breaks != inBlockBreaks_.valueAt(number))
            inBlockBreaks_.set(number, breaks);
        const int joined = number > 0 && isJoined(b) ? 1 : 0;
        if (sumsValid_ && joined != joins_.valueAt(number))
            joins_.set(number, joined);
        linesChanged = fitLineCount(b) || linesChanged;
        if (b == last)
            break;
    }
    if (linesChanged)
        announceDocumentSize();
}

void EditLineIndex::restoreLineCounts() {
    bool changed = false;
    for (QTextBlock b = document_->firstBlock(); b.isValid(); b = b.next())
        changed = fitLineCount(b) || changed;
    if (changed)
        announceDocumentSize();
}

bool EditLineIndex::fitLineCount(QTextBlock& block) const {
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

void EditLineIndex::announceDocumentSize() const {
    if (QPlainTextDocumentLayout* layout = plainLayout())
        emit layout->documentSizeChanged(layout->documentSize());
}

int EditLineIndex::firstLogicalLine(const QTextBlock& block) const {
    const int k = block.blockNumber();
    return k + inBlockBreaksBefore(k) - joinsThrough(k);
}

int EditLineIndex::inBlockBreaksBefore(const QTextBlock& block, int offset) {
    if (block.userState() <= 0 || offset <= 0)
        return 0;
    return int(edittext::countInBlockBreaks(QStringView(block.text()).left(offset)));
}

std::pair<int, int> EditLineIndex::lineSpanAt(const QTextBlock& block, int offset) const {
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

std::pair<int, int> EditLineIndex::lineSpan(const QTextBlock& block, int within) const {
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

QPlainTextDocumentLayout* EditLineIndex::plainLayout() const {
    return qobject_cast<QPlainTextDocumentLayout*>(document_->documentLayout());
}

QTextBlock EditLineIndex::exactFrontier() const {
    if (layoutWidth_() != laidOutWidth_) {
        laidOutWidth_ = layoutWidth_();
        exactUpTo_ = 0;
    }
    if (exactUpTo_ >= document_->characterCount())
        return QTextBlock();
    return document_->findBlock(exactUpTo_);
}

// Lays out the blocks from the frontier on, one after the other, until
// `stop` says the block just laid out is the last one needed. Afterwards
// every block up to that one has its exact line count, so that the block
// map's line numbers are exact up to there. Returns the last block laid out
// (invalid when the frontier was already beyond the end).
template <typename Stop> QTextBlock EditLineIndex::layOutFromFrontier(Stop stop) const {
    QPlainTextDocumentLayout* layout = plainLayout();
    QTextBlock b = exactFrontier();
    if (!layout || !b.isValid())
        return QTextBlock();
    const int linesBefore = document_->lineCount();
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
    if (document_->lineCount() != linesBefore)
        announceDocumentSize();
    return b;
}

void EditLineIndex::ensureExactThrough(const QTextBlock& block) const {
    if (!wraps() || !block.isValid())
        return;
    const int target = block.position();
    if (exactFrontier().isValid() && exactUpTo_ <= target)
        layOutFromFrontier([target](const QTextBlock& b, int) { return b.position() >= target; });
    ensureBlockLaidOut(block);
}

void EditLineIndex::ensureAllExact() const {
    if (wraps() && exactFrontier().isValid())
        layOutFromFrontier([](const QTextBlock&, int) { return false; });
}

void EditLineIndex::ensureBlockLaidOut(const QTextBlock& block) const {
    if (QPlainTextDocumentLayout* layout = plainLayout())
        layout->ensureBlockLayout(block);
}

int EditLineIndex::lineOfPosition(int position) const {
    const QTextBlock b = document_->findBlock(position);
    if (!b.isValid())
        return std::max(0, lineCount() - 1);
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

int EditLineIndex::lineOfPositionWithin(int position, int budget, bool* exact) const {
    *exact = true;
    const QTextBlock b = document_->findBlock(position);
    const QTextBlock frontier = wraps() && b.isValid() ? exactFrontier() : QTextBlock();
    if (!frontier.isValid() || frontier.position() > b.position() ||
        b.position() - frontier.position() <= budget)
        return lineOfPosition(position);
    *exact = false;
    ensureBlockLaidOut(b);
    int within = 0;
    double charsPerLine = std::max(1, layoutWidth_() / 8);
    if (const QTextLayout* l = b.layout(); l && l->lineCount() > 0) {
        const QTextLine line = l->lineForTextPosition(position - b.position());
        within = line.isValid() ? line.lineNumber() : l->lineCount() - 1;
        if (l->lineCount() > 1)
            charsPerLine = double(b.length()) / l->lineCount();
    }
    int line = frontier.firstLineNumber();
    for (QTextBlock k = frontier; k.isValid() && k != b; k = k.next())
        line += estimatedLines(k, charsPerLine);
    return line + within;
}

int EditLineIndex::estimatedLines(const QTextBlock& block, double charsPerLine) const {
    if (const QTextLayout* l = block.layout(); l && l->lineCount() > 0)
        return block.lineCount();
    const int logical = std::max(0, block.userState()) + 1;
    return std::max(logical, int(std::ceil((block.length() - 1) / charsPerLine)));
}

bool EditLineIndex::layOutSome(int milliseconds) const {
    if (!wraps() || !exactFrontier().isValid())
        return true;
    QElapsedTimer clock;
    clock.start();
    layOutFromFrontier(
        [&clock, milliseconds](const QTextBlock&, int) { return clock.elapsed() >= milliseconds; });
    return !exactFrontier().isValid();
}

QTextBlock EditLineIndex::blockOfLine(int line, int* lineInBlock) const {
    *lineInBlock = 0;
    if (line < 0)
        return QTextBlock();
    if (!wraps()) {
        // The first block whose last line is at least `line`: the line
        // starts there (a block that continues a line ends no earlier).
        const QTextDocument* doc = document_;
        totalJoins(); // brings the sums up to date before valueAt
        auto lastLine = [this, doc](int k) {
            return firstLogicalLine(doc->findBlockByNumber(k)) + inBlockBreaks_.valueAt(k);
        };
        int lo = 0;
        int hi = doc->blockCount() - 1;
        if (lastLine(hi) < line)
            return QTextBlock(); // beyond the last line
        while (lo < hi) {
            const int mid = lo + (hi - lo) / 2;
            if (lastLine(mid) >= line)
                hi = mid;
            else
                lo = mid + 1;
        }
        const QTextBlock b = doc->findBlockByNumber(lo);
        *lineInBlock = line - firstLogicalLine(b);
        return b;
    }
    QTextBlock b;
    const QTextBlock frontier = exactFrontier();
    if (!frontier.isValid() || line < frontier.firstLineNumber()) {
        // Within the exact part: the block map knows the line numbers.
        b = document_->findBlockByLineNumber(line);
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

int EditLineIndex::lineCount() const {
    const QTextDocument* doc = document_;
    if (!wraps())
        return doc->blockCount() + totalInBlockBreaks() - totalJoins();
    ensureAllExact();
    const QTextBlock last = doc->lastBlock();
    return last.firstLineNumber() + std::max(1, last.lineCount());
}

int EditLineIndex::firstLineOf(const QTextBlock& block) const {
    if (wraps()) {
        ensureExactThrough(block);
        return block.firstLineNumber();
    }
    ensureBlockLaidOut(block);
    return firstLogicalLine(block);
}

int EditLineIndex::lineStart(int line) const {
    int within = 0;
    const QTextBlock b = blockOfLine(line, &within);
    if (!b.isValid())
        return -1;
    return b.position() + lineSpan(b, within).first;
}

std::pair<int, int> EditLineIndex::lineRange(int line) const {
    if (wraps()) {
        // A displayed line never leaves its block.
        int within = 0;
        const QTextBlock b = blockOfLine(line, &within);
        if (!b.isValid())
            return {-1, -1};
        const auto [start, length] = lineSpan(b, within);
        return {b.position() + start, b.position() + start + length};
    }
    // A line of the text may go on through joined blocks: it ends at the
    // break before the next line.
    const int start = lineStart(line);
    if (start < 0)
        return {-1, -1};
    const int next = lineStart(line + 1);
    return {start, next < 0 ? document_->characterCount() - 1 : next - 1};
}

std::pair<int, int> EditLineIndex::lineRangeAt(int position) const {
    if (!wraps())
        return lineRange(lineOfPosition(position));
    QTextBlock b = document_->findBlock(position);
    if (!b.isValid())
        b = document_->lastBlock();
    const auto [start, length] = lineSpanAt(b, position - b.position());
    return {b.position() + start, b.position() + start + length};
}

int EditLineIndex::scrollLineOf(int line) const {
    int within = 0;
    const QTextBlock b = blockOfLine(line, &within);
    if (!b.isValid())
        return -1;
    return b.firstLineNumber() + within;
}

QString EditLineIndex::controlText(int from, int to) const {
    QString text;
    if (from <= 0 && to >= document_->characterCount() - 1) {
        from = 0;
        text = document_->toRawText();
    } else {
        QTextCursor c(document_);
        c.setPosition(from);
        c.setPosition(to, QTextCursor::KeepAnchor);
        text = c.selectedText();
    }
    if (totalJoins() == 0)
        return text;
    const int last = document_->findBlock(from + int(text.size())).blockNumber();
    const int end = last < 0 ? document_->blockCount() - 1 : last;
    for (int k = document_->findBlock(from).blockNumber() + 1; k <= end; ++k) {
        if (joins_.valueAt(k) == 0)
            continue;
        const qsizetype at = document_->findBlockByNumber(k).position() - 1 - from;
        if (at >= 0 && at < text.size())
            text[at] = QChar(edittext::kBlockJoin);
    }
    return text;
}

void EditLineIndex::insertControlText(QTextCursor& c, QStringView text, int chunk) {
    const int from = c.position();
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const bool end = i == text.size();
        if (!end && text[i] != u'\n' && text[i].unicode() != edittext::kBlockJoin)
            continue;
        if (i > start)
            c.insertText(text.mid(start, i - start).toString());
        if (!end)
            c.insertBlock(withJoin(c.blockFormat(), text[i].unicode() == edittext::kBlockJoin));
        start = i + 1;
    }
    // The blocks from the insertion's start to the cursor, which stands at
    // its end; a cut block goes on with its rest, which may be long still.
    for (QTextBlock b = c.document()->findBlock(from); b.isValid();) {
        if (b.length() - 1 > chunk) {
            const int cut = int(edittext::chunkCut(b.text(), 0, chunk));
            QTextCursor split(b);
            split.setPosition(b.position() + cut);
            split.insertBlock(withJoin(b.blockFormat(), true));
            b = split.block();
            continue;
        }
        if (b.position() + b.length() > c.position())
            break;
        b = b.next();
    }
}

void EditLineIndex::markJoinedBlocks(QTextDocument* document, QStringView control) {
    int block = 0;
    for (qsizetype i = 0; i < control.size(); ++i) {
        const char16_t c = control[i].unicode();
        if (c != u'\n' && c != edittext::kBlockJoin)
            continue;
        ++block;
        if (c == edittext::kBlockJoin) {
            const QTextBlock b = document->findBlockByNumber(block);
            QTextCursor(b).setBlockFormat(withJoin(b.blockFormat(), true));
        }
    }
}
