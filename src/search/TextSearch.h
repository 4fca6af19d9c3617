#pragma once

#include "SearchTarget.h"

#include <QDateTime>
#include <QString>

class Clock;
class MessageService;

enum class SearchDirection { Down, Up };

// What a search that finds nothing reports when it runs downwards.
enum class SearchMode {
    Find = 0,        // flash
    Replace = 1,     // message 40014
    ReplaceNext = 2, // message 40017
};

enum class MatchCase { Off, On };

// What the search remembers between calls, for the whole program run: a
// search that ran out of matches sets the wrapped mark, and the same search
// repeated soon after continues from the other end of the text.
struct SearchMemory {
    static constexpr qint64 kRepeatWindowMs = 10000;

    QString lastText;
    SearchDirection lastDirection = SearchDirection::Down;
    QDateTime lastTime;
    bool wrapped = false;
};

// The search, replace and replace-all operations shared by the find bar, the
// replace bar and the macro player. One instance lives as long as the view,
// so its memory spans every search of the program run.
class TextSearch {
  public:
    TextSearch(const Clock& clock, MessageService& messages);

    // Selects the next match in the given direction and returns true, or
    // reports that nothing was found (flash or message, as the mode says)
    // and returns false.
    bool search(SearchTarget& target, const QString& findText, SearchDirection direction,
                MatchCase matchCase, SearchMode mode);

    // The replace bar's replace step: replaces the selection when it is a
    // match, then selects the next match. Returns the result of that search;
    // false also when the search text is empty.
    bool replace(SearchTarget& target, const QString& findText, const QString& replaceText,
                 MatchCase matchCase);

    // Replaces every match, left to right, as one undoable edit and tells how
    // many were replaced. Returns false only when the search text is empty.
    bool replaceAll(SearchTarget& target, const QString& findText, const QString& replaceText,
                    MatchCase matchCase);

    const SearchMemory& memory() const { return memory_; }

    // The message texts, from the string table where they have an entry.
    static QString notFoundText();  // 40014
    static QString noMoreText();    // 40017
    static QString emptyFindText(); // "置換対象の文字列を入力してください。"
    static QString replacedText(int count);

  private:
    // The target's text, reused from the last call while its revision says
    // it has not changed.
    const QString& readText(const SearchTarget& target);
    // Returns the folded text for a search without match case, reusing the
    // last result while the text has not changed.
    const QString& haystackFor(const QString& text, MatchCase matchCase);
    void updateMemory(const QString& needle, SearchDirection direction);
    int searchDown(const QString& haystack, const QString& needle, int selStart, int selEnd,
                   SearchTarget& target, SearchMode mode);
    int searchUp(const QString& haystack, const QString& needle, int selStart, int selEnd,
                 SearchTarget& target);
    void reportNotFound(SearchTarget& target, SearchDirection direction, SearchMode mode);
    void selectMatch(SearchTarget& target, int start, int length);
    void showMessage(SearchTarget& target, const QString& text, uint32_t style);

    const Clock& clock_;
    MessageService& messages_;
    SearchMemory memory_;
    const SearchTarget* readTarget_ = nullptr;
    quint64 readRevision_ = 0;
    QString readText_;
    QString cachedSource_;
    QString cachedFolded_;
};

// The last match that starts before `limit`, taking matches from position 0
// one after another without overlap; -1 when there is none.
qsizetype lastMatchBefore(QStringView haystack, QStringView needle, qsizetype limit);
