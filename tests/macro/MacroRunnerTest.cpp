#include "MacroRunner.h"
#include "MacroRecorder.h"
#include "MacroTestSupport.h"
#include "MacroWriter.h"
#include "MessageService.h"
#include "VirtualKeys.h"

#include <gtest/gtest.h>

namespace {

// Runs a macro from its first step and writes down what the runner does to
// the keyboard: "+X" a key-down of the virtual key X (hex), "-X" its release,
// "type:..." typed text, "pump".
class Player : public MacroKeyboard {
  public:
    MacroCommand next(Macro& macro) {
        return MacroRunSteps(macro, *this, index, values, playing, messages);
    }
    void sendKey(int virtualKey, bool down) override {
        log << (down ? QStringLiteral("+") : QStringLiteral("-")) + QString::number(virtualKey, 16);
    }
    void typeText(const QString& text) override { log << QStringLiteral("type:") + text; }
    void pumpMessages() override { log << QStringLiteral("pump"); }
    void sleep(int milliseconds, const bool&) override {
        log << QStringLiteral("sleep:%1").arg(milliseconds);
    }
    QStringList log;
    ScriptedMessageService messages;
    int index = 0;
    MacroStepValues values;
    bool playing = true;
};

struct RunCase {
    const char* source;
    const char* log;
};

class MacroRunnerKeys : public ::testing::TestWithParam<RunCase> {};

TEST_P(MacroRunnerKeys, PlaysKeysAsTheStepsSay) {
    Macro macro = parseMacro(QString::fromUtf8(GetParam().source));
    ASSERT_TRUE(macro.report.isEmpty()) << macro.report.toStdString();
    Player player;
    EXPECT_EQ(player.next(macro), MacroCommand::End);
    EXPECT_EQ(player.index, -1);
    EXPECT_EQ(player.log.join(u' '), QString::fromUtf8(GetParam().log));
    EXPECT_TRUE(player.messages.shown().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Steps, MacroRunnerKeys,
    ::testing::Values(RunCase{"TYPE \"a\\nb\\t\\\\\"", "type:a\r\nb\t\\ pump"},
                      RunCase{"TYPE bs\nTYPE DEL", "+8 -8 pump +2e -2e pump"},
                      // Ctrl+N: the backslash has no key and the escape is not resolved.
                      RunCase{"TYPE CTRL \"\\n\"", "+11 +4e -4e -11 pump"},
                      RunCase{"TYPE CTRL+SHIFT+ALT RIGHT", "+11 +10 +12 +27 -27 -12 -10 -11 pump"},
                      // A held Shift is not pressed again by a step that names it, and the
                      // string goes in as key presses; ":" to "@" and TAB have keys, "é" none.
                      RunCase{"LOCK SHIFT\nTYPE SHIFT \"a:@\tZé\"\nUNLOCK SHIFT",
                              "+10 +41 -41 +3a -3a +40 -40 +9 -9 +5a -5a pump -10"},
                      RunCase{"LOCK CTRL\nTYPE \"s\"\nSLEEP 30000\nVERSION 1",
                              "+11 +53 -53 pump pump sleep:30000"}));

TEST(MacroRunner, HandsBackStepsWithTheirValues) {
    Macro macro = parseMacro(QStringLiteral("TYPE \"x\"\nREPLACE /I \"a\\nb\" \"c\"\n"
                                            "OPEN \"C:\\\\dir\\\\f.txt\"\nLOCK CTRL"));
    Player player;
    EXPECT_EQ(player.next(macro), MacroCommand::Replace);
    EXPECT_EQ(
        std::tuple(player.index, player.values.param, player.values.text1, player.values.text2),
        std::tuple(2, 1, u"a\r\nb"_qs, u"c"_qs));
    EXPECT_EQ(player.next(macro), MacroCommand::Open);
    EXPECT_EQ(player.values.text1, QStringLiteral("C:\\dir\\f.txt"));
    // A stop before the next step leaves the index on it.
    player.playing = false;
    EXPECT_EQ(player.next(macro), MacroCommand::Stopped);
    EXPECT_EQ(player.index, 3);
    EXPECT_FALSE(macro.ctrlHeld);
    player.playing = true;
    EXPECT_EQ(player.next(macro), MacroCommand::End);
    EXPECT_TRUE(macro.ctrlHeld);
    // A new run from the start forgets what an earlier one held, without keys.
    player.index = 0;
    macro.steps.clear();
    EXPECT_EQ(player.next(macro), MacroCommand::End);
    EXPECT_FALSE(macro.ctrlHeld);
    EXPECT_EQ(player.log.join(u' '), QStringLiteral("type:x pump +11"));
}

TEST(MacroRunner, UnknownStepIsReportedAndSkipped) {
    Macro macro;
    macro.steps = {makeStep(MacroCommand::Explain), makeStep(MacroCommand(99)),
                   makeStep(MacroCommand::Type, QStringLiteral("\"z\""))};
    Player player;
    EXPECT_EQ(player.next(macro), MacroCommand::End);
    EXPECT_EQ(player.messages.texts(), (QStringList{QStringLiteral("未知のコマンド(2)を検出"),
                                                    QStringLiteral("未知のコマンド(99)を検出")}));
    EXPECT_EQ(player.log.join(u' '), QStringLiteral("type:z pump"));
}

// What the view hands over while recording, and the lines the macro then saves.
TEST(MacroRecorder, RecordsKeysCharactersAndCommands) {
    Macro macro;
    macro.steps = {makeStep(MacroCommand::Copy)};
    bool recording = false;
    MacroRecorder recorder(macro, recording);
    recorder.recordCharacter(u'z', {});
    recorder.start();
    EXPECT_TRUE(macro.steps.empty());
    const MacroModifiers none;
    const MacroModifiers shift{false, true, false};
    const MacroModifiers ctrlAlt{true, false, true};
    recorder.recordCharacter(u'a', none);
    recorder.recordCharacter(u'B', shift);
    recorder.recordCharacter(u'c', none);
    recorder.recordCharacter(u'\r', none);
    recorder.recordCharacter(QChar(1), ctrlAlt);
    recorder.recordCharacter(u'"', none);
    recorder.recordCharacter(u'\\', none);
    recorder.recordCharacter(u'\t', none);
    recorder.recordKeyDown(vk::VK_RIGHT, shift);
    recorder.recordKeyDown(vk::VK_BACK, MacroModifiers{true, true, true});
    recorder.recordKeyDown('A', none);
    recorder.recordCharacter(u'k', ctrlAlt);
    recorder.recordCommand(MacroCommand::Replace, QStringLiteral("x\r\ny"), 1, std::nullopt);
    recorder.recordCommand(MacroCommand::Paste, {}, 0, shift);
    recorder.recordCommand(MacroCommand::Markup, QStringLiteral("<i>\t</i>"), 0, std::nullopt);
    recorder.stop();
    recorder.recordCharacter(u'q', none);
    QStringList lines;
    for (const MacroStep& step : macro.steps)
        lines << macroStepLine(step);
    EXPECT_EQ(lines, (QStringList{
                         QStringLiteral("TYPE \"aBc\\n\""),
                         QStringLiteral("TYPE \"\\\"\\\\\\t\""),
                         QStringLiteral("TYPE SHIFT RIGHT"),
                         QStringLiteral("TYPE BS"),
                         QStringLiteral("TYPE CTRL + ALT \"k\""),
                         QStringLiteral("REPLACE /I \"x\" \"y\""),
                         QStringLiteral("PASTE"),
                         QStringLiteral("MARKUP \"<i>\\t</i>\""),
                     }));
    EXPECT_EQ(macro.steps[6].shift, true);
    // Saved, loaded and played again: MacroRecordAppTest.
}

TEST(MacroRecorder, PathsThatNoLineCanHoldAreRefused) {
    EXPECT_EQ(macroRecordedPath(QStringLiteral("/tmp/a\\b\\\\c\\")),
              QStringLiteral("/tmp/a\\\\b\\\\\\\\c\\\\"));
    EXPECT_EQ(macroRecordedPath(QStringLiteral("/tmp/say \"hi\".txt")), std::nullopt);
    EXPECT_EQ(macroRecordedPath(QStringLiteral("/tmp/two\nlines")), std::nullopt);
    // A doubled backslash plays as one, so the written path opens the same file.
    MacroStep save =
        makeStep(MacroCommand::Save, *macroRecordedPath(QStringLiteral("/t/a\\\\b\\")));
    const Macro loaded = parseMacro(macroStepLine(save));
    ASSERT_EQ(loaded.steps.size(), 1u);
    EXPECT_EQ(macroStepValues(loaded.steps[0]).text1, QStringLiteral("/t/a\\\\b\\"));
}

} // namespace
