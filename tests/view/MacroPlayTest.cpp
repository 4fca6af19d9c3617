#include "CTextEdit.h"
#include "CommandIds.h"
#include "EditerDocument.h"
#include "KeyState.h"
#include "MacroFiles.h"
#include "MacroLoader.h"
#include "TempFiles.h"
#include "ViewMacroCommands.h"
#include "ViewTestSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>

namespace {

// A real view with a real file: the macro is loaded from its text and
// played through the Play command, as the user plays it.
class MacroPlayTest : public ViewTest {
  protected:
    void SetUp() override { view->activeEdit().setFocus(); }

    // Opens a file holding the text and plays the macro over it.
    void play(const QByteArray& fileText, const QString& source, int selStart = 0, int selEnd = 0) {
        files.write(QStringLiteral("text.txt"), fileText);
        view->SetModify(false);
        view->state().textChanged = false;
        ASSERT_TRUE(view->OpenFileByPath(files.path("text.txt")));
        view->SetSel(selStart, selEnd);
        Macro& macro = view->macroCommands().macro();
        macro.clear();
        parseMacroText(macro, source);
        ASSERT_TRUE(macro.report.isEmpty()) << macro.report.toStdString();
        ASSERT_TRUE(view->onCommand(cmd::ID_MACRO_PLAY));
    }

    TempFiles files;
};

struct PlayCase {
    const char* name;
    const char* text;
    int selStart;
    int selEnd;
    const char* macro;
    const char* result;
    int resultStart;
    int resultEnd;
    const char* message = nullptr;
    int limit = 0; // of the text; 0: the control's own
};

class MacroPlaySteps : public MacroPlayTest, public ::testing::WithParamInterface<PlayCase> {};

TEST_P(MacroPlaySteps, TextAndSelectionAfterPlaying) {
    const PlayCase& c = GetParam();
    if (c.limit)
        view->activeEdit().SetLimitText(c.limit);
    play(c.text, QString::fromUtf8(c.macro), c.selStart, c.selEnd);
    EXPECT_EQ(view->GetText(), QString::fromUtf8(c.result));
    EXPECT_EQ(view->GetSel(), std::make_pair(c.resultStart, c.resultEnd));
    EXPECT_TRUE(view->activeEdit().isEnabled());
    EXPECT_FALSE(view->state().macroPlaying);
    EXPECT_EQ(env.messages.texts(),
              c.message ? QStringList{QString::fromUtf8(c.message)} : QStringList{});
}

const PlayCase kPlayCases[] = {
    {"TypedText", "xyz", 1, 2, "TYPE \"a\\\"b\\n\\t\\\\\"", "xa\"b\r\n\t\\z", 8, 8},
    {"KeysWithShift", "xyz", 0, 0, "TYPE SHIFT \"ab 1:@\"", "AB 1:@xyz", 6, 6},
    {"HeldShiftKeepsTheSelection", "xyz", 0, 0, "LOCK SHIFT\nTYPE RIGHT", "xyz", 0, 1},
    {"KeyNames", "abc\r\ndef", 5, 5, "TYPE END\nTYPE BS\nTYPE HOME\nTYPE DEL\nTYPE UP", "abc\r\ne",
     0, 0},
    {"CtrlNStartsANewFile", "abc", 0, 0, "TYPE CTRL \"\\n\"", "", 0, 0},
    {"GotoBeyondTheLastLine", "a\r\nb\r\nc", 0, 0, "GOTO +1000", "a\r\nb\r\nc", 6, 6},
    {"GotoClampsBothEnds", "a\r\nb\r\nc", 6, 6, "GOTO +2147483647\nGOTO -2147483647", "a\r\nb\r\nc",
     0, 0},
    {"GotoLineNumberAndEnd", "a\r\nbb\r\nc", 0, 0, "GOTO 2\nTYPE \">\"\nGOTO END\nTYPE \"<\"",
     "a\r\n>bb\r\nc<", 10, 10},
    {"SelectLineAndReplaceIt", "ab\r\ncd\r\nef", 4, 4, "SELECT\nTYPE \"X\"", "ab\r\nX\r\nef", 5, 5},
    {"SelectLeftAndRight", "abcd", 1, 2, "SELECT LEFT", "abcd", 0, 2},
    {"SelectRight", "abcd\r\nx", 1, 2, "SELECT RIGHT", "abcd\r\nx", 1, 4},
    {"UnselectTail", "abcd", 1, 3, "UNSELECT TAIL", "abcd", 3, 3},
    {"FindAndFindUp", "a1 a2 a3", 0, 0, "FIND \"a\"\nFIND \"A\"\nFIND /U \"a\"", "a1 a2 a3", 0, 1},
    {"ReplaceOneThenAll", "aXa Xa x", 2, 3, "REPLACE \"a\" \"b\"\nREPLACE /I /A \"X\" \"[\\n]\"",
     "a[\r\n]b [\r\n]a x", 11, 11, "2 箇所の文字列を置換しました。"},
    {"ReplaceAllIgnoresCase", "aXa Xa x", 0, 0, "REPLACE /A \"x\" \"-\"", "a-a -a -", 8, 8,
     "3 箇所の文字列を置換しました。"},
    {"CopyAndPaste", "ab", 0, 0, "SELECT ALL\nCOPY\nGOTO END\nPASTE\nGOTO HOME\nSELECT\nCUT", "", 0,
     0},
    {"MarkupWrapsTheSelection", "xyz", 1, 2, "MARKUP \"<b>\\t</b>\"", "x<b>y</b>z", 4, 5},
    {"TypedTextKeepsToTheLimit", "abc", 0, 0, "GOTO END\nTYPE \"d\\ne\"", "abcd", 4, 4, nullptr, 5},
    {"DisabledControlStillTakesTypedText", "ab", 2, 2,
     "ENABLEWINDOW FALSE\nTYPE \"c\"\nTYPE \"d\"\nENABLEWINDOW FALSE", "abcd", 4, 4},
};

INSTANTIATE_TEST_SUITE_P(Steps, MacroPlaySteps, ::testing::ValuesIn(kPlayCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MacroPlayTest, HeldKeysAreReleasedAtTheEnd) {
    KeyState keys;
    keys.install(qApp);
    view->macroCommands().setKeyState(&keys);
    play("xyz", QStringLiteral("LOCK CTRL\nLOCK SHIFT\nTYPE RIGHT"));
    EXPECT_EQ(view->GetSel(), std::make_pair(0, 3)) << "Ctrl+Shift+Right selects a word";
    EXPECT_FALSE(keys.isKeyDown(0x10));
    EXPECT_FALSE(keys.isKeyDown(0x11));
    EXPECT_FALSE(view->macroCommands().macro().ctrlHeld);
}

// SAVE to the document's own file is the program's own write, not another's.
TEST_F(MacroPlayTest, SaveToTheOwnFileIsNoOutsideChange) {
    play("abc",
         QStringLiteral("TYPE \"x\"\nSAVE \"") + files.path("text.txt") + QStringLiteral("\""));
    EXPECT_EQ(files.read(QStringLiteral("text.txt")), "xabc");
    view->document().CheckOutsideChange();
    EXPECT_TRUE(env.messages.shown().empty()) << env.messages.texts().join(u'|').toStdString();
}

TEST_F(MacroPlayTest, PathsResolveAgainstTheMacroFolderAndSaveKeepsTheName) {
    files.write(QStringLiteral("other.txt"), "other\r\n");
    files.write(QStringLiteral("m.mcr"),
                "OPEN \"other.txt\"\nTYPE \"new \"\nSAVE \"copy.txt\"\nTYPE \"!\"\n");
    Macro& macro = view->macroCommands().macro();
    ASSERT_TRUE(MacroLoad(macro, files.path("m.mcr"),
                          MacroFileServices{env.messages, Locale(0x0411, 0x0411), env.clock}));
    ASSERT_TRUE(view->onCommand(cmd::ID_MACRO_PLAY));
    EXPECT_EQ(files.read(QStringLiteral("copy.txt")), "new other\r\n");
    EXPECT_EQ(files.read(QStringLiteral("other.txt")), "other\r\n");
    EXPECT_EQ(view->state().currentPath, files.path("other.txt"));
    EXPECT_EQ(view->GetText(), QStringLiteral("new !other\r\n"));
    EXPECT_TRUE(env.messages.shown().empty());
}

// The question before a changed text is discarded: No goes on, Cancel skips
// the step, Yes saves first (here the save dialog is cancelled, so the step
// is skipped with its message).
TEST_F(MacroPlayTest, NewFileAsksAboutChanges) {
    view->document().setFileDialog(std::make_unique<ScriptedFileDialog>());
    const QString asked = QStringLiteral("ファイルは更新されています。\n変更を保存しますか？");
    const struct {
        int answer;
        const char* result;
        QStringList messages;
    } cases[] = {
        {mb::IDNO, "", {asked}},
        {mb::IDCANCEL, "x", {asked}},
        {mb::IDYES, "x", {asked, QStringLiteral("新しいファイルの作成を中止します。")}},
    };
    for (const auto& c : cases) {
        env.messages.clear();
        env.messages.queueAnswer(c.answer);
        play("", QStringLiteral("TYPE \"x\"\nNEWFILE"));
        EXPECT_EQ(view->GetText(), QString::fromUtf8(c.result)) << c.answer;
        EXPECT_EQ(env.messages.texts(), c.messages) << c.answer;
    }
    env.messages.clear();
    play("", QStringLiteral("TYPE \"x\"\nNEWFILE /F"));
    EXPECT_EQ(view->GetText(), QString());
    EXPECT_TRUE(env.messages.shown().empty());
}

// A stop during a long SLEEP ends the wait at once and asks; No goes on with
// the next step, Yes skips the rest.
TEST_F(MacroPlayTest, StopDuringSleepAsks) {
    for (const int answer : {mb::IDNO, mb::IDYES}) {
        env.messages.clear();
        env.messages.queueAnswer(answer);
        QTimer::singleShot(50, view.get(), [this] {
            EXPECT_TRUE(view->state().macroPlaying);
            EXPECT_TRUE(view->onCommand(cmd::ID_MACRO_STOP));
        });
        QElapsedTimer elapsed;
        elapsed.start();
        play("", QStringLiteral("TYPE \"a\"\nSLEEP 30000\nTYPE \"b\""));
        EXPECT_LT(elapsed.elapsed(), 10000);
        EXPECT_EQ(view->GetText(), answer == mb::IDNO ? QStringLiteral("ab") : QStringLiteral("a"));
        EXPECT_EQ(env.messages.texts(),
                  QStringList{QStringLiteral("マクロの実行を中止しますか？")});
        EXPECT_FALSE(view->state().macroPlaying);
    }
}

// Playing starts only when Ctrl, Shift, Alt and P are up; every 2 s until
// then it says so.
TEST_F(MacroPlayTest, WaitsForTheKeysThatStartedIt) {
    KeyState keys;
    keys.install(qApp);
    view->macroCommands().setKeyState(&keys);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    QApplication::sendEvent(&view->activeEdit(), &press);
    ASSERT_TRUE(keys.isKeyDown('P'));
    // A repeat of the keys while waiting starts no second playback.
    QTimer::singleShot(100, view.get(), [this] { view->onCommand(cmd::ID_MACRO_PLAY); });
    QTimer::singleShot(2300, view.get(), [this] {
        for (const Qt::Key key : {Qt::Key_P, Qt::Key_Control, Qt::Key_Shift}) {
            QKeyEvent release(QEvent::KeyRelease, key, Qt::ControlModifier | Qt::ShiftModifier);
            QApplication::sendEvent(&view->activeEdit(), &release);
        }
    });
    play("", QStringLiteral("TYPE \"p\""));
    EXPECT_EQ(view->GetText(), QStringLiteral("p"));
    ASSERT_EQ(env.messages.shown().size(), 1u);
    EXPECT_TRUE(env.messages.shown()[0].text.startsWith(
        QStringLiteral("マクロを実行するには Ctrl, Shift, Alt, \"P\"キーを放してください。")));
}

// Nothing that would change the playing macro runs meanwhile.
TEST_F(MacroPlayTest, CommandsThatChangeTheMacroWaitForItsEnd) {
    QStringList enabled;
    QTimer::singleShot(20, view.get(), [&] {
        for (int id : {cmd::ID_MACRO_LOAD, cmd::ID_MACRO_SAVE, cmd::ID_MACRO_RECORD,
                       cmd::ID_MACRO_START_RECORDING, cmd::ID_MACRO_PLAY, cmd::ID_SETTINGS,
                       cmd::ID_MACRO_STOP}) {
            CommandState state;
            if (view->onUpdateCommand(id, state) && state.enabled)
                enabled << QString::number(id);
        }
        view->onCommand(cmd::ID_MACRO_RECORD);
        view->onCommand(cmd::ID_MACRO_PLAY);
    });
    play("", QStringLiteral("SLEEP 200\nTYPE \"z\""));
    EXPECT_EQ(enabled, QStringList{QString::number(cmd::ID_MACRO_STOP)});
    EXPECT_EQ(view->GetText(), QStringLiteral("z"));
    EXPECT_FALSE(view->state().macroRecording);
}

// tavlo-cli macro run --dry-run prints what the window shows after playing
// the same macro over the same file (in the file's line ending).
TEST_F(MacroPlayTest, CommandLineDryRunGivesTheWindowsText) {
    const QByteArray file = "いろは\nabc abc\n\nxyz";
    const QByteArray source = "REPLACE /A \"abc\" \"d\"\nGOTO +2\nTYPE \"に\\n\"\n"
                              "SELECT LINE\nCOPY\nGOTO HOME\nPASTE\nTYPE SHIFT \"k\"\n"
                              "GOTO END\nTYPE BS\nMARKUP \"<\\t>\"\n";
    files.write(QStringLiteral("m.mcr"), source);
    play(file, QString::fromUtf8(source));
    QString window = view->GetText();
    window.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));

    QProcess cli;
    cli.start(QStringLiteral(TAVLO_CLI),
              {"macro", "run", "--dry-run", files.path("m.mcr"), files.path("text.txt")});
    ASSERT_TRUE(cli.waitForFinished(60000));
    EXPECT_EQ(cli.exitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(cli.readAllStandardOutput()), window);
    EXPECT_EQ(window, QStringLiteral("xyzKいろは\nd d\n\nに\nxy<>"));
    EXPECT_EQ(files.read(QStringLiteral("text.txt")), file);
}

} // namespace
