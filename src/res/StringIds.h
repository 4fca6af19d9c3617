#pragma once

#include <cstdint>

// Ids of the string table (src/res/BuiltinStrings.cpp holds the texts). Load
// them with res::loadString; message texts take their "%s" and "%d" through
// res::substitute.
namespace sid {

// Tavloテキストエディタ↵↵TavloEdit↵↵↵TavloEdit.Document↵TavloEdit D...
constexpr uint32_t IDR_MAINFRAME_DOCUMENT = 128;
// ファイルは更新されています。↵変更を保存しますか？
constexpr uint32_t IDS_SAVE_CHANGES = 30006;
// %d年%2d月%2d日 %d時%02d分%02d秒
constexpr uint32_t IDS_QSD_TIME_FORMAT = 30007;
// %s新規フォルダ(%d)
constexpr uint32_t IDS_QSD_NEW_FOLDER_PATH = 30008;
// 新規フォルダ(%d)
constexpr uint32_t IDS_QSD_NEW_FOLDER_NAME = 30009;
// 下記ファイルは存在しません。作成しますか？↵↵%s
constexpr uint32_t IDS_QSD_CREATE_FILE = 30010;
// 指定のファイルは既に存在します。このファイルを上書きしますか？↵↵%s
constexpr uint32_t IDS_QSD_OVERWRITE = 30013;
// 下記ファイルと同名のフォルダが既に存在します。別の名前を選択してください。↵↵%s
constexpr uint32_t IDS_QSD_FOLDER_OF_SAME_NAME = 30014;
// 下記ファイルは既に存在しません。処理をスキップします。↵↵%s
constexpr uint32_t IDS_QSD_VANISHED_SKIP = 30020;
// 下記ファイルは既に存在しません。処理を中止します。↵↵%s
constexpr uint32_t IDS_QSD_VANISHED_STOP = 30021;
// 下記フォルダは既に存在しません。処理を中止します。↵↵%s
constexpr uint32_t IDS_QSD_FOLDER_VANISHED_STOP = 30022;
// 下記フォルダは存在しません。↵↵%s
constexpr uint32_t IDS_QSD_FOLDER_MISSING = 30023;
// 下記フォルダを削除します。よろしいですか？↵↵%s
constexpr uint32_t IDS_QSD_DELETE_FOLDER = 30024;
// 下記ファイルの削除でエラーが発生しました。↵↵%s
constexpr uint32_t IDS_QSD_DELETE_FAILED = 30026;
// 下記ファイル・フォルダは読み取り専用です。削除しますか？↵↵%s
constexpr uint32_t IDS_QSD_DELETE_READ_ONLY = 30027;
// 下記ファイルは読み取り専用です。読み取り専用属性を解除して上書き保存しますか？↵↵%s
constexpr uint32_t IDS_QSD_CLEAR_READ_ONLY_AND_SAVE = 30028;
// マクロファイルが指定されていません。↵起動時にマクロファイルを読み込む指定を解除しますか？
constexpr uint32_t IDS_MACRO_FILE_NOT_GIVEN = 30041;
// マクロファイルとして指定されているのはディレクトリです。↵起動時にマクロファイルを読み込む指定を解除しますか？
constexpr uint32_t IDS_MACRO_FILE_IS_FOLDER = 30042;
// 文字コード・改行コードの変更は、このファイルの次回保存時に反映されます。↵↵(現時点では、まだファイルの文字コード...
constexpr uint32_t IDS_CODE_CHANGE_AT_NEXT_SAVE = 30043;
// ＭＳ ゴシック
constexpr uint32_t IDS_FALLBACK_FACE = 30044;
// abc あいう
constexpr uint32_t IDS_FONT_PREVIEW_TEXT = 30045;
// 基本色とカスタムカラー
constexpr uint32_t IDS_COLOR_STYLE_BOTH = 30069;
// 基本色
constexpr uint32_t IDS_COLOR_STYLE_BASIC = 30070;
// カスタムカラー
constexpr uint32_t IDS_COLOR_STYLE_CUSTOM = 30071;
// ｵﾌﾟｼｮﾝ
constexpr uint32_t IDS_QSD_OPTION_LABEL = 30303;
// すべてのファイル(*.*)
constexpr uint32_t IDS_QSD_ALL_FILES = 30305;
// *.*
constexpr uint32_t IDS_QSD_ALL_FILES_PATTERN = 30306;
// マイ デバイス
constexpr uint32_t IDS_QSD_MY_DEVICE = 30307;
// 名前
constexpr uint32_t IDS_QSD_COLUMN_NAME = 30308;
// サイズ
constexpr uint32_t IDS_QSD_COLUMN_SIZE = 30309;
// 更新日時
constexpr uint32_t IDS_QSD_COLUMN_TIME = 30310;
// 削除
constexpr uint32_t IDS_QSD_DELETE = 30311;
// すべて選択
constexpr uint32_t IDS_QSD_SELECT_ALL = 30312;
// 貼り付け
constexpr uint32_t IDS_QSD_PASTE = 30313;
// 選択終了
constexpr uint32_t IDS_QSD_SELECT_COMPLETE = 30314;
// ☆
constexpr uint32_t IDS_COLOR_HIGHLIGHT_MARK = 30315;
// 選択されているファイル・フォルダを削除します。↵よろしですか？
constexpr uint32_t IDS_QSD_DELETE_SELECTION = 30400;
// いくつかのファイル・フォルダの処理をスキップしました。
constexpr uint32_t IDS_QSD_SOME_SKIPPED = 30401;
// 同一名のフォルダが既に存在します。
constexpr uint32_t IDS_QSD_FOLDER_EXISTS = 30500;
// 同一名のファイルが既に存在します。
constexpr uint32_t IDS_QSD_FILE_EXISTS = 30501;
// ファイル名には次の文字は使えません。↵/ : * ? " < > |
constexpr uint32_t IDS_QSD_BAD_FOLDER_NAME = 30502;
// ファイル名には、次の文字列は使えません。↵* ? < > | \ : /
constexpr uint32_t IDS_QSD_BAD_FILE_NAME = 30503;
// 新しいフォルダの作成に失敗しました。
constexpr uint32_t IDS_QSD_NEW_FOLDER_FAILED = 30504;
// メモリー不足が発生しました。
constexpr uint32_t IDS_QSD_OUT_OF_MEMORY = 30505;
// これ以上フォルダを作成できません。
constexpr uint32_t IDS_QSD_FOLDER_LIMIT = 30506;
// ファイル属性の変更操作で、エラーが発生しました。
constexpr uint32_t IDS_QSD_ATTRIBUTE_CHANGE_FAILED = 30507;
// フォルダの削除に失敗しました。↵他のアプリケーションがこのフォルダのファイルを使用していないか等を確認してください。
constexpr uint32_t IDS_QSD_FOLDER_DELETE_FAILED = 30509;
// エラーが発生したため名前を変更できません。
constexpr uint32_t IDS_QSD_RENAME_FAILED = 30510;
// ファイルリストでファイルを選択してください。
constexpr uint32_t IDS_QSD_SELECT_IN_LIST = 30511;
// 名前テキストボックスにファイル名を入力してください。
constexpr uint32_t IDS_QSD_ENTER_NAME = 30512;
// ファイルリストでファイルを選択するか、名前テキストボックスにファイル名を入力してください。
constexpr uint32_t IDS_QSD_SELECT_OR_ENTER = 30513;
// 下記ファイルのオープンでエラーが発生しました。↵↵%s
constexpr uint32_t IDS_OPEN_FAILED = 33000;
// 出力先に指定されている下記のパスはフォルダです。↵↵%s
constexpr uint32_t IDS_SAVE_TARGET_IS_FOLDER = 33001;
// 下記ファイルは読み取り専用です。読み取り専用属性を解除して、強制的に上書きしますか？↵↵%s
constexpr uint32_t IDS_SAVE_OVER_READ_ONLY = 33002;
// 下記ファイルにアクセスできません。↵↵%s
constexpr uint32_t IDS_ACCESS_FAILED = 33003;
// 下のパスはテキストファイルではなく、フォルダであるためオープンできません↵↵%s
constexpr uint32_t IDS_OPEN_FOLDER_REFUSED = 33004;
// %d 年 %d月 %d日 %d:%02d:%02d
constexpr uint32_t IDS_FILE_INFO_TIME_FORMAT = 33005;
// ジャンプ先には 1 ～ %d の間の数字を指定してください。
constexpr uint32_t IDS_JUMP_RANGE = 33006;
// *** ERROR (%d): 検索文字列の指定にあやまりがあります。
constexpr uint32_t IDS_MCR_FIND_TEXT = 33009;
//     Worning (%d): コマンド引数のダブルクォートの対応が正しくありません。
constexpr uint32_t IDS_MCR_UNBALANCED_QUOTE = 33011;
//     Worning (%d): コマンドの後ろにある無効なデータ "%s" を無視しました。
constexpr uint32_t IDS_MCR_EXTRA_DATA = 33012;
// *** ERROR (%d): 置換コマンドのフォーマットに誤りがあります。
constexpr uint32_t IDS_MCR_REPLACE_FORMAT = 33013;
// *** ERROR (%d): LOAD コマンドでデータの読み込み元のファイルが指定されていません。
constexpr uint32_t IDS_MCR_OPEN_NO_FILE = 33014;
// *** ERROR (%d): UNLOCK コマンドで未知のキーワード "%s" が指定されています。
constexpr uint32_t IDS_MCR_UNLOCK_KEYWORD = 33015;
// *** ERROR (%d): LOCK コマンドで未知のキーワード "%s" が指定されています。
constexpr uint32_t IDS_MCR_LOCK_KEYWORD = 33016;
// *** ERROR (%d): SELECT コマンドの引数に未知のキーワード "%s" が指定されています。
constexpr uint32_t IDS_MCR_SELECT_KEYWORD = 33017;
// *** ERROR (%d): UNSELECT コマンドの引数に未知のキーワード "%s" が指定されています。
constexpr uint32_t IDS_MCR_UNSELECT_KEYWORD = 33018;
// *** ERROR (%d): SLEEP コマンドの書式に誤りがあります。引数には 1～30000
constexpr uint32_t IDS_MCR_SLEEP_RANGE = 33019;
// の値を指定し...
// *** ERROR (%d): GOTO コマンドの引数の指定に誤りがあります。
constexpr uint32_t IDS_MCR_GOTO_ARGUMENT = 33020;
// *** ERROR (%d): ENABLEWINDOW コマンドの引数に未知のキーワード "%s" が指定されて...
constexpr uint32_t IDS_MCR_ENABLEWINDOW_KEYWORD = 33021;
// *** ERROR (%d): TYPE コマンドの書式に間違いがあります。
constexpr uint32_t IDS_MCR_TYPE_FORMAT = 33022;
//     Worning (%d): TYPE コマンドの引数のダブルクォートが完結していません。
constexpr uint32_t IDS_MCR_TYPE_UNCLOSED_QUOTE = 33023;
//     Worning (%d): TYPE コマンドの引数の後ろに、余分なデータ "%s" を無視します。
constexpr uint32_t IDS_MCR_TYPE_EXTRA_DATA = 33024;
//     Worning (%d): TYPE コマンドで使われている未知のキーワード "%s" を無視します。
constexpr uint32_t IDS_MCR_TYPE_UNKNOWN_KEYWORD = 33025;
// *** Worning: このマクロは新しいバージョン %d.%02d
constexpr uint32_t IDS_MCR_NEWER_VERSION = 33028;
// の文法で記述されているため、正しく動作しな...
//     Worning (%d): %s コマンドで無効なオプション "%s" が指定されています。
constexpr uint32_t IDS_MCR_INVALID_OPTION = 33029;
//     Worning (%d): REPLACE
constexpr uint32_t IDS_MCR_REPLACE_QUOTE1 = 33030;
//     コマンドの１番目の引数のダブルクォートの対応が正しくありません。
//     Worning (%d): REPLACE
constexpr uint32_t IDS_MCR_REPLACE_QUOTE2 = 33031;
//     コマンドの２番目の引数のダブルクォートの対応が正しくありません。
// *** ERROR (%d): SAVE コマンドで、出力先のファイルが指定されていません。
constexpr uint32_t IDS_MCR_SAVE_NO_FILE = 33032;
//     Worning (%d): SAVE コマンドの /A オプションが指定されているため、ファイル名 "%s...
constexpr uint32_t IDS_MCR_SAVE_NAME_IGNORED = 33033;
// *** ERROR (%d): %s コマンドの引数は省略できません。"%s" を指定してください。
constexpr uint32_t IDS_MCR_ARGUMENT_REQUIRED = 33034;
// *** ERROR (%d): 未知のマクロコマンド "%s" を検出しました。
constexpr uint32_t IDS_MCR_UNKNOWN_COMMAND = 33035;
// このファイルは別のエディタで更新されています。更新されたファイルを読み込み直しますか？↵↵%s
constexpr uint32_t IDS_CHANGED_OUTSIDE = 33038;
// マクロの記録(&R)⇥Shift+Ctrl+R
constexpr uint32_t IDS_MENU_RECORD_MACRO = 35000;
// 記録終了(&R)⇥Shift+Ctrl+R
constexpr uint32_t IDS_MENU_STOP_RECORDING = 35001;
// .txt
constexpr uint32_t IDS_EXT_TXT = 35002;
// .htm
constexpr uint32_t IDS_EXT_HTM = 35003;
// .html
constexpr uint32_t IDS_EXT_HTML = 35004;
// .inf
constexpr uint32_t IDS_EXT_INF = 35005;
// .ini
constexpr uint32_t IDS_EXT_INI = 35006;
// TavloText
constexpr uint32_t IDS_TYPE_TXT = 35007;
// TavloHtm
constexpr uint32_t IDS_TYPE_HTM = 35008;
// TavloInf
constexpr uint32_t IDS_TYPE_INF = 35009;
// TavloIni
constexpr uint32_t IDS_TYPE_INI = 35010;
// テキストファイル
constexpr uint32_t IDS_TYPE_NAME_TXT = 35011;
// HTML ドキュメント
constexpr uint32_t IDS_TYPE_NAME_HTM = 35012;
// 情報ファイル
constexpr uint32_t IDS_TYPE_NAME_INF = 35013;
// 初期化ファイル
constexpr uint32_t IDS_TYPE_NAME_INI = 35014;
// TavloHtml
constexpr uint32_t IDS_TYPE_HTML = 35015;
// HTML ドキュメント
constexpr uint32_t IDS_TYPE_NAME_HTML = 35016;
// .mcr
constexpr uint32_t IDS_EXT_MCR = 35017;
// TavloMacro
constexpr uint32_t IDS_TYPE_MCR = 35018;
// Tavloエディタマクロファイル
constexpr uint32_t IDS_TYPE_NAME_MCR = 35019;
// マクロを実行するには Ctrl, Shift, Alt,
constexpr uint32_t IDS_RELEASE_KEYS_TO_PLAY = 35021;
// "P"キーを放してください。↵(これらが押されていると、...
// このファイルは別のTavloエディタで既に開かれています。↵保存の際には必要なデータが上書きされてしまわないように...
constexpr uint32_t IDS_OPEN_IN_OTHER_INSTANCE = 35024;
// .xml
constexpr uint32_t IDS_EXT_XML = 35027;
// TavloXml
constexpr uint32_t IDS_TYPE_XML = 35028;
// XML ドキュメント
constexpr uint32_t IDS_TYPE_NAME_XML = 35029;
// コード
constexpr uint32_t IDS_CODE_LABEL = 35030;
// .txt;.htm;.html;.xml;.inf;.ini;.mcr
constexpr uint32_t IDS_ASSOCIATED_EXTENSIONS = 35031;
// (新規テキスト)
constexpr uint32_t IDS_NEW_DOCUMENT = 35032;
// Tavlo：設定
constexpr uint32_t IDS_SETTINGS_CAPTION = 35033;
// ファイルを開く
constexpr uint32_t IDS_OPEN_TITLE = 35034;
// ファイルへ保存
constexpr uint32_t IDS_SAVE_AS_TITLE = 35035;
//  バイト
constexpr uint32_t IDS_FILE_INFO_BYTES = 35036;
// テキストファイル (*.txt)|*.txt|HTMLファイル (*.htm;*.html;*.xml)|*.ht...
constexpr uint32_t IDS_TEXT_FILTERS = 35045;
//  バイト
constexpr uint32_t IDS_QSD_BYTES = 35047;
// テキストカラーのプレビュー！
constexpr uint32_t IDS_COLOR_PREVIEW_TEXT = 35048;
// フォント１(&1)⇥Ctrl+1
constexpr uint32_t IDS_FONT1_LABEL = 35050;
// フォント２(&2)⇥Ctrl+2
constexpr uint32_t IDS_FONT2_LABEL = 35051;
// フォント３(&3)⇥Ctrl+3
constexpr uint32_t IDS_FONT3_LABEL = 35052;
// フォント４(&4)⇥Ctrl+4
constexpr uint32_t IDS_FONT4_LABEL = 35053;
// アクセスキー
constexpr uint32_t IDS_COLUMN_ACCESS_KEY = 35054;
// 挿入する文字列
constexpr uint32_t IDS_COLUMN_INSERT_STRING = 35055;
// 【最近使ったファイル】の設定は、次回Tavloテキストエディタ起動時に有効になります。
constexpr uint32_t IDS_MRU_AT_NEXT_START = 35064;
// キー
constexpr uint32_t IDS_COLUMN_KEY_NARROW = 35066;
// 挿入文字列
constexpr uint32_t IDS_COLUMN_INSERT_STRING_NARROW = 35067;
// 開く
constexpr uint32_t IDS_TIP_OPEN = 35068;
// 保存
constexpr uint32_t IDS_TIP_SAVE = 35069;
// 切り取り
constexpr uint32_t IDS_TIP_CUT = 35070;
// コピー
constexpr uint32_t IDS_TIP_COPY = 35071;
// 貼り付け
constexpr uint32_t IDS_TIP_PASTE = 35072;
// マクロ実行
constexpr uint32_t IDS_TIP_PLAY_MACRO = 35073;
// 記録終了/マクロ中止
constexpr uint32_t IDS_TIP_STOP = 35074;
// Tavloテキストエディタ
constexpr uint32_t IDS_TITLE_BAR_LABEL = 35081;
// DLL(*.dll)|*.dll|
constexpr uint32_t IDS_DLL_FILTER = 35086;
// すべてのファイル (*.*)|*.*|
constexpr uint32_t IDS_ALL_FILES_FILTER = 35087;
// DLL選択
constexpr uint32_t IDS_DLL_SELECT_TITLE = 35088;
// (自動判定)
constexpr uint32_t IDS_CHARSET_AUTO = 35089;
// ANSI
constexpr uint32_t IDS_CHARSET_ANSI = 35090;
// Unicode
constexpr uint32_t IDS_CHARSET_UNICODE = 35091;
// Unicode(BigEndian)
constexpr uint32_t IDS_CHARSET_UNICODE_BE = 35092;
// UTF-8
constexpr uint32_t IDS_CHARSET_UTF8 = 35093;
// UTF-8N
constexpr uint32_t IDS_CHARSET_UTF8N = 35094;
// EUC
constexpr uint32_t IDS_CHARSET_EUC = 35095;
// JIS
constexpr uint32_t IDS_CHARSET_JIS = 35096;
// シフトJIS
constexpr uint32_t IDS_CHARSET_SHIFT_JIS = 35097;
// シフトJIS
constexpr uint32_t IDS_CHARSET_NATIVE_ANSI = 35098;
// (未登録)
constexpr uint32_t IDS_INSERT_STRING_NONE = 35099;
// 起動中のTavloテキストエディタが応答しません。
constexpr uint32_t IDS_RUNNING_EDITOR_SILENT = 35120;
// 起動中のTavloテキストエディタが応答しません。下のファイルは開かれていません。↵↵%s
constexpr uint32_t IDS_RUNNING_EDITOR_SILENT_FILE = 35121;
// 設定の保存先のファイルに問題があります。↵↵%s↵↵%s
constexpr uint32_t IDS_STORE_PROBLEM = 35122;
// 設定の保存先のファイルに問題があります。↵↵%s↵↵%s↵↵既定の設定で動作します。
constexpr uint32_t IDS_STORE_PROBLEM_DEFAULTS = 35123;
// 下のパスは通常のファイルではなく、パイプやデバイスであるためオープンできません↵↵%s
constexpr uint32_t IDS_NOT_A_REGULAR_FILE = 35124;
// このファイルは大きすぎるため開けません（%d MB まで）。↵編集中のテキストはそのまま残っ...
constexpr uint32_t IDS_FILE_TOO_LARGE = 35125;
// *** エラーと警告が多すぎるため、%d 件より後は報告を省略しました。
constexpr uint32_t IDS_MACRO_TOO_MANY_ERRORS = 35126;
// 書き込みができないため、設定は読み込むだけで、変更は保存されません
constexpr uint32_t IDS_STORE_READ_ONLY = 35130;
// ほかのプログラムのデータベースであるため使用できません
constexpr uint32_t IDS_STORE_FOREIGN = 35131;
// 壊れているか、設定のデータベースではないため使用できません
constexpr uint32_t IDS_STORE_DAMAGED = 35132;
// 保存先がありません
constexpr uint32_t IDS_STORE_NO_PATH = 35133;
// フォルダを作成できません（%s）
constexpr uint32_t IDS_STORE_FOLDER_NOT_MADE = 35134;
// 作成できません（%s）
constexpr uint32_t IDS_STORE_FILE_NOT_MADE = 35135;
// 開けません（%s）
constexpr uint32_t IDS_STORE_NOT_OPENED = 35136;
// 同じ名前のフォルダがあるため使用できません
constexpr uint32_t IDS_STORE_FOLDER_IN_PLACE = 35137;
// 通常のファイルではないため使用できません
constexpr uint32_t IDS_STORE_NOT_REGULAR = 35138;
// 読み込めません（%s）
constexpr uint32_t IDS_STORE_NOT_READABLE = 35139;
// 作成できません
constexpr uint32_t IDS_STORE_TABLES_NOT_MADE = 35140;
// マクロの説明
constexpr uint32_t IDS_MACRO_EXPLANATION_CAPTION = 36500;
// 起動時に読み込みの指定がある下記マクロファイルのロードでエラーが起こりました。↵↵%s
constexpr uint32_t IDS_MACRO_STARTUP_LOAD_FAILED = 36501;
// マクロファイルの読み込みでエラーが発生しました。↵↵%s
constexpr uint32_t IDS_MACRO_READ_ERROR = 36502;
// マクロファイルの書き込み中にエラーが発生しました。↵↵%s
constexpr uint32_t IDS_MACRO_WRITE_ERROR = 36503;
// マクロファイル (*.mcr)
constexpr uint32_t IDS_MACRO_FILTER_MACROS = 36504;
// すべてのファイル (*.*)
constexpr uint32_t IDS_MACRO_FILTER_ALL = 36505;
// マクロを保存
constexpr uint32_t IDS_MACRO_SAVE_TITLE = 36506;
// マクロのロード
constexpr uint32_t IDS_MACRO_LOAD_TITLE = 36507;
// マクロを実行するには Ctrl, Shift, Alt, "P"キーを放してください。↵(これらが押されていると、...
constexpr uint32_t IDS_MACRO_RELEASE_KEYS = 36508;
// マクロの実行を中止しますか？
constexpr uint32_t IDS_MACRO_STOP_QUESTION = 36509;
// 未知のコマンド(%d)を検出
constexpr uint32_t IDS_MACRO_UNKNOWN_COMMAND = 36510;
// ファイル名にダブルクォートまたは改行が含まれているため、この操作はマクロに記録できません。↵↵%s
constexpr uint32_t IDS_MACRO_PATH_NOT_RECORDABLE = 36511;
// 新しいファイルの作成を中止します。
constexpr uint32_t IDS_MACRO_NEW_FILE_ABANDONED = 36512;
// ファイルの読み込みを中止します。
constexpr uint32_t IDS_MACRO_OPEN_ABANDONED = 36513;
// 置換対象の文字列を入力してください。
constexpr uint32_t IDS_REPLACE_EMPTY_FIND = 36514;
// %d 箇所の文字列を置換しました。
constexpr uint32_t IDS_REPLACE_COUNT = 36515;
// テキストサイズの上限には %d ～ %d の値を指定してください。
constexpr uint32_t IDS_TEXT_LIMIT_RANGE = 36600;
// 挿入文字列にタブ文字は使用できません。
constexpr uint32_t IDS_TAB_IN_INSERT_STRING = 36601;
// 指定されているマクロファイルは存在しません。↵起動時にマクロファイルを読み込む指定を解除しますか？
constexpr uint32_t IDS_MACRO_FILE_MISSING_QUESTION = 36602;
// 拡張子の関連付けは登録しましたが、デスクトップの既定のアプリケーションは変更されていません。↵%s
constexpr uint32_t IDS_DESKTOP_DEFAULT_UNCHANGED = 36603;
// デスクトップとの連携がありません。
constexpr uint32_t IDS_NO_DESKTOP = 36604;
// xdg-mime の実行に失敗しました。
constexpr uint32_t IDS_XDG_MIME_FAILED = 36605;
// xdg-mime が見つかりません（パッケージ xdg-utils）。
constexpr uint32_t IDS_XDG_MIME_MISSING = 36606;
// デスクトップエントリ %s がインストールされていません。
constexpr uint32_t IDS_DESKTOP_ENTRY_MISSING = 36607;
// 次を検索
constexpr uint32_t IDS_FIND_NEXT_KEY = 37000;
// 前を検索
constexpr uint32_t IDS_FIND_PREV_KEY = 37006;
// メモリー不足が発生しました。
constexpr uint32_t IDS_OUT_OF_MEMORY = 40000;
// 読み取り専用属性の解除に失敗しました。↵処理を中止します。
constexpr uint32_t IDS_CLEAR_READ_ONLY_FAILED = 40001;
// メモリーが不足しています。すみやかに編集中のデータをファイルへセーブしてください。
constexpr uint32_t IDS_OUT_OF_MEMORY_SAVE_NOW = 40004;
// タブには 1 ～ 80 の間の値を指定してください。
constexpr uint32_t IDS_TAB_SIZE_RANGE = 40005;
// 拡張子の登録の際にエラーが発生しました。
constexpr uint32_t IDS_ASSOC_REGISTER_FAILED = 40006;
// 　　エラーが発生したため、マクロのロードを中止しました。
constexpr uint32_t IDS_MACRO_LOAD_CANCELLED = 40007;
// マクロ実行中のため、Tavloエディタを終了できません。
constexpr uint32_t IDS_CLOSE_WHILE_PLAYING = 40008;
// 編集中のテキストのサイズが制限値を超えました。↵速やかに「データをファイルに保存する」などの対処を行ってください。
constexpr uint32_t IDS_TEXT_OVER_LIMIT = 40009;
// まもなく、テクストサイズの制限値に達します。↵速やかに「データをファイルに保存する」などの対処を行ってください。
constexpr uint32_t IDS_TEXT_NEAR_LIMIT = 40010;
// 指定のファイルのオープンでエラーが発生しました。↵ツールバーの【開く】ボタンを使用してファイルを開いてください。
constexpr uint32_t IDS_HAND_OVER_FAILED = 40013;
// “置換元” にマッチする文字列が見つかりません。
constexpr uint32_t IDS_REPLACE_NOT_FOUND = 40014;
// “置換元” にマッチする文字列は、もうありません。
constexpr uint32_t IDS_REPLACE_NO_MORE = 40017;
// 文字コード変換の際にエラーが発生しました。
constexpr uint32_t IDS_CONVERSION_FAILED = 40019;
// 指定されているマクロファイルは存在しません。
constexpr uint32_t IDS_MACRO_FILE_MISSING = 40020;
// デバイス上の別のTavloテキストエディタ実行ファイルに拡張子の関連付けがされています。↵↵関連付けをやり直しますか？
constexpr uint32_t IDS_ASSOC_OTHER_PROGRAM = 40021;
// 拡張子の関連付け情報に誤りを検出しました。↵↵関連付けをやり直しますか？
constexpr uint32_t IDS_ASSOC_BROKEN = 40022;
// 関連付けの最中にエラーが発生しました。
constexpr uint32_t IDS_ASSOC_REPAIR_FAILED = 40023;
// フォントサイズには １ ～ 144 を入力してください。
constexpr uint32_t IDS_FONT_SIZE_RANGE = 40024;
// 最近使ったファイルには 1 ～ 9 の値を指定してください。
constexpr uint32_t IDS_MRU_COUNT_RANGE = 40025;
// 下記言語ライブラリが見つかりません。↵言語ライブラリの設定を解除しますか？
constexpr uint32_t IDS_LANGUAGE_LIBRARY_MISSING = 40026;
// 下記言語ライブラリのバージョンが現在のTavloテキストエディタのバージョンと一致しません。↵言語ライブラリの設定...
constexpr uint32_t IDS_LANGUAGE_LIBRARY_VERSION = 40027;
// 下記言語ライブラリはTavloテキストエディタ用の言語ライブラリではありません。↵言語ライブラリの設定を解除しますか？
constexpr uint32_t IDS_LANGUAGE_LIBRARY_INVALID = 40028;
// Tavloテキストエディタ
constexpr uint32_t AFX_IDS_APP_TITLE = 57344;
// 指定のファイルはTavloテキストエディタの言語ライブラリではありません。
constexpr uint32_t IDS_NOT_A_LANGUAGE_LIBRARY = 60400;
// 指定の言語ライブラリはTavloテキストエディタの別のバージョン用であるため、使用できません。
constexpr uint32_t IDS_LANGUAGE_LIBRARY_OTHER_VERSION = 60401;

} // namespace sid
