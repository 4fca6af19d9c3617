#include "CommandIds.h"
#include "DialogTexts.h"
#include "MenuTables.h"
#include "ResourceSources.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace {

// clang-format off
constexpr res::DialogTextEntry kDialogTexts[] = {
    {res::IDD_MESSAGE_BOX, 1, u"OK"},
    {res::IDD_MESSAGE_BOX, 2, u"キャンセル"},
    {res::IDD_MESSAGE_BOX, 3, u"中止"},
    {res::IDD_MESSAGE_BOX, 4, u"再試行"},
    {res::IDD_MESSAGE_BOX, 5, u"無視"},
    {res::IDD_MESSAGE_BOX, 6, u"はい"},
    {res::IDD_MESSAGE_BOX, 7, u"いいえ"},
    {cmd::IDD_ABOUTBOX, res::IDC_CAPTION, u"バージョン情報"},
    {cmd::IDD_ABOUTBOX, cmd::IDOK, u"OK"},
    {cmd::IDD_ABOUTBOX, cmd::about::IDC_VERSION_TEXT, u"Tavloテキスト エディタ V1.11"},
    {cmd::IDD_PAGE_EDIT, res::IDC_CAPTION, u"編集・文字コード"},
    {cmd::IDD_PAGE_EDIT, cmd::page_edit::IDC_JIS_TO_FULL_WIDTH, u"ファイルを保存する際に全角に変換"},
    {cmd::IDD_PAGE_EDIT, cmd::page_edit::IDC_JIS_KEEP_HALF_WIDTH, u"JIS X 0201を適用して半角のまま保存"},
    {cmd::IDD_PAGE_EDIT, cmd::page_edit::IDC_SELECTABLE_CODE_SET, u"ファイル選択ダイアログに【コード】プルダウンリストを表示する"},
    {cmd::IDD_PAGE_EDIT, cmd::page_edit::IDC_IME_ASCII, u"起動時のIME入力モードは半角英数字"},
    {cmd::IDD_PAGE_EDIT, cmd::page_edit::IDC_TAB_LABEL, u"タブ(&T)："},
    {cmd::IDD_PAGE_EDIT, cmd::page_edit::IDC_TEXT_LIMIT_LABEL, u"テキストサイズの上限(&S)："},
    {cmd::IDD_PAGE_EDIT, cmd::page_edit::IDC_EDIT_GROUP, u"テキストの編集"},
    {cmd::IDD_PAGE_EDIT, cmd::page_edit::IDC_CODE_SET_GROUP, u"文字コード"},
    {cmd::IDD_PAGE_EDIT, cmd::page_edit::IDC_JIS_GROUP, u"JIS コードでの半角カタカナの扱い"},
    {cmd::IDD_PAGE_TAP, res::IDC_CAPTION, u"タップ"},
    {cmd::IDD_PAGE_TAP, cmd::page_tap::IDC_SINGLE_TAP, u"シングルタップ"},
    {cmd::IDD_PAGE_TAP, cmd::page_tap::IDC_DOUBLE_TAP, u"ダブルタップ"},
    {cmd::IDD_PAGE_TAP, cmd::page_tap::IDC_DELAY_NORMAL, u"普通"},
    {cmd::IDD_PAGE_TAP, cmd::page_tap::IDC_DELAY_LONG, u"長め"},
    {cmd::IDD_PAGE_TAP, cmd::page_tap::IDC_ZOOM_METHOD, u"なし\n余白のシングルタップ\n余白のダブルタップ"},
    {cmd::IDD_PAGE_TAP, cmd::page_tap::IDC_DELAY_GROUP, u"タップ＆ホールドの認識遅延時間"},
    {cmd::IDD_PAGE_TAP, cmd::page_tap::IDC_FILE_DIALOG_GROUP, u"ファイル選択ダイアログ"},
    {cmd::IDD_PAGE_TAP, cmd::page_tap::IDC_ZOOM_LABEL, u"ディレクトリツリーとファイルリストの拡大"},
    {cmd::IDD_PAGE_TAP, cmd::page_tap::IDC_SELECT_LABEL, u"ファイルリストでのファイルの選択方法"},
    {cmd::IDD_FILE_INFO, res::IDC_CAPTION, u"ファイル情報"},
    {cmd::IDD_FILE_INFO, cmd::fileinfo::IDC_PATH_LABEL, u"ファイル名:"},
    {cmd::IDD_FILE_INFO, cmd::fileinfo::IDC_TIME_LABEL, u"更新時間 ："},
    {cmd::IDD_FILE_INFO, cmd::fileinfo::IDC_SIZE_LABEL, u"サ　イ　ズ ："},
    {cmd::IDD_FILE_INFO, cmd::fileinfo::IDC_CHAR_SET_LABEL, u"文字コード："},
    {cmd::IDD_FILE_INFO, cmd::fileinfo::IDC_LINE_ENDING_LABEL, u"改行コード："},
    {cmd::IDD_FILE_INFO, cmd::fileinfo::IDC_CHAR_COUNT_LABEL, u"文　字　数："},
    {cmd::IDD_QSD_FILE_PROPERTIES, res::IDC_CAPTION, u"ファイルプロパティ"},
    {cmd::IDD_QSD_FILE_PROPERTIES, cmd::IDOK, u"OK"},
    {cmd::IDD_QSD_FILE_PROPERTIES, cmd::IDCANCEL, u"キャンセル"},
    {cmd::IDD_QSD_FILE_PROPERTIES, cmd::fileprops::IDC_NAME_LABEL, u"ファイル名："},
    {cmd::IDD_QSD_FILE_PROPERTIES, cmd::fileprops::IDC_READ_ONLY, u"読み取り専用"},
    {cmd::IDD_QSD_FILE_PROPERTIES, cmd::fileprops::IDC_ARCHIVE, u"アーカイブ"},
    {cmd::IDD_QSD_FILE_PROPERTIES, cmd::fileprops::IDC_SYSTEM, u"システム"},
    {cmd::IDD_QSD_FILE_PROPERTIES, cmd::fileprops::IDC_IN_ROM, u"ROMファイル"},
    {cmd::IDD_QSD_FILE_PROPERTIES, cmd::fileprops::IDC_TEMPORARY, u"一時ファイル"},
    {cmd::IDD_QSD_FILE_PROPERTIES, cmd::fileprops::IDC_HIDDEN, u"隠しファイル"},
    {cmd::IDD_QSD_FILE_PROPERTIES, cmd::fileprops::IDC_FOLDER_LABEL, u"フォルダ："},
    {cmd::IDD_QSD_FILE_PROPERTIES, cmd::fileprops::IDC_SIZE_LABEL, u"サイズ："},
    {cmd::IDD_QSD_FILE_PROPERTIES, cmd::fileprops::IDC_TIME_LABEL, u"更新時刻："},
    {cmd::IDD_JUMP, res::IDC_CAPTION, u"ジャンプ"},
    {cmd::IDD_JUMP, cmd::jump::IDC_CURRENT_LABEL, u"文字入力カーソル："},
    {cmd::IDD_JUMP, cmd::jump::IDC_LAST_LABEL, u"テキストの最終行："},
    {cmd::IDD_JUMP, cmd::jump::IDC_TARGET_LABEL, u"ジャンプ先(&G)："},
    {cmd::IDD_JUMP, cmd::jump::IDC_LINE_UNIT, u"行"},
    {cmd::IDD_MACRO_LOAD_ERROR, res::IDC_CAPTION, u"マクロ・ロードエラー"},
    {cmd::IDD_MACRO_LOAD_ERROR, cmd::IDOK, u"OK"},
    {cmd::IDD_PAGE_FILE, res::IDC_CAPTION, u"拡張子・マクロ"},
    {cmd::IDD_PAGE_FILE, cmd::page_file::IDC_LOAD_MACRO, u"起動時に指定のマクロを読み込む"},
    {cmd::IDD_PAGE_FILE, cmd::page_file::IDC_ASSOC_GROUP, u"関連付けする拡張子"},
    {cmd::IDD_PAGE_FILE, cmd::page_file::IDC_MACRO_GROUP, u"マクロのロード"},
    {cmd::IDD_PAGE_FILE, cmd::page_file::IDC_MACRO_SELECT_TITLE, u"マクロファイル選択"},
    {cmd::IDD_PAGE_FILE, cmd::page_file::IDC_MACRO_FILTER, u"マクロファイル(*.mcr)"},
    {cmd::IDD_PAGE_FONT, res::IDC_CAPTION, u"フォント"},
    {cmd::IDD_PAGE_FONT, cmd::page_font::IDC_GROUP[0], u"フォント１"},
    {cmd::IDD_PAGE_FONT, cmd::page_font::IDC_GROUP[1], u"フォント２"},
    {cmd::IDD_PAGE_FONT, cmd::page_font::IDC_GROUP[2], u"フォント３"},
    {cmd::IDD_PAGE_FONT, cmd::page_font::IDC_GROUP[3], u"フォント４"},
    {cmd::IDD_PAGE_FONT, cmd::page_font::IDC_POINTS_UNIT, u"pt"},
    {cmd::IDD_PAGE_COLOR, res::IDC_CAPTION, u"カラー"},
    {cmd::IDD_PAGE_COLOR, cmd::page_color::IDC_RESET, u"リセット"},
    {cmd::IDD_PAGE_COLOR, cmd::page_color::IDC_TEXT_LABEL, u"文字色："},
    {cmd::IDD_PAGE_COLOR, cmd::page_color::IDC_BACKGROUND_LABEL, u"背景色："},
    {cmd::IDD_PAGE_COLOR, cmd::page_color::IDC_PREVIEW_GROUP, u"プレビュー"},
    {cmd::IDD_PAGE_MENU, res::IDC_CAPTION, u"メニュー"},
    {cmd::IDD_PAGE_MENU, cmd::page_menu::IDC_EXIT_IN_FILE_MENU, u"終了コマンドをファイルメニューの下に配置する(&X)"},
    {cmd::IDD_PAGE_MENU, cmd::page_menu::IDC_USE_SOFT_KEY_MENU, u"ソフトキーとメニューバーを使用する(&M)"},
    {cmd::IDD_PAGE_MENU, cmd::page_menu::IDC_LABEL_NUMBERED, u"【フォント１】 ～ 【フォント４】 を表示(&I)"},
    {cmd::IDD_PAGE_MENU, cmd::page_menu::IDC_LABEL_FACE_AND_SIZE, u"フォント名とサイズを表示(&N)"},
    {cmd::IDD_PAGE_MENU, cmd::page_menu::IDC_MRU_LABEL, u"最近使ったファイルの最大(&L)"},
    {cmd::IDD_PAGE_MENU, cmd::page_menu::IDC_LABEL_GROUP, u"フォント切り替えのコマンドのラベル"},
    {cmd::IDD_PAGE_CUSTOMIZE, res::IDC_CAPTION, u"タイトル"},
    {cmd::IDD_PAGE_CUSTOMIZE, cmd::page_customize::IDC_SHOW_FILE_NAME, u"編集中のファイル名を表示する(&N)"},
    {cmd::IDD_PAGE_CUSTOMIZE, cmd::page_customize::IDC_SHOW_LABEL, u"指定の文字列を表示する(&L)"},
    {cmd::IDD_PAGE_CUSTOMIZE, cmd::page_customize::IDC_MODIFIED_MARK, u"テキスト変更時に * を表示する(&A)"},
    {cmd::IDD_PAGE_CUSTOMIZE, cmd::page_customize::IDC_CARET_POS, u"カーソルの位置を表示する(&C)"},
    {cmd::IDD_PAGE_CUSTOMIZE, cmd::page_customize::IDC_CARET_BEFORE, u"タイトルの前"},
    {cmd::IDD_PAGE_CUSTOMIZE, cmd::page_customize::IDC_CARET_AFTER, u"タイトルの後ろ"},
    {cmd::IDD_PAGE_CUSTOMIZE, cmd::page_customize::IDC_INFO_GROUP, u"タイトルバーに表示する情報"},
    {cmd::IDD_PAGE_INSERT_STRING, res::IDC_CAPTION, u"挿入文字列"},
    {cmd::IDD_PAGE_INSERT_STRING, cmd::page_insert::IDC_AT_CARET, u"カーソル位置に挿入"},
    {cmd::IDD_PAGE_INSERT_STRING, cmd::page_insert::IDC_SURROUND, u"選択を囲む"},
    {cmd::IDD_PAGE_INSERT_STRING, cmd::page_insert::IDC_END_LABEL, u"終了記号　："},
    {cmd::IDD_PAGE_INSERT_STRING, cmd::page_insert::IDC_FIELDS_GROUP, u"挿入文字列編集"},
    {cmd::IDD_PAGE_INSERT_STRING, cmd::page_insert::IDC_INSERT_LABEL, u"挿入文字列："},
    {cmd::IDD_PAGE_LANGUAGE, res::IDC_CAPTION, u"UI言語"},
    {cmd::IDD_PAGE_LANGUAGE, cmd::page_language::IDC_AUTO_REGISTER, u"起動時にLanguageフォルダの言語ライブラリを登録する"},
    {cmd::IDD_PAGE_LANGUAGE, cmd::page_language::IDC_LANGUAGES, u"UI言語:"},
    {cmd::IDD_PAGE_LANGUAGE, cmd::page_language::IDC_REGISTER, u"登録..."},
    {cmd::IDD_PAGE_LANGUAGE, cmd::page_language::IDC_CHECK_SYSTEM_UI, u"起動時にシステムのUI言語と比較する"},
    {cmd::IDD_UI_LANGUAGE_CHECK, res::IDC_CAPTION, u"UI言語の確認"},
    {cmd::IDD_UI_LANGUAGE_CHECK, cmd::IDOK, u"切り替える"},
    {cmd::IDD_UI_LANGUAGE_CHECK, cmd::IDCANCEL, u"切り替えない"},
    {cmd::IDD_UI_LANGUAGE_CHECK, cmd::ui_language_check::IDC_UI_CHECK_MESSAGE, u"システムのUI言語が現在のUI言語と異なります。\n下記の言語に切り替えますか？"},
    {cmd::IDD_UI_LANGUAGE_CHECK, cmd::ui_language_check::IDC_UI_CHECK_NO_MORE, u"今後、起動時にUI言語のチェックをしない"},
    {cmd::IDD_FONT_SELECT, res::IDC_CAPTION, u"フォント選択"},
    {cmd::IDD_FONT_SELECT, cmd::fontdlg::IDC_BOLD, u"太字(&B)"},
    {cmd::IDD_FONT_SELECT, cmd::fontdlg::IDC_ITALIC, u"斜体(&I)"},
    {cmd::IDD_FONT_SELECT, cmd::fontdlg::IDC_FACE_LABEL, u"フォント名(&N)："},
    {cmd::IDD_FONT_SELECT, cmd::fontdlg::IDC_SIZE_LABEL, u"サイズ(&S)："},
    {cmd::IDD_FINDBAR, cmd::findbar::IDC_PREV, u"▲"},
    {cmd::IDD_FINDBAR, cmd::findbar::IDC_NEXT, u"▼"},
    {cmd::IDD_FINDBAR, cmd::findbar::IDC_CASE_ON, u"Aa"},
    {cmd::IDD_FINDBAR, cmd::findbar::IDC_CASE_OFF, u"Aa"},
    {cmd::IDD_FINDBAR, cmd::findbar::IDC_CLOSE, u"×"},
    {cmd::IDD_FINDBAR, res::IDC_TOOLTIP + cmd::findbar::IDC_PREV, u"前を検索"},
    {cmd::IDD_FINDBAR, res::IDC_TOOLTIP + cmd::findbar::IDC_NEXT, u"次を検索"},
    {cmd::IDD_FINDBAR, res::IDC_TOOLTIP + cmd::findbar::IDC_CASE_ON, u"大文字と小文字を区別する：オン"},
    {cmd::IDD_FINDBAR, res::IDC_TOOLTIP + cmd::findbar::IDC_CASE_OFF, u"大文字と小文字を区別する：オフ"},
    {cmd::IDD_FINDBAR, res::IDC_TOOLTIP + cmd::findbar::IDC_CLOSE, u"[検索]バーを閉じる"},
    {cmd::IDD_QSD_FILE_SELECT, res::IDC_CAPTION, u"ファイル名を参照"},
    {cmd::IDD_QSD_FILE_SELECT, cmd::IDOK, u"OK"},
    {cmd::IDD_QSD_FILE_SELECT, cmd::IDCANCEL, u"ｷｬﾝｾﾙ"},
    {cmd::IDD_QSD_FILE_SELECT, cmd::filedlg::IDC_NAME_LABEL, u"名 前"},
    {cmd::IDD_QSD_FILE_SELECT, cmd::filedlg::IDC_TITLE, u"参照"},
    {cmd::IDD_QSD_FILE_SELECT, cmd::filedlg::IDC_OPTION_LABEL, u"ｵﾌﾟｼｮﾝ"},
    {cmd::IDD_QSD_FILE_SELECT, cmd::filedlg::IDC_TYPE_LABEL, u"種 類"},
    {cmd::IDD_QSD_FILE_SELECT, cmd::filedlg_msg::INTO_SUBFOLDER, u"フォルダをそのサブフォルダ内に移動・コピーすることはできません。"},
    {cmd::IDD_QSD_FILE_SELECT, cmd::filedlg_msg::VANISHED_SKIP, u"下記ファイルは既に存在ません。処理をスキップします。\n\n%s"},
    {cmd::IDD_QSD_FILE_SELECT, cmd::filedlg_msg::SOME_SKIPPED, u"いくつかのファイル・フォルダの処理をスキップしました。"},
    {cmd::IDD_QSD_FILE_SELECT, cmd::filedlg_msg::NAME_LIMIT, u"ファイルの作成制限数に達したため、下記ファイルの処理をスキップしました。\n\n%s"},
    {cmd::IDD_QSD_FILE_SELECT, cmd::filedlg_msg::PROCESS_ERROR, u"下記ファイルの処理でエラーが発生しました。\n\n%s"},
    {cmd::IDD_QSD_FILE_SELECT, cmd::filedlg_msg::READ_ONLY_MOVE, u"下記ファイルは読み取り専用です。強制的に移動を実行しますか？\n\n%s"},
    {cmd::IDD_QSD_FILE_SELECT, cmd::filedlg_msg::OVERWRITE_ERROR, u"下記ファイルの上書きでエラーが発生しました。\n\n%s"},
    {cmd::IDD_QSD_FILE_SELECT, cmd::filedlg_msg::FILE_BLOCKS_FOLDER, u"同名のファイルが既に存在するため、フォルダを作成できません。\n\n%s"},
    {cmd::IDD_QSD_FILE_SELECT, cmd::filedlg_msg::FOLDER_BLOCKS_FILE, u"同名のフォルダが既に存在するため、ファイルを作成できません。\n\n%s"},
    {cmd::IDD_QSD_FILE_SELECT, cmd::filedlg_msg::READ_ONLY_FOLDER_THERE, u"貼り付け先に同名の読み取り専用フォルダが既に存在します。読み取り専用属性を解除して強制的に上書きしますか？\n\n%s"},
    {cmd::IDD_QSD_FILE_SELECT, cmd::filedlg_msg::READ_ONLY_FILE_THERE, u"貼り付け先に同名の読み取り専用ファイルが存在します。読み取り専用属性を解除して強制的に上書きしますか？\n\n%s"},
    {cmd::IDD_QSD_FILE_SELECT, cmd::filedlg_msg::ATTRIBUTE_ERROR_SKIP, u"ファイル属性の変更でエラーが発生しました。このファイルの処理をスキップします。\n\n%s"},
    {cmd::IDD_QSD_FILE_SELECT, cmd::filedlg_msg::OVERWRITE, u"貼り付け先に同名のファイルが既に存在します。\n上書きしますか？\n\n%s"},
    {cmd::IDD_QSD_FILE_SELECT, cmd::filedlg_msg::CREATE_FOLDER_ERROR, u"下記フォルダの作成でエラーが発生しました。\n\n%s"},
    {cmd::IDD_QSD_FILE_SELECT, cmd::filedlg_msg::READ_ONLY_FOLDER_MOVE, u"下記フォルダは読み取り専用です。強制的に移動を実行しますか？\n\n%s"},
    {cmd::IDD_QSD_FILE_SELECT, cmd::filedlg_msg::MOVE_FOLDER_ERROR, u"下記フォルダの移動でエラーが発生しました。\n\n%s"},
    {cmd::IDD_QSD_FILE_SELECT, cmd::filedlg_msg::READ_ONLY_DELETE, u"下記ファイル・フォルダは読み取り専用です。読み取り専用属性を解除して強制的に削除を実行しますか？\n\n%s"},
    {cmd::IDD_QSD_FILE_SELECT, cmd::filedlg_msg::DELETE_FILE_ERROR, u"下記ファイルの削除でエラーが発生しました。\n\n%s"},
    {cmd::IDD_QSD_FILE_SELECT, cmd::filedlg_msg::DELETE_FOLDER_ERROR, u"下記フォルダの削除でエラーが発生しました。\n\n%s"},
    {cmd::IDD_QSD_FILE_SELECT, cmd::filedlg_msg::NOT_FOUND, u"下記ファイル・フォルダが見つかりません。\n\n%s"},
    {cmd::IDD_QSD_COLOR_SELECT, res::IDC_CAPTION, u"カラー選択"},
    {cmd::IDD_QSD_COLOR_SELECT, cmd::colordlg::IDC_CUSTOM_GROUP, u"カスタムカラー"},
    {cmd::IDD_QSD_COLOR_SELECT, cmd::colordlg::IDC_CUSTOM_LABEL, u"最近\n作成した色："},
    {cmd::IDD_QSD_COLOR_SELECT, cmd::colordlg::IDC_R_LABEL, u"R"},
    {cmd::IDD_QSD_COLOR_SELECT, cmd::colordlg::IDC_G_LABEL, u"G"},
    {cmd::IDD_QSD_COLOR_SELECT, cmd::colordlg::IDC_B_LABEL, u"B"},
    {cmd::IDD_QSD_COLOR_SELECT, res::IDC_TOOLTIP + cmd::colordlg::IDC_OPENING_COLOR, u"元の色"},
    {cmd::IDD_REPLACEBAR, cmd::replacebar::IDC_CASE_OFF, u"Aa"},
    {cmd::IDD_REPLACEBAR, cmd::replacebar::IDC_NEXT, u"次"},
    {cmd::IDD_REPLACEBAR, cmd::replacebar::IDC_REPLACE, u"置"},
    {cmd::IDD_REPLACEBAR, cmd::replacebar::IDC_REPLACE_ALL, u"全"},
    {cmd::IDD_REPLACEBAR, cmd::replacebar::IDC_CASE_ON, u"Aa"},
    {cmd::IDD_REPLACEBAR, cmd::replacebar::IDC_CLOSE, u"×"},
    {cmd::IDD_REPLACEBAR, res::IDC_TOOLTIP + cmd::replacebar::IDC_CASE_OFF, u"大文字と小文字を区別する：オフ"},
    {cmd::IDD_REPLACEBAR, res::IDC_TOOLTIP + cmd::replacebar::IDC_NEXT, u"次を検索"},
    {cmd::IDD_REPLACEBAR, res::IDC_TOOLTIP + cmd::replacebar::IDC_REPLACE, u"置換して次を検索"},
    {cmd::IDD_REPLACEBAR, res::IDC_TOOLTIP + cmd::replacebar::IDC_REPLACE_ALL, u"全て置換"},
    {cmd::IDD_REPLACEBAR, res::IDC_TOOLTIP + cmd::replacebar::IDC_CASE_ON, u"大文字と小文字を区別する：オン"},
    {cmd::IDD_REPLACEBAR, res::IDC_TOOLTIP + cmd::replacebar::IDC_CLOSE, u"[置換]バーを閉じる"},
};
// clang-format on

constexpr bool sortedByIds() {
    for (size_t i = 1; i < std::size(kDialogTexts); ++i) {
        const auto& a = kDialogTexts[i - 1];
        const auto& b = kDialogTexts[i];
        if (std::pair(a.dialogId, a.controlId) >= std::pair(b.dialogId, b.controlId))
            return false;
    }
    return true;
}
// The lookup below is a binary search, so a row out of order would be lost.
static_assert(sortedByIds(), "dialog texts must be sorted by dialog id, then control id, without duplicates");

bool before(const res::DialogTextEntry& e, std::pair<int, int> key) {
    return std::pair(e.dialogId, e.controlId) < key;
}

std::optional<QString> builtinDialogText(int dialogId, int controlId) {
    const auto* end = std::end(kDialogTexts);
    const auto* found =
        std::lower_bound(std::begin(kDialogTexts), end, std::pair(dialogId, controlId), before);
    if (found == end || found->dialogId != dialogId || found->controlId != controlId)
        return std::nullopt;
    return QString::fromUtf16(found->text);
}

} // namespace

namespace res {

std::span<const DialogTextEntry> builtinDialogTexts() {
    return kDialogTexts;
}

QString dialogText(int dialogId, int controlId) {
    const auto source = std::dynamic_pointer_cast<const TranslatedResourceSource>(resourceSource());
    if (source) {
        if (auto text = source->loadDialogText(dialogId, controlId))
            return *text;
    }
    return builtinDialogText(dialogId, controlId).value_or(QString());
}

QString softKeyText(int menuId, int position) {
    const Menu* menu = loadMenu(menuId);
    if (!menu || position < 0 || position >= static_cast<int>(menu->items.size()))
        return QString();
    return menu->items[static_cast<size_t>(position)].text;
}

} // namespace res
