#pragma once

#include <QString>
#include <utility>

// The edit-control operations on the text of the open document. Indices are
// those of the edit control: line breaks are CR LF and count as two
// characters. The view implements it over whichever of its controls shows the
// text; the document operations and the edit commands work through it.
class EditBuffer {
  public:
    virtual ~EditBuffer() = default;

    virtual QString GetText() const = 0;
    virtual void SetText(const QString& text) = 0;
    virtual int GetTextLength() const = 0;
    virtual std::pair<int, int> GetSel() const = 0;
    // end -1 selects to the end of the text.
    virtual void SetSel(int start, int end) = 0;
    virtual void ReplaceSel(const QString& text) = 0;
    virtual void ScrollCaret() = 0;
    // -1: the line of the caret.
    virtual int LineFromChar(int index = -1) const = 0;
    // The index of a line's first character; -1: the caret's line.
    virtual int LineIndex(int line = -1) const = 0;
    virtual int LineLength(int index = -1) const = 0;
    virtual QString GetLine(int line) const = 0;
    virtual int GetLineCount() const = 0;
    virtual int GetFirstVisibleLine() const = 0;
    virtual void LineScroll(int lines) = 0;
    virtual bool Undo() = 0;
    virtual bool CanUndo() const = 0;
    virtual void Redo() = 0;
    virtual bool CanRedo() const = 0;
    virtual bool GetModify() const = 0;
    virtual void SetModify(bool modified) = 0;
    virtual void Cut() = 0;
    virtual void Copy() = 0;
    virtual void Paste() = 0;
};
