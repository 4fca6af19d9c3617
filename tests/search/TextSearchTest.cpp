#include "TextSearch.h"
#include "CaseFold.h"
#include "Clock.h"
#include "FakeSearchTarget.h"
#include "MessageService.h"

#include <QTimeZone>
#include <gtest/gtest.h>

namespace {

const QString kNotFound = QStringLiteral("“置換元” にマッチする文字列が見つかりません。");
const QString kNoMore = QStringLiteral("“置換元” にマッチする文字列は、もうありません。");
const QString kEnterFind = QStringLiteral("置換対象の文字列を入力してください。");

class TextSearchTest : public ::testing::Test {
  protected:
    TextSearchTest()
        : clock(QDateTime(QDate(2026, 1, 5), QTime(9, 0), QTimeZone::utc())),
          search(clock, messages) {}

    void advance(qint64 ms) { clock.set(clock.now().addMSecs(ms)); }
    bool findDown(const QString& what, MatchCase mc = MatchCase::Off,
                  SearchMode mode = SearchMode::Find) {
        return search.search(target, what, SearchDirection::Down, mc, mode);
    }
    QPair<int, int> sel() const { return {target.selectionStart(), target.selectionEnd()}; }

    FixedClock clock;
    ScriptedMessageService messages;
    FakeSearchTarget target;
    TextSearch search;
};

TEST(CaseFoldTest, KeepsEveryPositionAndFoldsFullWidthLatin) {
    const QString text = QStringLiteral("İSTANBUL ＡＢＣ ΣΑΣ Ǆ \U00010400x");
    EXPECT_EQ(casefold::fold(text), QStringLiteral("istanbul ａｂｃ σασ ǆ \U00010428x"));
    EXPECT_TRUE(casefold::equalFolded(u"ＡｂＣ", u"ａＢｃ"));
    EXPECT_FALSE(casefold::equalFolded(u"ab", u"abc"));
}

// One search of a scripted sequence: optionally a new selection and a wait
// first, then the search and the selection it leaves (a miss keeps it).
struct Find {
    int selectFrom; // -1 keeps the selection
    int selectTo;
    qint64 waitMs;
    SearchDirection direction;
    const char* what;
    MatchCase matchCase;
    bool found;
    int from, to;
};
struct FindCase {
    const char* name;
    const char* text;
    std::vector<Find> finds;
    int flashes; // a miss flashes; a search for nothing does not
};

constexpr auto D = SearchDirection::Down;
constexpr auto U = SearchDirection::Up;
constexpr auto Off = MatchCase::Off;
constexpr auto On = MatchCase::On;

class FindSequence : public TextSearchTest, public ::testing::WithParamInterface<FindCase> {};

TEST_P(FindSequence, SelectionsAndFlashes) {
    const FindCase& c = GetParam();
    target.setText(QString::fromUtf8(c.text));
    for (size_t k = 0; k < c.finds.size(); ++k) {
        const Find& f = c.finds[k];
        if (f.selectFrom >= 0)
            target.select(f.selectFrom, f.selectTo);
        advance(f.waitMs);
        EXPECT_EQ(search.search(target, QString::fromUtf8(f.what), f.direction, f.matchCase,
                                SearchMode::Find),
                  f.found)
            << "search " << k;
        EXPECT_EQ(sel(), qMakePair(f.from, f.to)) << "search " << k;
    }
    EXPECT_EQ(target.flashes, c.flashes);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(target.busyDepth, 0);
}

const FindCase kFindCases[] = {
    {"FullWidthLettersMatchWithoutMatchCase",
     "xx ＴＡＶＬＯ",
     {{-1, 0, 0, D, "ｔａｖｌｏ", Off, true, 3, 8}, {0, 0, 0, D, "ｔａｖｌｏ", On, false, 0, 0}},
     1},
    {"EmptyTextFindsNothingAndFlashesNot",
     "abc",
     {{-1, 0, 0, D, "", Off, false, 0, 0}, {-1, 0, 0, U, "", Off, false, 0, 0}},
     0},
    // A repeated search wraps within ten seconds only; a late one sets the
    // mark afresh, so a quick repeat after it wraps.
    {"RepeatWrapsWithinTenSeconds",
     "abc def abc",
     {{11, 11, 0, D, "abc", Off, false, 11, 11},
      {-1, 0, 10000, D, "abc", Off, true, 0, 3},
      {11, 11, 0, D, "abc", Off, false, 11, 11},
      {-1, 0, 10001, D, "abc", Off, false, 11, 11},
      {-1, 0, 50, D, "abc", Off, true, 0, 3}},
     3},
    {"ClockGoingBackwardsClearsTheMark",
     "abc def",
     {{7, 7, 0, D, "abc", Off, false, 7, 7}, {-1, 0, -1000, D, "abc", Off, false, 7, 7}},
     2},
    // Another text or direction clears the mark first.
    {"ChangingDirectionOrTextClearsTheMark",
     "abc xyz abc",
     {{11, 11, 0, D, "abc", Off, false, 11, 11},
      {-1, 0, 0, D, "xyzz", Off, false, 11, 11},
      {-1, 0, 0, D, "abc", Off, false, 11, 11},
      {0, 0, 0, U, "abc", Off, false, 0, 0},
      {11, 11, 0, D, "abc", Off, false, 11, 11}},
     5},
    {"SameTextInOtherCaseIsARepeatWithoutMatchCase",
     "abc def",
     {{7, 7, 0, D, "ABC", Off, false, 7, 7}, {-1, 0, 0, D, "abc", Off, true, 0, 3}},
     1},
    {"SingleSelectedMatchNeverWraps",
     "one match here",
     {{4, 9, 0, D, "match", Off, false, 4, 9},
      {-1, 0, 0, D, "match", Off, false, 4, 9},
      {-1, 0, 0, D, "match", Off, false, 4, 9}},
     3},
    {"DownwardsFromTheSelectionEndTouchingMatches",
     "aaaa",
     {{-1, 0, 0, D, "aa", Off, true, 0, 2}, {-1, 0, 0, D, "aa", Off, true, 2, 4}},
     0},
    // Upwards takes the matches from 0 without overlap: the one at 3 is never seen.
    {"UpwardsWithoutOverlapToTheStart",
     "aaaaa",
     {{5, 5, 0, U, "aa", Off, true, 2, 4},
      {-1, 0, 0, U, "aa", Off, true, 0, 2},
      {-1, 0, 0, U, "aa", Off, false, 0, 2}},
     1},
    {"UpwardsWrapsToTheEndOnRepeat",
     "start abc middle abc end",
     {{0, 5, 0, U, "abc", Off, false, 0, 5}, {-1, 0, 0, U, "abc", Off, true, 17, 20}},
     1},
};

INSTANTIATE_TEST_SUITE_P(Finds, FindSequence, ::testing::ValuesIn(kFindCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TextSearchTest, ReportsOfDownwardModesAreMessages) {
    target.setText(QStringLiteral("abc"));
    target.select(3, 3);
    EXPECT_FALSE(findDown(QStringLiteral("q"), MatchCase::Off, SearchMode::Replace));
    EXPECT_FALSE(findDown(QStringLiteral("r"), MatchCase::Off, SearchMode::ReplaceNext));
    EXPECT_EQ(messages.texts(), (QStringList{kNotFound, kNoMore}));
    EXPECT_EQ(messages.shown()[0].caption, QStringLiteral("Tavloテキストエディタ"));
    EXPECT_EQ(target.flashes, 0);
    // Upwards always flashes, whatever the mode.
    EXPECT_FALSE(search.search(target, QStringLiteral("q"), SearchDirection::Up, MatchCase::Off,
                               SearchMode::Replace));
    EXPECT_EQ(target.flashes, 1);
    EXPECT_EQ(messages.shown().size(), 2u);
}

// A match below the window stands sixth from the top: ViewSearchTest.
TEST_F(TextSearchTest, AMatchAlreadyInViewScrollsNothing) {
    target.setText(QStringLiteral("0\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\ntarget\r\n8\r\n9\r\n10"));
    ASSERT_TRUE(findDown(QStringLiteral("target")));
    EXPECT_EQ(target.lineFromChar(target.selectionStart()), 7);
    EXPECT_EQ(target.firstVisibleLine(), 0);
}

TEST_F(TextSearchTest, ReplaceSelectsReplacesAndReportsNoMoreComparingAsMatchCaseSays) {
    target.setText(QStringLiteral("cat dog cat"));
    target.select(4, 7);
    const QString cat = QStringLiteral("cat"), cow = QStringLiteral("cow");
    EXPECT_TRUE(search.replace(target, cat, cow, MatchCase::Off));
    EXPECT_EQ(target.text(), QStringLiteral("cat dog cat"));
    EXPECT_EQ(sel(), qMakePair(8, 11));

    EXPECT_FALSE(search.replace(target, cat, cow, MatchCase::Off));
    EXPECT_EQ(target.text(), QStringLiteral("cat dog cow"));
    // A match remains above, so this first miss sets the wrapped mark.
    EXPECT_EQ(messages.texts(), QStringList{kNoMore});
    EXPECT_EQ(sel(), qMakePair(11, 11));
    EXPECT_TRUE(search.replace(target, cat, cow, MatchCase::Off));
    EXPECT_EQ(sel(), qMakePair(0, 3));
    EXPECT_FALSE(search.replace(target, cat, cow, MatchCase::Off));
    EXPECT_EQ(target.text(), QStringLiteral("cow dog cow"));
    EXPECT_EQ(messages.texts(), (QStringList{kNoMore, kNoMore}));

    target.setText(QStringLiteral("ABC abc"));
    target.select(0, 3);
    EXPECT_TRUE(search.replace(target, QStringLiteral("abc"), QStringLiteral("x"), MatchCase::On));
    EXPECT_EQ(target.text(), QStringLiteral("ABC abc"));
    EXPECT_EQ(sel(), qMakePair(4, 7));

    target.select(0, 3);
    search.replace(target, QStringLiteral("abc"), QStringLiteral("x"), MatchCase::Off);
    EXPECT_EQ(target.text(), QStringLiteral("x abc"));
    EXPECT_EQ(sel(), qMakePair(2, 5));
}

TEST_F(TextSearchTest, ReplaceAllIsOneUndoableEditMadeWhileHidden) {
    const QString before = QStringLiteral("a-b-c-d\r\ne-f");
    target.setText(before);
    target.select(2, 3);
    EXPECT_TRUE(
        search.replaceAll(target, QStringLiteral("-"), QStringLiteral("+-"), MatchCase::On));
    EXPECT_EQ(target.text(), QStringLiteral("a+-b+-c+-d\r\ne+-f"));
    EXPECT_EQ(target.rangeEdits, 1);
    EXPECT_EQ(target.undo.size(), 1);
    EXPECT_EQ(target.visibilityChanges,
              (QStringList{QStringLiteral("hide"), QStringLiteral("show")}));
    EXPECT_EQ(target.textWhenHidden, before);
    EXPECT_EQ(target.busyDepth, 0);
    EXPECT_EQ(sel(), qMakePair(15, 15));
}

TEST_F(TextSearchTest, ReplaceAndReplaceAllWithoutASearchTextOrAMatchChangeNothing) {
    target.setText(QStringLiteral("abc"));
    target.select(1, 2);
    EXPECT_FALSE(search.replace(target, QString(), QStringLiteral("y"), MatchCase::Off));
    EXPECT_FALSE(search.replaceAll(target, QString(), QStringLiteral("y"), MatchCase::Off));
    EXPECT_TRUE(target.visibilityChanges.isEmpty());
    EXPECT_FALSE(search.replace(target, QStringLiteral("x"), QStringLiteral("y"), MatchCase::On));
    EXPECT_TRUE(
        search.replaceAll(target, QStringLiteral("zz"), QStringLiteral("y"), MatchCase::Off));
    EXPECT_EQ(target.text(), QStringLiteral("abc"));
    EXPECT_TRUE(target.undo.isEmpty());
    EXPECT_EQ(sel(), qMakePair(1, 2));
    EXPECT_EQ(messages.texts(), (QStringList{kEnterFind, kEnterFind, kNotFound, kNotFound}));
}

// The straightforward form: re-read the text after every replacement and go
// on right after the inserted text. (The report's wording: ViewSearchTest.)
QString replaceOneByOne(QString text, const QString& find, const QString& with, bool matchCase,
                        int* count) {
    *count = 0;
    qsizetype position = 0;
    for (;;) {
        const QString hay = matchCase ? text : casefold::fold(text);
        const QString needle = matchCase ? find : casefold::fold(find);
        const qsizetype found = hay.indexOf(needle, position);
        if (found < 0)
            return text;
        text.replace(found, find.size(), with);
        ++*count;
        position = found + with.size();
    }
}

TEST_F(TextSearchTest, ReplaceAllAgreesWithReplacingOneByOne) {
    struct Case {
        QString text, find, with;
    };
    const QList<Case> cases = {
        {u"aaaaa"_qs, u"aa"_qs, u"a"_qs},          {u"aaa"_qs, u"a"_qs, u"aa"_qs},
        {u"aaaa"_qs, u"aa"_qs, u"a"_qs},           {u"ABC abc Abc"_qs, u"abc"_qs, u"x"_qs},
        {u"abAB abab"_qs, u"ab"_qs, u""_qs},       {u"xİxİ İ"_qs, u"i"_qs, u"I"_qs},
        {u"abcabc"_qs, u"bc"_qs, u"b"_qs},         {u"ＡＡａ"_qs, u"ａａ"_qs, u"ｂ"_qs},
        {u"l1\r\nl2\r\n"_qs, u"\r\n"_qs, u"|"_qs}, {u"none"_qs, u"x"_qs, u"y"_qs},
    };
    for (const Case& c : cases) {
        for (const bool matchCase : {false, true}) {
            int expectedCount = 0;
            const QString expected =
                replaceOneByOne(c.text, c.find, c.with, matchCase, &expectedCount);
            FakeSearchTarget t(c.text);
            ScriptedMessageService m;
            TextSearch s(clock, m);
            s.replaceAll(t, c.find, c.with, matchCase ? MatchCase::On : MatchCase::Off);
            EXPECT_EQ(t.text(), expected) << c.text.toStdString() << " " << matchCase;
            const QString report =
                expectedCount == 0 ? kNotFound : TextSearch::replacedText(expectedCount);
            EXPECT_EQ(m.texts(), QStringList{report}) << c.text.toStdString();
            EXPECT_EQ(m.shown()[0].style,
                      mb::MB_OK |
                          (expectedCount == 0 ? mb::MB_ICONEXCLAMATION : mb::MB_ICONINFORMATION));
        }
    }
}

// A target that tells when its text changed, and counts how often it is read.
class RevisionTarget : public FakeSearchTarget {
  public:
    using FakeSearchTarget::FakeSearchTarget;
    QString text() const override {
        ++reads;
        return FakeSearchTarget::text();
    }
    quint64 textRevision() const override { return revision; }
    mutable int reads = 0;
    quint64 revision = 1;
};

TEST_F(TextSearchTest, RepeatedSearchesReuseTheTextUntilItsRevisionChanges) {
    RevisionTarget t(QStringLiteral("one two one two"));
    auto find = [&](const char16_t* what) {
        return search.search(t, QString::fromUtf16(what), SearchDirection::Down, MatchCase::Off,
                             SearchMode::Find);
    };
    ASSERT_TRUE(find(u"TWO"));
    ASSERT_TRUE(find(u"two"));
    EXPECT_EQ(t.selectionStart(), 12);
    EXPECT_EQ(t.reads, 1);
    t.setText(QStringLiteral("two one"));
    t.revision = 2;
    t.select(0, 0);
    ASSERT_TRUE(find(u"one"));
    EXPECT_EQ(t.selectionStart(), 4);
    EXPECT_EQ(t.reads, 2);
}

} // namespace
