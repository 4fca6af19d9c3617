#include "ViewMacroCommands.h"
#include "WaitFor.h"

#include "CQSDFileDialog.h"
#include "CommandIds.h"
#include "MacroFiles.h"
#include "MacroLoadErrorDialog.h"
#include "MacroLoader.h"
#include "QsdMacroFileChooser.h"
#include "TempFiles.h"
#include "ViewTestSupport.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

namespace {

class ViewMacroTest : public ::testing::Test {
  protected:
    // Closes every load-error dialog as soon as it runs, keeping its text,
    // so that no test waits for a hand on the keyboard.
    void SetUp() override {
        QObject::connect(&watcher, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<MacroLoadErrorDialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible())
                return;
            errorDialogTexts.append(dialog->reportEdit()->toPlainText());
            errorDialogParent = dialog->parentWidget();
            dialog->reject();
        });
        watcher.start(5);
    }

    QString path(const QString& name) const { return files.path(name); }
    QString folder() const { return files.folder() + u'/'; }

    // The macro file dialog types the name and presses OK (an empty name
    // cancels); it records the folder it started in and counts its runs.
    void scriptDialog(CEditer& view, const QString& name) {
        view.macroCommands().fileChooser().setRunHook([this, name](CQSDFileDialog& dialog) {
            ++dialogRuns;
            dialogFolder = dialog.initialDir;
            if (name.isEmpty()) {
                dialog.reject();
                return dialog.result();
            }
            dialog.nameBox()->setText(name);
            dialog.runOk();
            if (dialog.result() != QDialog::Accepted)
                dialog.runOk();
            return dialog.result();
        });
    }

    // The settings that ask for a macro to be loaded at start-up.
    void startupMacro(int load, const QString& name) {
        ASSERT_TRUE(env.settings->writeInt(QStringLiteral("LOAD_DAFAULT_MACRO"), load));
        ASSERT_TRUE(
            env.settings->writeString(QStringLiteral("DEFAULT_MACRO_FILE_NAME"), path(name)));
    }

    // A view whose play-button tooltips are kept in `tooltips`.
    std::unique_ptr<CEditer> makeView() {
        auto view = env.makeView();
        view->macroCommands().setPlayButtonTooltipSetter(
            [this](const QString& tooltip) { tooltips.append(tooltip); });
        return view;
    }

    TempFiles files;
    ViewEnvironment env;
    int dialogRuns = 0;
    QString dialogFolder;
    QStringList errorDialogTexts;
    QStringList tooltips;
    QTimer watcher;
    QWidget* errorDialogParent = nullptr;
};

const QByteArray kGoodMacro = "# a macro for the tests\n"
                              "TOOLTIP \"Copy and paste\"\n"
                              "EXPLAIN \"Copies the selection\\nand pastes it.\"\n"
                              "COPY\n"
                              "PASTE\n"
                              "FIND \"abc\"\n";

} // namespace

TEST_F(ViewMacroTest, LoadMacroCommandLoadsStepsSetsTheTooltipAndExplains) {
    ASSERT_TRUE(env.settings->writeString(QStringLiteral("MRU_FOLDER"), folder()));
    files.write(QStringLiteral("good.mcr"), kGoodMacro);
    auto view = makeView();
    EXPECT_TRUE(commandEnabled(*view, cmd::ID_MACRO_LOAD));
    EXPECT_FALSE(commandEnabled(*view, cmd::ID_MACRO_SAVE));
    // A cancelled dialog keeps nothing and shows nothing.
    scriptDialog(*view, QString());
    ASSERT_TRUE(view->onCommand(cmd::ID_MACRO_LOAD));
    EXPECT_TRUE(view->macroCommands().macro().steps.empty());
    EXPECT_TRUE(env.messages.shown().empty());

    scriptDialog(*view, QStringLiteral("good.mcr"));
    ASSERT_TRUE(view->onCommand(cmd::ID_MACRO_LOAD));
    EXPECT_EQ(dialogRuns, 2);
    // The dialog starts in the folder read from MRU_FOLDER.
    EXPECT_EQ(dialogFolder, folder());
    Macro expected;
    parseMacroText(expected, QStringLiteral("COPY\nPASTE\nFIND \"abc\""));
    EXPECT_EQ(view->macroCommands().macro().steps, expected.steps);
    EXPECT_EQ(tooltips, QStringList{QStringLiteral("Copy and paste")});
    ASSERT_EQ(env.messages.shown().size(), 1u);
    const auto& box = env.messages.shown()[0];
    EXPECT_EQ(std::tuple(box.text, box.caption, box.style),
              std::tuple(u"Copies the selection\r\nand pastes it."_qs, u"マクロの説明"_qs,
                         mb::MB_OK | mb::MB_ICONINFORMATION));
    EXPECT_TRUE(errorDialogTexts.isEmpty());

    // Steps and no recording: Save Macro is offered.
    EXPECT_TRUE(commandEnabled(*view, cmd::ID_MACRO_SAVE));
}

TEST_F(ViewMacroTest, BrokenMacroShowsTheReportWithTheCancelNotice) {
    files.write(QStringLiteral("broken.mcr"), "TOOLTIP \"never\"\nCOPY\nFIND \"\"\nPASTE\n");
    auto view = makeView();
    scriptDialog(*view, path(QStringLiteral("broken.mcr")));

    ASSERT_TRUE(view->onCommand(cmd::ID_MACRO_LOAD));

    EXPECT_EQ(errorDialogTexts,
              QStringList{QStringLiteral(
                  "*** ERROR (3): 検索文字列の指定にあやまりがあります。\n"
                  "\n ----------------------------\n"
                  "\u3000\u3000エラーが発生したため、マクロのロードを中止しました。")});
    ASSERT_NE(errorDialogParent, nullptr);
    EXPECT_EQ(errorDialogParent->window(), view->window());
    // A cancelled load neither sets the tooltip nor keeps steps.
    EXPECT_TRUE(tooltips.isEmpty());
    EXPECT_TRUE(view->macroCommands().macro().steps.empty());
    EXPECT_TRUE(env.messages.shown().empty());
    EXPECT_FALSE(commandEnabled(*view, cmd::ID_MACRO_SAVE));
}

TEST_F(ViewMacroTest, SaveMacroWritesALoadableFileOnlyWithStepsAndNoRecording) {
    auto view = env.makeView();
    scriptDialog(*view, path(QStringLiteral("out.mcr")));
    EXPECT_FALSE(commandEnabled(*view, cmd::ID_MACRO_SAVE));
    EXPECT_TRUE(view->onCommand(cmd::ID_MACRO_SAVE));
    EXPECT_EQ(dialogRuns, 0);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("out.mcr"))));

    files.write(QStringLiteral("good.mcr"), kGoodMacro);
    scriptDialog(*view, path(QStringLiteral("good.mcr")));
    ASSERT_TRUE(view->onCommand(cmd::ID_MACRO_LOAD));
    ASSERT_EQ(dialogRuns, 1);
    // While recording, Load and Save are off and do nothing even when the
    // command arrives.
    view->state().macroRecording = true;
    EXPECT_FALSE(commandEnabled(*view, cmd::ID_MACRO_LOAD));
    EXPECT_FALSE(commandEnabled(*view, cmd::ID_MACRO_SAVE));
    EXPECT_TRUE(view->onCommand(cmd::ID_MACRO_LOAD));
    EXPECT_TRUE(view->onCommand(cmd::ID_MACRO_SAVE));
    EXPECT_EQ(dialogRuns, 1);
    EXPECT_EQ(view->macroCommands().macro().steps.size(), 3u);
    view->state().macroRecording = false;
    EXPECT_TRUE(commandEnabled(*view, cmd::ID_MACRO_LOAD));

    scriptDialog(*view, path(QStringLiteral("out.mcr")));
    ASSERT_TRUE(commandEnabled(*view, cmd::ID_MACRO_SAVE));
    ASSERT_TRUE(view->onCommand(cmd::ID_MACRO_SAVE));
    EXPECT_EQ(dialogRuns, 2);

    EXPECT_TRUE(files.read(QStringLiteral("out.mcr")).startsWith("\xFF\xFE"));
    Macro again;
    ASSERT_TRUE(MacroLoad(again, path(QStringLiteral("out.mcr")),
                          MacroFileServices{env.messages, Locale(0x0411, 0x0411), env.clock}));
    EXPECT_EQ(again.steps, view->macroCommands().macro().steps);
}

TEST_F(ViewMacroTest, StartupLoadOfAMissingFileNamesIt) {
    const QString missing = path(QStringLiteral("missing.mcr"));
    startupMacro(1, QStringLiteral("missing.mcr"));
    auto view = env.makeView();
    TAVLO_TRY_COMPARE(env.messages.shown().size(), size_t(2));
    EXPECT_EQ(env.messages.shown()[0].text, macrotext::readError(missing));
    EXPECT_EQ(
        env.messages.shown()[1].text,
        QStringLiteral("起動時に読み込みの指定がある下記マクロファイルのロードでエラーが起こり"
                       "ました。\n\n") +
            missing);
    EXPECT_EQ(env.messages.shown()[1].caption, QStringLiteral("Tavloテキストエディタ"));
    EXPECT_EQ(env.messages.shown()[1].style, mb::MB_OK | mb::MB_ICONERROR);
    EXPECT_TRUE(view->macroCommands().macro().steps.empty());
}

TEST_F(ViewMacroTest, NoStartupLoadUnlessAsked) {
    files.write(QStringLiteral("startup.mcr"), kGoodMacro);
    startupMacro(0, QStringLiteral("startup.mcr"));
    auto view = env.makeView();
    // A later posted event runs after the view's own would have.
    bool later = false;
    QMetaObject::invokeMethod(
        qApp, [&] { later = true; }, Qt::QueuedConnection);
    TAVLO_TRY_VERIFY(later);
    EXPECT_TRUE(view->macroCommands().macro().steps.empty());
    EXPECT_TRUE(env.messages.shown().empty());
}

TEST_F(ViewMacroTest, LastFolderGoesToMruFolderWhenTheViewEnds) {
    const QString sub = path(QStringLiteral("macros"));
    files.write(QStringLiteral("macros/good.mcr"), kGoodMacro);
    {
        auto view = env.makeView();
        scriptDialog(*view, sub + QStringLiteral("/good.mcr"));
        ASSERT_TRUE(view->onCommand(cmd::ID_MACRO_LOAD));
        EXPECT_EQ(view->macroCommands().macro().lastFolder, sub + u'/');
        EXPECT_NE(env.settings->getString(QStringLiteral("MRU_FOLDER")), sub + u'/');
    }
    EXPECT_EQ(env.settings->getString(QStringLiteral("MRU_FOLDER")), sub + u'/')
        << "read back at the next start: the load test";
}
