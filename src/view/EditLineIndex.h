#pragma once

#include "PrefixSums.h"

#include <QString>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <climits>
#include <functional>
#include <utility>

class QPlainTextDocumentLayout;
class QTextCursor;
class QTextDocument;

// The line questions of the edit control, answered from the document and
// its plain-text layout alone, so that they are testable without a window:
// - character indices count every line break as two (CR LF);
// - the non-wrapping control's lines are the text's lines; the wrapping
//   control's lines are displayed lines.
// Index mapping costs O(log n) per call plus the length of one block: the
// document's block map knows block positions and, once blocks are laid out,
// their line numbers; prefix sums over the blocks add up the line breaks
// kept inside blocks (see edittext::kInBlockBreak) and the joins of blocks
// that hold one long line (see edittext::kBlockJoin). A joined block is
// marked in its block format, which the document's undo keeps and which a
// split of the block copies to both halves (so the control inserts breaks
// with the mark cleared).
class EditLineIndex {
  public:
    enum class Wrap { On, Off };

    // `layoutWidth` tells the width the layout wraps at now; when it differs
    // from the last one seen, every line count is inexact again.
    EditLineIndex(Wrap wrap, std::function<int()> layoutWidth);

    bool wraps() const { return wrap_ == Wrap::On; }

    // The block format property that marks a block joined to the one before.
    static constexpr int kJoinedProperty = QTextFormat::UserProperty + 1;
    static bool isJoined(const QTextBlock& block);
    static QTextBlockFormat withJoin(QTextBlockFormat format, bool joined);
    // Inserts grouped control text at the cursor: '\n' as a block break and
    // edittext::kBlockJoin as a join. (QTextCursor::insertText would give
    // every new block the format of the block it splits, join mark included.)
    // Text put into a block that already holds part of a long line could
    // make it longer than `chunk`: the blocks it touched are then cut with
    // joins again, so that no paste makes a block slow to lay out.
    static void insertControlText(QTextCursor& cursor, QStringView text, int chunk = INT_MAX);
    // Marks the blocks after the joins of control text that was just put
    // into the document, where the joins became block breaks.
    static void markJoinedBlocks(QTextDocument* document, QStringView control);

    // A new document (empty or filled without undo): counts everything anew.
    void setDocument(QTextDocument* document);
    // After the document's contentsChange: recounts the blocks touched.
    void contentsChanged(int from, int added);
    // The layout laid every block out anew with one line each (a change of
    // width, font or tab stops): blocks not laid out get their counts back.
    void layoutReset();
    // The width, font or tab stops changed: line counts are inexact.
    void markLayoutDirty() const { exactUpTo_ = 0; }

    // The text's length in the edit buffer's counting.
    int textLength() const;
    int positionFromIndex(int index) const;
    int indexFromPosition(int position) const;

    int lineCount() const;
    int lineOfPosition(int position) const;
    // As lineOfPosition, but the wrapping control lays out no more than
    // `budget` characters of blocks before the position's block: the blocks
    // beyond that count lines estimated from their length, and *exact
    // becomes false. For what is shown at once (the caret in the title),
    // where a long line must not be laid out whole first.
    int lineOfPositionWithin(int position, int budget, bool* exact) const;
    // Lays out blocks from the exact part on for about `milliseconds`; true
    // when every line count is exact.
    bool layOutSome(int milliseconds) const;
    // The position of a line's first character; -1 for a line beyond the last.
    int lineStart(int line) const;
    // The positions of a line's first character and of its end (before its
    // break); {-1, -1} for a line beyond the last.
    std::pair<int, int> lineRange(int line) const;
    // The line holding a position, as positions of its start and end. For
    // the wrapping control only the position's block is laid out.
    std::pair<int, int> lineRangeAt(int position) const;
    bool hasJoins() const { return totalJoins() > 0; }
    // The line of the block map (the vertical scroll bar's unit) where a
    // line starts; -1 for a line beyond the last.
    int scrollLineOf(int line) const;
    // The exact line number of the block's first line.
    int firstLineOf(const QTextBlock& block) const;
    // The document's text between two positions as control text: block
    // breaks as U+2029, joins as edittext::kBlockJoin.
    QString controlText(int from, int to) const;

    // Wrapping control: makes the line counts of all blocks up to `block`
    // exact by laying out only the blocks from the frontier to it.
    void ensureExactThrough(const QTextBlock& block) const;
    void ensureAllExact() const;
    void ensureBlockLaidOut(const QTextBlock& block) const;

  private:
    // The block holding a line and the line's number within it; an invalid
    // block for a line beyond the last.
    QTextBlock blockOfLine(int line, int* lineInBlock) const;
    // The line holding an offset of a block: its start offset and its
    // length without the break.
    std::pair<int, int> lineSpanAt(const QTextBlock& block, int offset) const;
    // The span of the block's line number `within`.
    std::pair<int, int> lineSpan(const QTextBlock& block, int within) const;
    // Index minus position at the start of block k.
    int indexShift(int blockNumber) const;
    // The joined blocks up to and including block k.
    int joinsThrough(int blockNumber) const;
    int totalJoins() const;
    // Each block's user state holds the number of kInBlockBreak characters
    // in it; prefix sums over the block numbers add them up. Edits recount
    // the blocks they touch; a change of the block count rebuilds the sums
    // on the next question.
    int inBlockBreaksBefore(int blockNumber) const;
    int totalInBlockBreaks() const;
    void rebuildBreakSums() const;
    void recountBlocks(const QTextBlock& first, const QTextBlock& last);
    // The non-wrapping control's line of a block's first character.
    int firstLogicalLine(const QTextBlock& block) const;
    // The in-block breaks before an offset of the block.
    static int inBlockBreaksBefore(const QTextBlock& block, int offset);
    // The layout resets every block to one line when it lays the document
    // out anew; blocks not laid out get back at least their logical lines,
    // and the non-wrapping control's blocks their exact count.
    void restoreLineCounts();
    // Gives the block the line count that rule asks for; true if it changed.
    bool fitLineCount(QTextBlock& block) const;
    // Tells the view the document's height changed.
    void announceDocumentSize() const;
    template <typename Stop> QTextBlock layOutFromFrontier(Stop stop) const;
    // The displayed lines of a block that is not laid out, from its length
    // and the characters per line of a block that is.
    int estimatedLines(const QTextBlock& block, double charsPerLine) const;
    QTextBlock exactFrontier() const;
    QPlainTextDocumentLayout* plainLayout() const;

    const Wrap wrap_;
    const std::function<int()> layoutWidth_;
    QTextDocument* document_ = nullptr;

    // The wrapping control lays blocks out lazily. Every block that starts
    // before this position has been laid out for the current width, so its
    // line count in the block map is exact, and so are the line numbers of
    // the blocks up to here (the block map sums line counts in O(log n)).
    // Edits move it back to the block they touch; a change of width, font
    // or tab stops back to 0. INT_MAX: all blocks are exact.
    mutable int exactUpTo_ = 0;
    mutable int laidOutWidth_ = -1;

    mutable PrefixSums inBlockBreaks_; // by block number
    mutable PrefixSums joins_;         // 1 for a block joined to the one before
    mutable bool sumsValid_ = false;
};
