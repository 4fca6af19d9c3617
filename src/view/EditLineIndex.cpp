#include "EditLineIndex.h"

#include "EditTextMapping.h"

#include <QAbstractTextDocumentLayout>
#include <QPlainTextDocumentLayout>
#include <QSignalBlocker>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>
#include <climits>

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
    // break and one at the end; an in-block break is one character.
    return document_->characterCount() - 1 + document_->blockCount() - 1 + totalInBlockBreaks();
}

int EditLineIndex::positionFromIndex(int index) const {
    const QTextDocument* doc = document_;
    const int length = textLength();
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

int EditLineIndex::indexFromPosition(int position) const {
    const QTextDocument* doc = document_;
    QTextBlock b = doc->findBlock(position);
    if (!b.isValid())
        b = doc->lastBlock();
    return position + firstLogicalLine(b) + inBlockBreaksBefore(b, position - b.position());
}

void EditLineIndex::rebuildBreakSums() const {
    std::vector<int> counts;
    counts.reserve(size_t(document_->blockCount()));
    for (QTextBlock b = document_->firstBlock(); b.isValid(); b = b.next()) {
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

int EditLineIndex::inBlockBreaksBefore(int blockNumber) const {
    if (!breakSumsValid_ || inBlockBreaks_.size() != document_->blockCount())
        rebuildBreakSums();
    return inBlockBreaks_.sumBefore(blockNumber);
}

int EditLineIndex::totalInBlockBreaks() const {
    return inBlockBreaksBefore(document_->blockCount());
}

void EditLineIndex::recountBlocks(const QTextBlock& first, const QTextBlock& last) {
    if (inBlockBreaks_.size() != document_->blockCount())
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
    return block.blockNumber() + inBlockBreaksBefore(block.blockNumber());
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

QTextBlock EditLineIndex::blockOfLine(int line, int* lineInBlock) const {
    *lineInBlock = 0;
    if (line < 0)
        return QTextBlock();
    if (!wraps()) {
        // The last block whose first line is at most `line`.
        const QTextDocument* doc = document_;
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
        return doc->blockCount() + totalInBlockBreaks();
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
