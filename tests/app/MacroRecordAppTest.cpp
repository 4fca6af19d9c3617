#include "AppFixture.h"
#include "CEditer.h"
#include "CMainFrame.h"
#include "CTextEdit.h"
#include "CommandActions.h"
#include "CommandIds.h"
#include "MacroFiles.h"
#include "ReplaceBar.h"
#include "SearchBarController.h"
#include "ViewMacroCommands.h"

#include <QLineEdit>
#include <QMenu>
#include <QTest>

namespace {

using MacroRecordInTheEditor = AppFixture;

// The whole editor: keys typed and a replace made while recording, saved as a
// macro file, loaded again and played over the original text give the same
// text; the menu says how to end the recording while it runs.
TEST_F(MacroRecordInTheEditor, RecordingSavedLoadedAndPlayedGivesTheSameText) {
    const QString textPath = files.write("text.txt", "cat dog cat\r\nbird\r\n");
    auto editor = makeApp(textPath);
    CEditorApp& app = *editor;
    ASSERT_TRUE(app.InitInstance());
    CMainFrame* frame = app.mainFrame();
    CEditer* view = app.activeView();
    ASSERT_TRUE(frame && view);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame));
    CTextEdit& edit = view->activeEdit();
    // The menu's items, pop-ups included, are its children.
    const QList<QAction*> items = frame->commandBarMenu()->findChildren<QAction*>();
    const auto it = std::find_if(items.begin(), items.end(), [](const QAction* a) {
        return CommandActions::commandId(a) == cmd::ID_MACRO_RECORD;
    });
    ASSERT_NE(it, items.end());
    QAction* record = *it;

    ASSERT_TRUE(app.router().execute(cmd::ID_MACRO_RECORD));
    frame->commandActions().updateAction(record);
    EXPECT_EQ(record->text(), QStringLiteral("記録終了(&R)\tShift+Ctrl+R"));
    EXPECT_FALSE(app.router().query(cmd::ID_MACRO_PLAY).enabled);
    EXPECT_TRUE(app.router().query(cmd::ID_MACRO_STOP).enabled);
    view->SetSel(0, 0);
    QTest::keyClicks(&edit, QStringLiteral("Hi \"q\"\\"));
    QTest::keyClick(&edit, Qt::Key_Return);
    QTest::keyClick(&edit, Qt::Key_Tab);
    QTest::keyClick(&edit, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(&edit, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClicks(&edit, QStringLiteral("X"));
    QTest::keyClick(&edit, Qt::Key_Backspace);
    ASSERT_TRUE(app.router().execute(cmd::ID_EDIT_REPLACE));
    frame->searchBars()->replaceBar()->setSearchText(QStringLiteral("cat"));
    frame->searchBars()->replaceBar()->replaceTextBox()->setText(QStringLiteral("cow"));
    ASSERT_TRUE(app.router().execute(cmd::ID_REPLACE_ALL));
    QTest::keyClick(&edit, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(&edit, QStringLiteral("z"));
    ASSERT_TRUE(app.router().execute(cmd::ID_MACRO_STOP));
    frame->commandActions().updateAction(record);
    EXPECT_EQ(record->text(), QStringLiteral("マクロの記録(&R)\tShift+Ctrl+R"));
    const QString recorded = view->GetText();
    EXPECT_EQ(recorded, QStringLiteral("Hi \"q\"\\\r\n\tt dog cow\r\nbird\r\nz"));

    Macro& macro = view->macroCommands().macro();
    const MacroFileServices services{messages, Locale(0x0411, 0x0411), clock};
    ASSERT_TRUE(MacroSave(macro, files.path("rec.mcr"), services));
    messages.queueAnswer(mb::IDNO);
    ASSERT_TRUE(view->OpenFileByPath(textPath));
    ASSERT_TRUE(MacroLoad(macro, files.path("rec.mcr"), services));
    EXPECT_TRUE(macro.report.isEmpty()) << macro.report.toStdString();
    ASSERT_TRUE(app.router().execute(cmd::ID_MACRO_PLAY));
    EXPECT_EQ(view->GetText(), recorded);
    EXPECT_EQ(messages.texts().count(QStringLiteral("1 箇所の文字列を置換しました。")), 2)
        << messages.texts().join(u'|').toStdString();
    EXPECT_EQ(app.ExitInstance(), 0);
}

} // namespace
