#include "MacroTestSupport.h"

#include "MacroStepValues.h"
#include "MacroWriter.h"
#include "TempFiles.h"

namespace {

MacroStep typed(const QString& text, bool ctrl = false, bool shift = false, bool alt = false) {
    return makeStep(MacroCommand::Type, text, 0, ctrl, shift, alt);
}

std::vector<MacroStep> coalesced(std::vector<MacroStep> steps) {
    Macro macro;
    macro.steps = std::move(steps);
    MacroCoalesce(macro);
    return macro.steps;
}

} // namespace

TEST(MacroCoalesce, TypedCharactersJoinUntilAKeyACommandAModifierOrEnter) {
    const MacroStep copy = makeStep(MacroCommand::Copy);
    const struct {
        std::vector<MacroStep> recorded, saved;
    } cases[] = {
        {{typed("\"a\""), typed("\"b\""), typed("\"c\""), typed("\"\\n\""), typed("\"d\""),
          typed("\"e\"")},
         {typed("\"abc\\n\""), typed("\"de\"")}},
        // Character steps carry no shift state, so a, B and c are one string.
        {{typed("\"a\""), typed("\"B\""), typed("\"c\"")}, {typed("\"aBc\"")}},
        // The last "\n" stays on its own: a "\n" step never starts a run.
        {{typed("\"\\n\""), typed("\"a\""), typed("\"\\\"\""), typed("LEFT"), typed("\"b\""),
          typed("\"c\"", true), typed("\"d\"", true), copy, typed("\"e\""), typed("\"\\n\""),
          typed("\"\\n\"")},
         {typed("\"\\n\""), typed("\"a\\\"\""), typed("LEFT"), typed("\"b\""),
          typed("\"cd\"", true), copy, typed("\"e\\n\""), typed("\"\\n\"")}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(coalesced(c.recorded), c.saved);
}

// The header with a one-digit month and day: MacroFilesTest.
TEST(MacroWriter, HeaderWithTwoDigitDate) {
    EXPECT_TRUE(
        macroFileHeader(QDate(2026, 12, 25)).contains(QStringLiteral("作成日：2026年12月25日\n")));
}

// The line of each kind of step; the round trip below holds the other forms
// of each command to what the loader reads. VERSION and COPY: MacroFilesTest;
// TYPE SHIFT RIGHT: MacroRunnerTest.
TEST(MacroWriter, EveryStepLine) {
    const struct {
        MacroStep step;
        const char* line;
    } cases[] = {
        {typed("\"x\"", true, true, true), "TYPE CTRL + SHIFT + ALT \"x\""},
        {typed("HOME", false, true, true), "TYPE SHIFT + ALT HOME"},
        {typed("\"a\\\"b\\\\\""), "TYPE \"a\\\"b\\\\\""},
        {makeStep(MacroCommand::Markup, QStringLiteral("<b \"x\">\t</b>")),
         "MARKUP \"<b \\\"x\\\">\\t</b>\""},
        {makeStep(MacroCommand::FindDown, QStringLiteral("a\"b\\c\nd\te")),
         "FIND \"a\\\"b\\\\c\\nd\\te\""},
        {makeStep(MacroCommand::FindUp, QStringLiteral("x"), 1), "FIND /I /U \"x\""},
        {makeStep(MacroCommand::Replace, QStringLiteral("x\r\ny")), "REPLACE \"x\" \"y\""},
        {makeStep(MacroCommand::ReplaceAll, QStringLiteral("a\nb\r\n"), 1),
         "REPLACE /I /A \"a\\nb\" \"\""},
        {makeStep(MacroCommand::NewFile), "NEWFILE"},
        {makeStep(MacroCommand::NewFile, {}, 1), "NEWFILE /F"},
        {makeStep(MacroCommand::Open, QStringLiteral("/home/u/a b.txt")),
         "OPEN \"/home/u/a b.txt\""},
        {makeStep(MacroCommand::Open, QStringLiteral("\"a.txt\""), 1), "OPEN /F \"a.txt\""},
        {makeStep(MacroCommand::Save, QStringLiteral("/tmp/o.txt")), "SAVE \"/tmp/o.txt\""},
        {makeStep(MacroCommand::Save, QStringLiteral("\"o.txt\"")), "SAVE \"o.txt\""},
        {makeStep(MacroCommand::Save, {}, 1), "SAVE /A "},
        {makeStep(MacroCommand::Lock, QStringLiteral("ctrl"), 0, true), "LOCK CTRL"},
        {makeStep(MacroCommand::Unlock, QStringLiteral("SHIFT"), 0, false, true), "UNLOCK SHIFT"},
        {makeStep(MacroCommand::Select, {}, 0), "SELECT ALL"},
        {makeStep(MacroCommand::Select, {}, 2), "SELECT LEFT"},
        {makeStep(MacroCommand::Unselect, {}, 1), "UNSELECT HEAD"},
        {makeStep(MacroCommand::Sleep, {}, 1500), "SLEEP 1500"},
        {makeStep(MacroCommand::Goto, {}, 12), "GOTO 12"},
        {makeStep(MacroCommand::Goto, QStringLiteral("+"), 3), "GOTO +3"},
        {makeStep(MacroCommand::Goto, QStringLiteral("-"), 4), "GOTO -4"},
        {makeStep(MacroCommand::Goto, QStringLiteral("VIEWTOP")), "GOTO VIEWTOP"},
        {makeStep(MacroCommand::EnableWindow, {}, 1), "ENABLEWINDOW TRUE"},
        {makeStep(MacroCommand::SetFocus), "SETFOCUS"},
        {makeStep(MacroCommand::Stopped), ""},
        {makeStep(MacroCommand::Tooltip, QStringLiteral("t")), ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(macroStepLine(c.step), QString::fromUtf8(c.line)) << c.line;
}

TEST(MacroWriter, TrailingBackslashIsDoubledBeforeTheClosingQuote) {
    EXPECT_EQ(macroStepLine(makeStep(MacroCommand::Open, QStringLiteral("C:\\dir\\"))),
              QStringLiteral("OPEN \"C:\\dir\\\\\""));
    EXPECT_EQ(macroStepLine(makeStep(MacroCommand::Open, QStringLiteral("\"C:\\dir\\\""))),
              QStringLiteral("OPEN \"C:\\dir\\\\\""));
    // An escape pair before the quote is left alone.
    EXPECT_EQ(macroStepLine(makeStep(MacroCommand::Save, QStringLiteral("a\\\\"))),
              QStringLiteral("SAVE \"a\\\\\""));
    EXPECT_EQ(macroStepLine(typed("\"abc\\\"")), QStringLiteral("TYPE \"abc\\\\\""));
}

TEST(MacroWriter, OnlyTheSeparatingCrLfSplitsAReplace) {
    const MacroStep step = makeStep(MacroCommand::Replace, QStringLiteral("a\rb\r\nc\r\nd"));
    EXPECT_EQ(macroStepLine(step), QStringLiteral("REPLACE \"a\rb\" \"c\r\\nd\""));
    EXPECT_EQ(macroStepLine(makeStep(MacroCommand::FindDown, QStringLiteral("p\r\nq"))),
              QStringLiteral("FIND \"p\r\\nq\""));
    EXPECT_EQ(parseMacro(macroStepLine(step)).steps, std::vector<MacroStep>{step});
    // An insert string keeps its CR LF, quotes and tab through writing and loading.
    const MacroStep markup =
        makeStep(MacroCommand::Markup, QStringLiteral("<p a=\"1\">\r\n\t</p>"));
    EXPECT_EQ(parseMacro(macroStepLine(markup)).steps, std::vector<MacroStep>{markup});
}

// Every form the loader accepts, written and loaded again: MacroLoaderTest.
// The first free number after three taken: MacroFilesTest.
TEST(MacroWriter, ProposedNameTakesTheFirstFreeNumber) {
    TempFiles dir;
    EXPECT_EQ(proposedMacroFileName(dir.folder()), QStringLiteral("新規マクロ(1).mcr"));
    for (int i = 1; i <= 256; ++i)
        dir.write(QStringLiteral("新規マクロ(%1).mcr").arg(i), {});
    EXPECT_EQ(proposedMacroFileName(dir.folder()), QStringLiteral("新規マクロ(255).mcr"));
}
