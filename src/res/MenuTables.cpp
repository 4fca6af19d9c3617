#include "MenuTables.h"

#include "CommandIds.h"
#include "ResourceSources.h"

#include <algorithm>
#include <map>
#include <mutex>

using namespace cmd;

namespace res {

MenuItem MenuItem::command(const QString& text, int id, bool grayed) {
    MenuItem item;
    item.kind = Kind::Command;
    item.text = text;
    item.id = id;
    item.grayed = grayed;
    return item;
}

MenuItem MenuItem::separator() {
    MenuItem item;
    item.kind = Kind::Separator;
    return item;
}

MenuItem MenuItem::popup(const QString& text, std::vector<MenuItem> items, int popupId) {
    MenuItem item;
    item.kind = Kind::Popup;
    item.text = text;
    item.items = std::move(items);
    item.popupId = popupId;
    return item;
}

int textKey(const MenuItem& item) {
    return item.kind == MenuItem::Kind::Popup ? kPopupTextKey + item.popupId : item.id;
}

namespace {

const MenuItem* findIn(const std::vector<MenuItem>& items, int commandId) {
    for (const MenuItem& item : items) {
        if (item.kind == MenuItem::Kind::Command && item.id == commandId)
            return &item;
        if (item.kind == MenuItem::Kind::Popup) {
            if (const MenuItem* found = findIn(item.items, commandId))
                return found;
        }
    }
    return nullptr;
}

using Items = std::vector<MenuItem>;
MenuItem cmdItem(const QString& text, int id, bool grayed = false) {
    return MenuItem::command(text, id, grayed);
}
MenuItem sep() {
    return MenuItem::separator();
}
MenuItem popup(int popupId, const QString& text, Items items) {
    return MenuItem::popup(text, std::move(items), popupId);
}

// The ids of the pop-ups, which translations use to name them. A pop-up that
// appears in several menus keeps its id in each; within one menu they differ.
enum PopupId {
    POPUP_MAIN = 1,
    POPUP_FILE,
    POPUP_EDIT,
    POPUP_VIEW,
    POPUP_TOOLS,
    POPUP_TEXT_NO_SELECTION,
    POPUP_TEXT_SELECTION,
    POPUP_FINDBAR,
    POPUP_BAR_EDIT,
    POPUP_BAR_OPTIONS,
    POPUP_REPLACEBAR,
    POPUP_INSERT_STRING,
    POPUP_QSD_FILE,
    POPUP_QSD_FOLDER,
    POPUP_QSD_TEXTBOX,
    POPUP_QSD_SORT,
    POPUP_QSD_STYLE,
    POPUP_QSD_EDIT,
    POPUP_QSD_MENU,
    POPUP_COLOR_MENU,
    POPUP_COLOR_STYLE,
    POPUP_COLOR_TAP,
};

enum class ExitPlace { InFileMenu, LastInPopup };

// The main pop-up shared by the command bar menus (128, 163) and the soft-key
// menus (161, 162); they differ only in where "終了(&X)" stands.
MenuItem mainPopup(ExitPlace exitPlace) {
    Items file = {
        cmdItem(u"新規作成(&N)\tCtrl+N"_qs, ID_FILE_NEW),
        cmdItem(u"開く...(&O)\tCtrl+O"_qs, ID_FILE_OPEN),
        cmdItem(u"上書き保存(&S)\tCtrl+S"_qs, ID_FILE_SAVE),
        cmdItem(u"名前を付けて保存...(&S)"_qs, ID_FILE_SAVE_AS),
        sep(),
        cmdItem(u"プロパティ...(&P)"_qs, ID_FILE_PROPERTIES),
    };
    if (exitPlace == ExitPlace::InFileMenu) {
        file.push_back(sep());
        file.push_back(cmdItem(u"終了(&X)"_qs, ID_APP_EXIT));
    }
    Items items = {
        cmdItem(u"検索...(&S)"_qs, ID_EDIT_FIND),
        cmdItem(u"置換...(&R)"_qs, ID_EDIT_REPLACE),
        sep(),
        popup(POPUP_FILE, u"ファイル(&F)"_qs, std::move(file)),
        popup(POPUP_EDIT, u"編集(&E)"_qs,
              {
                  cmdItem(u"元に戻す(&U)\tCtrl+Z"_qs, ID_EDIT_UNDO),
                  sep(),
                  cmdItem(u"切り取り(&T)\tCtrl+X"_qs, ID_EDIT_CUT),
                  cmdItem(u"コピー(&C)\tCtrl+C"_qs, ID_EDIT_COPY),
                  cmdItem(u"貼り付け(&P)\tCtrl+V"_qs, ID_EDIT_PASTE),
                  sep(),
                  cmdItem(u"ジャンプ...(&J)\tCtrl+G"_qs, ID_EDIT_JUMP),
                  cmdItem(u"すべて選択(&A)\tCtrl+A"_qs, ID_EDIT_SELECT_ALL),
              }),
        popup(POPUP_VIEW, u"表示(&V)"_qs,
              {
                  cmdItem(u"フォント１(&1)\tCtrl+1"_qs, ID_VIEW_FONT1),
                  cmdItem(u"フォント２(&2)\tCtrl+2"_qs, ID_VIEW_FONT2),
                  cmdItem(u"フォント３(&3)\tCtrl+3"_qs, ID_VIEW_FONT3),
                  cmdItem(u"フォント４(&4)\tCtrl+4"_qs, ID_VIEW_FONT4),
                  sep(),
                  cmdItem(u"右で折り返す(&R)\tCtrl+W"_qs, ID_VIEW_WRAP),
              }),
        popup(POPUP_TOOLS, u"ツール(&T)"_qs,
              {
                  cmdItem(u"マクロの記録(&R)\tShift+Ctrl+R"_qs, ID_MACRO_RECORD),
                  cmdItem(u"マクロの再生(&P)\tShift+Ctrl+P"_qs, ID_MACRO_PLAY),
                  sep(),
                  cmdItem(u"マクロのロード(&O)..."_qs, ID_MACRO_LOAD),
                  cmdItem(u"マクロを保存(&S)..."_qs, ID_MACRO_SAVE),
                  sep(),
                  cmdItem(u"設定(&T)..."_qs, ID_SETTINGS),
                  sep(),
                  cmdItem(u"ヘルプ トピック(&H)\tF1"_qs, ID_HELP),
                  cmdItem(u"バージョン情報(&A)..."_qs, ID_APP_ABOUT),
              }),
        sep(),
        // The recent-file list replaces this placeholder; with an empty list
        // it stays, disabled.
        cmdItem(u"最近使ったファイル"_qs, ID_FILE_MRU_FILE1, true),
    };
    if (exitPlace == ExitPlace::LastInPopup) {
        items.push_back(sep());
        items.push_back(cmdItem(u"終了(&X)"_qs, ID_APP_EXIT));
    }
    return popup(POPUP_MAIN, u"メニュー"_qs, std::move(items));
}

Items textBoxEditPopup(int cut, int copy, int paste, int undo, int selectAll, int clear) {
    return {
        cmdItem(u"切り取り(&T)"_qs, cut),       cmdItem(u"コピー(&C)"_qs, copy),
        cmdItem(u"貼り付け(&P)"_qs, paste),     cmdItem(u"元に戻す(&U)"_qs, undo),
        cmdItem(u"全て選択(&A)"_qs, selectAll), cmdItem(u"クリア(&L)"_qs, clear),
    };
}

Items okCancelTail() {
    return {sep(), cmdItem(u"OK"_qs, IDOK), cmdItem(u"キャンセル"_qs, IDCANCEL)};
}

Items withTail(Items items, const Items& tail) {
    items.insert(items.end(), tail.begin(), tail.end());
    return items;
}

Items sortPopupItems() {
    return {
        cmdItem(u"名前"_qs, ID_QSD_SORT_NAME),
        cmdItem(u"サイズ"_qs, ID_QSD_SORT_SIZE),
        cmdItem(u"更新時間"_qs, ID_QSD_SORT_TIME),
        cmdItem(u"ファイルの種類"_qs, ID_QSD_SORT_TYPE),
    };
}

Items stylePopupItems() {
    return {
        cmdItem(u"アイコン"_qs, ID_QSD_STYLE_ICONS),
        cmdItem(u"リスト"_qs, ID_QSD_STYLE_LIST),
        cmdItem(u"詳細"_qs, ID_QSD_STYLE_DETAILS),
    };
}

Items fileEditPopupItems() {
    return {
        cmdItem(u"切り取り"_qs, ID_QSD_CUT),
        cmdItem(u"コピー"_qs, ID_QSD_COPY),
        cmdItem(u"貼り付け"_qs, ID_QSD_PASTE),
        cmdItem(u"削除"_qs, ID_QSD_DELETE),
        sep(),
        cmdItem(u"すべて選択"_qs, ID_QSD_SELECT_ALL),
    };
}

std::map<int, Menu> buildMenus() {
    std::map<int, Menu> menus;
    auto add = [&menus](int id, Items items) { menus[id] = Menu{id, std::move(items)}; };

    add(IDR_MAINFRAME, {mainPopup(ExitPlace::InFileMenu)});
    add(IDR_CMDBAR_EXIT_LAST, {mainPopup(ExitPlace::LastInPopup)});
    add(IDR_SOFTKEY_EXIT_IN_FILE,
        {cmdItem(u"文字列挿入"_qs, ID_INSERT_STRING_MENU), mainPopup(ExitPlace::InFileMenu)});
    add(IDR_SOFTKEY_EXIT_LAST,
        {cmdItem(u"文字列挿入"_qs, ID_INSERT_STRING_MENU), mainPopup(ExitPlace::LastInPopup)});

    add(IDR_TEXT_CONTEXT, {
                              popup(POPUP_TEXT_NO_SELECTION, u"非選択時"_qs,
                                    {
                                        cmdItem(u"貼り付け"_qs, ID_EDIT_PASTE),
                                        sep(),
                                        cmdItem(u"ジャンプ"_qs, ID_EDIT_JUMP),
                                        cmdItem(u"すべて選択"_qs, ID_EDIT_SELECT_ALL),
                                        sep(),
                                        cmdItem(u"新規作成"_qs, ID_FILE_NEW),
                                        cmdItem(u"プロパティ"_qs, ID_FILE_PROPERTIES),
                                        sep(),
                                        cmdItem(u"マクロの記録"_qs, ID_MACRO_RECORD),
                                        sep(),
                                        cmdItem(u"ヘルプ トピック"_qs, ID_HELP),
                                    }),
                              popup(POPUP_TEXT_SELECTION, u"選択時"_qs,
                                    {
                                        cmdItem(u"検索"_qs, ID_EDIT_FIND),
                                        cmdItem(u"置換"_qs, ID_EDIT_REPLACE),
                                        sep(),
                                        cmdItem(u"切り取り"_qs, ID_EDIT_CUT),
                                        cmdItem(u"コピー"_qs, ID_EDIT_COPY),
                                        cmdItem(u"貼り付け"_qs, ID_EDIT_PASTE),
                                        sep(),
                                        cmdItem(u"マクロの記録"_qs, ID_MACRO_RECORD),
                                        sep(),
                                        cmdItem(u"ヘルプ トピック"_qs, ID_HELP),
                                    }),
                          });

    add(IDR_FINDBAR_MENUBAR,
        {
            cmdItem(u"次を検索"_qs, ID_FIND_SOFTKEY),
            popup(POPUP_FINDBAR, u"メニュー"_qs,
                  {
                      cmdItem(u"前を検索(&P)"_qs, ID_FIND_REVERSE),
                      cmdItem(u"編集中テキストへカレットを移動"_qs, ID_FIND_FOCUS_EDITOR),
                      sep(),
                      popup(POPUP_BAR_EDIT, u"編集(&E)"_qs,
                            textBoxEditPopup(ID_FIND_TEXT_CUT, ID_FIND_TEXT_COPY,
                                             ID_FIND_TEXT_PASTE, ID_FIND_TEXT_UNDO,
                                             ID_FIND_TEXT_SELECT_ALL, ID_FIND_TEXT_CLEAR)),
                      popup(POPUP_BAR_OPTIONS, u"オプション(&O)"_qs,
                            {
                                cmdItem(u"大文字と小文字を区別する(&I)"_qs, ID_FIND_CASE_SENSITIVE),
                                cmdItem(u"コマンドボタンを表示(&B)"_qs, ID_FIND_SHOW_BUTTONS),
                            }),
                      sep(),
                      cmdItem(u"[検索]バーを閉じる(&X)"_qs, ID_FIND_CLOSE),
                  }),
        });

    add(IDR_REPLACEBAR_MENUBAR,
        {
            cmdItem(u"置換"_qs, ID_REPLACE_SOFTKEY),
            popup(POPUP_REPLACEBAR, u"メニュー"_qs,
                  {
                      cmdItem(u"次を検索(&F)"_qs, ID_REPLACE_FIND_NEXT),
                      cmdItem(u"置換して次を検索"_qs, ID_REPLACE_AND_FIND_NEXT),
                      cmdItem(u"全て置換"_qs, ID_REPLACE_ALL),
                      cmdItem(u"編集中テキストへカレットを移動"_qs, ID_REPLACE_FOCUS_EDITOR),
                      sep(),
                      popup(POPUP_BAR_EDIT, u"編集(&E)"_qs,
                            textBoxEditPopup(ID_REPLACE_TEXT_CUT, ID_REPLACE_TEXT_COPY,
                                             ID_REPLACE_TEXT_PASTE, ID_REPLACE_TEXT_UNDO,
                                             ID_REPLACE_TEXT_SELECT_ALL, ID_REPLACE_TEXT_CLEAR)),
                      popup(POPUP_BAR_OPTIONS, u"オプション(&O)"_qs,
                            {
                                cmdItem(u"大文字と小文字を区別する(&I)"_qs,
                                        ID_REPLACE_CASE_SENSITIVE),
                                cmdItem(u"コマンドボタンを表示(&B)"_qs, ID_REPLACE_SHOW_BUTTONS),
                            }),
                      sep(),
                      cmdItem(u"[置換]バーを閉じる(&X)"_qs, ID_REPLACE_CLOSE),
                  }),
        });

    // The insert-string pop-up is a template: the view removes its items and
    // fills it from the insert strings.
    add(IDR_INSERT_STRING_MENU, {popup(POPUP_INSERT_STRING, u"文字列挿入"_qs,
                                       {cmdItem(u"(未登録)"_qs, ID_INSERT_STRING1, true)})});

    add(IDR_QSD_CONTEXT,
        {
            popup(POPUP_QSD_FILE, u"File"_qs,
                  withTail(
                      {
                          popup(POPUP_QSD_SORT, u"ソート"_qs, sortPopupItems()),
                          popup(POPUP_QSD_STYLE, u"リストのスタイル"_qs, stylePopupItems()),
                          sep(),
                          popup(POPUP_QSD_EDIT, u"編集"_qs, fileEditPopupItems()),
                          cmdItem(u"複数選択開始"_qs, ID_QSD_MULTI_SELECT),
                          cmdItem(u".lnk ファイルを選択"_qs, ID_QSD_SELECT_LINK_FILE),
                          cmdItem(u"プロパティ..."_qs, ID_QSD_PROPERTIES),
                          sep(),
                          cmdItem(u"フォルダを表示"_qs, ID_QSD_SHOW_FOLDERS),
                          cmdItem(u"親フォルダへ移動"_qs, ID_QSD_PARENT_FOLDER),
                          cmdItem(u"最新の情報に更新"_qs, ID_QSD_REFRESH),
                      },
                      okCancelTail())),
            popup(POPUP_QSD_FOLDER, u"Folder"_qs,
                  withTail(
                      {
                          cmdItem(u"新規フォルダ"_qs, ID_QSD_FOLDER_NEW),
                          cmdItem(u"削除"_qs, ID_QSD_FOLDER_DELETE),
                          cmdItem(u"プロパティ..."_qs, ID_QSD_FOLDER_PROPERTIES),
                          sep(),
                          cmdItem(u"最新の情報に更新"_qs, ID_QSD_FOLDER_REFRESH),
                      },
                      okCancelTail())),
            popup(POPUP_QSD_TEXTBOX, u"TextBox"_qs,
                  withTail(
                      {
                          cmdItem(u"切り取り"_qs, ID_QSD_TEXTBOX_CUT),
                          cmdItem(u"コピー"_qs, ID_QSD_TEXTBOX_COPY),
                          cmdItem(u"貼り付け"_qs, ID_QSD_TEXTBOX_PASTE),
                      },
                      okCancelTail())),
        });

    add(IDR_QSD_MENUBAR,
        {
            cmdItem(u"OK"_qs, IDOK),
            popup(POPUP_QSD_MENU, u"メニュー"_qs,
                  {
                      cmdItem(u"親フォルダへ移動"_qs, ID_QSD_PARENT_FOLDER),
                      cmdItem(u"最新の情報に更新"_qs, ID_QSD_REFRESH, true),
                      cmdItem(u"プロパティ..."_qs, ID_QSD_PROPERTIES),
                      sep(),
                      popup(POPUP_QSD_EDIT, u"編集"_qs,
                            {
                                cmdItem(u"切り取り"_qs, ID_QSD_CUT),
                                cmdItem(u"コピー"_qs, ID_QSD_COPY),
                                cmdItem(u"貼り付け"_qs, ID_QSD_PASTE),
                                cmdItem(u"削除"_qs, ID_QSD_DELETE),
                                sep(),
                                cmdItem(u"すべて選択"_qs, ID_EDIT_SELECT_ALL),
                            }),
                      popup(POPUP_QSD_SORT, u"ソート"_qs, sortPopupItems()),
                      popup(POPUP_QSD_STYLE, u"リストのスタイル"_qs, stylePopupItems()),
                      sep(),
                      cmdItem(u"[ファイルリスト]にフォルダを表示"_qs, ID_QSD_SHOW_FOLDERS),
                      cmdItem(u"[名前]を表示"_qs, ID_QSD_SHOW_NAME),
                      cmdItem(u"[種類]を表示"_qs, ID_QSD_SHOW_TYPE),
                      cmdItem(u"[コード]を表示"_qs, ID_QSD_SHOW_OPTION),
                      cmdItem(u"[フォルダ・ツリー]を表示"_qs, ID_QSD_SHOW_TREE),
                      sep(),
                      cmdItem(u".lnk ファイルを選択"_qs, ID_QSD_SELECT_LINK_FILE),
                      sep(),
                      cmdItem(u"キャンセル"_qs, IDCANCEL),
                  }),
        });

    add(IDR_QSD_PROPERTIES_MENUBAR, {cmdItem(u"OK"_qs, IDOK)});
    add(IDR_OK_CANCEL_MENUBAR, {cmdItem(u"OK"_qs, IDOK), cmdItem(u"キャンセル"_qs, IDCANCEL)});

    add(IDR_COLOR_MENUBAR,
        {
            cmdItem(u"OK"_qs, IDOK),
            popup(POPUP_COLOR_MENU, u"メニュー"_qs,
                  {
                      popup(POPUP_COLOR_STYLE, u"スタイル"_qs,
                            {
                                cmdItem(u"基本色とカスタムカラー"_qs, ID_COLOR_STYLE_BOTH),
                                cmdItem(u"基本色"_qs, ID_COLOR_STYLE_BASIC),
                                cmdItem(u"カスタムカラー"_qs, ID_COLOR_STYLE_CUSTOM),
                            }),
                      popup(POPUP_COLOR_TAP, u"タップ・プッシュのアクション"_qs,
                            {
                                cmdItem(u"その色を選択"_qs, ID_COLOR_TAP_SELECT),
                                cmdItem(u"フォーカスの移動のみ"_qs, ID_COLOR_TAP_FOCUS),
                                cmdItem(u"カスタムカラーに取り込み"_qs, ID_COLOR_TAP_LOAD),
                            }),
                      sep(),
                      cmdItem(u"カスタムカラーをリセット"_qs, ID_COLOR_RESET_CUSTOM),
                      sep(),
                      cmdItem(u"キャンセル"_qs, IDCANCEL),
                  }),
        });
    return menus;
}

const std::map<int, Menu>& allMenus() {
    static const std::map<int, Menu> menus = buildMenus();
    return menus;
}

constexpr QKeyCombination ctrl(Qt::Key key) {
    return QKeyCombination(Qt::ControlModifier, key);
}
constexpr QKeyCombination ctrlShift(Qt::Key key) {
    return QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, key);
}
constexpr QKeyCombination shift(Qt::Key key) {
    return QKeyCombination(Qt::ShiftModifier, key);
}
constexpr QKeyCombination alt(Qt::Key key) {
    return QKeyCombination(Qt::AltModifier, key);
}

const Accelerator kMainAccelerators[] = {
    {ctrl(Qt::Key_N), ID_FILE_NEW},
    {ctrl(Qt::Key_O), ID_FILE_OPEN},
    {ctrl(Qt::Key_S), ID_FILE_SAVE},
    {ctrl(Qt::Key_Z), ID_EDIT_UNDO},
    {alt(Qt::Key_Backspace), ID_EDIT_UNDO},
    {ctrl(Qt::Key_X), ID_EDIT_CUT},
    {shift(Qt::Key_Delete), ID_EDIT_CUT},
    {ctrl(Qt::Key_C), ID_EDIT_COPY},
    {ctrl(Qt::Key_Insert), ID_EDIT_COPY},
    {ctrl(Qt::Key_V), ID_EDIT_PASTE},
    {shift(Qt::Key_Insert), ID_EDIT_PASTE},
    {ctrl(Qt::Key_A), ID_EDIT_SELECT_ALL},
    {ctrl(Qt::Key_G), ID_EDIT_JUMP},
    {QKeyCombination(Qt::Key_F1), ID_HELP},
    {ctrl(Qt::Key_M), ID_MENU_POPUP},
    {ctrl(Qt::Key_W), ID_VIEW_WRAP},
    {ctrl(Qt::Key_1), ID_VIEW_FONT1},
    {ctrl(Qt::Key_2), ID_VIEW_FONT2},
    {ctrl(Qt::Key_3), ID_VIEW_FONT3},
    {ctrl(Qt::Key_4), ID_VIEW_FONT4},
    {ctrl(Qt::Key_H), ID_INSERT_STRING1},
    {ctrl(Qt::Key_J), ID_INSERT_STRING1 + 1},
    {ctrl(Qt::Key_K), ID_INSERT_STRING1 + 2},
    {ctrl(Qt::Key_L), ID_INSERT_STRING1 + 3},
    {ctrlShift(Qt::Key_H), ID_INSERT_STRING1 + 4},
    {ctrlShift(Qt::Key_J), ID_INSERT_STRING1 + 5},
    {ctrlShift(Qt::Key_K), ID_INSERT_STRING1 + 6},
    {ctrlShift(Qt::Key_L), ID_INSERT_STRING8},
    {ctrlShift(Qt::Key_R), ID_MACRO_RECORD},
    {ctrlShift(Qt::Key_P), ID_MACRO_PLAY},
    // The desktop's usual keys, where no key of the program's own takes them.
    {ctrl(Qt::Key_F), ID_EDIT_FIND},
    {ctrl(Qt::Key_Y), ID_EDIT_REDO},
    {ctrl(Qt::Key_Q), ID_APP_EXIT},
};

} // namespace

const MenuItem* Menu::findCommand(int commandId) const {
    return findIn(items, commandId);
}

const MenuItem* Menu::popupAt(int index) const {
    if (index < 0 || index >= static_cast<int>(items.size()))
        return nullptr;
    const MenuItem& item = items[static_cast<size_t>(index)];
    return item.kind == MenuItem::Kind::Popup ? &item : nullptr;
}

namespace {

// Calls fn with the text key and the text of every item that has a text
// (commands and pop-ups), depth first; separators have none.
template <typename Fn> void walkTexts(std::vector<MenuItem>& items, const Fn& fn) {
    for (MenuItem& item : items) {
        if (item.kind == MenuItem::Kind::Separator)
            continue;
        fn(textKey(item), item.text);
        if (item.kind == MenuItem::Kind::Popup)
            walkTexts(item.items, fn);
    }
}

// The menus with the texts of the current resource source, built once per
// source. Menus built from an earlier source stay alive, because callers may
// still hold pointers into them.
const std::map<int, Menu>& translatedMenus(uint64_t generation) {
    static std::mutex mutex;
    static std::map<uint64_t, std::map<int, Menu>> built;
    std::lock_guard lock(mutex);
    const auto found = built.find(generation);
    if (found != built.end())
        return found->second;
    std::map<int, Menu> menus = allMenus();
    const auto source = std::dynamic_pointer_cast<const TranslatedResourceSource>(resourceSource());
    if (!source)
        return allMenus();
    for (auto& [id, menu] : menus) {
        walkTexts(menu.items, [&, menuId = id](int key, QString& text) {
            if (auto translated = source->loadMenuText(menuId, key))
                text = *translated;
        });
    }
    return built.emplace(generation, std::move(menus)).first->second;
}

} // namespace

const Menu* loadMenu(int id) {
    const uint64_t generation = resourceGeneration();
    const auto& menus = generation == 0 ? allMenus() : translatedMenus(generation);
    const auto found = menus.find(id);
    return found == menus.end() ? nullptr : &found->second;
}

void forEachBuiltinMenuText(
    const std::function<void(int menuId, int key, const QString& text)>& fn) {
    for (auto [id, menu] : allMenus())
        walkTexts(menu.items, [&, menuId = id](int key, QString& text) { fn(menuId, key, text); });
}

std::vector<int> menuIds() {
    std::vector<int> ids;
    for (const auto& [id, menu] : allMenus())
        ids.push_back(id);
    return ids;
}

std::span<const Accelerator> mainAccelerators() {
    return kMainAccelerators;
}

QString withoutKeyName(const QString& text) {
    const qsizetype tab = text.indexOf(u'\t');
    return tab < 0 ? text : text.left(tab);
}

} // namespace res
