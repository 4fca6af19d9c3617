#pragma once

#include <QString>
#include <span>

// Dialog texts: every caption, label, check box and button text of a dialog
// is looked up by the dialog's resource id (IDD_...) and the control's id
// (IDC_..., IDOK, IDCANCEL), so that a UI language library can replace it.
// Control id 0 names the dialog's caption (or, for a settings page, its tab).
//
// How a dialog gets its texts: add its rows to the built-in table in
// BuiltinDialogTexts.cpp (Japanese, the program's own language) and have the
// widget code call res::dialogText(IDD_..., IDC_...) when it builds itself,
// never a literal. The English table (language/tavlo-en/tavlo-en.tsv) needs
// the same rows as "dialog <tab> IDD/IDC <tab> text"; a test names any row it
// lacks.
namespace cmd::ui_language_check {
constexpr int IDC_UI_CHECK_MESSAGE = 1160;
constexpr int IDC_UI_CHECK_LANGUAGE = 1161;
constexpr int IDC_UI_CHECK_NO_MORE = 1162;
} // namespace cmd::ui_language_check

namespace res {

// The pseudo dialog that holds the message box buttons, by the answer each
// gives (IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO).
constexpr int IDD_MESSAGE_BOX = 0;
constexpr int IDC_CAPTION = 0;
// The tooltip of a control is a text of its own: the control id plus this.
constexpr int IDC_TOOLTIP = 0x10000;

struct DialogTextEntry {
    int dialogId;
    int controlId;
    const char16_t* text;
};

// The text from the current resource source; a source without it gives the
// built-in text, an id that is in neither gives an empty text.
QString dialogText(int dialogId, int controlId);
// The tooltip of a control (IDC_TOOLTIP + controlId).
inline QString dialogTooltip(int dialogId, int controlId) {
    return dialogText(dialogId, IDC_TOOLTIP + controlId);
}

// The text of the top-level item at this position of a soft-key menu bar
// (menu 144 holds OK and Cancel of the small dialogs), in the current
// language; empty when the menu has no such item.
QString softKeyText(int menuId, int position);

// The whole built-in table, sorted by dialog id then control id.
std::span<const DialogTextEntry> builtinDialogTexts();

} // namespace res
