#include "SettingsTable.h"

#include <array>

namespace {

using K = SettingKind;
using D = SettingDefault;
constexpr const char* S = "SETTINGS";

#define NUM(name, def)                                                                             \
    SettingDef {                                                                                   \
        name, S, K::Number, def, nullptr                                                           \
    }
#define STR(name, def)                                                                             \
    SettingDef {                                                                                   \
        name, S, K::String, 0, def                                                                 \
    }

// clang-format off
const SettingDef kTable[] = {
    NUM("TAB_SIZE", 8),
    NUM("TEXT_LIMIT", 0x10000),
    NUM("EDIT_AUTO_ARRANGE", 1),
    NUM("FONT_SIZE", 1),
    SettingDef{"FONT1_NAME", S, K::String, 0, u"", D::FaceName},
    SettingDef{"FONT2_NAME", S, K::String, 0, u"", D::FaceName},
    SettingDef{"FONT3_NAME", S, K::String, 0, u"", D::FaceName},
    SettingDef{"FONT4_NAME", S, K::String, 0, u"", D::FaceName},
    NUM("FONT1_SIZE", 7),
    NUM("FONT2_SIZE", 9),
    NUM("FONT3_SIZE", 12),
    NUM("FONT4_SIZE", 18),
    NUM("FONT1_BOLD", 0),
    NUM("FONT2_BOLD", 0),
    NUM("FONT3_BOLD", 0),
    NUM("FONT4_BOLD", 0),
    NUM("FONT1_ITALIC", 0),
    NUM("FONT2_ITALIC", 0),
    NUM("FONT3_ITALIC", 0),
    NUM("FONT4_ITALIC", 0),
    NUM("FONT_LABEL_FORMAT", 1),
    NUM("COLOR_TEXT", 0x000000),
    NUM("COLOR_BACKGROUND", 0xFFFFFF),
    NUM("CUSTOM_COLOR_COUNT", 0),
    NUM("CUSTOM_COLOR1", 0xFFFFFF),
    NUM("CUSTOM_COLOR2", 0xFFFFFF),
    NUM("CUSTOM_COLOR3", 0xFFFFFF),
    NUM("CUSTOM_COLOR4", 0xFFFFFF),
    NUM("CUSTOM_COLOR5", 0xFFFFFF),
    NUM("TITLE_BAR_INFO", 0),
    SettingDef{"TITLE_BAR_LABEL", S, K::String, 0, u"Tavlo", D::TitleBarLabel},
    NUM("DISP_TEXT_MODIFIED_MARK", 1),
    NUM("DISP_CARET_POS_INFO", 1),
    NUM("CARET_POS_INFO_POS", 0),
    NUM("EXIT_IN_FILE_MENU", 0),
    NUM("USE_SOFT_KEY_MENU", 1),
    NUM("MRU_LIST_ITEM_COUNT", 3),
    NUM("SELECTABLE_CODE_SET", 1),
    NUM("JIS_KATAKANA_MODE", 0),
    NUM("DEFAULT_IME_MODE_ASCII", 0),
    NUM("LONG_DELAY", 1),
    NUM("SELECT_BY_SINGLE_TAP", 1),
    NUM("STR_ZOOM_METHOD", 1),
    NUM("FILE_LIST_STYLE", 1),
    NUM("SHOW_FOLDER_ON_FILE_LIST", 1),
    NUM("FILTER_INDEX", 1),
    STR("LAST_OPEN_FOLDER", u"\\My Documents\\"),
    STR("MRU_FOLDER", u"\\My Documents\\"),
    NUM("LOAD_DAFAULT_MACRO", 0),
    STR("DEFAULT_MACRO_FILE_NAME", u""),
    // The main window's geometry when it last closed (saveGeometry, base64).
    STR("WINDOW_PLACEMENT", u""),
    NUM("SHOW_CMDBAR_SEARCH", 0),
    NUM("FIND_CASE_SENSITIVE", 0),
    NUM("FIND_SHOW_CMD_BUTTONS", 1),
    NUM("SHOW_CMDBAR_REPLECE", 0),
    NUM("REPLACE_CASE_SENSITIVE", 0),
    NUM("REPLACE_SHOW_CMD_BUTTONS", 1),
    NUM("QSD_COLOR_SELECT_STYLE", 30070),
    NUM("QSD_COLOR_SELECT_TAP_ACTION", 0),
    STR("INS_KEY_VALUE1", u"<\t>"),
    STR("INS_KEY_VALUE2", u"{\t}"),
    STR("INS_KEY_VALUE3", u"[\t]"),
    STR("INS_KEY_VALUE4", u"#YY年MM月DD日 HH:TT#"),
    STR("INS_KEY_VALUE5", u""),
    STR("INS_KEY_VALUE6", u""),
    STR("INS_KEY_VALUE7", u""),
    STR("INS_KEY_VALUE8", u""),
    STR("UI_LANGUAGE_DLL_PATH", u""),
    NUM("UI_LANGUAGE_AUTO_REGIST_DLL", 1),
    NUM("UI_LANGUAGE_CHECK_SYSTEM_UI", 1),
    SettingDef{"STR_FILE_SELECT_COMMON_MODE", "STR_SETTINGS", K::Number, 0x1A00A30, nullptr},
    SettingDef{"STR_FILE_SELECT_LIST_SORT_KEY", "STR_SETTINGS", K::Number, 0, nullptr},
    SettingDef{"STR_FILE_SELECT_LIST_STYLE", "STR_SETTINGS", K::Number, 1, nullptr},
};
// clang-format on

#undef NUM
#undef STR

QStringList numbered(const char* pattern) {
    QStringList names;
    for (int i = 1; i <= 4; ++i)
        names << QString::fromLatin1(pattern).arg(i);
    return names;
}

} // namespace

namespace settings_table {

std::span<const SettingDef> all() {
    return kTable;
}

const SettingDef* find(const QString& name) {
    for (const SettingDef& def : kTable) {
        if (name == QLatin1String(def.name))
            return &def;
    }
    return nullptr;
}

QStringList fontFaceValueNames() {
    return numbered("FONT%1_NAME");
}

QStringList fontMetricValueNames() {
    return QStringList{QStringLiteral("FONT_SIZE")} + numbered("FONT%1_SIZE") +
           numbered("FONT%1_BOLD") + numbered("FONT%1_ITALIC");
}

QStringList fontValueNamesInDeletionOrder() {
    return fontFaceValueNames() + fontMetricValueNames();
}

QString preferredFaceName(LANGID userLanguage) {
    switch (userLanguage) {
    case 0x0411:
        return QStringLiteral("ＭＳ Ｐゴシック");
    case 0x0804:
        return QStringLiteral("宋体");
    case 0x0404:
        return QStringLiteral("新細明體");
    case 0x0412:
        return QStringLiteral("굴림");
    default:
        return QStringLiteral("Tahoma");
    }
}

QString defaultFaceName(LANGID userLanguage, const QStringList& installedFamilies) {
    const QString preferred = preferredFaceName(userLanguage);
    if (installedFamilies.contains(preferred, Qt::CaseInsensitive))
        return preferred;
    return QStringLiteral("Tahoma");
}

} // namespace settings_table
