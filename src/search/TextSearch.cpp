#include "TextSearch.h"

#include "CaseFold.h"
#include "Clock.h"
#include "MessageService.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

// The framework's message boxes carry the application title.
QString messageCaption() {
    return res::loadString(57344, QStringLiteral("Tavlo Text Editor"));
}

// Keeps the wait cursor up for the life of the scope.
class BusyScope {
  public:
    explicit BusyScope(SearchTarget& target) : target_(target) { target_.setBusy(true); }
    ~BusyScope() { target_.setBusy(false); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

  private:
    SearchTarget& target_;
};

int indexOf(const QString& haystack, const QString& needle, qsizetype from) {
    if (from > haystack.size())
        return -1;
    return int(QStringView(haystack).indexOf(QStringView(needle), from, Qt::CaseSensitive));
}

} // namespace

qsizetype lastMatchBefore(QStringView haystack, QStringView needle, qsizetype limit) {
    qsizetype last = -1;
    qsizetype position = 0;
    while (position < limit) {
        const qsizetype found = haystack.indexOf(needle, position, Qt::CaseSensitive);
        if (found < 0 || found >= limit)
            break;
        last = found;
        position = found + needle.size();
    }
    return last;
}

TextSearch::TextSearch(const Clock& clock, MessageService& messages)
    : clock_(clock), messages_(messages) {}

QString TextSearch::notFoundText() {
    return res::loadString(40014, QStringLiteral("“置換元” にマッチする文字列が見つかりません。"));
}

QString TextSearch::noMoreText() {
    return res::loadString(40017,
                           QStringLiteral("“置換元” にマッチする文字列は、もうありません。"));
}

QString TextSearch::emptyFindText() {
    return res::loadString(sid::IDS_REPLACE_EMPTY_FIND, {});
}

QString TextSearch::replacedText(int count) {
    return res::substitute(res::loadString(sid::IDS_REPLACE_COUNT, {}), count);
}

const QString& TextSearch::readText(const SearchTarget& target) {
    const quint64 revision = target.textRevision();
    if (revision == 0 || &target != readTarget_ || revision != readRevision_) {
        readText_ = target.text();
        readTarget_ = &target;
        readRevision_ = revision;
    }
    return readText_;
}

const QString& TextSearch::haystackFor(const QString& text, MatchCase matchCase) {
    if (matchCase == MatchCase::On)
        return text;
    // The same shared text (a reused read) needs no comparison.
    const bool sameData =
        text.constData() == cachedSource_.constData() && text.size() == cachedSource_.size();
    if (!sameData && text != cachedSource_) {
        cachedSource_ = text;
        cachedFolded_ = casefold::fold(text);
    }
    return cachedFolded_;
}

void TextSearch::updateMemory(const QString& needle, SearchDirection direction) {
    const QDateTime now = clock_.now();
    bool repeated = memory_.lastTime.isValid() && direction == memory_.lastDirection &&
                    needle == memory_.lastText;
    if (repeated) {
        // A clock that went backwards counts as a long pause.
        const qint64 elapsed = memory_.lastTime.msecsTo(now);
        repeated = elapsed >= 0 && elapsed <= SearchMemory::kRepeatWindowMs;
    }
    if (!repeated) {
        memory_.wrapped = false;
        memory_.lastText.clear();
    }
    memory_.lastTime = now;
    memory_.lastText = needle;
    memory_.lastDirection = direction;
}

bool TextSearch::search(SearchTarget& target, const QString& findText, SearchDirection direction,
                        MatchCase matchCase, SearchMode mode) {
    BusyScope busy(target);
    const QString text = readText(target);
    int selStart = target.selectionStart();
    int selEnd = target.selectionEnd();
    if (selStart > selEnd)
        std::swap(selStart, selEnd);

    const QString& haystack = haystackFor(text, matchCase);
    const QString needle = matchCase == MatchCase::On ? findText : casefold::fold(findText);
    if (needle.isEmpty())
        return false;
    updateMemory(needle, direction);

    const int found = direction == SearchDirection::Down
                          ? searchDown(haystack, needle, selStart, selEnd, target, mode)
                          : searchUp(haystack, needle, selStart, selEnd, target);
    if (found < 0)
        return false;
    selectMatch(target, found, int(needle.size()));
    return true;
}

int TextSearch::searchDown(const QString& haystack, const QString& needle, int selStart, int selEnd,
                           SearchTarget& target, SearchMode mode) {
    int from = selEnd;
    bool wrappedNow = false;
    for (;;) {
        const int found = indexOf(haystack, needle, from);
        if (found >= 0)
            return found;
        if (wrappedNow) {
            reportNotFound(target, SearchDirection::Down, mode);
            memory_.wrapped = false;
            return -1;
        }
        const int first = selStart > 0 ? indexOf(haystack, needle, 0) : -1;
        if (first < 0 || first >= selStart) {
            reportNotFound(target, SearchDirection::Down, mode);
            return -1;
        }
        if (!memory_.wrapped) {
            memory_.wrapped = true;
            reportNotFound(target, SearchDirection::Down, mode);
            return -1;
        }
        memory_.wrapped = false;
        wrappedNow = true;
        from = 0;
    }
}

int TextSearch::searchUp(const QString& haystack, const QString& needle, int selStart, int selEnd,
                         SearchTarget& target) {
    int limit = selStart;
    bool wrappedNow = false;
    for (;;) {
        const qsizetype found = lastMatchBefore(haystack, needle, limit);
        if (found >= 0)
            return int(found);
        if (wrappedNow) {
            target.flash();
            memory_.wrapped = false;
            return -1;
        }
        const bool atEnd = selStart >= haystack.size();
        if (atEnd || indexOf(haystack, needle, selEnd) < 0) {
            target.flash();
            return -1;
        }
        if (!memory_.wrapped) {
            memory_.wrapped = true;
            target.flash();
            return -1;
        }
        memory_.wrapped = false;
        wrappedNow = true;
        limit = int(haystack.size());
    }
}

void TextSearch::reportNotFound(SearchTarget& target, SearchDirection direction, SearchMode mode) {
    if (direction == SearchDirection::Up || mode == SearchMode::Find) {
        target.flash();
        return;
    }
    showMessage(target, mode == SearchMode::Replace ? notFoundText() : noMoreText(),
                mb::MB_OK | mb::MB_ICONEXCLAMATION);
}

void TextSearch::selectMatch(SearchTarget& target, int start, int length) {
    const int firstBefore = target.firstVisibleLine();
    target.setSelection(start, start + length);
    target.scrollCaret();
    const int firstAfter = target.firstVisibleLine();
    if (firstAfter == firstBefore)
        return;
    // Put the match's line sixth from the top, so that some lines above it show.
    const int line = target.lineFromChar(start);
    target.lineScroll(line - firstAfter - 5);
}

void TextSearch::showMessage(SearchTarget& target, const QString& text, uint32_t style) {
    messages_.show(text, messageCaption(), style, target.messageOwner());
}

bool TextSearch::replace(SearchTarget& target, const QString& findText, const QString& replaceText,
                         MatchCase matchCase) {
    if (findText.isEmpty()) {
        showMessage(target, emptyFindText(), mb::MB_OK | mb::MB_ICONEXCLAMATION);
        return false;
    }
    int selStart = target.selectionStart();
    int selEnd = target.selectionEnd();
    if (selStart > selEnd)
        std::swap(selStart, selEnd);
    const QString selected = readText(target).mid(selStart, selEnd - selStart);
    const bool isMatch = matchCase == MatchCase::On ? selected == findText
                                                    : casefold::equalFolded(selected, findText);
    SearchMode mode = SearchMode::Replace;
    if (isMatch) {
        target.replaceSelection(replaceText);
        mode = SearchMode::ReplaceNext;
    }
    return search(target, findText, SearchDirection::Down, matchCase, mode);
}

bool TextSearch::replaceAll(SearchTarget& target, const QString& findText,
                            const QString& replaceText, MatchCase matchCase) {
    const QString needle = matchCase == MatchCase::On ? findText : casefold::fold(findText);
    if (needle.isEmpty()) {
        showMessage(target, emptyFindText(), mb::MB_OK | mb::MB_ICONEXCLAMATION);
        return false;
    }

    int count = 0;
    {
        BusyScope busy(target);
        target.setEditVisible(false);
        const QString text = readText(target);
        const QString& haystack = haystackFor(text, matchCase);

        // Every scan continues right after the inserted replacement, so the
        // matches are exactly the non-overlapping ones of the original text,
        // left to right. They are put together in one pass and written back
        // as one edit covering the first to the last match.
        QString middle;
        int first = -1;
        int copied = 0;
        for (int found = indexOf(haystack, needle, 0); found >= 0;
             found = indexOf(haystack, needle, found + needle.size())) {
            if (first < 0) {
                first = found;
                copied = found;
                middle.reserve(text.size() - found);
            }
            middle.append(QStringView(text).mid(copied, found - copied));
            middle.append(replaceText);
            copied = found + int(needle.size());
            ++count;
        }
        if (count > 0) {
            target.replaceRange(first, copied, middle);
            const int caret = first + int(middle.size());
            target.setSelection(caret, caret);
            target.scrollCaret();
        }
        target.setEditVisible(true);
    }

    if (count == 0)
        showMessage(target, notFoundText(), mb::MB_OK | mb::MB_ICONEXCLAMATION);
    else
        showMessage(target, replacedText(count), mb::MB_OK | mb::MB_ICONINFORMATION);
    return true;
}
