#include "SettingsSheet.h"
#include "CPPageColor.h"
#include "CPPageEdit.h"
#include "CPPageFont.h"
#include "CQSDColorDialog.h"
#include "CommandIds.h"
#include "FontSelectDialog.h"
#include "SettingsCommand.h"
#include "SettingsPage.h"
#include "ViewTestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QTabBar>
#include <QTreeWidget>

// A view over a temporary registry, and the settings command over both; each
// test works the sheet in `work` and says how it closes.
class SettingsSheetTest : public ::testing::Test {
  protected:
    ViewEnvironment env;
    std::unique_ptr<CEditer> view = env.makeView();
    std::unique_ptr<SettingsCommand> command;
    bool longDelaySet = false;

    void SetUp() override {
        command = std::make_unique<SettingsCommand>(
            SettingsContext{*env.settings, env.messages}, *view,
            SettingsFrameHooks{[this](bool) { longDelaySet = true; }, {}, {}});
    }
    // Runs the sheet: `work` changes it, then OK (or Cancel) is pressed; a sheet
    // that refuses OK stays open and is cancelled afterwards. The sheet's result.
    int runSheet(const std::function<void(SettingsSheet&)>& work, bool ok = true) {
        int result = -1;
        command->setSheetRunner([&](SettingsSheet& sheet) {
            sheet.show();
            work(sheet);
            ok ? sheet.accept() : sheet.reject();
            result = sheet.result();
            if (sheet.isVisible())
                sheet.reject();
            return result;
        });
        command->run();
        return result;
    }
    template <class W> static W* control(SettingsSheet& sheet, int id) {
        return sheet.findChild<W*>(QString::number(id));
    }
    bool stored(const QString& name) {
        return !env.profile.rawValue(kSettingsKey, name).startsWith("<no ");
    }
};

TEST_F(SettingsSheetTest, ANewTabWidthIsStoredAndShownAtOnceAndOnlyTheFirstPageWrites) {
    const int result = runSheet([](SettingsSheet& sheet) {
        EXPECT_EQ(sheet.windowTitle(), u"Tavlo：設定");
        EXPECT_EQ(sheet.pageCount(), 8);
        control<QLineEdit>(sheet, cmd::page_edit::IDC_TAB_SIZE)->setText(QStringLiteral(" 4"));
        control<QLineEdit>(sheet, CPPageEdit::kTextLimitId)->setText(QStringLiteral("300000"));
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(env.settings->getInt(QStringLiteral("TAB_SIZE")), 4);
    EXPECT_EQ(view->tabSize, 4);
    EXPECT_TRUE(stored(QStringLiteral("SELECTABLE_CODE_SET")));
    EXPECT_FALSE(stored(QStringLiteral("COLOR_TEXT")));
    EXPECT_FALSE(stored(QStringLiteral("INS_KEY_VALUE1")));
    EXPECT_FALSE(longDelaySet);
    // The raised text size limit holds typing back and moves the warnings with it.
    EXPECT_EQ(view->activeEdit().GetLimitText(), 300000);
    view->SetText(textOfLength(300000 - 255));
    view->OnTimer(cmd::timer::SIZE_WATCH);
    ASSERT_EQ(env.messages.texts().size(), 1); // the warning before the limit, not the one after
    EXPECT_TRUE(
        env.messages.texts()[0].startsWith(u"まもなく、テクストサイズの制限値に達します。"));
}

struct FieldCase {
    int page;
    int field;
    const char* text;
    const char* message; // empty: accepted
};
class SheetFieldTest : public SettingsSheetTest, public ::testing::WithParamInterface<FieldCase> {};

TEST_P(SheetFieldTest, ARefusedFieldKeepsTheSheetOpenAndWritesNothing) {
    const FieldCase& c = GetParam();
    const int result = runSheet([&](SettingsSheet& sheet) {
        ASSERT_TRUE(sheet.showPage(cmd::IDD_PAGE_CUSTOMIZE));
        control<QLineEdit>(sheet, cmd::page_customize::IDC_LABEL)->setText(QStringLiteral("X"));
        ASSERT_TRUE(sheet.showPage(c.page));
        control<QLineEdit>(sheet, c.field)->setText(QString::fromUtf8(c.text));
    });
    const QString message = QString::fromUtf8(c.message);
    if (message.isEmpty()) {
        EXPECT_EQ(result, QDialog::Accepted);
        EXPECT_TRUE(env.messages.texts().isEmpty())
            << env.messages.texts().join(u'|').toStdString();
        EXPECT_EQ(env.settings->getString(QStringLiteral("TITLE_BAR_LABEL")), u"X");
        return;
    }
    EXPECT_EQ(result, QDialog::Rejected);
    ASSERT_FALSE(env.messages.texts().isEmpty());
    EXPECT_EQ(env.messages.texts().front(), message);
    EXPECT_FALSE(stored(QStringLiteral("TITLE_BAR_LABEL")));
    EXPECT_FALSE(stored(QStringLiteral("TAB_SIZE")));
}

using namespace cmd;
constexpr const char* kTabRange = "タブには 1 ～ 80 の間の値を指定してください。";
INSTANTIATE_TEST_SUITE_P(
    Fields, SheetFieldTest,
    ::testing::Values(
        FieldCase{IDD_PAGE_EDIT, page_edit::IDC_TAB_SIZE, "0", kTabRange},
        FieldCase{IDD_PAGE_EDIT, page_edit::IDC_TAB_SIZE, "81", kTabRange},
        FieldCase{IDD_PAGE_EDIT, page_edit::IDC_TAB_SIZE, "1", ""},
        FieldCase{IDD_PAGE_EDIT, page_edit::IDC_TAB_SIZE, "80", ""},
        FieldCase{IDD_PAGE_EDIT, page_edit::IDC_TAB_SIZE, "abc", "Please enter an integer."},
        FieldCase{IDD_PAGE_EDIT, CPPageEdit::kTextLimitId, "65535",
                  "テキストサイズの上限には 65536 ～ 67108864 の値を指定してください。"},
        FieldCase{IDD_PAGE_MENU, page_menu::IDC_MRU_COUNT, "10",
                  "最近使ったファイルには 1 ～ 9 の値を指定してください。"}));

TEST_F(SettingsSheetTest, ARecentFileCountOutOfRangeKeepsItsPageAndAChangeIsAnnouncedOnce) {
    runSheet([&](SettingsSheet& sheet) {
        ASSERT_TRUE(sheet.showPage(IDD_PAGE_MENU));
        auto* count = control<QLineEdit>(sheet, page_menu::IDC_MRU_COUNT);
        count->setText(QStringLiteral("0"));
        EXPECT_FALSE(sheet.showPage(IDD_PAGE_EDIT));
        EXPECT_EQ(sheet.currentPage()->dialogId(), IDD_PAGE_MENU);
        count->setText(QStringLiteral("5"));
        EXPECT_TRUE(sheet.showPage(IDD_PAGE_EDIT));
    });
    EXPECT_EQ(
        env.messages.texts(),
        QStringList(
            {u"最近使ったファイルには 1 ～ 9 の値を指定してください。"_qs,
             u"【最近使ったファイル】の設定は、次回Tavloテキストエディタ起動時に有効になります。"_qs}));
    EXPECT_EQ(env.settings->getInt(QStringLiteral("MRU_LIST_ITEM_COUNT")), 5);
}

TEST_F(SettingsSheetTest, CancelKeepsTheTextColourButTheChosenCustomColour) {
    runSheet(
        [&](SettingsSheet& sheet) {
            ASSERT_TRUE(sheet.showPage(IDD_PAGE_COLOR));
            auto* page = static_cast<CPPageColor*>(sheet.page(IDD_PAGE_COLOR));
            page->setDialogRunner([](CQSDColorDialog& d) {
                d.show();
                d.runCommand(ID_COLOR_STYLE_CUSTOM);
                d.findChild<QLineEdit*>(QString::number(colordlg::IDC_RED_EDIT))
                    ->setText(u"200"_qs);
                d.accept();
                return d.result();
            });
            control<QAbstractButton>(sheet, page_color::IDC_TEXT_BUTTON)->click();
            EXPECT_EQ(page->textColor(), 0x0000C8u);
        },
        false);
    EXPECT_FALSE(stored(QStringLiteral("COLOR_TEXT")));
    EXPECT_EQ(env.settings->getInt(QStringLiteral("CUSTOM_COLOR_COUNT")), 1);
    EXPECT_EQ(env.settings->getInt(QStringLiteral("CUSTOM_COLOR1")), 0x0000C8);
    EXPECT_EQ(view->title(), view->window()->windowTitle());
}

TEST_F(SettingsSheetTest, AnEmptyStartUpMacroIsTurnedOffWhenTheUserSaysSo) {
    env.messages.queueAnswer(mb::IDYES);
    const int result = runSheet([&](SettingsSheet& sheet) {
        ASSERT_TRUE(sheet.showPage(IDD_PAGE_FILE));
        control<QCheckBox>(sheet, page_file::IDC_LOAD_MACRO)->click();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(
        env.messages.texts(),
        QStringList(
            u"マクロファイルが指定されていません。\n起動時にマクロファイルを読み込む指定を解除しますか？"_qs));
    EXPECT_EQ(env.settings->getInt(QStringLiteral("LOAD_DAFAULT_MACRO")), 0);
    EXPECT_TRUE(stored(QStringLiteral("LOAD_DAFAULT_MACRO")));
}

TEST_F(SettingsSheetTest, AFontChangedInItsDialogIsWrittenAloneAndTheViewTakesIt) {
    view->SelectFont(2);
    runSheet([&](SettingsSheet& sheet) {
        ASSERT_TRUE(sheet.showPage(IDD_PAGE_FONT));
        auto* page = static_cast<CPPageFont*>(sheet.page(IDD_PAGE_FONT));
        EXPECT_EQ(control<QWidget>(sheet, page_font::IDC_GROUP[2])->property("title").toString(),
                  u"◆ フォント３");
        page->setDialogRunner([](FontSelectDialog& d) {
            d.findChild<QCheckBox*>(QString::number(fontdlg::IDC_BOLD))->setChecked(true);
            d.accept();
            return int(QDialog::Accepted);
        });
        control<QAbstractButton>(sheet, page_font::IDC_BROWSE[2])->click();
        EXPECT_EQ(control<QLabel>(sheet, page_font::IDC_CHANGED[2])->text(), u"*");
        EXPECT_TRUE(control<QLabel>(sheet, page_font::IDC_FACE[2])->text().endsWith(u"\u2820B"));
    });
    EXPECT_EQ(env.settings->getInt(QStringLiteral("FONT3_BOLD")), 1);
    EXPECT_TRUE(stored(QStringLiteral("FONT3_NAME")));
    EXPECT_FALSE(stored(QStringLiteral("FONT1_NAME")));
    EXPECT_TRUE(view->activeEdit().font().bold());
}

TEST_F(SettingsSheetTest, InsertStringsAreTrimmedStoredByModeAndRefuseATab) {
    auto edit = [](SettingsSheet& sheet, int row, bool surround, const QString& text) {
        auto* list = control<QTreeWidget>(sheet, page_insert::IDC_LIST);
        list->setCurrentItem(list->topLevelItem(row));
        control<QRadioButton>(sheet,
                              surround ? page_insert::IDC_SURROUND : page_insert::IDC_AT_CARET)
            ->click();
        control<QLineEdit>(sheet, page_insert::IDC_INSERT_TEXT)->setText(text);
    };
    int result = runSheet([&](SettingsSheet& sheet) {
        ASSERT_TRUE(sheet.showPage(IDD_PAGE_INSERT_STRING));
        edit(sheet, 4, true, u"a\tb"_qs);
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(env.messages.texts(), QStringList(u"挿入文字列にタブ文字は使用できません。"_qs));
    EXPECT_FALSE(stored(QStringLiteral("INS_KEY_VALUE1")));

    result = runSheet([&](SettingsSheet& sheet) {
        ASSERT_TRUE(sheet.showPage(IDD_PAGE_INSERT_STRING));
        auto* list = control<QTreeWidget>(sheet, page_insert::IDC_LIST);
        EXPECT_EQ(list->topLevelItem(5)->text(0),
                  sheet.page(IDD_PAGE_INSERT_STRING)->width() >
                          sheet.page(IDD_PAGE_INSERT_STRING)->height()
                      ? u"C+S+J"
                      : u"C + S + J");
        edit(sheet, 0, false, u"  <b>  "_qs);
        edit(sheet, 1, true, u"("_qs);
        control<QLineEdit>(sheet, page_insert::IDC_END_TEXT)->setText(u" ) "_qs);
        EXPECT_EQ(list->topLevelItem(1)->text(1), u"()");
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(env.settings->getString(QStringLiteral("INS_KEY_VALUE1")), u"<b>");
    EXPECT_EQ(env.settings->getString(QStringLiteral("INS_KEY_VALUE2")), u"(\t)");
    EXPECT_EQ(view->insertStrings[0].insertText, u"<b>");
    EXPECT_FALSE(view->insertStrings[0].hasEndText);
}

TEST_F(SettingsSheetTest, EveryPageVisitedAndLeftUnchangedKeepsEveryValue) {
    const int result = runSheet([&](SettingsSheet& sheet) {
        for (int i = 0; i < sheet.pageCount(); ++i)
            ASSERT_TRUE(sheet.showPage(sheet.pageAt(i)->dialogId()));
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_TRUE(env.messages.texts().isEmpty()) << env.messages.texts().join(u'|').toStdString();
    for (const char* name : {"TAB_SIZE", "LONG_DELAY", "STR_ZOOM_METHOD", "COLOR_BACKGROUND",
                             "MRU_LIST_ITEM_COUNT", "TITLE_BAR_INFO", "TEXT_LIMIT"})
        EXPECT_EQ(env.settings->getInt(QString::fromLatin1(name)),
                  env.settings->defaultInt(QString::fromLatin1(name)))
            << name;
    EXPECT_EQ(env.settings->getString(QStringLiteral("INS_KEY_VALUE1")), u"<\t>");
    EXPECT_FALSE(stored(QStringLiteral("FONT1_NAME")));
    EXPECT_TRUE(longDelaySet);
}

TEST_F(SettingsSheetTest, TapAndCharacterSetChoicesReachTheFileSelectDialogsCommonOptions) {
    runSheet([&](SettingsSheet& sheet) {
        control<QCheckBox>(sheet, page_edit::IDC_SELECTABLE_CODE_SET)->setChecked(false);
        ASSERT_TRUE(sheet.showPage(IDD_PAGE_TAP));
        control<QComboBox>(sheet, page_tap::IDC_ZOOM_METHOD)->setCurrentIndex(0);
    });
    // The common options lose the character-set list (0x20) and every zoom (0x800000).
    EXPECT_EQ(env.settings->getInt(QStringLiteral("STR_FILE_SELECT_COMMON_MODE")), 0x1200A10);
    EXPECT_EQ(env.settings->getInt(QStringLiteral("STR_ZOOM_METHOD")), 0);
}

TEST_F(SettingsSheetTest, ASheetTooLargeForTheScreenScrollsItsPageInsteadOfLeavingTheScreen) {
    const QFont original = QApplication::font();
    QFont large = original;
    large.setPointSize(40);
    QApplication::setFont(large);
    runSheet(
        [](SettingsSheet& sheet) {
            const QRect available = sheet.screen()->availableGeometry();
            EXPECT_TRUE(available.contains(sheet.frameGeometry()))
                << sheet.frameGeometry().width() << "x" << sheet.frameGeometry().height();
        },
        false);
    QApplication::setFont(original);
}

TEST_F(SettingsSheetTest, WhereTheScreenHasRoomEveryTabShowsWithoutScrolling) {
    runSheet(
        [](SettingsSheet& sheet) {
            const QTabBar* tabs = sheet.findChild<QTabBar*>();
            ASSERT_NE(tabs, nullptr);
            ASSERT_LT(tabs->sizeHint().width(), sheet.screen()->availableGeometry().width());
            EXPECT_GE(tabs->width(), tabs->sizeHint().width());
        },
        false);
}
