#pragma once

#include <QString>

// What the search operations need of the edit control that holds the text.
// Indices are those of the edit control: the text has CR LF line breaks and
// each counts as two characters. The view implements it over its active edit
// control; tests implement it over a plain string.
class SearchTarget {
  public:
    virtual ~SearchTarget() = default;

    // The whole text, with CR LF line breaks.
    virtual QString text() const = 0;
    // A number that changes whenever the text may have changed, so that a
    // repeated search can reuse the text it read last time. 0 means the
    // target can't tell; the text is then read for every search.
    virtual quint64 textRevision() const { return 0; }
    virtual int selectionStart() const = 0;
    virtual int selectionEnd() const = 0;
    virtual void setSelection(int start, int end) = 0;
    // Replaces the selection as one undoable edit; the caret ends after the new text.
    virtual void replaceSelection(const QString& text) = 0;
    // Replaces the characters [start, end) as one undoable edit.
    virtual void replaceRange(int start, int end, const QString& text) {
        setSelection(start, end);
        replaceSelection(text);
    }

    virtual void scrollCaret() = 0;
    virtual int firstVisibleLine() const = 0;
    virtual int lineFromChar(int index) const = 0;
    virtual void lineScroll(int lines) = 0;

    // Draws the edit control inverted for a moment: "nothing (more) found".
    virtual void flash() = 0;
    // Hides the edit control while replace-all changes the text, so that it
    // is not repainted for every replacement.
    virtual void setEditVisible(bool visible) = 0;
    // Shows or ends the wait cursor.
    virtual void setBusy(bool busy) = 0;
    // The window that owns message boxes about this text (a QWidget*), or nullptr.
    virtual void* messageOwner() const { return nullptr; }
};
