#pragma once

#include "TextSearch.h"

#include <QString>

// What the find and replace bars need of the window around them: the view's
// search operations on its active edit control, its selected text, the way
// back into the edit control, and whether the last input came from a key.
// The frame implements it over CEditer and its input times.
class SearchBarHost {
  public:
    virtual ~SearchBarHost() = default;

    // The view's Search, replace step and ReplaceAll (one search memory for
    // the whole program run).
    virtual bool search(const QString& text, SearchDirection direction, MatchCase matchCase,
                        SearchMode mode) = 0;
    virtual bool replace(const QString& findText, const QString& replaceText,
                         MatchCase matchCase) = 0;
    virtual bool replaceAll(const QString& findText, const QString& replaceText,
                            MatchCase matchCase) = 0;

    // The selected text of the active edit control (CR LF line breaks).
    virtual QString selectedText() const = 0;
    virtual void focusEditControl() = 0;
    // True when the last key event is more recent than the last tap and at
    // most 500 ms old.
    virtual bool isKeyLastInput() const = 0;
};
