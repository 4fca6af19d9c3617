#include "ViewTestSupport.h"
#include "WaitFor.h"

#include "CommandIds.h"

#include <QSignalSpy>

namespace {
using CEditerView = ViewTest;
} // namespace

TEST(CEditer, FirstInitialUpdateReadsTheSettings) {
    ViewEnvironment env;
    env.settings->writeInt(QStringLiteral("EDIT_AUTO_ARRANGE"), 0);
    env.settings->writeInt(QStringLiteral("FILTER_INDEX"), 3);
    env.settings->writeString(QStringLiteral("LAST_OPEN_FOLDER"), QStringLiteral("/tmp/"));
    env.settings->writeInt(QStringLiteral("COLOR_TEXT"), 0x0000FF);
    env.settings->writeInt(QStringLiteral("COLOR_BACKGROUND"), 0x00FF00);
    auto view = std::make_unique<CEditer>(env.services(), env.documents->services());
    EXPECT_EQ(view->state().charSet, -1);
    view->resize(480, 640);
    view->show();
    view->OnInitialUpdate();

    EXPECT_FALSE(view->wrapMode);
    EXPECT_EQ(&view->activeEdit(), &view->plainEdit());
    EXPECT_TRUE(view->plainEdit().isVisible());
    EXPECT_FALSE(view->wrapEdit().isVisible());
    EXPECT_EQ(std::tuple(view->state().filterIndex, view->state().lastFolder, view->state().charSet),
              std::tuple(3, u"/tmp/"_qs, 1));
    EXPECT_EQ(view->textColor, QColor(255, 0, 0));
    EXPECT_EQ(view->backgroundColor, QColor(0, 255, 0));
    EXPECT_EQ(view->plainEdit().palette().color(QPalette::Base), QColor(0, 255, 0));
    EXPECT_EQ(view->titleFlags, 0x1110);
    EXPECT_EQ(view->wrapEdit().caretReportFlags(), 0x100);
    EXPECT_EQ(view->plainEdit().GetLimitText(), 65536);
    EXPECT_TRUE(view->isTimerRunning(16));
    EXPECT_EQ(view->title(), QStringLiteral("(1:1) (新規テキスト)"));
    EXPECT_EQ(view->insertStrings.size(), 8u);
}

TEST(CEditer, DestructionWritesTheViewState) {
    ViewEnvironment env;
    {
        auto view = env.makeView();
        view->onCommand(cmd::ID_VIEW_FONT3);
        view->onCommand(cmd::ID_VIEW_WRAP);
        view->state().lastFolder = QStringLiteral("/data/");
        view->state().filterIndex = 2;
    }
    Settings& s = *env.settings;
    EXPECT_EQ(std::tuple(s.getInt(u"FONT_SIZE"_qs), s.getInt(u"EDIT_AUTO_ARRANGE"_qs),
                         s.getString(u"LAST_OPEN_FOLDER"_qs), s.getInt(u"FILTER_INDEX"_qs)),
              std::tuple(2, 0, u"/data/"_qs, 2));
}

TEST_F(CEditerView, TitleWithPathCaretAndChangedMark) {
    view->SetText(QStringLiteral("one\r\ntwo\r\n\tあa and more"));
    view->state().currentPath = QStringLiteral("/home/user/Documents/memo.txt");
    view->SetSel(13, 13); // line 3, column 12: a tab to 8, あ counts two
    view->state().textChanged = true;
    view->RefreshTitleName();
    EXPECT_EQ(view->title(), QStringLiteral("(3:12) memo.txt *"));
    EXPECT_EQ(view->window()->windowTitle(), view->title());

    env.settings->writeInt(QStringLiteral("CARET_POS_INFO_POS"), 1);
    env.settings->writeInt(QStringLiteral("DISP_TEXT_MODIFIED_MARK"), 0);
    view->ApplySettings();
    EXPECT_EQ(view->title(), QStringLiteral("memo.txt (3:12)"));

    env.settings->writeInt(QStringLiteral("TITLE_BAR_INFO"), 1);
    env.settings->writeInt(QStringLiteral("DISP_CARET_POS_INFO"), 0);
    view->ApplySettings();
    EXPECT_EQ(view->title(), QStringLiteral("Tavloテキストエディタ"));
}

TEST_F(CEditerView, FirstChangeShowsTheMarkAndCaretMovesRefreshTheTitle) {
    view->activeEdit().setFocus();
    QTest::keyClicks(&view->activeEdit(), QStringLiteral("ab"));
    EXPECT_TRUE(view->state().textChanged);
    EXPECT_TRUE(view->IsDocumentChanged());
    EXPECT_TRUE(view->title().endsWith(QStringLiteral(" *")));
    // The caret-moved notice starts timer 18; the title follows 500 ms later.
    TAVLO_TRY_COMPARE(view->title(), QStringLiteral("(1:3) (新規テキスト) *"));
    QTest::keyClick(&view->activeEdit(), Qt::Key_Left);
    TAVLO_TRY_COMPARE(view->title(), QStringLiteral("(1:2) (新規テキスト) *"));
}

TEST_F(CEditerView, SwitchEditKeepsTheCaretLineFiveLinesBelowTheTopOrElseTheTopLine) {
    view->SetText(numberedLines(300));
    CTextEdit& wrap = view->wrapEdit();
    wrap.SetSel(wrap.LineIndex(120), wrap.LineIndex(120));
    wrap.LineScroll(115 - wrap.GetFirstVisibleLine());
    ASSERT_EQ(wrap.GetFirstVisibleLine(), 115);
    ASSERT_TRUE(view->IsCaretVisible(wrap));
    wrap.SetModify(true);
    const auto sel = view->GetSel();

    view->onCommand(cmd::ID_VIEW_WRAP);
    CTextEdit& plain = view->plainEdit();
    ASSERT_EQ(&view->activeEdit(), &plain);
    EXPECT_EQ(plain.GetText(), numberedLines(300));
    EXPECT_EQ(wrap.GetTextLength(), 0);
    EXPECT_FALSE(wrap.isVisible());
    EXPECT_EQ(view->GetSel(), sel);
    EXPECT_EQ(plain.LineFromChar(-1) - plain.GetFirstVisibleLine(), 5);
    EXPECT_TRUE(plain.GetModify());
    // Switching is no change of the text.
    EXPECT_FALSE(view->state().textChanged);

    EXPECT_FALSE(commandState(*view, cmd::ID_VIEW_WRAP).checked);

    view->onCommand(cmd::ID_VIEW_WRAP);
    EXPECT_EQ(&view->activeEdit(), &wrap);
    EXPECT_EQ(wrap.LineFromChar(-1) - wrap.GetFirstVisibleLine(), 5);
    EXPECT_EQ(view->GetSel(), sel);
    EXPECT_EQ(plain.GetTextLength(), 0);

    // With the caret out of view the top line stays.
    view->SetSel(0, 0);
    view->LineScroll(200);
    ASSERT_FALSE(view->IsCaretVisible(view->activeEdit()));
    const int top = view->GetFirstVisibleLine();
    view->onCommand(cmd::ID_VIEW_WRAP);
    EXPECT_EQ(view->GetFirstVisibleLine(), top);
    EXPECT_EQ(view->GetSel(), std::make_pair(0, 0));
}

TEST_F(CEditerView, ResizeIsDeferredByTimer17) {
    view->resize(400, 500);
    EXPECT_TRUE(view->resizePending);
    EXPECT_TRUE(view->isTimerRunning(17));
    view->resize(300, 400); // a burst arranges once
    EXPECT_NE(view->activeEdit().size(), QSize(300, 400));
    TAVLO_TRY_COMPARE(view->activeEdit().size(), QSize(300, 400));
    EXPECT_FALSE(view->resizePending);
    EXPECT_EQ(view->plainEdit().size(), QSize(300, 400));
}

TEST_F(CEditerView, SizeWatchWarnsNearAndOverTheLimit) {
    const QString near = QStringLiteral(
        "まもなく、テクストサイズの制限値に達します。\n速やかに「データをファイルに保存する」など"
        "の対処を行ってください。");
    const QString over = QStringLiteral(
        "編集中のテキストのサイズが制限値を超えました。\n速やかに「データをファイルに保存する」など"
        "の対処を行ってください。");
    view->SetText(textOfLength(65280));
    view->OnTimer(16);
    EXPECT_TRUE(env.messages.shown().empty());
    view->SetText(textOfLength(65281));
    view->OnTimer(16);
    ASSERT_EQ(env.messages.texts(), QStringList{near});
    EXPECT_EQ(env.messages.shown()[0].style, mb::MB_OK);
    view->SetText(textOfLength(65535));
    view->OnTimer(16);
    view->OnTimer(16); // it repeats while the text stays large
    EXPECT_EQ(env.messages.texts(), (QStringList{near, over, over}));
}

namespace {
// A message box that stays open while the size-watch timer fires again.
class ReenteringMessages : public MessageService {
  public:
    CEditer* view = nullptr;
    int shown = 0;
    int show(const QString&, const QString&, uint32_t, void*) override {
        ++shown;
        if (view && shown == 1) {
            view->OnTimer(16);
            view->OnTimer(16);
        }
        return mb::IDOK;
    }
};
} // namespace

TEST(CEditer, SizeWatchShowsAtMostOneBoxAtATime) {
    ViewEnvironment env;
    ReenteringMessages messages;
    CEditer view(ViewServices{*env.settings, messages, env.clock, Locale(0x0411, 0x0411)},
                 env.documents->services());
    view.show();
    view.OnInitialUpdate();
    messages.view = &view;
    view.SetText(textOfLength(70000));
    view.OnTimer(16);
    EXPECT_EQ(messages.shown, 1);
    // Once the box is closed the next timer warns again.
    view.OnTimer(16);
    EXPECT_EQ(messages.shown, 2);
}

TEST_F(CEditerView, FocusNoticesReachTheFrame) {
    QSignalSpy focus(view.get(), &CEditer::editFocusChanged);
    view->activateWindow();
    view->activeEdit().clearFocus();
    view->activeEdit().setFocus();
    TAVLO_TRY_VERIFY(!focus.isEmpty());
    EXPECT_TRUE(focus.last().at(0).toBool());
}

TEST_F(CEditerView, SettingsSheetChangesAreApplied) {
    view->SetText(QStringLiteral("a\tb"));
    env.settings->writeInt(QStringLiteral("TAB_SIZE"), 4);
    env.settings->writeInt(QStringLiteral("COLOR_TEXT"), 0x00FF0000);
    env.settings->writeInt(QStringLiteral("COLOR_BACKGROUND"), 0x00000080);
    env.settings->writeInt(QStringLiteral("FONT2_SIZE"), 20);
    env.settings->writeString(QStringLiteral("INS_KEY_VALUE1"), QStringLiteral("(\t)"));
    view->ApplySettings();

    EXPECT_EQ(view->tabSize, 4);
    const QFontMetrics metrics(view->activeEdit().font());
    EXPECT_EQ(view->activeEdit().tabStopDistance(), 4 * metrics.averageCharWidth());
    EXPECT_EQ(view->textColor, QColor(0, 0, 255));
    EXPECT_EQ(view->backgroundColor, QColor(128, 0, 0));
    EXPECT_EQ(view->wrapEdit().palette().color(QPalette::Text), QColor(0, 0, 255));
    EXPECT_EQ(view->plainEdit().palette().color(QPalette::Base), QColor(128, 0, 0));
    // Font 2 is the current one and follows its new size.
    EXPECT_EQ(view->activeEdit().font().pixelSize(), 20 * view->logicalDpiY() / 72);
    EXPECT_TRUE(commandState(*view, cmd::ID_VIEW_FONT2)
                    .text.value_or(QString())
                    .contains(QStringLiteral(":20pt(&2)")));
    view->SetSel(0, -1);
    view->onCommand(cmd::ID_INSERT_STRING1);
    EXPECT_EQ(view->GetText(), QStringLiteral("(a\tb)"));
}
