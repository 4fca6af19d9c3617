#include "MacroTestSupport.h"

#include "Locale.h"
#include "MacroReport.h"

#include <gtest/gtest.h>

namespace {

const MacroStep& onlyStep(const Macro& macro) {
    static const MacroStep none;
    EXPECT_EQ(macro.steps.size(), 1u);
    return macro.steps.empty() ? none : macro.steps.front();
}

} // namespace

TEST(MacroLoader, CommentsAndBlankLinesGiveAnEmptyMacro) {
    const Macro macro =
        parseMacro(QStringLiteral("# header\n   # indented\n\t: colon\n// slashes\n\n  \u3000\n"));
    EXPECT_TRUE(macro.steps.empty());
    EXPECT_TRUE(macro.report.isEmpty());
    EXPECT_FALSE(macro.hasError);
}

TEST(MacroLoader, LowerCaseKeywordWithSeveralBlanks) {
    const Macro macro = parseMacro(QStringLiteral("type    \"abc\"\nTYPE \"abc\""));
    ASSERT_EQ(macro.steps.size(), 2u);
    EXPECT_EQ(macro.steps[0], macro.steps[1]);
    EXPECT_EQ(macro.steps[0], makeStep(MacroCommand::Type, QStringLiteral("\"abc\"")));
    EXPECT_TRUE(macro.report.isEmpty());
}

TEST(MacroLoader, TypeDirectlyFollowedByQuote) {
    const Macro macro = parseMacro(QStringLiteral("TYPE\"x\""));
    EXPECT_EQ(onlyStep(macro), makeStep(MacroCommand::Type, QStringLiteral("\"x\"")));
}

TEST(MacroLoader, TypeModifiersAndKeyNames) {
    const Macro macro = parseMacro(QStringLiteral("TYPE CTRL + SHIFT RIGHT\n"
                                                  "TYPE alt+ctrl backspace ignored words\n"
                                                  "TYPE DELETE\n"
                                                  "TYPE SHIFT \"ab\"\n"));
    ASSERT_EQ(macro.steps.size(), 4u);
    EXPECT_EQ(macro.steps[0], makeStep(MacroCommand::Type, QStringLiteral("RIGHT"), 0, true, true));
    EXPECT_EQ(macro.steps[1],
              makeStep(MacroCommand::Type, QStringLiteral("BS"), 0, true, false, true));
    EXPECT_EQ(macro.steps[2], makeStep(MacroCommand::Type, QStringLiteral("DEL")));
    EXPECT_EQ(macro.steps[3],
              makeStep(MacroCommand::Type, QStringLiteral("\"ab\""), 0, false, true));
    EXPECT_TRUE(macro.report.isEmpty());
}

TEST(MacroLoader, TypewriterIsTypeWithAnUnknownKeyword) {
    const Macro macro = parseMacro(QStringLiteral("TYPEWRITER \"x\""));
    EXPECT_EQ(onlyStep(macro), makeStep(MacroCommand::Type, QStringLiteral("\"x\"")));
    EXPECT_EQ(
        reportLines(macro),
        QStringList{QStringLiteral("    Worning (1): TYPE コマンドで使われている未知のキーワード "
                                   "\"WRITER\" を無視します。")});
    EXPECT_FALSE(macro.hasError);
}

TEST(MacroLoader, TypeWithoutKeyOrStringIsDroppedWithoutCancelling) {
    const Macro macro = parseMacro(QStringLiteral("COPY\nTYPE\nTYPE FOO\n"));
    EXPECT_EQ(onlyStep(macro).command, MacroCommand::Copy);
    EXPECT_EQ(
        reportLines(macro),
        (QStringList{QStringLiteral("*** ERROR (2): TYPE コマンドの書式に間違いがあります。"),
                     QStringLiteral("    Worning (3): TYPE コマンドで使われている未知のキーワード "
                                    "\"FOO\" を無視します。"),
                     QStringLiteral("*** ERROR (3): TYPE コマンドの書式に間違いがあります。")}));
    EXPECT_FALSE(macro.hasError);
}

TEST(MacroLoader, TypeUnbalancedQuoteAndExtraData) {
    const Macro macro = parseMacro(QStringLiteral("TYPE \"abc\n  TYPE \"x\" # not a comment\n"));
    ASSERT_EQ(macro.steps.size(), 2u);
    EXPECT_EQ(macro.steps[0].text, "\"abc\"");
    EXPECT_EQ(macro.steps[1].text, "\"x\"");
    EXPECT_EQ(reportLines(macro),
              (QStringList{
                  QStringLiteral(
                      "    Worning (1): TYPE コマンドの引数のダブルクォートが完結していません。"),
                  QStringLiteral("    Worning (2): TYPE コマンドの引数の後ろに、余分なデータ \"# "
                                 "not a comment\" を無視します。")}));
}

TEST(MacroLoader, ContinuedLineJoinsWithoutBlank) {
    const Macro macro = parseMacro(QStringLiteral("TYPE \"ab\\\ncd\"\nCOPY"));
    ASSERT_EQ(macro.steps.size(), 2u);
    EXPECT_EQ(macro.steps[0].text, "\"abcd\"");
    EXPECT_TRUE(macro.report.isEmpty());
}

TEST(MacroLoader, ContinuedLineReportsItsFirstLineNumber) {
    const Macro macro = parseMacro(QStringLiteral("COPY\nFIND \\\n\"\"\nTYPE X\\\n\\\n\"y\""));
    EXPECT_EQ(
        reportLines(macro),
        (QStringList{QStringLiteral("*** ERROR (2): 検索文字列の指定にあやまりがあります。"),
                     QStringLiteral("    Worning (4): TYPE コマンドで使われている未知のキーワード "
                                    "\"X\" を無視します。")}));
}

TEST(MacroLoader, FindOptionsAndText) {
    const Macro macro = parseMacro(QStringLiteral("FIND /I /U \"a\\tb\\\\\\q\"\nfind \"x\\ny\""));
    ASSERT_EQ(macro.steps.size(), 2u);
    EXPECT_EQ(macro.steps[0], makeStep(MacroCommand::FindUp, QStringLiteral("a\tb\\\\q"), 1));
    EXPECT_EQ(macro.steps[1], makeStep(MacroCommand::FindDown, QStringLiteral("x\ny"), 0));
    EXPECT_TRUE(macro.report.isEmpty());
}

TEST(MacroLoader, FindWarnings) {
    const Macro macro = parseMacro(QStringLiteral("FIND /F /A /I \"abc\" /U tail\nFIND \"open"));
    ASSERT_EQ(macro.steps.size(), 2u);
    EXPECT_EQ(macro.steps[0], makeStep(MacroCommand::FindDown, QStringLiteral("abc"), 1));
    EXPECT_EQ(macro.steps[1], makeStep(MacroCommand::FindDown, QStringLiteral("open"), 0));
    EXPECT_EQ(
        reportLines(macro),
        (QStringList{
            QStringLiteral(
                "    Worning (1): FIND コマンドで無効なオプション \"/A\" が指定されています。"),
            QStringLiteral(
                "    Worning (1): FIND コマンドで無効なオプション \"/F\" が指定されています。"),
            QStringLiteral(
                "    Worning (1): コマンドの後ろにある無効なデータ \"/U tail\" を無視しました。"),
            QStringLiteral(
                "    Worning (2): コマンド引数のダブルクォートの対応が正しくありません。")}));
    EXPECT_FALSE(macro.hasError);
}

TEST(MacroLoader, FindWithEmptyStringCancelsTheLoad) {
    const Macro macro = parseMacro(QStringLiteral("COPY\nFIND \"\"\nPASTE"));
    EXPECT_TRUE(macro.hasError);
    EXPECT_TRUE(macro.steps.empty());
    EXPECT_EQ(reportLines(macro),
              QStringList{QStringLiteral("*** ERROR (2): 検索文字列の指定にあやまりがあります。")});
}

TEST(MacroLoader, ReplaceSteps) {
    const Macro macro =
        parseMacro(QStringLiteral("REPLACE /A /I \"a\\nb\" \"c\"\nREPLACE \"x\" \"\""));
    ASSERT_EQ(macro.steps.size(), 2u);
    EXPECT_EQ(macro.steps[0], makeStep(MacroCommand::ReplaceAll, QStringLiteral("a\nb\r\nc"), 1));
    EXPECT_EQ(macro.steps[1], makeStep(MacroCommand::Replace, QStringLiteral("x\r\n"), 0));
    EXPECT_TRUE(macro.report.isEmpty());
}

TEST(MacroLoader, ReplaceWithOneArgumentCancels) {
    const Macro macro = parseMacro(QStringLiteral("COPY\nREPLACE \"only\"\nREPLACE \"\" \"x\""));
    EXPECT_TRUE(macro.hasError);
    EXPECT_TRUE(macro.steps.empty());
    EXPECT_EQ(reportLines(macro),
              (QStringList{
                  QStringLiteral("*** ERROR (2): 置換コマンドのフォーマットに誤りがあります。"),
                  QStringLiteral("*** ERROR (3): 置換コマンドのフォーマットに誤りがあります。")}));
}

TEST(MacroLoader, ReplaceWarningsInOrder) {
    const Macro macro = parseMacro(QStringLiteral("REPLACE /F /U \"a\" b c\nREPLACE \"a\" \"open"));
    ASSERT_EQ(macro.steps.size(), 2u);
    EXPECT_EQ(macro.steps[0].text, "a\r\nb");
    EXPECT_EQ(macro.steps[1].text, "a\r\nopen");
    EXPECT_EQ(
        reportLines(macro),
        (QStringList{
            QStringLiteral(
                "    Worning (1): コマンドの後ろにある無効なデータ \"c\" を無視しました。"),
            QStringLiteral(
                "    Worning (1): REPLACE コマンドで無効なオプション \"/U\" が指定されています。"),
            QStringLiteral(
                "    Worning (1): REPLACE コマンドで無効なオプション \"/F\" が指定されています。"),
            QStringLiteral("    Worning (2): REPLACE "
                           "コマンドの２番目の引数のダブルクォートの対応が正しくありません。")}));
}

TEST(MacroLoader, NewFileAndOpen) {
    const Macro macro = parseMacro(QStringLiteral(
        "NEWFILE /F\nNEWFILE extra more\nOPEN /F \"C:\\a b.txt\"\nOPEN plain.txt\n"));
    ASSERT_EQ(macro.steps.size(), 4u);
    EXPECT_EQ(macro.steps[0], makeStep(MacroCommand::NewFile, {}, 1));
    EXPECT_EQ(macro.steps[1], makeStep(MacroCommand::NewFile, {}, 0));
    EXPECT_EQ(macro.steps[2], makeStep(MacroCommand::Open, QStringLiteral("\"C:\\a b.txt\""), 1));
    EXPECT_EQ(macro.steps[3], makeStep(MacroCommand::Open, QStringLiteral("plain.txt"), 0));
    EXPECT_EQ(reportLines(macro),
              QStringList{QStringLiteral(
                  "    Worning (2): コマンドの後ろにある無効なデータ \"extra\" を無視しました。")});
}

TEST(MacroLoader, NewFileAndOpenOptionWarnings) {
    const Macro macro = parseMacro(QStringLiteral("NEWFILE /U /I /A\nOPEN /A \"x\nOPEN"));
    EXPECT_TRUE(macro.hasError);
    EXPECT_EQ(
        reportLines(macro),
        (QStringList{
            QStringLiteral(
                "    Worning (1): NEWFILE コマンドで無効なオプション \"/A\" が指定されています。"),
            QStringLiteral(
                "    Worning (1): NEWFILE コマンドで無効なオプション \"/I\" が指定されています。"),
            QStringLiteral(
                "    Worning (1): NEWFILE コマンドで無効なオプション \"/U\" が指定されています。"),
            QStringLiteral(
                "    Worning (2): コマンド引数のダブルクォートの対応が正しくありません。"),
            QStringLiteral(
                "    Worning (2): OPEN コマンドで無効なオプション \"/A\" が指定されています。"),
            QStringLiteral("*** ERROR (3): LOAD "
                           "コマンドでデータの読み込み元のファイルが指定されていません。")}));
}

TEST(MacroLoader, SaveVariants) {
    const Macro macro = parseMacro(
        QStringLiteral("SAVE \"out.txt\" more\nSAVE /A \"x.txt\" ignored\nSAVEAS\nSAVE /I /A"));
    ASSERT_EQ(macro.steps.size(), 4u);
    EXPECT_EQ(macro.steps[0], makeStep(MacroCommand::Save, QStringLiteral("\"out.txt\""), 0));
    EXPECT_EQ(macro.steps[1], makeStep(MacroCommand::Save, {}, 1));
    EXPECT_EQ(macro.steps[2], makeStep(MacroCommand::Save, QStringLiteral("AS"), 0));
    EXPECT_EQ(macro.steps[3], makeStep(MacroCommand::Save, {}, 1));
    EXPECT_EQ(
        reportLines(macro),
        (QStringList{
            QStringLiteral(
                "    Worning (1): コマンドの後ろにある無効なデータ \"more\" を無視しました。"),
            QStringLiteral(
                "    Worning (2): SAVE コマンドの /A オプションが指定されているため、ファイル名 "
                "\"\"x.txt\"\" の指定を無視します。"),
            QStringLiteral(
                "    Worning (4): SAVE コマンドで無効なオプション \"/I\" が指定されています。")}));
    EXPECT_FALSE(macro.hasError);
}

TEST(MacroLoader, SaveWithoutFileCancels) {
    const Macro macro = parseMacro(QStringLiteral("SAVE /U \"x"));
    EXPECT_EQ(onlyStep(macro).text, "\"x\"");
    const Macro missing = parseMacro(QStringLiteral("COPY\nSAVE"));
    EXPECT_TRUE(missing.hasError);
    EXPECT_TRUE(missing.steps.empty());
    EXPECT_EQ(
        reportLines(macro),
        (QStringList{
            QStringLiteral(
                "    Worning (1): SAVE コマンドで無効なオプション \"/U\" が指定されています。"),
            QStringLiteral(
                "    Worning (1): コマンド引数のダブルクォートの対応が正しくありません。")}));
    EXPECT_EQ(reportLines(missing),
              QStringList{QStringLiteral(
                  "*** ERROR (2): SAVE コマンドで、出力先のファイルが指定されていません。")});
}

TEST(MacroLoader, ClipboardCommands) {
    const Macro macro = parseMacro(QStringLiteral("COPY\nCUT /A\nPASTE now\nPASTE a b"));
    ASSERT_EQ(macro.steps.size(), 4u);
    EXPECT_EQ(macro.steps[1].command, MacroCommand::Cut);
    EXPECT_EQ(
        reportLines(macro),
        (QStringList{
            QStringLiteral(
                "    Worning (2): CUT コマンドで無効なオプション \"/A\" が指定されています。"),
            QStringLiteral(
                "    Worning (3): コマンドの後ろにある無効なデータ \"now \" を無視しました。"),
            QStringLiteral(
                "    Worning (4): コマンドの後ろにある無効なデータ \"a b\" を無視しました。")}));
}

TEST(MacroLoader, LockAndUnlock) {
    const Macro macro =
        parseMacro(QStringLiteral("LOCK ctrl\nUNLOCKCTRL\nlock \"SHIFT\"\nUNLOCK shift x"));
    ASSERT_EQ(macro.steps.size(), 4u);
    EXPECT_EQ(macro.steps[0], makeStep(MacroCommand::Lock, QStringLiteral("ctrl"), 0, true));
    EXPECT_EQ(macro.steps[1], makeStep(MacroCommand::Unlock, QStringLiteral("CTRL"), 0, true));
    EXPECT_EQ(macro.steps[2],
              makeStep(MacroCommand::Lock, QStringLiteral("SHIFT"), 0, false, true));
    EXPECT_EQ(macro.steps[3],
              makeStep(MacroCommand::Unlock, QStringLiteral("shift"), 0, false, true));
    EXPECT_EQ(reportLines(macro),
              QStringList{QStringLiteral(
                  "    Worning (4): コマンドの後ろにある無効なデータ \"x\" を無視しました。")});
}

TEST(MacroLoader, UnknownUnlockWordDropsOnlyThatLine) {
    const Macro macro = parseMacro(QStringLiteral("COPY\nUNLOCK ALT\nPASTE"));
    EXPECT_FALSE(macro.hasError);
    ASSERT_EQ(macro.steps.size(), 2u);
    EXPECT_EQ(macro.steps[1].command, MacroCommand::Paste);
    EXPECT_EQ(
        reportLines(macro),
        QStringList{QStringLiteral(
            "*** ERROR (2): UNLOCK コマンドで未知のキーワード \"ALT\" が指定されています。")});
}

TEST(MacroLoader, LockErrorsCancel) {
    const Macro macro = parseMacro(QStringLiteral("LOCK ALT\nLOCK /F\nUNLOCK"));
    EXPECT_TRUE(macro.hasError);
    EXPECT_EQ(
        reportLines(macro),
        (QStringList{
            QStringLiteral(
                "*** ERROR (1): LOCK コマンドで未知のキーワード \"ALT\" が指定されています。"),
            QStringLiteral(
                "    Worning (2): LOCK コマンドで無効なオプション \"/F\" が指定されています。"),
            QStringLiteral("*** ERROR (2): LOCK コマンドの引数は省略できません。\"CTRL | SHIFT\" "
                           "を指定してください。"),
            QStringLiteral("*** ERROR (3): UNLOCK コマンドの引数は省略できません。\"CTRL | SHIFT\" "
                           "を指定してください。")}));
}

TEST(MacroLoader, SelectUnselectEnableWindowDefaultsAndWords) {
    const Macro macro =
        parseMacro(QStringLiteral("SELECT\nSELECT all\nSELECT LEFT\nSELECT \"RIGHT\"\nSELECT line\n"
                                  "UNSELECT\nUNSELECT TAIL\nUNSELECT head\n"
                                  "ENABLEWINDOW\nENABLEWINDOW false\nENABLEWINDOW TRUE"));
    const int params[] = {1, 0, 2, 3, 1, 1, 0, 1, 1, 0, 1};
    ASSERT_EQ(macro.steps.size(), std::size(params));
    for (size_t i = 0; i < std::size(params); ++i) {
        EXPECT_EQ(macro.steps[i].param, params[i]) << i;
        EXPECT_TRUE(macro.steps[i].text.isEmpty());
    }
    EXPECT_EQ(macro.steps[0].command, MacroCommand::Select);
    EXPECT_EQ(macro.steps[5].command, MacroCommand::Unselect);
    EXPECT_EQ(macro.steps[8].command, MacroCommand::EnableWindow);
    EXPECT_TRUE(macro.report.isEmpty());
}

TEST(MacroLoader, SelectUnselectEnableWindowUnknownWords) {
    const Macro macro =
        parseMacro(QStringLiteral("SELECT WORD\nUNSELECT MIDDLE x\nENABLEWINDOW /U MAYBE"));
    EXPECT_TRUE(macro.hasError);
    EXPECT_EQ(reportLines(macro),
              (QStringList{
                  QStringLiteral("*** ERROR (1): SELECT コマンドの引数に未知のキーワード \"WORD\" "
                                 "が指定されています。"),
                  QStringLiteral("*** ERROR (2): UNSELECT コマンドの引数に未知のキーワード "
                                 "\"MIDDLE\" が指定されています。"),
                  QStringLiteral(
                      "    Worning (2): コマンドの後ろにある無効なデータ \"x\" を無視しました。"),
                  QStringLiteral("    Worning (3): ENABLEWINDOW コマンドで無効なオプション \"/U\" "
                                 "が指定されています。"),
                  QStringLiteral("*** ERROR (3): ENABLEWINDOW コマンドの引数に未知のキーワード "
                                 "\"MAYBE\" が指定されています。")}));
}

TEST(MacroLoader, SleepLimits) {
    const Macro accepted = parseMacro(QStringLiteral("SLEEP 30000\nSLEEP 1\nSLEEP \"250\""));
    ASSERT_EQ(accepted.steps.size(), 3u);
    EXPECT_EQ(accepted.steps[0], makeStep(MacroCommand::Sleep, {}, 30000));
    EXPECT_EQ(accepted.steps[1].param, 1);
    EXPECT_EQ(accepted.steps[2].param, 250);
    const Macro refused = parseMacro(QStringLiteral("SLEEP 30001\nSLEEP 0\nSLEEP\nSLEEP -5"));
    EXPECT_TRUE(refused.hasError);
    const QString text =
        QStringLiteral("*** ERROR (%1): SLEEP コマンドの書式に誤りがあります。引数には 1～30000 "
                       "の値を指定してください。");
    EXPECT_EQ(reportLines(refused),
              (QStringList{text.arg(1), text.arg(2), text.arg(3), text.arg(4)}));
}

TEST(MacroLoader, GotoForms) {
    const Macro macro = parseMacro(QStringLiteral(
        "GOTO home\nGOTO END\nGOTO ViewTop\nGOTO 12\nGOTO + 3\nGOTO +4\nGOTO -2\nGOTO 7 x"));
    ASSERT_EQ(macro.steps.size(), 8u);
    EXPECT_EQ(macro.steps[0], makeStep(MacroCommand::Goto, QStringLiteral("HOME"), 0));
    EXPECT_EQ(macro.steps[1], makeStep(MacroCommand::Goto, QStringLiteral("END"), 0));
    EXPECT_EQ(macro.steps[2], makeStep(MacroCommand::Goto, QStringLiteral("VIEWTOP"), 0));
    EXPECT_EQ(macro.steps[3], makeStep(MacroCommand::Goto, QString(), 12));
    EXPECT_EQ(macro.steps[4], makeStep(MacroCommand::Goto, QStringLiteral("+"), 3));
    EXPECT_EQ(macro.steps[5], makeStep(MacroCommand::Goto, QStringLiteral("+"), 4));
    EXPECT_EQ(macro.steps[6], makeStep(MacroCommand::Goto, QStringLiteral("-"), 2));
    EXPECT_EQ(macro.steps[7], makeStep(MacroCommand::Goto, QString(), 7));
    EXPECT_EQ(reportLines(macro),
              QStringList{QStringLiteral(
                  "    Worning (8): コマンドの後ろにある無効なデータ \"x\" を無視しました。")});
}

TEST(MacroLoader, GotoErrors) {
    const Macro macro = parseMacro(QStringLiteral("GOTO 0\nGOTO + 0\nGOTO -\nGOTO TOP\nGOTO"));
    EXPECT_TRUE(macro.hasError);
    EXPECT_TRUE(macro.steps.empty());
    const QString text =
        QStringLiteral("*** ERROR (%1): GOTO コマンドの引数の指定に誤りがあります。");
    EXPECT_EQ(
        reportLines(macro),
        (QStringList{text.arg(1), text.arg(2), text.arg(3), text.arg(4),
                     QStringLiteral("*** ERROR (5): GOTO コマンドの引数は省略できません。\"HOME | "
                                    "END | VIEWTOP | [+|-]行番号\" を指定してください。")}));
}

TEST(MacroLoader, SetFocus) {
    const Macro macro = parseMacro(QStringLiteral("SETFOCUS /I now later"));
    EXPECT_EQ(onlyStep(macro), makeStep(MacroCommand::SetFocus));
    EXPECT_EQ(
        reportLines(macro),
        (QStringList{
            QStringLiteral(
                "    Worning (1): SETFOCUS コマンドで無効なオプション \"/I\" が指定されています。"),
            QStringLiteral(
                "    Worning (1): コマンドの後ろにある無効なデータ \"now\" を無視しました。")}));
}

TEST(MacroLoader, MarkupAndUnknownCommandsCancel) {
    const Macro macro =
        parseMacro(QStringLiteral("MARKUP X\nHELLO WORLD\n/A \"quoted\\tword\"\nMARKUP"));
    EXPECT_TRUE(macro.hasError);
    EXPECT_EQ(
        reportLines(macro),
        (QStringList{
            QStringLiteral("*** ERROR (1): 未知のマクロコマンド \"X\" を検出しました。"),
            QStringLiteral("*** ERROR (2): 未知のマクロコマンド \"HELLO\" を検出しました。"),
            QStringLiteral("*** ERROR (3): 未知のマクロコマンド \"quoted\tword\" を検出しました。"),
            QStringLiteral("*** ERROR (4): 未知のマクロコマンド \"\" を検出しました。")}));
}

TEST(MacroLoader, PercentSignsInUserTextStayLiteral) {
    const Macro macro = parseMacro(QStringLiteral("NOPE%d%s"));
    EXPECT_EQ(reportLines(macro),
              QStringList{QStringLiteral(
                  "*** ERROR (1): 未知のマクロコマンド \"NOPE%d%s\" を検出しました。")});
}

TEST(MacroLoader, VersionRule) {
    const Macro macro = parseMacro(QStringLiteral("VERSION 1.00\nVERSION 1.5\nVERSION 1.2\nCOPY"));
    EXPECT_EQ(macro.versionMajor, 1);
    EXPECT_EQ(macro.versionMinor, 5);
    const QString text =
        QStringLiteral("*** Worning: このマクロは新しいバージョン 1.05 "
                       "の文法で記述されているため、正しく動作しない可能性があります。");
    EXPECT_EQ(reportLines(macro), (QStringList{text, text}));
    EXPECT_FALSE(macro.hasError);
    EXPECT_EQ(macro.steps.size(), 1u);
}

TEST(MacroLoader, VersionWithoutDotRaisesMajorAndResetsMinor) {
    const Macro macro = parseMacro(QStringLiteral("VERSION 1.20\nVERSION 1\nVERSION 3\n"));
    EXPECT_EQ(macro.versionMajor, 3);
    EXPECT_EQ(macro.versionMinor, 0);
    EXPECT_EQ(reportLines(macro),
              QStringList{QStringLiteral(
                  "*** Worning: このマクロは新しいバージョン 1.20 "
                  "の文法で記述されているため、正しく動作しない可能性があります。")});
    const Macro older = parseMacro(QStringLiteral("VERSION 0.9"));
    EXPECT_EQ(older.versionMajor, 1);
    EXPECT_EQ(older.versionMinor, 0);
    EXPECT_TRUE(older.report.isEmpty());
}

TEST(MacroLoader, TooltipAndExplain) {
    const Macro macro =
        parseMacro(QStringLiteral("TOOLTIP \"first\"\nTOOLTIP \"second \\n\" tip\"\n"
                                  "EXPLAIN \"line1\\nline2\\t\\\"q\\\"\"\n"));
    EXPECT_EQ(macro.tooltip, QStringLiteral("second \\n\" tip"));
    EXPECT_EQ(macro.explanation, QStringLiteral("line1\r\nline2\t\"q\""));
    EXPECT_TRUE(macro.steps.empty());
    EXPECT_TRUE(macro.report.isEmpty());
    const Macro unquoted = parseMacro(QStringLiteral("TOOLTIP plain\"\nEXPLAIN plain"));
    EXPECT_EQ(unquoted.tooltip, QStringLiteral("plain\""));
    EXPECT_EQ(unquoted.explanation, QStringLiteral("plain"));
}

TEST(MacroLoader, CancelledLoadKeepsVersionReportExplanationAndTooltip) {
    const Macro macro =
        parseMacro(QStringLiteral("VERSION 2.0\nTOOLTIP t\nEXPLAIN e\nCOPY\nMARKUP m"));
    EXPECT_TRUE(macro.hasError);
    EXPECT_TRUE(macro.steps.empty());
    EXPECT_EQ(macro.versionMajor, 2);
    EXPECT_EQ(macro.tooltip, "t");
    EXPECT_EQ(macro.explanation, "e");
    EXPECT_EQ(reportLines(macro).size(), 2);
}

TEST(MacroLoader, ClearKeepsTheLastFolder) {
    Macro macro = parseMacro(QStringLiteral("VERSION 2.1\nTOOLTIP t\nEXPLAIN e\nCOPY\nMARKUP m"));
    macro.lastFolder = QStringLiteral("/tmp/macros/");
    macro.ctrlHeld = macro.shiftHeld = macro.altHeld = true;
    macro.steps.push_back(makeStep(MacroCommand::Copy));
    macro.clear();
    EXPECT_EQ(macro.versionMajor, 1);
    EXPECT_EQ(macro.versionMinor, 0);
    EXPECT_TRUE(macro.steps.empty());
    EXPECT_TRUE(macro.report.isEmpty());
    EXPECT_TRUE(macro.tooltip.isEmpty());
    EXPECT_TRUE(macro.explanation.isEmpty());
    EXPECT_FALSE(macro.hasError || macro.ctrlHeld || macro.shiftHeld || macro.altHeld);
    EXPECT_EQ(macro.lastFolder, "/tmp/macros/");
}

TEST(MacroLoader, FileBytesInEveryEncoding) {
    const Locale japanese(0x0411, 0x0411);
    const QString text = QStringLiteral("TYPE \"あ\"\r\n");
    QByteArray utf16("\xFF\xFE");
    for (QChar c : text)
        utf16.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
    const QByteArray variants[] = {utf16, text.toUtf8(), "\xEF\xBB\xBF" + text.toUtf8(),
                                   QByteArray("TYPE \"\x82\xA0\"\r\n")};
    for (const QByteArray& bytes : variants) {
        Macro macro;
        parseMacroFile(macro, bytes, japanese);
        EXPECT_EQ(onlyStep(macro).text, QStringLiteral("\"あ\""));
    }
}

TEST(MacroLoader, ZeroByteBeyondTheProbeStaysEightBit) {
    const Locale japanese(0x0411, 0x0411);
    QByteArray bytes = QByteArray(1100, '#');
    bytes.append("\nCOPY\n");
    bytes.append('\0');
    bytes.append("junk\nPASTE\n");
    bytes.append(QByteArray("CUT\0ignored\n", 12));
    Macro macro;
    parseMacroFile(macro, bytes, japanese);
    ASSERT_EQ(macro.steps.size(), 3u);
    EXPECT_EQ(macro.steps[0].command, MacroCommand::Copy);
    EXPECT_EQ(macro.steps[1].command, MacroCommand::Paste);
    EXPECT_EQ(macro.steps[2].command, MacroCommand::Cut);
    EXPECT_TRUE(macro.report.isEmpty());
}

// A first REPLACE argument with an unbalanced quote takes the rest of the line,
// so the line always ends as 33013; message 33030 is checked through the
// report on its own.
TEST(MacroLoader, UnbalancedFirstReplaceArgumentEndsAsFormatError) {
    const Macro macro = parseMacro(QStringLiteral("REPLACE \"a \\\" b"));
    EXPECT_TRUE(macro.hasError);
    EXPECT_EQ(
        reportLines(macro),
        QStringList{QStringLiteral("*** ERROR (1): 置換コマンドのフォーマットに誤りがあります。")});
    QString report;
    MacroReport(report).add(macromsg::ReplaceQuote1, 7);
    EXPECT_EQ(report, QStringLiteral(
                          "    Worning (7): REPLACE "
                          "コマンドの１番目の引数のダブルクォートの対応が正しくありません。\r\n"));
}
