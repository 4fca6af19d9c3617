#include "MacroTestSupport.h"

#include "Locale.h"
#include "MacroStepValues.h"
#include "MacroWriter.h"

#include <gtest/gtest.h>

namespace {

// Report lines of a warning and of an error on a line of the macro.
QString W(int line, const char* text) {
    return QStringLiteral("    Worning (%1): ").arg(line) + QString::fromUtf8(text);
}
QString E(int line, const char* text) {
    return QStringLiteral("*** ERROR (%1): ").arg(line) + QString::fromUtf8(text);
}
MacroStep S(MacroCommand command, const QString& text = {}, int param = 0, bool ctrl = false,
            bool shift = false, bool alt = false) {
    return makeStep(command, text, param, ctrl, shift, alt);
}

using C = MacroCommand;
const char* const kTypeFormat = "TYPE コマンドの書式に間違いがあります。";
const char* const kReplaceFormat = "置換コマンドのフォーマットに誤りがあります。";
const char* const kFindText = "検索文字列の指定にあやまりがあります。";
const char* const kQuotes = "コマンド引数のダブルクォートの対応が正しくありません。";
const char* const kSleep =
    "SLEEP コマンドの書式に誤りがあります。引数には 1～30000 の値を指定してください。";
const char* const kGoto = "GOTO コマンドの引数の指定に誤りがあります。";

// A macro text, the steps it loads to, its report and whether the load is
// cancelled (a cancelled load keeps no steps).
struct LoaderCase {
    const char* name;
    const char* source;
    std::vector<MacroStep> steps;
    QStringList report;
    bool cancelled = false;
};

class MacroLoader : public ::testing::TestWithParam<LoaderCase> {};

TEST_P(MacroLoader, StepsAndReport) {
    const LoaderCase& c = GetParam();
    const Macro macro = parseMacro(QString::fromUtf8(c.source));
    EXPECT_EQ(macro.steps, c.cancelled ? std::vector<MacroStep>() : c.steps);
    EXPECT_EQ(reportLines(macro), c.report);
    EXPECT_EQ(macro.hasError, c.cancelled);
    // Written and loaded again, the steps play alike; a second round changes nothing.
    const Macro again = parseMacro(macroFileText(macro, QDate(2026, 1, 2)));
    EXPECT_TRUE(again.report.isEmpty()) << again.report.toStdString();
    ASSERT_EQ(again.steps.size(), macro.steps.size());
    for (size_t i = 0; i < macro.steps.size(); ++i)
        EXPECT_TRUE(macroStepsPlayAlike(again.steps[i], macro.steps[i]))
            << i << ": " << macroStepLine(macro.steps[i]).toStdString();
    EXPECT_EQ(parseMacro(macroFileText(again, QDate(2026, 1, 2))).steps, again.steps);
}

QString ignored(int line, const char* data) {
    return W(line, "コマンドの後ろにある無効なデータ \"") + QString::fromUtf8(data) +
           QStringLiteral("\" を無視しました。");
}
QString badOption(int line, const char* command, const char* option) {
    return W(line, command) +
           QStringLiteral(" コマンドで無効なオプション \"%1\" が指定されています。")
               .arg(QString::fromUtf8(option));
}
QString unknownTypeWord(int line, const char* word) {
    return W(line, "TYPE コマンドで使われている未知のキーワード \"") + QString::fromUtf8(word) +
           QStringLiteral("\" を無視します。");
}
QString unknownCommand(int line, const char* word) {
    return E(line, "未知のマクロコマンド \"") + QString::fromUtf8(word) +
           QStringLiteral("\" を検出しました。");
}

const LoaderCase kCases[] = {
    {"CommentsAndBlankLines",
     "# header\n   # indented\n\t: colon\n// slashes\n\n  \u3000\n",
     {},
     {}},
    {"KeywordInAnyCaseWithBlanks",
     "type    \"abc\"\nTYPE \"abc\"\nTYPE\"x\"",
     {S(C::Type, "\"abc\""), S(C::Type, "\"abc\""), S(C::Type, "\"x\"")},
     {}},
    {"TypeModifiersAndKeyNames",
     "TYPE CTRL + SHIFT RIGHT\nTYPE alt+ctrl backspace ignored words\nTYPE DELETE\n"
     "TYPE SHIFT \"ab\"\n",
     {S(C::Type, "RIGHT", 0, true, true), S(C::Type, "BS", 0, true, false, true), S(C::Type, "DEL"),
      S(C::Type, "\"ab\"", 0, false, true)},
     {}},
    {"TypewriterIsTypeWithAnUnknownWord",
     "TYPEWRITER \"x\"",
     {S(C::Type, "\"x\"")},
     {unknownTypeWord(1, "WRITER")}},
    {"TypeWithoutKeyOrStringIsDroppedWithoutCancelling",
     "COPY\nTYPE\nTYPE FOO\n",
     {S(C::Copy)},
     {E(2, kTypeFormat), unknownTypeWord(3, "FOO"), E(3, kTypeFormat)}},
    {"TypeUnbalancedQuoteAndExtraData",
     "TYPE \"abc\n  TYPE \"x\" # not a comment\n",
     {S(C::Type, "\"abc\""), S(C::Type, "\"x\"")},
     {W(1, "TYPE コマンドの引数のダブルクォートが完結していません。"),
      W(2, "TYPE コマンドの引数の後ろに、余分なデータ \"# not a comment\" を無視します。")}},
    {"ContinuedLineJoinsWithoutBlank",
     "TYPE \"ab\\\ncd\"\nCOPY",
     {S(C::Type, "\"abcd\""), S(C::Copy)},
     {}},
    // A CR LF continues a line too; the blanks after a break stay; a backslash at
    // the very end is dropped; the lines after count every physical line.
    {"ContinuedLinesKeepTheirBlanksAndLaterNumbers",
     "COPY\r\nTYPE \"tw\\\no\\\r\n three\"\nCUT /A\\",
     {S(C::Copy), S(C::Type, "\"two three\""), S(C::Cut)},
     {badOption(5, "CUT", "/A")}},
    {"ContinuedLineReportsItsFirstLineNumber",
     "COPY\nFIND \\\n\"\"\nTYPE X\\\n\\\n\"y\"",
     {},
     {E(2, kFindText), unknownTypeWord(4, "X")},
     true},
    {"FindOptionsAndText",
     "FIND /I /U \"a\\tb\\\\\\q\"\nfind \"x\\ny\"",
     {S(C::FindUp, "a\tb\\\\q", 1), S(C::FindDown, "x\ny", 0)},
     {}},
    {"FindWarnings",
     "FIND /F /A /I \"abc\" /U tail\nFIND \"open",
     {S(C::FindDown, "abc", 1), S(C::FindDown, "open", 0)},
     {badOption(1, "FIND", "/A"), badOption(1, "FIND", "/F"), ignored(1, "/U tail"),
      W(2, kQuotes)}},
    {"FindWithEmptyStringCancels", "COPY\nFIND \"\"\nPASTE", {}, {E(2, kFindText)}, true},
    {"ReplaceSteps",
     "REPLACE /A /I \"a\\nb\" \"c\"\nREPLACE \"x\" \"\"",
     {S(C::ReplaceAll, "a\nb\r\nc", 1), S(C::Replace, "x\r\n", 0)},
     {}},
    {"ReplaceWithOneArgumentCancels",
     "COPY\nREPLACE \"only\"\nREPLACE \"\" \"x\"",
     {},
     {E(2, kReplaceFormat), E(3, kReplaceFormat)},
     true},
    // An unbalanced quote in the first argument takes the rest of the line,
    // so the line always ends as a format error.
    {"UnbalancedFirstReplaceArgument", "REPLACE \"a \\\" b", {}, {E(1, kReplaceFormat)}, true},
    {"ReplaceWarningsInOrder",
     "REPLACE /F /U \"a\" b c\nREPLACE \"a\" \"open",
     {S(C::Replace, "a\r\nb"), S(C::Replace, "a\r\nopen")},
     {ignored(1, "c"), badOption(1, "REPLACE", "/U"), badOption(1, "REPLACE", "/F"),
      W(2, "REPLACE コマンドの２番目の引数のダブルクォートの対応が正しくありません。")}},
    {"NewFileAndOpen",
     "NEWFILE /F\nNEWFILE extra more\nOPEN /F \"C:\\a b.txt\"\nOPEN plain.txt\n",
     {S(C::NewFile, {}, 1), S(C::NewFile, {}, 0), S(C::Open, "\"C:\\a b.txt\"", 1),
      S(C::Open, "plain.txt", 0)},
     {ignored(2, "extra")}},
    {"NewFileAndOpenOptionWarnings",
     "NEWFILE /U /I /A\nOPEN /A \"x\nOPEN",
     {},
     {badOption(1, "NEWFILE", "/A"), badOption(1, "NEWFILE", "/I"), badOption(1, "NEWFILE", "/U"),
      W(2, kQuotes), badOption(2, "OPEN", "/A"),
      E(3, "LOAD コマンドでデータの読み込み元のファイルが指定されていません。")},
     true},
    {"SaveVariants",
     "SAVE \"out.txt\" more\nSAVE /A \"x.txt\" ignored\nSAVEAS\nSAVE /I /A",
     {S(C::Save, "\"out.txt\"", 0), S(C::Save, {}, 1), S(C::Save, "AS", 0), S(C::Save, {}, 1)},
     {ignored(1, "more"),
      W(2, "SAVE コマンドの /A オプションが指定されているため、ファイル名 \"\"x.txt\"\" "
           "の指定を無視します。"),
      badOption(4, "SAVE", "/I")}},
    {"SaveWithUnbalancedQuote",
     "SAVE /U \"x",
     {S(C::Save, "\"x\"")},
     {badOption(1, "SAVE", "/U"), W(1, kQuotes)}},
    {"SaveWithoutFileCancels",
     "COPY\nSAVE",
     {},
     {E(2, "SAVE コマンドで、出力先のファイルが指定されていません。")},
     true},
    {"ClipboardCommands",
     "COPY\nCUT /A\nPASTE now\nPASTE a b",
     {S(C::Copy), S(C::Cut), S(C::Paste), S(C::Paste)},
     {badOption(2, "CUT", "/A"), ignored(3, "now "), ignored(4, "a b")}},
    {"LockAndUnlock",
     "LOCK ctrl\nUNLOCKCTRL\nlock \"SHIFT\"\nUNLOCK shift x",
     {S(C::Lock, "ctrl", 0, true), S(C::Unlock, "CTRL", 0, true),
      S(C::Lock, "SHIFT", 0, false, true), S(C::Unlock, "shift", 0, false, true)},
     {ignored(4, "x")}},
    {"UnknownUnlockWordDropsOnlyThatLine",
     "COPY\nUNLOCK ALT\nPASTE",
     {S(C::Copy), S(C::Paste)},
     {E(2, "UNLOCK コマンドで未知のキーワード \"ALT\" が指定されています。")}},
    {"LockErrorsCancel",
     "LOCK ALT\nLOCK /F\nUNLOCK",
     {},
     {E(1, "LOCK コマンドで未知のキーワード \"ALT\" が指定されています。"),
      badOption(2, "LOCK", "/F"),
      E(2, "LOCK コマンドの引数は省略できません。\"CTRL | SHIFT\" を指定してください。"),
      E(3, "UNLOCK コマンドの引数は省略できません。\"CTRL | SHIFT\" を指定してください。")},
     true},
    {"SelectUnselectEnableWindowDefaultsAndWords",
     "SELECT\nSELECT all\nSELECT LEFT\nSELECT \"RIGHT\"\nSELECT line\nUNSELECT\n"
     "UNSELECT TAIL\nUNSELECT head\nENABLEWINDOW\nENABLEWINDOW false\nENABLEWINDOW TRUE",
     {S(C::Select, {}, 1), S(C::Select, {}, 0), S(C::Select, {}, 2), S(C::Select, {}, 3),
      S(C::Select, {}, 1), S(C::Unselect, {}, 1), S(C::Unselect, {}, 0), S(C::Unselect, {}, 1),
      S(C::EnableWindow, {}, 1), S(C::EnableWindow, {}, 0), S(C::EnableWindow, {}, 1)},
     {}},
    {"SelectUnselectEnableWindowUnknownWords",
     "SELECT WORD\nUNSELECT MIDDLE x\nENABLEWINDOW /U MAYBE",
     {},
     {E(1, "SELECT コマンドの引数に未知のキーワード \"WORD\" が指定されています。"),
      E(2, "UNSELECT コマンドの引数に未知のキーワード \"MIDDLE\" が指定されています。"),
      ignored(2, "x"), badOption(3, "ENABLEWINDOW", "/U"),
      E(3, "ENABLEWINDOW コマンドの引数に未知のキーワード \"MAYBE\" が指定されています。")},
     true},
    {"SleepLimits",
     "SLEEP 30000\nSLEEP 1\nSLEEP \"250\"",
     {S(C::Sleep, {}, 30000), S(C::Sleep, {}, 1), S(C::Sleep, {}, 250)},
     {}},
    {"SleepOutOfRange",
     "SLEEP 30001\nSLEEP 0\nSLEEP\nSLEEP -5",
     {},
     {E(1, kSleep), E(2, kSleep), E(3, kSleep), E(4, kSleep)},
     true},
    {"GotoForms",
     "GOTO home\nGOTO END\nGOTO ViewTop\nGOTO 12\nGOTO + 3\nGOTO +4\nGOTO -2\nGOTO 7 x",
     {S(C::Goto, "HOME"), S(C::Goto, "END"), S(C::Goto, "VIEWTOP"), S(C::Goto, {}, 12),
      S(C::Goto, "+", 3), S(C::Goto, "+", 4), S(C::Goto, "-", 2), S(C::Goto, {}, 7)},
     {ignored(8, "x")}},
    {"GotoErrors",
     "GOTO 0\nGOTO + 0\nGOTO -\nGOTO TOP\nGOTO",
     {},
     {E(1, kGoto), E(2, kGoto), E(3, kGoto), E(4, kGoto),
      E(5, "GOTO コマンドの引数は省略できません。\"HOME | END | VIEWTOP | [+|-]行番号\" "
           "を指定してください。")},
     true},
    {"SetFocus",
     "SETFOCUS /I now later",
     {S(C::SetFocus)},
     {badOption(1, "SETFOCUS", "/I"), ignored(1, "now")}},
    {"MarkupAndUnknownCommandsCancel",
     "MARKUP X\nHELLO WORLD\n/A \"quoted\\tword\"\nMARKUP\nMARKUP \"a\" b\nMARKUP \"open",
     {},
     {unknownCommand(1, "X"), unknownCommand(2, "HELLO"), unknownCommand(3, "quoted\tword"),
      unknownCommand(4, ""), unknownCommand(5, "a"), unknownCommand(6, "open")},
     true},
    // The one MARKUP form that loads: the writer's quoted insert string.
    {"QuotedMarkupLoadsAsInsertString",
     "markup  \"<a href=\\\"x\\\">\\t</a>\"",
     {S(C::Markup, QStringLiteral("<a href=\"x\">\t</a>"))},
     {}},
    {"BackslashesQuotesAndCarriageReturnsInArguments",
     "FIND \"cr\rinside\"\nREPLACE \"one\" \"two\\\\\"\nOPEN C:\\dir\\ \nOPEN \"C:\\dir\\\"\n"
     "OPEN \"q\\\"uote\"\nSAVE bare\\\\ \nGOTO --4\nTYPE \"esc \\\" \\\\ \\n \\t \\q\"\n",
     {S(C::FindDown, "cr\rinside"), S(C::Replace, "one\r\ntwo\\"), S(C::Open, "C:\\dir\\"),
      S(C::Open, "\"C:\\dir\\\"\""), S(C::Open, "\"q\\\"uote\""), S(C::Save, "bare\\\\"),
      S(C::Goto, "-", -4), S(C::Type, "\"esc \\\" \\\\ \\n \\t \\q\"")},
     {W(4, kQuotes)}},
    {"PercentSignsInUserTextStayLiteral", "NOPE%d%s", {}, {unknownCommand(1, "NOPE%d%s")}, true},
};

INSTANTIATE_TEST_SUITE_P(Lines, MacroLoader, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

const QString kNewerVersion =
    QStringLiteral("*** Worning: このマクロは新しいバージョン %1 "
                   "の文法で記述されているため、正しく動作しない可能性があります。");

TEST(MacroLoaderHeader, VersionRule) {
    auto version = [](const Macro& m) { return std::pair(m.versionMajor, m.versionMinor); };
    const Macro macro = parseMacro(QStringLiteral("VERSION 1.00\nVERSION 1.5\nVERSION 1.2\nCOPY"));
    EXPECT_EQ(version(macro), std::pair(1, 5));
    EXPECT_EQ(reportLines(macro),
              (QStringList{kNewerVersion.arg("1.05"), kNewerVersion.arg("1.05")}));
    EXPECT_EQ(macro.steps.size(), 1u);
    // A version without a dot raises the major number and resets the minor.
    const Macro raised = parseMacro(QStringLiteral("VERSION 1.20\nVERSION 1\nVERSION 3\n"));
    EXPECT_EQ(version(raised), std::pair(3, 0));
    EXPECT_EQ(reportLines(raised), QStringList{kNewerVersion.arg("1.20")});
    const Macro older = parseMacro(QStringLiteral("VERSION 0.9"));
    EXPECT_EQ(version(older), std::pair(1, 0));
    EXPECT_TRUE(older.report.isEmpty());
}

TEST(MacroLoaderHeader, TooltipAndExplain) {
    const Macro macro =
        parseMacro(QStringLiteral("TOOLTIP \"first\"\nTOOLTIP \"second \\n\" tip\"\n"
                                  "EXPLAIN \"line1\\nline2\\t\\\"q\\\"\"\n"));
    EXPECT_EQ(std::pair(macro.tooltip, macro.explanation),
              std::pair(u"second \\n\" tip"_qs, u"line1\r\nline2\t\"q\""_qs));
    EXPECT_TRUE(macro.steps.empty());
    EXPECT_TRUE(macro.report.isEmpty());
    const Macro unquoted = parseMacro(QStringLiteral("TOOLTIP plain\"\nEXPLAIN plain"));
    EXPECT_EQ(std::pair(unquoted.tooltip, unquoted.explanation),
              std::pair(u"plain\""_qs, u"plain"_qs));
}

TEST(MacroLoaderHeader, CancelledLoadKeepsVersionReportExplanationAndTooltip) {
    Macro macro = parseMacro(QStringLiteral("VERSION 2.0\nTOOLTIP t\nEXPLAIN e\nCOPY\nMARKUP m"));
    EXPECT_TRUE(macro.hasError && macro.steps.empty());
    EXPECT_EQ(std::tuple(macro.versionMajor, macro.tooltip, macro.explanation),
              std::tuple(2, u"t"_qs, u"e"_qs));
    EXPECT_EQ(reportLines(macro).size(), 2);
    // clear() resets all of it but the last folder.
    macro.lastFolder = QStringLiteral("/tmp/macros/");
    macro.ctrlHeld = macro.shiftHeld = macro.altHeld = true;
    macro.steps.push_back(makeStep(MacroCommand::Copy));
    macro.clear();
    EXPECT_EQ(std::pair(macro.versionMajor, macro.versionMinor), std::pair(1, 0));
    EXPECT_TRUE(macro.steps.empty() && macro.report.isEmpty() && macro.tooltip.isEmpty() &&
                macro.explanation.isEmpty());
    EXPECT_FALSE(macro.hasError || macro.ctrlHeld || macro.shiftHeld || macro.altHeld);
    EXPECT_EQ(macro.lastFolder, "/tmp/macros/");
}

TEST(MacroLoaderFile, ZeroByteBeyondTheProbeStaysEightBit) {
    QByteArray bytes = QByteArray(1100, '#');
    bytes.append("\nCOPY\n");
    bytes.append('\0');
    bytes.append("junk\nPASTE\n");
    bytes.append(QByteArray("CUT\0ignored\n", 12));
    Macro macro;
    parseMacroFile(macro, bytes, Locale(0x0411, 0x0411));
    EXPECT_EQ(macro.steps, (std::vector<MacroStep>{S(C::Copy), S(C::Paste), S(C::Cut)}));
    EXPECT_TRUE(macro.report.isEmpty());
}

} // namespace
