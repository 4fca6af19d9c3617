// The view's edit commands: enable rules, targets, jump and help.
#include "EditCommands.h"
#include "CommandIds.h"
#include "JumpDialog.h"
#include "StringTable.h"
#include "ViewTestSupport.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QSlider>
#include <QUrl>

using EditCommandsTest = ViewTest;

TEST_F(EditCommandsTest, PasteNeedsTextOnTheClipboard) {
    auto* image = new QMimeData;
    image->setData(QStringLiteral("image/png"), QByteArray("\x89PNG", 4));
    QGuiApplication::clipboard()->setMimeData(image);
    EXPECT_FALSE(enabled(cmd::ID_EDIT_PASTE));
    QGuiApplication::clipboard()->setText(QStringLiteral("テキスト"));
    EXPECT_TRUE(enabled(cmd::ID_EDIT_PASTE));
    view->onCommand(cmd::ID_EDIT_PASTE);
    EXPECT_EQ(view->GetText(), QStringLiteral("テキスト"));
}

TEST_F(EditCommandsTest, CutCopyUndoAndSelectAllOnTheActiveControl) {
    view->SetText(QStringLiteral("hello world"));
    EXPECT_FALSE(enabled(cmd::ID_EDIT_CUT));
    EXPECT_FALSE(enabled(cmd::ID_EDIT_COPY));
    EXPECT_FALSE(enabled(cmd::ID_EDIT_UNDO));
    view->SetSel(0, 6);
    EXPECT_TRUE(enabled(cmd::ID_EDIT_CUT));
    view->onCommand(cmd::ID_EDIT_CUT);
    EXPECT_EQ(view->GetText(), QStringLiteral("world"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("hello "));
    EXPECT_TRUE(enabled(cmd::ID_EDIT_UNDO));
    view->onCommand(cmd::ID_EDIT_UNDO);
    EXPECT_EQ(view->GetText(), QStringLiteral("hello world"));
    view->onCommand(cmd::ID_EDIT_SELECT_ALL);
    EXPECT_EQ(view->GetSel(), std::make_pair(0, 11));
}

TEST_F(EditCommandsTest, TheBarsTextBoxIsTheTargetWhileItHasTheFocus) {
    QLineEdit box(QStringLiteral("search text"));
    box.setSelection(0, 6);
    view->editCommands().setBarTextBoxProvider([&box] { return &box; });
    view->SetText(QStringLiteral("view"));
    EXPECT_TRUE(enabled(cmd::ID_EDIT_COPY));
    view->onCommand(cmd::ID_EDIT_CUT);
    EXPECT_EQ(box.text(), QStringLiteral(" text"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("search"));
    EXPECT_EQ(view->GetText(), QStringLiteral("view"));
    view->onCommand(cmd::ID_EDIT_PASTE);
    EXPECT_EQ(box.text(), QStringLiteral("search text"));
    EXPECT_EQ(view->GetText(), QStringLiteral("view"));
}

TEST_F(EditCommandsTest, JumpPutsTheCaretOnTheTargetLine) {
    view->SetText(numberedLines(2));
    view->SetSel(8, 8);
    view->editCommands().JumpTo(1);
    EXPECT_EQ(view->GetSel(), std::make_pair(0, 0));
    EXPECT_EQ(view->GetFirstVisibleLine(), 0);

    view->SetText(numberedLines(200));
    view->editCommands().setJumpRunner([](JumpDialog& d) {
        EXPECT_EQ(d.lastLine(), 200);
        EXPECT_EQ(d.targetBox()->text(), QStringLiteral("1"));
        d.targetBox()->setText(QStringLiteral("100"));
        d.accept();
        return d.result();
    });
    view->onCommand(cmd::ID_EDIT_JUMP);
    EXPECT_EQ(view->LineFromChar(view->GetSel().first), 99);
    EXPECT_EQ(view->GetSel().first, view->LineIndex(99));
    EXPECT_EQ(view->GetFirstVisibleLine(), 96);
}

TEST_F(EditCommandsTest, JumpDialogRefusesLinesOutsideTheText) {
    JumpDialog dialog(1, 2, env.messages);
    EXPECT_EQ(dialog.trackBar()->minimum(), 1);
    EXPECT_EQ(dialog.trackBar()->maximum(), 2);
    EXPECT_EQ(dialog.trackBar()->tickInterval(), 1);
    for (const char* typed : {"0", "3", "abc"}) {
        dialog.targetBox()->setText(QString::fromLatin1(typed));
        dialog.accept();
        EXPECT_NE(dialog.result(), QDialog::Accepted) << typed;
    }
    const QString expected = res::substitute(*res::loadString(33006), 2);
    EXPECT_EQ(env.messages.texts(), QStringList(3, expected));
    EXPECT_EQ(dialog.targetBox()->selectedText(), QStringLiteral("abc"));

    // Dragging the track bar writes its position into the box.
    dialog.trackBar()->setSliderDown(true);
    dialog.trackBar()->setSliderPosition(2);
    EXPECT_EQ(dialog.targetBox()->text(), QStringLiteral("2"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.target(), 2);
}

TEST_F(EditCommandsTest, HelpOpensTheBundledPageAtItsContents) {
    QString opened;
    view->editCommands().setHelpOpener([&](const QString& url) {
        opened = url;
        return true;
    });
    ASSERT_TRUE(enabled(cmd::ID_HELP));
    view->onCommand(cmd::ID_HELP);
    ASSERT_TRUE(opened.endsWith(QStringLiteral("/TAVLO100.htm#MAIN_CONTENTS")))
        << opened.toStdString();
    QFile page(QUrl(opened).toLocalFile());
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());
    EXPECT_TRUE(html.contains(QStringLiteral("id=\"MAIN_CONTENTS\"")));
    EXPECT_TRUE(html.contains(QStringLiteral("Tavloテキストエディタ")));
    EXPECT_TRUE(env.messages.shown().empty());

    // Without a viewer the user is told where the page is.
    view->editCommands().setHelpOpener([](const QString&) { return false; });
    view->onCommand(cmd::ID_HELP);
    ASSERT_EQ(env.messages.shown().size(), 1u);
    EXPECT_TRUE(env.messages.shown().front().text.startsWith(
        QStringLiteral("ヘルプを表示できません。")));
    EXPECT_TRUE(env.messages.shown().front().text.endsWith(QUrl(opened).toLocalFile()));
}
