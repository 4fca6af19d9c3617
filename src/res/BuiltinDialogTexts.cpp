#include "CommandIds.h"
#include "DialogTexts.h"
#include "ResourceSources.h"

#include <algorithm>
#include <iterator>

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
};
// clang-format on

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

} // namespace res
