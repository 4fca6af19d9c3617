#pragma once

#include "Locale.h"

#include <QString>
#include <QStringList>
#include <span>

// The sections of the application key.
namespace section {
inline const QString SETTINGS = QStringLiteral("SETTINGS");
inline const QString STR_SETTINGS = QStringLiteral("STR_SETTINGS");
inline const QString NotepatMRUList = QStringLiteral("NotepatMRUList");
} // namespace section

enum class SettingKind { Number, String };

// How a value's default is found. Most defaults are fixed; two depend on the
// machine the editor runs on.
enum class SettingDefault {
    Fixed,        // numberDefault or stringDefault
    FaceName,     // defaultFaceName(user language, installed families)
    TitleBarLabel // string 35081, "Tavlo" when it can't be loaded
};

struct SettingDef {
    const char* name;
    const char* section; // "SETTINGS" or "STR_SETTINGS"
    SettingKind kind;
    int numberDefault;
    const char16_t* stringDefault; // nullptr for numbers
    SettingDefault defaultRule = SettingDefault::Fixed;
};

// The one table of every preference of the editor with its section, kind and
// default. Readers get their defaults from here and nowhere else.
namespace settings_table {

std::span<const SettingDef> all();
// Exact (case-sensitive) name lookup; nullptr for a name not in the table.
const SettingDef* find(const QString& name);

// The font values, in the order in which the language reset deletes them and
// a language font snapshot lists them: FONT1_NAME ... FONT4_NAME, then
// FONT_SIZE, FONT1_SIZE ... FONT4_SIZE, FONT1_BOLD ... FONT4_BOLD,
// FONT1_ITALIC ... FONT4_ITALIC.
QStringList fontFaceValueNames();
QStringList fontMetricValueNames();
QStringList fontValueNamesInDeletionOrder();

// The preferred face of a user language (Japanese "ＭＳ Ｐゴシック", simplified
// Chinese "宋体", traditional Chinese "新細明體", Korean "굴림", all others
// "Tahoma"), if it is among the installed families (compared without regard
// to case), else "Tahoma".
QString preferredFaceName(LANGID userLanguage);
QString defaultFaceName(LANGID userLanguage, const QStringList& installedFamilies);

} // namespace settings_table
