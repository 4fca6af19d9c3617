#pragma once

#include "ResultCodes.h"

#include <QString>
#include <cstdint>

// Result codes of the file list and the file operations.
namespace rc {
constexpr RESULT DEST_EXISTS_NO_QUESTION = 0x20000011;
constexpr RESULT ITEM_FAILED = 0x20010002; // a file system call failed; item skipped
constexpr RESULT ITEM_READONLY = 0x20010003;
constexpr RESULT FOLDER_BLOCKS_FILE = 0x20010004;
constexpr RESULT FILE_BLOCKS_FOLDER = 0x20010005;
constexpr RESULT NO_COPY_NAME = 0x2001000a;
constexpr RESULT NOT_EXISTING = 0x2001000b;
constexpr RESULT USER_CANCEL = 0x20020003;
constexpr RESULT USER_NO = 0x20020005;
// The list's own codes: no pattern given, out of memory while enumerating.
constexpr RESULT NO_PATTERN = 0x20010002;
constexpr RESULT LIST_OUT_OF_MEMORY = 0x20010004;
} // namespace rc

// The `file select flags` of the file select dialog.
namespace qsd {
constexpr uint32_t SINGLE_TAP = 1u << 0;
constexpr uint32_t FOLDER_SELECT = 1u << 1;
constexpr uint32_t SHOW_CANCEL = 1u << 2;
constexpr uint32_t SHOW_OK = 1u << 3;
constexpr uint32_t SHOW_FOLDERS = 1u << 4;
constexpr uint32_t SHOW_OPTION = 1u << 5;
constexpr uint32_t NO_TITLE = 1u << 6;
constexpr uint32_t HIDE_NAME = 1u << 7;
constexpr uint32_t HIDE_TYPE = 1u << 8;
constexpr uint32_t HIDE_TREE = 1u << 9;
constexpr uint32_t HIDE_LIST = 1u << 10;
constexpr uint32_t NO_OK_CANCEL_MENU = 1u << 11;
constexpr uint32_t TITLE_IN_CAPTION = 1u << 12;
constexpr uint32_t SIDE_BY_SIDE = 1u << 13;
constexpr uint32_t SIDE_BY_SIDE_WIDE = 1u << 14;
constexpr uint32_t LONG_DELAY = 1u << 15;
constexpr uint32_t OPENING = 1u << 16;
constexpr uint32_t SAVE_CHECKS = 1u << 17;
constexpr uint32_t OFFER_CLEAR_READONLY = 1u << 18;
constexpr uint32_t APPEND_EXTENSION = 1u << 21;
constexpr uint32_t ZOOM_FOCUS = 1u << 22;
constexpr uint32_t ZOOM_DOUBLE_TAP = 1u << 23;
constexpr uint32_t PERSIST_MARK = 1u << 24;
constexpr uint32_t PLAIN_ICONS = 1u << 25;
constexpr uint32_t HIDE_EXTENSIONS = 1u << 26;
constexpr uint32_t ZOOM_SINGLE_TAP = 1u << 27;

constexpr uint32_t QSD_FILE_SELECT_COMMON_MASK = 0x0FE08BB0;
constexpr uint32_t DEFAULT_COMMON_MODE = 0x01A00A30;
// The bits a dialog may change in its file list after creation.
constexpr uint32_t LIST_UPDATE_MASK = 0x06008810;

// List styles: the persisted numbers.
constexpr int STYLE_LARGE_ICONS = 0;
constexpr int STYLE_DETAILS = 1;
constexpr int STYLE_ICONS = 2;
constexpr int STYLE_LIST = 3;

// Sort keys.
constexpr int SORT_NAME = 0;
constexpr int SORT_SIZE = 1;
constexpr int SORT_TIME = 2;
constexpr int SORT_TYPE = 3;
} // namespace qsd

// The open-file flags of the caller's block that the dialog reads.
namespace ofn {
constexpr uint32_t OFN_OVERWRITEPROMPT = 0x2;
constexpr uint32_t OFN_ALLOWMULTISELECT = 0x200;
constexpr uint32_t OFN_PATHMUSTEXIST = 0x800;
constexpr uint32_t OFN_FILEMUSTEXIST = 0x1000;
constexpr uint32_t OFN_CREATEPROMPT = 0x2000;
constexpr uint32_t OFN_NODEREFERENCELINKS = 0x100000;
} // namespace ofn

// The caller's open-file block. lpstrFile points at a buffer of nMaxFile
// UTF-16 units: the initial name on entry (NUL-terminated), the result after
// OK. Filter: pairs of description and pattern separated by "|" or NUL, ended
// by an empty description. Empty strings stand for absent members.
struct OPENFILENAMEW {
    void* hwndOwner = nullptr; // the QWidget* of the main window, or nullptr
    QString lpstrFilter;
    uint32_t nFilterIndex = 0; // 1-based, in and out
    char16_t* lpstrFile = nullptr;
    uint32_t nMaxFile = 0;
    QString lpstrInitialDir;
    QString lpstrTitle;
    uint32_t Flags = 0;
};
