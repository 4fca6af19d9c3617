#include "MacroTestSupport.h"
#include "TempFiles.h"

#include "Clock.h"
#include "FileNameBytes.h"
#include "MacroCommands.h"
#include "MacroFileDialog.h"
#include "MacroFiles.h"
#include "MacroSource.h"
#include "MacroStepValues.h"
#include "MacroWriter.h"
#include "MessageService.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class ScriptedChooser : public MacroFileChooser {
  public:
    std::optional<QString> answer;
    std::vector<MacroFileRequest> requests;

    std::optional<QString> MacroFileDialog(MacroFileRequest& request) override {
        requests.push_back(request);
        return answer;
    }
};

class RecordingPresenter : public MacroLoadPresenter {
  public:
    QStringList errorTexts;
    QStringList tooltips;
    void showLoadErrors(const QString& text) override { errorTexts.append(text); }
    void setPlayButtonTooltip(const QString& tooltip) override { tooltips.append(tooltip); }
};

class MacroFilesTest : public ::testing::Test {
  protected:
    QString path(const QString& name) const { return files.path(name); }

    MacroFileServices services() {
        return MacroFileServices{messages, Locale(0x0411, 0x0411), clock, &chooser, nullptr};
    }

    TempFiles files;
    ScriptedMessageService messages;
    FixedClock clock{QDateTime(QDate(2026, 4, 9), QTime(10, 0))};
    ScriptedChooser chooser;
    RecordingPresenter presenter;
};

} // namespace

TEST_F(MacroFilesTest, MissingFileOrFolderShowsTheReadError) {
    Macro macro;
    macro.steps.push_back(makeStep(MacroCommand::Paste));
    EXPECT_FALSE(MacroLoad(macro, path("none.mcr"), services()));
    EXPECT_TRUE(macro.steps.empty());
    EXPECT_FALSE(MacroLoad(macro, files.folder(), services()));
    const QString error = QStringLiteral("マクロファイルの読み込みでエラーが発生しました。\n\n");
    ASSERT_EQ(messages.texts(), (QStringList{error + path("none.mcr"), error + files.folder()}));
    EXPECT_EQ(messages.shown()[0].style & mb::MB_ICONMASK, mb::MB_ICONERROR);
}

TEST_F(MacroFilesTest, CancelledDialogLeavesTheMacroCleared) {
    Macro macro;
    macro.lastFolder = files.folder() + u'/';
    macro.steps.push_back(makeStep(MacroCommand::Paste));
    macro.tooltip = QStringLiteral("old");
    EXPECT_FALSE(MacroLoad(macro, std::nullopt, services()));
    EXPECT_TRUE(macro.steps.empty());
    EXPECT_TRUE(macro.tooltip.isEmpty());
    // What the dialog is given: QsdMacroFileChooserTest.
    ASSERT_EQ(chooser.requests.size(), 1u);
    EXPECT_EQ(chooser.requests[0].mode, MacroFileMode::Open);
    EXPECT_EQ(chooser.requests[0].folder, files.folder() + u'/');
    EXPECT_EQ(macro.lastFolder, files.folder() + u'/');
    // A chosen file's folder becomes the last folder: ViewMacroCommandsTest.
}

// A saved macro loads again: ViewMacroCommandsTest, MacroRecordAppTest.
TEST_F(MacroFilesTest, SaveWritesUtf16WithHeader) {
    Macro macro;
    macro.steps = {makeStep(MacroCommand::Type, QStringLiteral("\"あ\"")),
                   makeStep(MacroCommand::Copy)};
    ASSERT_TRUE(MacroSave(macro, path("s.mcr"), services()));
    const QString expected = QStringLiteral("# ================================\n"
                                            "# ==  Tavloエディタ マクロファイル\n"
                                            "# ==\n"
                                            "# ==  作成日：2026年 4月 9日\n\n"
                                            "VERSION 1.00\n\n"
                                            "TYPE \"あ\"\nCOPY\n");
    EXPECT_EQ(files.read("s.mcr"),
              "\xFF\xFE" +
                  QByteArray(reinterpret_cast<const char*>(expected.utf16()), expected.size() * 2));
}

TEST_F(MacroFilesTest, ANameThatIsNotUtf8IsSavedAndLoadedByItsOwnBytes) {
    const QByteArray name = files.folder().toUtf8() + "/m\xff\xfe.mcr";
    Macro macro;
    macro.steps = {makeStep(MacroCommand::Copy)};
    ASSERT_TRUE(MacroSave(macro, textFromBytes(name), services()));
    EXPECT_EQ(::access(name.constData(), F_OK), 0);
    const QByteArray replaced = files.folder().toUtf8() + "/m\uFFFD\uFFFD.mcr";
    EXPECT_NE(::access(replaced.constData(), F_OK), 0);
    Macro loaded;
    ASSERT_TRUE(MacroLoad(loaded, textFromBytes(name), services()));
    EXPECT_EQ(loaded.steps.size(), 1u);
    ::unlink(name.constData());
}

TEST_F(MacroFilesTest, SaveDialogProposesTheFirstFreeName) {
    files.write("新規マクロ(1).mcr", "");
    files.write("新規マクロ(2).mcr", "");
    files.write("新規マクロ(3).mcr", "");
    Macro macro;
    macro.lastFolder = files.folder() + u'/';
    macro.steps = {makeStep(MacroCommand::Cut)};
    EXPECT_FALSE(MacroSave(macro, std::nullopt, services()));
    ASSERT_EQ(chooser.requests.size(), 1u);
    const MacroFileRequest& request = chooser.requests[0];
    EXPECT_EQ(request.mode, MacroFileMode::Save);
    EXPECT_EQ(request.fileName, QStringLiteral("新規マクロ(4).mcr"));
    EXPECT_FALSE(QFile::exists(path("新規マクロ(4).mcr")));

    QDir(files.folder()).mkdir("out");
    chooser.answer = path("out/x.mcr");
    ASSERT_TRUE(MacroSave(macro, std::nullopt, services()));
    EXPECT_EQ(macro.lastFolder, path("out") + u'/');
    EXPECT_TRUE(QFile::exists(path("out/x.mcr")));
}

TEST_F(MacroFilesTest, SaveIntoAMissingFolderOrOverAFolderFailsWithMessage) {
    QDir(files.folder()).mkdir("taken.mcr");
    Macro macro;
    macro.steps = {makeStep(MacroCommand::Cut)};
    for (const QString& target : {path("no/such/dir/m.mcr"), path("taken.mcr")}) {
        messages.clear();
        EXPECT_FALSE(MacroSave(macro, target, services()));
        ASSERT_EQ(
            messages.texts(),
            QStringList{u"マクロファイルの書き込み中にエラーが発生しました。\n\n"_qs + target});
        EXPECT_EQ(messages.shown()[0].style & mb::MB_ICONMASK, mb::MB_ICONERROR);
    }
    EXPECT_TRUE(QFileInfo(path("taken.mcr")).isDir());
}

// A write that fails halfway (file size limit, which holds for root too)
// leaves the old file as it was.
TEST_F(MacroFilesTest, FailedWriteKeepsTheOldFile) {
    files.write("old.mcr", "COPY\n");
    Macro macro;
    for (int i = 0; i < 2000; ++i)
        macro.steps.push_back(makeStep(MacroCommand::Type, QStringLiteral("\"some typed text\"")));
    const QString target = path("old.mcr");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        _exit(writeMacroFile(macro, target, QDate(2026, 1, 1)) ? 0 : 3);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 3);
    EXPECT_EQ(files.read("old.mcr"), QByteArray("COPY\n"));
    EXPECT_EQ(QDir(files.folder()).entryList(QDir::Files), QStringList{"old.mcr"});
}

TEST_F(MacroFilesTest, LoadCommandShowsReportTooltipAndExplanation) {
    files.write("ok.mcr", "TOOLTIP \"Play me\"\nEXPLAIN \"Line 1\\nLine 2\"\nCOPY /A\n");
    chooser.answer = path("ok.mcr");
    Macro macro;
    ASSERT_TRUE(MacroLoadCommand(macro, services(), presenter));
    EXPECT_EQ(
        presenter.errorTexts,
        QStringList{QStringLiteral(
            "    Worning (3): COPY コマンドで無効なオプション \"/A\" が指定されています。\r\n")});
    EXPECT_EQ(presenter.tooltips, QStringList{QStringLiteral("Play me")});
    // The explanation's box: ViewMacroCommandsTest.
}

// A cancelled load, and a failed one at start-up: ViewMacroCommandsTest.
TEST_F(MacroFilesTest, QuietFileShowsNothing) {
    files.write("quiet.mcr", "# only a comment\n");
    Macro macro;
    ASSERT_TRUE(MacroStartupLoad(macro, path("quiet.mcr"), services(), presenter));
    EXPECT_TRUE(presenter.errorTexts.isEmpty());
    EXPECT_TRUE(presenter.tooltips.isEmpty());
    EXPECT_TRUE(messages.shown().empty());
}

TEST(MacroFileDialogFlags, BuiltFromTheSettings) {
    EXPECT_EQ(macroFileSelectFlags(MacroFileMode::Open, 1, 1, 1), 0x1D210u | 0x1u | 0x8000000u);
    EXPECT_EQ(macroFileSelectFlags(MacroFileMode::Save, 1, 0, 2), 0x26D210u | 0x800000u);
    EXPECT_EQ(macroFileSelectFlags(MacroFileMode::Open, 0, 0, 0), 0x15210u);
    EXPECT_EQ(macroFileSelectFlags(MacroFileMode::Save, 0, 1, 3), 0x265211u);
    MacroFileRequest request;
    EXPECT_EQ(macroFileDialogTitle(request), QStringLiteral("Open Macro File"));
    request.mode = MacroFileMode::Save;
    EXPECT_EQ(macroFileDialogTitle(request), QStringLiteral("Save Macro File"));
}
