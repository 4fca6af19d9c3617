#pragma once

// Where the view stands in the text when it moves to the other edit control:
// the line to keep and how many lines below the first visible line it stands.
struct EditAnchor {
    int line = 0;
    int offset = 0;
};

// With the caret visible the caret's line is kept at its distance from the
// top; otherwise the first visible line is kept at the top.
inline EditAnchor anchorFor(bool caretVisible, int caretLine, int firstVisibleLine) {
    if (caretVisible)
        return {caretLine, caretLine - firstVisibleLine};
    return {firstVisibleLine, 0};
}

// The caret's line is visible when it lies within the lines that fit the
// formatting rectangle, counted from the first visible line.
inline bool isLineVisible(int line, int firstVisibleLine, int visibleLines) {
    const int count = visibleLines < 0 ? -visibleLines : visibleLines;
    return firstVisibleLine <= line && line <= firstVisibleLine + count - 1;
}

// The lines to scroll so that `line` stands `offset` lines below the top.
inline int scrollToAnchor(int line, int offset, int firstVisibleLine) {
    return line - offset - firstVisibleLine;
}
