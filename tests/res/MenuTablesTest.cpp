#include "MenuTables.h"
#include "CommandIds.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <set>

using namespace cmd;
using res::MenuItem;

namespace {

// Command ids of a menu tree in order, for compact comparisons.
void collectIds(const std::vector<MenuItem>& items, std::vector<int>& ids) {
    for (const MenuItem& item : items) {
        if (item.kind == MenuItem::Kind::Command)
            ids.push_back(item.id);
        else if (item.kind == MenuItem::Kind::Popup)
            collectIds(item.items, ids);
    }
}

std::vector<int> commandIds(const MenuItem& popup) {
    std::vector<int> ids;
    collectIds(popup.items, ids);
    return ids;
}

QStringList texts(const std::vector<MenuItem>& items) {
    QStringList result;
    for (const MenuItem& item : items)
        result << (item.kind == MenuItem::Kind::Separator ? u"-"_qs : item.text);
    return result;
}

const MenuItem* childPopup(const MenuItem& popup, const QString& text) {
    for (const MenuItem& item : popup.items)
        if (item.kind == MenuItem::Kind::Popup && item.text == text)
            return &item;
    return nullptr;
}

} // namespace

TEST(MenuTables, EveryMenuTheProgramLoadsExists) {
    for (int id : {128, 130, 137, 143, 144, 145, 147, 151, 161, 162, 163, 164, 165})
        EXPECT_NE(res::loadMenu(id), nullptr) << id;
    EXPECT_EQ(res::loadMenu(129), nullptr);
    const std::vector<int> ids = res::menuIds();
    EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()));
    EXPECT_EQ(ids.size(), 13u);
}

TEST(MenuTables, ExitStandsInTheFileMenuOrLastInThePopup) {
    // 128 and 161 put "終了(&X)" at the end of the File menu; 163 and 162 as
    // the main pop-up's last item. Otherwise the menus are the same.
    for (int id : {IDR_MAINFRAME, IDR_SOFTKEY_EXIT_IN_FILE}) {
        const res::Menu* menu = res::loadMenu(id);
        ASSERT_NE(menu, nullptr);
        const MenuItem& main = menu->items.back();
        ASSERT_EQ(main.kind, MenuItem::Kind::Popup);
        const MenuItem* file = childPopup(main, u"ファイル(&F)"_qs);
        ASSERT_NE(file, nullptr);
        EXPECT_EQ(file->items.back().text, u"終了(&X)"_qs);
        EXPECT_EQ(file->items.back().id, ID_APP_EXIT);
        EXPECT_NE(main.items.back().id, ID_APP_EXIT);
    }
    for (int id : {IDR_CMDBAR_EXIT_LAST, IDR_SOFTKEY_EXIT_LAST}) {
        const res::Menu* menu = res::loadMenu(id);
        ASSERT_NE(menu, nullptr);
        const MenuItem& main = menu->items.back();
        EXPECT_EQ(main.items.back().text, u"終了(&X)"_qs);
        const MenuItem* file = childPopup(main, u"ファイル(&F)"_qs);
        ASSERT_NE(file, nullptr);
        EXPECT_EQ(texts(file->items),
                  (QStringList{u"新規作成(&N)\tCtrl+N"_qs, u"開く...(&O)\tCtrl+O"_qs,
                               u"上書き保存(&S)\tCtrl+S"_qs, u"名前を付けて保存...(&S)"_qs, u"-"_qs,
                               u"プロパティ...(&P)"_qs}));
    }
}

TEST(MenuTables, MainPopupOffersEveryMainCommand) {
    const MenuItem& main = res::loadMenu(IDR_CMDBAR_EXIT_LAST)->items.front();
    EXPECT_EQ(main.text, u"メニュー"_qs);
    const std::vector<int> ids = commandIds(main);
    const std::set<int> present(ids.begin(), ids.end());
    for (int id :
         {ID_EDIT_FIND,      ID_EDIT_REPLACE,    ID_FILE_NEW,        ID_FILE_OPEN,    ID_FILE_SAVE,
          ID_FILE_SAVE_AS,   ID_FILE_PROPERTIES, ID_EDIT_UNDO,       ID_EDIT_CUT,     ID_EDIT_COPY,
          ID_EDIT_PASTE,     ID_EDIT_JUMP,       ID_EDIT_SELECT_ALL, ID_VIEW_FONT1,   ID_VIEW_FONT2,
          ID_VIEW_FONT3,     ID_VIEW_FONT4,      ID_VIEW_WRAP,       ID_MACRO_RECORD, ID_MACRO_PLAY,
          ID_MACRO_LOAD,     ID_MACRO_SAVE,      ID_SETTINGS,        ID_HELP,         ID_APP_ABOUT,
          ID_FILE_MRU_FILE1, ID_APP_EXIT})
        EXPECT_TRUE(present.count(id)) << id;
    EXPECT_EQ(ids.size(), present.size()) << "a command appears twice";
    EXPECT_EQ(main.items.front().text, u"検索...(&S)"_qs);
    const res::Menu* menu = res::loadMenu(IDR_CMDBAR_EXIT_LAST);
    EXPECT_EQ(menu->findCommand(ID_VIEW_WRAP)->text, u"右で折り返す(&R)\tCtrl+W"_qs);
    EXPECT_EQ(menu->findCommand(ID_SETTINGS)->text, u"設定(&T)..."_qs);
    EXPECT_TRUE(menu->findCommand(ID_FILE_MRU_FILE1)->grayed);
}

TEST(MenuTables, SoftKeyBarsStartWithTheInsertStringKey) {
    for (int id : {IDR_SOFTKEY_EXIT_IN_FILE, IDR_SOFTKEY_EXIT_LAST}) {
        const res::Menu* menu = res::loadMenu(id);
        ASSERT_EQ(menu->items.size(), 2u);
        EXPECT_EQ(menu->items[0].text, u"文字列挿入"_qs);
        EXPECT_EQ(menu->items[0].id, ID_INSERT_STRING_MENU);
        EXPECT_EQ(menu->items[1].text, u"メニュー"_qs);
    }
}

TEST(MenuTables, TextContextMenusListTheirCommandsInOrder) {
    const res::Menu* menu = res::loadMenu(IDR_TEXT_CONTEXT);
    ASSERT_NE(menu->popupAt(0), nullptr);
    ASSERT_NE(menu->popupAt(1), nullptr);
    EXPECT_EQ(menu->popupAt(2), nullptr);
    EXPECT_EQ(menu->popupAt(0)->text, u"非選択時"_qs);
    EXPECT_EQ(commandIds(*menu->popupAt(0)),
              (std::vector<int>{ID_EDIT_PASTE, ID_EDIT_JUMP, ID_EDIT_SELECT_ALL, ID_FILE_NEW,
                                ID_FILE_PROPERTIES, ID_MACRO_RECORD, ID_HELP}));
    EXPECT_EQ(menu->popupAt(1)->text, u"選択時"_qs);
    EXPECT_EQ(commandIds(*menu->popupAt(1)),
              (std::vector<int>{ID_EDIT_FIND, ID_EDIT_REPLACE, ID_EDIT_CUT, ID_EDIT_COPY,
                                ID_EDIT_PASTE, ID_MACRO_RECORD, ID_HELP}));
}

TEST(MenuTables, FindAndReplaceBarSoftKeys) {
    const res::Menu* find = res::loadMenu(IDR_FINDBAR_MENUBAR);
    EXPECT_EQ(find->items[0].id, ID_FIND_SOFTKEY);
    EXPECT_EQ(commandIds(*find->popupAt(1)),
              (std::vector<int>{32829, 32870, 32827, 32826, 32832, 32836, 32834, 32824, 32823,
                                32835, 32825}));
    EXPECT_EQ(find->findCommand(ID_FIND_CLOSE)->text, u"[検索]バーを閉じる(&X)"_qs);

    const res::Menu* replace = res::loadMenu(IDR_REPLACEBAR_MENUBAR);
    EXPECT_EQ(replace->items[0].text, u"置換"_qs);
    EXPECT_EQ(commandIds(*replace->popupAt(1)),
              (std::vector<int>{32880, 32885, 32883, 32881, 32877, 32876, 32882, 32888, 32886,
                                32874, 32873, 32887, 32875}));
}

TEST(MenuTables, FileDialogContextMenusEndWithOkAndCancel) {
    const res::Menu* menu = res::loadMenu(IDR_QSD_CONTEXT);
    ASSERT_EQ(menu->items.size(), 3u);
    const QStringList names = texts(menu->items);
    EXPECT_EQ(names, (QStringList{u"File"_qs, u"Folder"_qs, u"TextBox"_qs}));
    for (const MenuItem& popup : menu->items) {
        const auto& items = popup.items;
        ASSERT_GE(items.size(), 3u);
        EXPECT_EQ(items[items.size() - 3].kind, MenuItem::Kind::Separator)
            << popup.text.toStdString();
        EXPECT_EQ(items[items.size() - 2].id, IDOK);
        EXPECT_EQ(items[items.size() - 1].id, IDCANCEL);
    }
    EXPECT_EQ(commandIds(*menu->popupAt(2)),
              (std::vector<int>{ID_QSD_TEXTBOX_CUT, ID_QSD_TEXTBOX_COPY, ID_QSD_TEXTBOX_PASTE, IDOK,
                                IDCANCEL}));
}

TEST(MenuTables, AcceleratorsBindTheDocumentedKeys) {
    auto commandFor = [](QKeyCombination keys) {
        for (const res::Accelerator& a : res::mainAccelerators())
            if (a.keys == keys)
                return a.command;
        return 0;
    };
    EXPECT_EQ(commandFor(QKeyCombination(Qt::ControlModifier, Qt::Key_O)), ID_FILE_OPEN);
    EXPECT_EQ(commandFor(QKeyCombination(Qt::AltModifier, Qt::Key_Backspace)), ID_EDIT_UNDO);
    EXPECT_EQ(commandFor(QKeyCombination(Qt::ShiftModifier, Qt::Key_Insert)), ID_EDIT_PASTE);
    EXPECT_EQ(commandFor(QKeyCombination(Qt::ControlModifier, Qt::Key_L)), 32844);
    EXPECT_EQ(commandFor(QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_H)),
              32845);
    EXPECT_EQ(commandFor(QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_P)),
              ID_MACRO_PLAY);
    EXPECT_EQ(commandFor(QKeyCombination(Qt::Key_F1)), ID_HELP);
    EXPECT_EQ(commandFor(QKeyCombination(Qt::ControlModifier, Qt::Key_3)), ID_VIEW_FONT3);
    std::set<int> keys;
    for (const res::Accelerator& a : res::mainAccelerators())
        EXPECT_TRUE(keys.insert(a.keys.toCombined()).second) << "key bound twice";
}

TEST(MenuTables, KeyNameIsCutAtTheTab) {
    EXPECT_EQ(res::withoutKeyName(u"右で折り返す(&R)\tCtrl+W"_qs), u"右で折り返す(&R)"_qs);
    EXPECT_EQ(res::withoutKeyName(u"設定(&T)..."_qs), u"設定(&T)..."_qs);
}
