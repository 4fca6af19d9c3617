#include "Clock.h"
#include "CommandIds.h"
#include "FakeSearchTarget.h"
#include "FindBar.h"
#include "MessageService.h"
#include "ReplaceBar.h"
#include "SearchBarController.h"
#include "SearchBarHost.h"
#include "TempProfile.h"
#include "WaitFor.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace cmd;

// The window side of the bars: an edit target in memory, the real search
// operations, and a focus widget standing in for the edit control.
class FakeHost : public SearchBarHost {
  public:
    FakeHost() : search_(clock_, messages) {}

    bool search(const QString& text, SearchDirection direction, MatchCase matchCase,
                SearchMode mode) override {
        return search_.search(target, text, direction, matchCase, mode);
    }
    bool replace(const QString& findText, const QString& replaceText,
                 MatchCase matchCase) override {
        return search_.replace(target, findText, replaceText, matchCase);
    }
    bool replaceAll(const QString& findText, const QString& replaceText,
                    MatchCase matchCase) override {
        return search_.replaceAll(target, findText, replaceText, matchCase);
    }
    QString selectedText() const override { return target.selectedText(); }
    void focusEditControl() override { editor->setFocus(Qt::OtherFocusReason); }
    bool isKeyLastInput() const override { return keyLastInput; }

    FakeSearchTarget target;
    ScriptedMessageService messages;
    QWidget* editor = nullptr;
    bool keyLastInput = false;

  private:
    // A clock that never moves: every repeated search falls in the wrap window.
    FixedClock clock_{QDateTime::currentDateTime()};
    TextSearch search_;
};

struct RecordedStep {
    int command;
    QString text;
    int param;
    bool operator==(const RecordedStep&) const = default;
    friend void PrintTo(const RecordedStep& s, std::ostream* os) {
        *os << s.command << " \"" << s.text.toStdString() << "\" " << s.param;
    }
};
using Steps = std::vector<RecordedStep>;

class SearchBarTest : public ::testing::Test {
  protected:
    void createWindow() {
        window = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(window.get());
        editor = new QLineEdit(window.get());
        layout->addWidget(editor);
        host.editor = editor;
        controller = std::make_unique<SearchBarController>(settings, host, window.get());
        layout->addWidget(controller->findBar());
        layout->addWidget(controller->replaceBar());
        QObject::connect(controller.get(), &SearchBarController::macroStepRecorded,
                         [this](int command, const QString& text, int param) {
                             steps.push_back({command, text, param});
                         });
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        editor->setFocus();
    }

    void SetUp() override { createWindow(); }

    FindBar* findBar() const { return controller->findBar(); }
    ReplaceBar* replaceBar() const { return controller->replaceBar(); }
    QPair<int, int> sel() const {
        return {host.target.selectionStart(), host.target.selectionEnd()};
    }
    void run(int id) { ASSERT_TRUE(controller->execute(id)) << id; }

    TempProfile profile;
    Settings& settings = profile.settings();
    FakeHost host;
    std::unique_ptr<QWidget> window;
    QLineEdit* editor = nullptr;
    std::unique_ptr<SearchBarController> controller;
    Steps steps;
};

// The bars' soft-key menus are checked with the window's menus in the app tests.
TEST_F(SearchBarTest, TheBarsButtonsAndTheFramesCommandsOnThemAreClaimed) {
    for (int id :
         {findbar::IDC_CASE_ON, findbar::IDC_CASE_OFF, replacebar::IDC_CASE_ON,
          replacebar::IDC_CASE_OFF, ID_EDIT_FIND, ID_EDIT_REPLACE, ID_FIND_NEXT, ID_FIND_PREV}) {
        CommandState state;
        EXPECT_TRUE(controller->commandTarget().onUpdateCommand(id, state)) << id;
    }
}

TEST_F(SearchBarTest, FindCommandTakesTheFirstLineOfTheSelection) {
    host.target.setText(QStringLiteral("first line\r\nsecond line"));
    host.target.select(6, 16);
    QSignalSpy softKeys(controller.get(), &SearchBarController::softKeyMenuChanged);
    run(ID_EDIT_FIND);
    EXPECT_EQ(findBar()->searchText(), QStringLiteral("line"));
    EXPECT_FALSE(findBar()->isHidden());
    EXPECT_EQ(controller->softKeyMenu(), IDR_FINDBAR_MENUBAR);
    EXPECT_EQ(softKeys, QList<QVariantList>{{IDR_FINDBAR_MENUBAR}});
    EXPECT_TRUE(findBar()->searchTextBox()->hasFocus());

    // A selection that starts with a line break leaves the search text alone.
    host.target.select(10, 14);
    run(ID_EDIT_REPLACE);
    EXPECT_TRUE(findBar()->isHidden());
    EXPECT_FALSE(replaceBar()->isHidden());
    EXPECT_EQ(replaceBar()->searchText(), QString());
    EXPECT_EQ(controller->softKeyMenu(), IDR_REPLACEBAR_MENUBAR);
    EXPECT_TRUE(replaceBar()->searchTextBox()->hasFocus());
}

TEST_F(SearchBarTest, FindNextAndPreviousSearchAndRecordTheirSteps) {
    host.target.setText(QStringLiteral("abc ABC abc"));
    run(ID_FIND_NEXT); // shows the bar; empty text does nothing more
    EXPECT_FALSE(findBar()->isHidden());
    EXPECT_TRUE(steps.empty());

    findBar()->setSearchText(QStringLiteral("ABC"));
    findBar()->setMatchCase(true);
    run(ID_FIND_NEXT);
    EXPECT_EQ(sel(), qMakePair(4, 7));
    findBar()->setMatchCase(false);
    run(ID_FIND_PREV);
    EXPECT_EQ(sel(), qMakePair(0, 3));
    EXPECT_EQ(steps, (Steps{{int(SearchStep::FindDown), u"ABC"_qs, 1},
                            {int(SearchStep::FindUp), u"ABC"_qs, 0}}));
    EXPECT_TRUE(findBar()->searchTextBox()->hasFocus());

    // With the replace bar shown, find next takes its text.
    steps.clear();
    host.target.setText(QStringLiteral("one two one"));
    findBar()->setSearchText(QStringLiteral("one"));
    run(ID_EDIT_REPLACE);
    replaceBar()->setSearchText(QStringLiteral("two"));
    run(ID_FIND_NEXT);
    EXPECT_EQ(sel(), qMakePair(4, 7));
    EXPECT_TRUE(findBar()->isHidden());
    const Steps recorded{{int(SearchStep::FindDown), u"two"_qs, 0}};
    EXPECT_EQ(steps, recorded);
    // The replace bar's own find next records nothing.
    host.target.select(0, 0);
    run(ID_REPLACE_FIND_NEXT);
    EXPECT_EQ(sel(), qMakePair(4, 7));
    EXPECT_EQ(steps, recorded);
}

TEST_F(SearchBarTest, ReversingTheDirectionChangesTheSoftKeyAndSearchesBack) {
    host.target.setText(QStringLiteral("xx yy xx"));
    host.target.select(8, 8);
    run(ID_EDIT_FIND);
    findBar()->setSearchText(QStringLiteral("xx"));
    EXPECT_EQ(controller->query(ID_FIND_SOFTKEY).text, QStringLiteral("次を検索"));
    QSignalSpy labels(controller.get(), &SearchBarController::findSoftKeyLabelChanged);
    run(ID_FIND_REVERSE);
    EXPECT_TRUE(findBar()->isBackward());
    EXPECT_EQ(sel(), qMakePair(6, 8));
    EXPECT_EQ(labels, QList<QVariantList>{{u"前を検索"_qs}});
    EXPECT_EQ(controller->query(ID_FIND_SOFTKEY).text, QStringLiteral("前を検索"));
    run(ID_FIND_SOFTKEY);
    EXPECT_EQ(sel(), qMakePair(0, 2));
    EXPECT_EQ(steps.back().command, int(SearchStep::FindUp));
}

// The replace semantics and their messages are TextSearch's; here the
// commands reach it and the replace is recorded with both texts.
TEST_F(SearchBarTest, ReplaceSelectsThenReplacesAndRecordsTheStep) {
    host.target.setText(QStringLiteral("cat dog cat"));
    run(ID_EDIT_REPLACE);
    replaceBar()->setSearchText(QStringLiteral("cat"));
    replaceBar()->replaceTextBox()->setText(QStringLiteral("cow"));
    host.target.select(4, 7);
    run(ID_REPLACE_SOFTKEY);
    EXPECT_EQ(sel(), qMakePair(8, 11));
    run(ID_REPLACE_AND_FIND_NEXT);
    EXPECT_EQ(host.target.text(), QStringLiteral("cat dog cow"));
    EXPECT_EQ(steps, (Steps(2, {int(SearchStep::Replace), u"cat\r\ncow"_qs, 0})));
}

TEST_F(SearchBarTest, ReplaceAllRecordsOnlyWhenItRan) {
    host.target.setText(QStringLiteral("aaaa"));
    run(ID_EDIT_REPLACE);
    run(ID_REPLACE_ALL);
    EXPECT_EQ(host.messages.texts(),
              QStringList{QStringLiteral("置換対象の文字列を入力してください。")});
    EXPECT_TRUE(steps.empty());

    replaceBar()->setSearchText(QStringLiteral("AA"));
    replaceBar()->replaceTextBox()->setText(QStringLiteral("a"));
    QTest::mouseClick(replaceBar()->control(replacebar::IDC_REPLACE_ALL), Qt::LeftButton);
    EXPECT_EQ(host.target.text(), QStringLiteral("aa"));
    EXPECT_EQ(steps, (Steps{{int(SearchStep::ReplaceAll), u"AA\r\na"_qs, 0}}));
}

TEST_F(SearchBarTest, MatchCaseButtonsAndMenuItem) {
    EXPECT_FALSE(controller->query(ID_FIND_CASE_SENSITIVE).enabled);
    run(ID_EDIT_FIND);
    auto* caseOn = findBar()->control(findbar::IDC_CASE_ON);
    auto* caseOff = findBar()->control(findbar::IDC_CASE_OFF);
    EXPECT_TRUE(caseOn->isHidden());
    EXPECT_FALSE(caseOff->isHidden());
    EXPECT_TRUE(controller->query(ID_FIND_CASE_SENSITIVE).enabled);
    EXPECT_FALSE(controller->query(ID_FIND_CASE_SENSITIVE).checked);

    // A tap on "Aa" turns match case on and puts the focus into the text box.
    QTest::mouseClick(caseOff, Qt::LeftButton);
    EXPECT_TRUE(findBar()->matchCase());
    EXPECT_FALSE(caseOn->isHidden());
    EXPECT_TRUE(caseOff->isHidden());
    EXPECT_TRUE(findBar()->searchTextBox()->hasFocus());
    EXPECT_TRUE(controller->query(ID_FIND_CASE_SENSITIVE).checked);

    // Pressed from the keyboard, the focus moves to the other "Aa" button.
    host.keyLastInput = true;
    caseOn->setFocus();
    QTest::keyClick(caseOn, Qt::Key_Space);
    EXPECT_FALSE(findBar()->matchCase());
    EXPECT_TRUE(caseOff->hasFocus());

    run(ID_FIND_CASE_SENSITIVE);
    EXPECT_TRUE(findBar()->matchCase());
    run(ID_FIND_CLOSE);
    EXPECT_FALSE(controller->query(ID_FIND_CASE_SENSITIVE).enabled);
}

TEST_F(SearchBarTest, CommandButtonsCanBeHidden) {
    run(ID_EDIT_REPLACE);
    EXPECT_TRUE(controller->query(ID_REPLACE_SHOW_BUTTONS).checked);
    run(ID_REPLACE_SHOW_BUTTONS);
    EXPECT_FALSE(controller->query(ID_REPLACE_SHOW_BUTTONS).checked);
    for (int id : {replacebar::IDC_CASE_OFF, replacebar::IDC_CASE_ON, replacebar::IDC_NEXT,
                   replacebar::IDC_REPLACE, replacebar::IDC_REPLACE_ALL, replacebar::IDC_CLOSE})
        EXPECT_TRUE(replaceBar()->control(id)->isHidden()) << id;
    EXPECT_FALSE(replaceBar()->searchTextBox()->isHidden());
    EXPECT_FALSE(replaceBar()->replaceTextBox()->isHidden());
    run(ID_REPLACE_SHOW_BUTTONS);
    EXPECT_FALSE(replaceBar()->control(replacebar::IDC_REPLACE)->isHidden());
}

TEST_F(SearchBarTest, CloseHidesTheBarAndReturnsToTheEditor) {
    run(ID_EDIT_FIND);
    QSignalSpy softKeys(controller.get(), &SearchBarController::softKeyMenuChanged);
    QTest::mouseClick(findBar()->control(findbar::IDC_CLOSE), Qt::LeftButton);
    EXPECT_TRUE(findBar()->isHidden());
    EXPECT_EQ(controller->softKeyMenu(), 0);
    EXPECT_EQ(softKeys, QList<QVariantList>{{0}});
    EXPECT_TRUE(editor->hasFocus());
}

TEST_F(SearchBarTest, KeysInsideTheFindBar) {
    host.target.setText(QStringLiteral("ab ab ab"));
    run(ID_EDIT_FIND);
    QLineEdit* box = findBar()->searchTextBox();
    QTest::keyClicks(box, QStringLiteral("ab"));
    QTest::keyClick(box, Qt::Key_Down);
    EXPECT_EQ(sel(), qMakePair(0, 2));
    QTest::keyClick(box, Qt::Key_Down);
    EXPECT_EQ(sel(), qMakePair(3, 5));
    QTest::keyClick(box, Qt::Key_Up);
    EXPECT_EQ(sel(), qMakePair(0, 2));

    // Right at the end of the text goes to the next button, Left comes back.
    QTest::keyClick(box, Qt::Key_Right);
    EXPECT_TRUE(findBar()->control(findbar::IDC_PREV)->hasFocus());
    QTest::keyClick(findBar()->control(findbar::IDC_PREV), Qt::Key_Left);
    EXPECT_TRUE(box->hasFocus());
    // Left inside the text moves the caret, at position 0 it leaves the box.
    QTest::keyClick(box, Qt::Key_Left);
    EXPECT_TRUE(box->hasFocus());
    EXPECT_EQ(box->cursorPosition(), 1);
    box->setCursorPosition(0);
    QTest::keyClick(box, Qt::Key_Left);
    EXPECT_TRUE(findBar()->control(findbar::IDC_CLOSE)->hasFocus());

    // TAB: the press is swallowed, the release goes to the edit control.
    box->setFocus();
    QTest::keyPress(box, Qt::Key_Tab);
    EXPECT_TRUE(box->hasFocus());
    QTest::keyRelease(box, Qt::Key_Tab);
    EXPECT_TRUE(editor->hasFocus());
}

TEST_F(SearchBarTest, EnterSearchesAfterTheDelayAndADoublePressLeavesTheBar) {
    host.target.setText(QStringLiteral("find me, find me"));
    run(ID_EDIT_FIND);
    QLineEdit* box = findBar()->searchTextBox();
    QTest::keyClicks(box, QStringLiteral("me"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_TRUE(findBar()->isEnterSearchPending());
    EXPECT_EQ(findBar()->enterTimerId(), 12291);
    EXPECT_EQ(sel(), qMakePair(0, 0));
    TAVLO_TRY_COMPARE(sel(), qMakePair(5, 7));
    EXPECT_EQ(steps.size(), 1u);

    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_FALSE(findBar()->isEnterSearchPending());
    TAVLO_TRY_VERIFY(editor->hasFocus());
    EXPECT_EQ(sel(), qMakePair(5, 7));
    EXPECT_EQ(steps.size(), 1u);
}

TEST_F(SearchBarTest, ReplaceBarArrowsMoveBetweenItsTextBoxes) {
    run(ID_EDIT_REPLACE);
    QLineEdit* find = replaceBar()->searchTextBox();
    QLineEdit* replace = replaceBar()->replaceTextBox();
    QTest::keyClicks(find, QStringLiteral("x"));
    QTest::keyClick(find, Qt::Key_Right);
    EXPECT_TRUE(replace->hasFocus());
    QTest::keyClick(replace, Qt::Key_Left);
    EXPECT_TRUE(find->hasFocus());

    // With the buttons hidden and a single text box, leaving it gives the
    // focus back to the edit control.
    run(ID_EDIT_FIND);
    run(ID_FIND_SHOW_BUTTONS);
    QLineEdit* box = findBar()->searchTextBox();
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Right);
    TAVLO_TRY_VERIFY(editor->hasFocus());
}

TEST_F(SearchBarTest, EditItemsActOnTheTextBoxWithTheFocus) {
    run(ID_EDIT_REPLACE);
    QLineEdit* find = replaceBar()->searchTextBox();
    QLineEdit* replace = replaceBar()->replaceTextBox();
    find->setText(QStringLiteral("alpha"));
    replace->setText(QStringLiteral("beta"));
    editor->setFocus();
    for (int id : {ID_REPLACE_TEXT_CUT, ID_REPLACE_TEXT_COPY, ID_REPLACE_TEXT_SELECT_ALL,
                   ID_REPLACE_TEXT_CLEAR, ID_REPLACE_TEXT_UNDO, ID_REPLACE_TEXT_PASTE})
        EXPECT_FALSE(controller->query(id).enabled) << id;
    EXPECT_EQ(controller->focusedTextBox(), nullptr);

    replace->setFocus();
    replace->deselect();
    EXPECT_EQ(controller->focusedTextBox(), replace);
    EXPECT_FALSE(controller->query(ID_REPLACE_TEXT_COPY).enabled);
    run(ID_REPLACE_TEXT_SELECT_ALL);
    EXPECT_EQ(replace->selectedText(), QStringLiteral("beta"));
    run(ID_REPLACE_TEXT_CUT);
    EXPECT_EQ(replace->text(), QString());
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("beta"));
    EXPECT_FALSE(controller->query(ID_REPLACE_TEXT_CLEAR).enabled);
    EXPECT_TRUE(controller->query(ID_REPLACE_TEXT_UNDO).enabled);
    find->setFocus();
    run(ID_REPLACE_TEXT_PASTE);
    EXPECT_EQ(find->text(), QStringLiteral("alphabeta"));
    run(ID_REPLACE_TEXT_CLEAR);
    EXPECT_EQ(find->text(), QString());
    EXPECT_EQ(replace->text(), QString());

    // While a soft-key menu is open the box that had the focus stays the target.
    replace->setText(QStringLiteral("delta"));
    replace->setFocus();
    QMenu menu;
    menu.addAction(QStringLiteral("item"));
    menu.popup(window->mapToGlobal(QPoint(0, 0)));
    TAVLO_TRY_VERIFY(QApplication::activePopupWidget() == &menu);
    EXPECT_TRUE(controller->query(ID_REPLACE_TEXT_SELECT_ALL).enabled);
    menu.close();
    run(ID_REPLACE_TEXT_SELECT_ALL);
    EXPECT_EQ(replace->selectedText(), QStringLiteral("delta"));

    // The find bar's items act on its one text box.
    findBar()->setSearchText(QStringLiteral("gamma"));
    editor->setFocus();
    EXPECT_TRUE(controller->query(ID_FIND_TEXT_CLEAR).enabled);
    run(ID_FIND_TEXT_CLEAR);
    EXPECT_EQ(findBar()->searchText(), QString());
}

TEST_F(SearchBarTest, CutCopyAndPasteActOnAFocusedTextBoxOnly) {
    CommandState state;
    EXPECT_FALSE(controller->commandTarget().onUpdateCommand(ID_EDIT_COPY, state));
    run(ID_EDIT_FIND);
    QLineEdit* box = findBar()->searchTextBox();
    box->setText(QStringLiteral("needle"));
    box->deselect();
    EXPECT_FALSE(controller->query(ID_EDIT_COPY).enabled);
    box->setSelection(0, 3);
    run(ID_EDIT_COPY);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("nee"));
    run(ID_EDIT_CUT);
    EXPECT_EQ(box->text(), QStringLiteral("dle"));
    box->setCursorPosition(3);
    run(ID_EDIT_PASTE);
    EXPECT_EQ(box->text(), QStringLiteral("dlenee"));
    editor->setFocus();
    EXPECT_FALSE(controller->commandTarget().onUpdateCommand(ID_EDIT_PASTE, state));
    EXPECT_FALSE(controller->commandTarget().onCommand(ID_EDIT_PASTE));
    EXPECT_EQ(box->text(), QStringLiteral("dlenee"));
}

TEST_F(SearchBarTest, VisibilityAndOptionsSurviveARestart) {
    // Both bars start hidden (match case off and buttons shown: the tests above).
    EXPECT_TRUE(findBar()->isHidden() && replaceBar()->isHidden());
    run(ID_EDIT_REPLACE);
    run(ID_REPLACE_CASE_SENSITIVE);
    run(ID_FIND_SHOW_BUTTONS);
    controller->storeSettings();
    for (const auto& [name, value] :
         {std::pair{"SHOW_CMDBAR_REPLECE", 1}, {"SHOW_CMDBAR_SEARCH", 0},
          {"REPLACE_CASE_SENSITIVE", 1}, {"FIND_SHOW_CMD_BUTTONS", 0}, {"FIND_CASE_SENSITIVE", 0},
          {"REPLACE_SHOW_CMD_BUTTONS", 1}})
        EXPECT_EQ(settings.getInt(QString::fromLatin1(name)), value) << name;

    controller.reset();
    createWindow();
    EXPECT_FALSE(replaceBar()->isHidden());
    EXPECT_TRUE(findBar()->isHidden());
    EXPECT_TRUE(replaceBar()->matchCase());
    EXPECT_FALSE(findBar()->showCommandButtons());
    EXPECT_TRUE(findBar()->control(findbar::IDC_NEXT)->isHidden());
    EXPECT_EQ(controller->softKeyMenu(), IDR_REPLACEBAR_MENUBAR);
}

} // namespace
