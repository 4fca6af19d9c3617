#pragma once

#include "EditTextMapping.h"
#include "EditLineIndex.h"

#include <QColor>
#include <QPlainTextEdit>
#include <QPoint>
#include <QString>
#include <climits>
#include <cstdint>
#include <utility>

class QMimeData;
class QTimer;

// The multi-line edit control of the view, over QPlainTextEdit, with the
// semantics the editor was built on:
// - the text has CR LF line breaks and character indices count each as two;
//   a lone CR or LF stays a character (kept as a stand-in, drawn as a mark);
// - lines are those of the control: with wrapping, a displayed line;
// - a limit refuses typing beyond 65536 characters; SetText may exceed it;
// - a modified flag, undo, clipboard, tab stops and colours.
// The line questions are answered by an EditLineIndex over the document.
class CTextEdit : public QPlainTextEdit {
    Q_OBJECT
  public:
    static constexpr int kDefaultLimit = 0x10000;
    enum class Wrap { On, Off };

    CTextEdit(int controlId, Wrap wrap, QWidget* parent = nullptr);
    ~CTextEdit() override;

    int controlId() const { return controlId_; }
    bool wraps() const { return wrap_ == Wrap::On; }

    QString GetText() const;
    void SetText(const QString& text);
    int GetTextLength() const;

    std::pair<int, int> GetSel() const;
    // (0, -1) selects all; a start of -1 removes the selection and leaves the
    // caret where it is. Like the device control, it does not scroll.
    void SetSel(int start, int end);
    // Replaces the selection as one undoable edit and scrolls the caret into view.
    void ReplaceSel(const QString& text);
    void ScrollCaret();

    // -1 means the line of the selection's start.
    int LineFromChar(int index = -1) const;
    // The line holding an index and the index its line starts at, for what
    // is shown at once (the caret in the title): a wrapped line is laid out
    // only around the index, and the lines of a long stretch before it that
    // is not laid out yet are estimated from their length. Such a stretch is
    // then laid out a little at a time while the window is idle, and
    // lineNumbersExact() tells when the answer would be exact.
    std::pair<int, int> lineAndStartForDisplay(int index);
    // -1 means the caret's line; a line beyond the last gives -1.
    int LineIndex(int line = -1) const;
    // Length of the line holding the index, without its break; -1: the caret's line.
    int LineLength(int index = -1) const;
    QString GetLine(int line) const;
    // The text between two indices.
    QString GetTextRange(int start, int end) const;
    int GetLineCount() const;
    int GetFirstVisibleLine() const;
    void LineScroll(int lines, int chars = 0);
    // The character nearest to a point of the viewport: index and line.
    std::pair<int, int> CharFromPos(const QPoint& point) const;
    // The top-left corner of a character in viewport coordinates.
    QPoint PosFromChar(int index) const;

    bool Undo();
    bool CanUndo() const;
    void EmptyUndoBuffer();
    bool GetModify() const;
    void SetModify(bool modified);

    void Cut();
    void Copy();
    void Paste();
    void Clear(); // deletes the selection

    void SetLimitText(int limit) { limit_ = limit > 0 ? limit : INT_MAX; }
    int GetLimitText() const { return limit_; }

    // One tab stop every tabSize x 4 dialog units: tabSize average characters.
    void SetTabStops(int tabSize);
    void SetColors(const QColor& text, const QColor& background);

    // Caret bits of the title flags: when non-zero the control tells the view
    // before a key or a button press is handled that the caret may move.
    void setCaretReportFlags(uint16_t flags) { caretReportFlags_ = flags; }
    uint16_t caretReportFlags() const { return caretReportFlags_; }
    // The view's recording flag, read for every typed character.
    void setMacroRecordingFlag(const bool* recording) { macroRecording_ = recording; }

    // The height of a line: the height of "A" in the control's font.
    int lineHeight() const;
    // Lines that fit into the formatting rectangle.
    int visibleLineCount() const;

    // Index <-> document position. Public for the view and the tests.
    int positionFromIndex(int index) const;
    int indexFromPosition(int position) const;

  signals:
    // Posted before a key-down or a left or right button-down is handled.
    void caretMoveNotice();
    // The text changed through typing or an edit operation (not SetText).
    void changeNotice();
    // The text changed in any way, SetText included (which replaces the
    // control's document: watch this rather than the document's signals).
    void textRevised();
    void focusNotice(bool gained);
    // A character message while the view records a macro.
    void characterTyped(const QString& text, Qt::KeyboardModifiers modifiers);
    // A key-down while the view records a macro.
    void keyDown(int key, Qt::KeyboardModifiers modifiers);
    // The lines estimated by lineAndStartForDisplay are laid out now.
    void lineNumbersExact();
    // A key of the main accelerator table reached the control because no
    // window-level shortcut took it; the view runs the command if it can.
    // `handled` is set by the receiver.
    void acceleratorKey(int commandId, bool* handled);

  protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;
    bool viewportEvent(QEvent* e) override;
    QMimeData* createMimeDataFromSelection() const override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

  private:
    void connectDocument();
    // Fills a new document with the text, mapped with the current stand-ins.
    void fillDocument(const QString& text);
    // Before text goes in: when it holds one of the current stand-ins, the
    // control changes to a set that neither the document nor it uses.
    void avoidStandInsIn(const QString& text);
    bool isConsumedEdgeKey(const QKeyEvent* e) const;
    // Backspace or Delete next to a join deletes the character beyond it;
    // true if it did.
    bool deleteOverJoin(const QKeyEvent* e);
    // The length beyond which a line is cut into joined blocks: the
    // non-wrapping control shows each block as one row, whose painting
    // costs its whole length, so its chunks are shorter.
    int lineChunk() const {
        return wraps() ? edittext::kMaxLineChunk : edittext::kMaxLineChunk / 4;
    }
    int acceleratorCommand(const QKeyEvent* e) const;
    // Room left under the limit when the selection is replaced.
    int roomForInsert() const;
    QString fitToRoom(const QString& controlText, int room) const;
    void paintStandIns();

    const int controlId_;
    const Wrap wrap_;
    int limit_ = kDefaultLimit;
    uint16_t caretReportFlags_ = 0;
    const bool* macroRecording_ = nullptr;
    bool settingText_ = false;

    edittext::StandIns standIns_;
    EditLineIndex lineIndex_;
    // Lays out the rest of the text in slices while the window is idle.
    QTimer* idleLayout_ = nullptr;
};
