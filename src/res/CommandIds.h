#pragma once

#include <cstdint>

// Numeric identifiers of the program's resources: commands (the framework's
// own from 57600 up, the program's from 32768 up), menus, dialogs and their
// controls, bitmaps, timers and private window messages. QActions, the command
// router, the macro recorder and the menu tables all speak these numbers.
namespace cmd {

// Dialog buttons, also used as menu commands of the soft keys.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;

// Framework commands.
constexpr int ID_FILE_NEW = 57600;
constexpr int ID_FILE_OPEN = 57601;
constexpr int ID_FILE_CLOSE = 57602;
constexpr int ID_FILE_SAVE = 57603;
constexpr int ID_FILE_SAVE_AS = 57604;
constexpr int ID_FILE_MRU_FILE1 = 57616;
constexpr int ID_FILE_MRU_FIRST = ID_FILE_MRU_FILE1;
constexpr int ID_FILE_MRU_FILE16 = 57631;
constexpr int ID_FILE_MRU_LAST = ID_FILE_MRU_FILE16;
constexpr int ID_EDIT_COPY = 57634;
constexpr int ID_EDIT_CUT = 57635;
constexpr int ID_EDIT_PASTE = 57637;
constexpr int ID_EDIT_REPLACE = 57641;
constexpr int ID_EDIT_SELECT_ALL = 57642;
constexpr int ID_EDIT_UNDO = 57643;
constexpr int ID_EDIT_REDO = 57644; // the desktop's Ctrl+Y; no menu item of its own
constexpr int ID_APP_ABOUT = 57664;
constexpr int ID_APP_EXIT = 57665;
constexpr int ID_HELP = 57670; // help topics (F1)
constexpr int ID_VIEW_WRAP = 59397;

// The editor's own commands.
constexpr int ID_VIEW_FONT1 = 32778;
constexpr int ID_VIEW_FONT2 = 32779;
constexpr int ID_VIEW_FONT3 = 32780;
constexpr int ID_VIEW_FONT4 = 32781;
constexpr int ID_EDIT_JUMP = 32787;
constexpr int ID_EDIT_FIND = 32788; // shows the find bar
constexpr int ID_FILE_PROPERTIES = 32789;
constexpr int ID_INSERT_STRING1 = 32841;
constexpr int ID_INSERT_STRING8 = 32848;
constexpr int ID_INSERT_STRING_MENU = 32896; // soft key "文字列挿入"
constexpr int ID_MACRO_LOAD = 32850;
constexpr int ID_MACRO_RECORD = 32852;
constexpr int ID_MACRO_PLAY = 32853;
constexpr int ID_MACRO_SAVE = 32854;
constexpr int ID_MACRO_START_RECORDING = 32867;
constexpr int ID_MACRO_STOP = 32868;
constexpr int ID_SETTINGS = 32892;
constexpr int ID_MENU_POPUP = 32893; // Ctrl+M: the main pop-up at the view's corner

// Find bar.
constexpr int ID_FIND_CASE_SENSITIVE = 32823;
constexpr int ID_FIND_TEXT_CLEAR = 32824;
constexpr int ID_FIND_CLOSE = 32825;
constexpr int ID_FIND_TEXT_COPY = 32826;
constexpr int ID_FIND_TEXT_CUT = 32827;
constexpr int ID_FIND_SOFTKEY = 32828; // find in the bar's direction
constexpr int ID_FIND_REVERSE = 32829; // "前を検索(&P)": reverse the direction and find
constexpr int ID_FIND_NEXT = 32831;
constexpr int ID_FIND_TEXT_PASTE = 32832;
constexpr int ID_FIND_PREV = 32833;
constexpr int ID_FIND_TEXT_SELECT_ALL = 32834;
constexpr int ID_FIND_SHOW_BUTTONS = 32835;
constexpr int ID_FIND_TEXT_UNDO = 32836;
constexpr int ID_FIND_FOCUS_EDITOR = 32870;

// Replace bar.
constexpr int ID_REPLACE_CASE_SENSITIVE = 32873;
constexpr int ID_REPLACE_TEXT_CLEAR = 32874;
constexpr int ID_REPLACE_CLOSE = 32875;
constexpr int ID_REPLACE_TEXT_COPY = 32876;
constexpr int ID_REPLACE_TEXT_CUT = 32877;
constexpr int ID_REPLACE_SOFTKEY = 32879; // "置換"
constexpr int ID_REPLACE_FIND_NEXT = 32880;
constexpr int ID_REPLACE_FOCUS_EDITOR = 32881;
constexpr int ID_REPLACE_TEXT_PASTE = 32882;
constexpr int ID_REPLACE_ALL = 32883;
constexpr int ID_REPLACE_AND_FIND_NEXT = 32885;
constexpr int ID_REPLACE_TEXT_SELECT_ALL = 32886;
constexpr int ID_REPLACE_SHOW_BUTTONS = 32887;
constexpr int ID_REPLACE_TEXT_UNDO = 32888;

// File select dialog: folder tree, file list and name box.
constexpr int ID_QSD_FOLDER_DELETE = 32782;
constexpr int ID_QSD_FOLDER_NEW = 32783;
constexpr int ID_QSD_FOLDER_PROPERTIES = 32784;
constexpr int ID_QSD_FOLDER_REFRESH = 32785;
constexpr int ID_QSD_COPY = 32790;
constexpr int ID_QSD_CUT = 32791;
constexpr int ID_QSD_DELETE = 32792;
constexpr int ID_QSD_PASTE = 32793;
constexpr int ID_QSD_PROPERTIES = 32794;
constexpr int ID_QSD_REFRESH = 32795;
constexpr int ID_QSD_SELECT_LINK_FILE = 32797;
constexpr int ID_QSD_MULTI_SELECT = 32798;
constexpr int ID_QSD_SELECT_ALL = 32799;
constexpr int ID_QSD_PARENT_FOLDER = 32800;
constexpr int ID_QSD_SHOW_FOLDERS = 32801;
constexpr int ID_QSD_SHOW_NAME = 32802;
constexpr int ID_QSD_SHOW_TYPE = 32803;
constexpr int ID_QSD_SHOW_TREE = 32804;
constexpr int ID_QSD_SHOW_OPTION = 32805;
constexpr int ID_QSD_SORT_NAME = 32806;
constexpr int ID_QSD_SORT_SIZE = 32807;
constexpr int ID_QSD_SORT_TIME = 32808;
constexpr int ID_QSD_SORT_TYPE = 32809;
constexpr int ID_QSD_STYLE_LIST = 32810;
constexpr int ID_QSD_STYLE_DETAILS = 32811;
constexpr int ID_QSD_STYLE_ICONS = 32812;
constexpr int ID_QSD_TEXTBOX_COPY = 32894;
constexpr int ID_QSD_TEXTBOX_CUT = 32895;
constexpr int ID_QSD_TEXTBOX_PASTE = 32896; // same number as the insert-string soft key

// Colour select dialog. The style commands carry the string ids of their
// names as the persisted style value (30069, 30070, 30071).
constexpr int ID_COLOR_STYLE_BASIC = 32813;
constexpr int ID_COLOR_STYLE_CUSTOM = 32814;
constexpr int ID_COLOR_STYLE_BOTH = 32817;
constexpr int ID_COLOR_TAP_FOCUS = 32818;
constexpr int ID_COLOR_TAP_LOAD = 32819;
constexpr int ID_COLOR_TAP_SELECT = 32820;
constexpr int ID_COLOR_RESET_CUSTOM = 32822;

// Menu resources.
constexpr int IDR_MAINFRAME = 128;   // command bar menu, exit at the end of the File menu
constexpr int IDR_QSD_CONTEXT = 130; // file select dialog: pop-ups "File", "Folder", "TextBox"
constexpr int IDR_QSD_MENUBAR = 137; // file select dialog soft keys
constexpr int IDR_QSD_PROPERTIES_MENUBAR = 143; // file properties dialog soft key (OK)
constexpr int IDR_OK_CANCEL_MENUBAR = 144; // soft keys OK and キャンセル of the small dialogs
constexpr int IDR_TEXT_CONTEXT = 145;      // pop-ups "非選択時" and "選択時" of the text
constexpr int IDR_FINDBAR_MENUBAR = 147;
constexpr int IDR_COLOR_MENUBAR = 151;
constexpr int IDR_SOFTKEY_EXIT_IN_FILE = 161;
constexpr int IDR_SOFTKEY_EXIT_LAST = 162;
constexpr int IDR_CMDBAR_EXIT_LAST = 163;
constexpr int IDR_REPLACEBAR_MENUBAR = 164;
constexpr int IDR_INSERT_STRING_MENU = 165;

// Dialog resources.
constexpr int IDD_ABOUTBOX = 100;
constexpr int IDD_PAGE_EDIT = 101;
constexpr int IDD_EDITER_FORM = 103;
constexpr int IDD_PAGE_TAP = 104;
constexpr int IDD_FILE_INFO = 131;
constexpr int IDD_QSD_PATH_HEADER = 135;
constexpr int IDD_QSD_FILE_PROPERTIES = 136;
constexpr int IDD_JUMP = 137;
constexpr int IDD_MACRO_LOAD_ERROR = 140;
constexpr int IDD_PAGE_FILE = 141;
constexpr int IDD_PAGE_FONT = 151;
constexpr int IDD_PAGE_COLOR = 152;
constexpr int IDD_PAGE_MENU = 155;
constexpr int IDD_PAGE_CUSTOMIZE = 156;
constexpr int IDD_PAGE_INSERT_STRING = 157;
constexpr int IDD_PAGE_LANGUAGE = 158;
constexpr int IDD_UI_LANGUAGE_CHECK = 163;
constexpr int IDD_FONT_SELECT = 164;
constexpr int IDD_FINDBAR = 203;
constexpr int IDD_QSD_FILE_SELECT = 209;
constexpr int IDD_QSD_COLOR_SELECT = 210;
constexpr int IDD_REPLACEBAR = 211;

// Bitmaps and icons.
constexpr int IDB_CMDBAR_BUTTONS = 128;
constexpr int IDB_QSD_TREE_IMAGES = 132;
constexpr int IDB_QSD_LIST_IMAGES = 134;
constexpr int IDI_MAINFRAME = 128;
constexpr int IDI_DOCUMENT = 135; // the icon that associated files show
constexpr int AFX_IDW_COMMAND_BAR = 0xE800;

// Timers and their periods in milliseconds.
namespace timer {
constexpr int SIZE_WATCH = 16;
constexpr int SIZE_WATCH_MS = 30000;
constexpr int RESIZE = 17;
constexpr int RESIZE_MS = 300;
constexpr int TITLE_REFRESH = 18;
constexpr int TITLE_REFRESH_MS = 500;
constexpr int BAR_DELAYED_SEARCH = 12291;
constexpr int BAR_DELAYED_SEARCH_MS = 400; // double-press time 300 ms plus 100 ms
constexpr int QSD_ZOOM = 1;
constexpr int QSD_ZOOM_MS = 1000;
} // namespace timer

// Window messages between the program's own windows.
namespace msg {
constexpr uint32_t WM_COPYDATA = 0x004A;
constexpr uint32_t COPYDATA_OPEN_FILE = 0x1024; // hand-over record code
constexpr uint32_t WM_USER = 0x0400;
constexpr uint32_t WM_LOAD_DEFAULT_MACRO = WM_USER + 0x101; // to the view
constexpr uint32_t WM_SELECT_RANGE = WM_USER + 0x102;       // to the view: start, end
constexpr uint32_t WM_CARET_MOVED = WM_USER + 0x103;        // to the view
constexpr uint32_t WM_REBUILD_BARS = WM_USER + 0x104;       // to the frame (WM_USER + 260)
constexpr uint32_t WM_QSD_OPEN_FOLDER = WM_USER + 0x201;    // file list to its owner: folder path
constexpr uint32_t WM_BAR_FOCUS = WM_USER + 0x204;          // find or replace bar (WM_USER + 516)
} // namespace msg

// Controls of the view's form (dialog 103).
namespace view {
constexpr int IDC_WRAP_EDIT = 1000;
constexpr int IDC_PLAIN_EDIT = 1005;
} // namespace view

// Find bar (dialog bar 203).
namespace findbar {
constexpr int IDC_TEXT = 1002;
constexpr int IDC_PREV = 1004;     // "▲"
constexpr int IDC_NEXT = 1013;     // "▼"
constexpr int IDC_CASE_ON = 1052;  // "Aa" shown while match case is on
constexpr int IDC_CASE_OFF = 1064; // "Aa" shown while match case is off
constexpr int IDC_CLOSE = 1071;    // "×"
} // namespace findbar

// Replace bar (dialog bar 211).
namespace replacebar {
constexpr int IDC_FIND_TEXT = 1163;
constexpr int IDC_REPLACE_TEXT = 1164;
constexpr int IDC_CASE_OFF = 1165;    // "Aa" shown while match case is off
constexpr int IDC_NEXT = 1166;        // "次"
constexpr int IDC_REPLACE = 1167;     // "置"
constexpr int IDC_REPLACE_ALL = 1168; // "全"
constexpr int IDC_CASE_ON = 1169;     // "Aa" shown while match case is on
constexpr int IDC_CLOSE = 1170;       // "×"
} // namespace replacebar

// Jump dialog (137).
namespace jump {
constexpr int IDC_CURRENT_LINE = 1042;
constexpr int IDC_TARGET_LINE = 1043;
constexpr int IDC_LAST_LINE = 1044;
constexpr int IDC_TRACKBAR = 1055;
// Labels; 1904 is the unit "行" after each number.
constexpr int IDC_CURRENT_LABEL = 1901;
constexpr int IDC_LAST_LABEL = 1902;
constexpr int IDC_TARGET_LABEL = 1903;
constexpr int IDC_LINE_UNIT = 1904;
} // namespace jump

// File information dialog (131).
namespace fileinfo {
constexpr int IDC_PATH = 1006;
constexpr int IDC_TIME = 1009;
constexpr int IDC_SIZE = 1020;
constexpr int IDC_CHAR_COUNT = 1021;
constexpr int IDC_CHAR_SET = 1043;
constexpr int IDC_LINE_ENDING = 1044;
constexpr int IDC_PATH_LABEL = 1048;
constexpr int IDC_TIME_LABEL = 1049;
constexpr int IDC_SIZE_LABEL = 1050;
constexpr int IDC_CHAR_SET_LABEL = 1051;
constexpr int IDC_LINE_ENDING_LABEL = 1052;
constexpr int IDC_CHAR_COUNT_LABEL = 1053;
} // namespace fileinfo

// Font select dialog (164).
namespace fontdlg {
constexpr int IDC_FACE_LIST = 1004;
constexpr int IDC_SIZE_LIST = 1008;
constexpr int IDC_BOLD = 1011;
constexpr int IDC_ITALIC = 1012;
constexpr int IDC_PREVIEW = 1013;
constexpr int IDC_SIZE_EDIT = 1014;
constexpr int IDC_FACE_LABEL = 1901;
constexpr int IDC_SIZE_LABEL = 1902;
} // namespace fontdlg

// Macro load-error dialog (140).
namespace macroerr {
constexpr int IDC_REPORT = 1000;
}

// About box (100).
namespace about {
constexpr int IDC_VERSION_TEXT = 1901;
}

// File select dialog (209).
namespace filedlg {
constexpr int IDC_NAME_LABEL = 9900;
constexpr int IDC_TITLE = 9901;
constexpr int IDC_OPTION = 9902;
constexpr int IDC_OPTION_LABEL = 9903;
constexpr int IDC_TREE = 9908;
constexpr int IDC_LIST = 9910;
constexpr int IDC_NAME = 9912;
constexpr int IDC_TYPE = 9914;
constexpr int IDC_TYPE_LABEL = 9918;
constexpr int IDC_TITLE_SEPARATOR = 9920;
} // namespace filedlg

// The messages of the file operations that the string table has no entry
// for. They are texts of the file select dialog (209), which runs those
// operations, so that a UI language library can translate them too.
namespace filedlg_msg {
constexpr int INTO_SUBFOLDER = 9950;
constexpr int VANISHED_SKIP = 9951;
constexpr int SOME_SKIPPED = 9952;
constexpr int NAME_LIMIT = 9953;
constexpr int PROCESS_ERROR = 9954;
constexpr int READ_ONLY_MOVE = 9955;
constexpr int OVERWRITE_ERROR = 9956;
constexpr int FILE_BLOCKS_FOLDER = 9957;
constexpr int FOLDER_BLOCKS_FILE = 9958;
constexpr int READ_ONLY_FOLDER_THERE = 9959;
constexpr int READ_ONLY_FILE_THERE = 9960;
constexpr int ATTRIBUTE_ERROR_SKIP = 9961;
constexpr int OVERWRITE = 9962;
constexpr int CREATE_FOLDER_ERROR = 9963;
constexpr int READ_ONLY_FOLDER_MOVE = 9964;
constexpr int MOVE_FOLDER_ERROR = 9965;
constexpr int READ_ONLY_DELETE = 9966;
constexpr int DELETE_FILE_ERROR = 9967;
constexpr int DELETE_FOLDER_ERROR = 9968;
constexpr int NOT_FOUND = 9969;
} // namespace filedlg_msg

// File properties dialog (136).
namespace fileprops {
constexpr int IDC_NAME_LABEL = 9900;
constexpr int IDC_READ_ONLY = 9904;
constexpr int IDC_ARCHIVE = 9905;
constexpr int IDC_SYSTEM = 9906;
constexpr int IDC_IN_ROM = 9907;
constexpr int IDC_TEMPORARY = 9909;
constexpr int IDC_HIDDEN = 9911;
constexpr int IDC_NAME = 9912;
constexpr int IDC_FOLDER = 9913;
constexpr int IDC_FOLDER_LABEL = 9915;
constexpr int IDC_SIZE_LABEL = 9916;
constexpr int IDC_TIME_LABEL = 9917;
constexpr int IDC_TIME = 9919;
constexpr int IDC_SEPARATOR1 = 9920;
constexpr int IDC_SEPARATOR2 = 9921;
constexpr int IDC_SIZE = 9922;
} // namespace fileprops

// Colour select dialog (210).
namespace colordlg {
constexpr int IDC_RED_TRACK = 1065;
constexpr int IDC_GREEN_TRACK = 1066;
constexpr int IDC_BLUE_TRACK = 1067;
constexpr int IDC_PREVIEW_FRAME = 1111;
constexpr int IDC_CUSTOM_GROUP = 1154;
constexpr int IDC_STYLE = 1155;
constexpr int IDC_CUSTOM_LABEL = 1156;
constexpr int IDC_R_LABEL = 1157;
constexpr int IDC_G_LABEL = 1158;
constexpr int IDC_B_LABEL = 1159;
constexpr int IDC_PREVIEW = 5500;
constexpr int IDC_RED_EDIT = 5501;
constexpr int IDC_GREEN_EDIT = 5502;
constexpr int IDC_BLUE_EDIT = 5503;
constexpr int IDC_BASIC_FIRST = 5504;
constexpr int IDC_BASIC_LAST = 5551;
constexpr int IDC_CUSTOM_FIRST = 5552;
constexpr int IDC_CUSTOM_LAST = 5556;
constexpr int IDC_OPENING_COLOR = 5558;
} // namespace colordlg

// Settings pages.
namespace page_edit {
constexpr int IDC_JIS_TO_FULL_WIDTH = 1001;
constexpr int IDC_JIS_KEEP_HALF_WIDTH = 1002;
constexpr int IDC_SELECTABLE_CODE_SET = 1003;
constexpr int IDC_TAB_SIZE = 1045;
constexpr int IDC_IME_ASCII = 1146;
constexpr int IDC_TEXT_LIMIT = 1190;
constexpr int IDC_TAB_LABEL = 1901;
constexpr int IDC_TEXT_LIMIT_LABEL = 1902;
constexpr int IDC_EDIT_GROUP = 1903;
constexpr int IDC_CODE_SET_GROUP = 1904;
constexpr int IDC_JIS_GROUP = 1905;
} // namespace page_edit

namespace page_file {
constexpr int IDC_LOAD_MACRO = 1004;
constexpr int IDC_MACRO_FILE = 1005;
constexpr int IDC_MACRO_BROWSE = 1006;
constexpr int IDC_ASSOC_TXT = 1046;
constexpr int IDC_ASSOC_HTM = 1047;
constexpr int IDC_ASSOC_INI = 1048;
constexpr int IDC_ASSOC_INF = 1049;
constexpr int IDC_ASSOC_MCR = 1050;
constexpr int IDC_ASSOC_GROUP = 1901;
constexpr int IDC_MACRO_GROUP = 1902;
// Title and filter name of the file select dialog that the browse button opens.
constexpr int IDC_MACRO_SELECT_TITLE = 1903;
constexpr int IDC_MACRO_FILTER = 1904;
} // namespace page_file

namespace page_tap {
constexpr int IDC_SINGLE_TAP = 1039;
constexpr int IDC_DOUBLE_TAP = 1040;
constexpr int IDC_DELAY_NORMAL = 1052;
constexpr int IDC_DELAY_LONG = 1053;
constexpr int IDC_ZOOM_METHOD = 1064;
constexpr int IDC_DELAY_GROUP = 1901;
constexpr int IDC_FILE_DIALOG_GROUP = 1902;
constexpr int IDC_ZOOM_LABEL = 1903;
constexpr int IDC_SELECT_LABEL = 1904;
} // namespace page_tap

namespace page_color {
constexpr int IDC_TEXT_BUTTON = 1067;
constexpr int IDC_TEXT_SWATCH = 1068;
constexpr int IDC_BACKGROUND_SWATCH = 1069;
constexpr int IDC_BACKGROUND_BUTTON = 1070;
constexpr int IDC_PREVIEW = 1110;
constexpr int IDC_RESET = 1112;
constexpr int IDC_TEXT_LABEL = 1901;
constexpr int IDC_BACKGROUND_LABEL = 1902;
constexpr int IDC_PREVIEW_GROUP = 1903;
} // namespace page_color

namespace page_menu {
constexpr int IDC_EXIT_IN_FILE_MENU = 1124;
constexpr int IDC_USE_SOFT_KEY_MENU = 1125;
constexpr int IDC_LABEL_NUMBERED = 1127;
constexpr int IDC_LABEL_FACE_AND_SIZE = 1128;
constexpr int IDC_MRU_COUNT = 1145;
constexpr int IDC_MRU_SPIN = 1155;
constexpr int IDC_MRU_LABEL = 1901;
constexpr int IDC_LABEL_GROUP = 1902;
} // namespace page_menu

namespace page_customize {
constexpr int IDC_LABEL = 1132;
constexpr int IDC_SHOW_FILE_NAME = 1137;
constexpr int IDC_SHOW_LABEL = 1138;
constexpr int IDC_MODIFIED_MARK = 1139;
constexpr int IDC_CARET_POS = 1140;
constexpr int IDC_CARET_BEFORE = 1141;
constexpr int IDC_CARET_AFTER = 1142;
constexpr int IDC_INFO_GROUP = 1901;
} // namespace page_customize

namespace page_font {
// Per font 1 to 4: group box, change mark, face text, size text, "..." button.
constexpr int IDC_GROUP[4] = {1113, 1114, 1115, 1116};
constexpr int IDC_CHANGED[4] = {1103, 1104, 1105, 1106};
constexpr int IDC_FACE[4] = {1107, 1094, 1097, 1100};
constexpr int IDC_SIZE[4] = {1108, 1096, 1099, 1102};
constexpr int IDC_BROWSE[4] = {1109, 1095, 1098, 1101};
constexpr int IDC_POINTS_UNIT = 1901; // "pt" after each size
} // namespace page_font

namespace page_insert {
constexpr int IDC_END_TEXT = 1003;
constexpr int IDC_LIST = 1143;
constexpr int IDC_INSERT_TEXT = 1145;
constexpr int IDC_AT_CARET = 1147;
constexpr int IDC_SURROUND = 1148;
constexpr int IDC_END_LABEL = 1149;
constexpr int IDC_FIELDS_GROUP = 1901;
constexpr int IDC_INSERT_LABEL = 1902;
} // namespace page_insert

namespace page_language {
constexpr int IDC_AUTO_REGISTER = 1146;
constexpr int IDC_LANGUAGES = 1157;
constexpr int IDC_REGISTER = 1158;
constexpr int IDC_CHECK_SYSTEM_UI = 1159;
} // namespace page_language

} // namespace cmd
