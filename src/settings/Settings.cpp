#include "Settings.h"

#include "ProfileStore.h"
#include "StringTable.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcSettings, "tavlo.settings", QtWarningMsg)

namespace {

constexpr uint32_t kTitleBarLabelString = 35081; // "Tavloテキストエディタ"

const SettingDef* lookup(const QString& name, SettingKind kind) {
    const SettingDef* def = settings_table::find(name);
    if (!def || def->kind != kind) {
        qCWarning(lcSettings) << "not a" << (kind == SettingKind::Number ? "number" : "string")
                              << "setting:" << name;
        return nullptr;
    }
    return def;
}

QString sectionOf(const SettingDef& def) {
    return QString::fromLatin1(def.section);
}

} // namespace

Settings::Settings(ProfileStore& store, Locale locale,
                   std::function<QStringList()> installedFontFamilies)
    : store_(store), locale_(locale), installedFontFamilies_(std::move(installedFontFamilies)) {}

int Settings::defaultInt(const QString& name) const {
    const SettingDef* def = lookup(name, SettingKind::Number);
    return def ? def->numberDefault : 0;
}

QString Settings::defaultFaceName() const {
    const QStringList families = installedFontFamilies_ ? installedFontFamilies_() : QStringList();
    return settings_table::defaultFaceName(locale_.userDefaultLangId(), families);
}

QString Settings::defaultString(const QString& name) const {
    const SettingDef* def = lookup(name, SettingKind::String);
    if (!def)
        return QString();
    switch (def->defaultRule) {
    case SettingDefault::FaceName:
        return defaultFaceName();
    case SettingDefault::TitleBarLabel:
        return res::loadString(kTitleBarLabelString, QString::fromUtf16(def->stringDefault));
    case SettingDefault::Fixed:
        break;
    }
    return QString::fromUtf16(def->stringDefault);
}

int Settings::getInt(const QString& name) const {
    const SettingDef* def = lookup(name, SettingKind::Number);
    if (!def)
        return 0;
    return store_.GetProfileInt(sectionOf(*def), name, def->numberDefault);
}

bool Settings::writeInt(const QString& name, int value) {
    const SettingDef* def = lookup(name, SettingKind::Number);
    return def && store_.WriteProfileInt(sectionOf(*def), name, value);
}

QString Settings::getString(const QString& name) const {
    const SettingDef* def = lookup(name, SettingKind::String);
    if (!def)
        return QString();
    return store_.GetProfileString(sectionOf(*def), name, defaultString(name));
}

bool Settings::writeString(const QString& name, const QString& value) {
    const SettingDef* def = lookup(name, SettingKind::String);
    return def && store_.WriteProfileString(sectionOf(*def), name, value);
}

bool Settings::deleteValue(const QString& name) {
    const SettingDef* def = settings_table::find(name);
    if (!def) {
        qCWarning(lcSettings) << "not a setting:" << name;
        return false;
    }
    return store_.WriteProfileString(sectionOf(*def), name, std::nullopt);
}

void Settings::deleteFontValues() {
    for (const QString& name : settings_table::fontValueNamesInDeletionOrder())
        store_.WriteProfileString(section::SETTINGS, name, std::nullopt);
}
