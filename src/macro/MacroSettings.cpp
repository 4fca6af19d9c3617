#include "MacroSettings.h"

#include "FilePath.h"
#include "Settings.h"

QString readMacroLastFolder(const Settings& settings) {
    QString folder = filepath::toNativePath(settings.getString(QStringLiteral("MRU_FOLDER")));
    if (!folder.isEmpty() && !folder.endsWith(u'/'))
        folder.append(u'/');
    return folder;
}

bool writeMacroLastFolder(Settings& settings, const QString& folder) {
    return settings.writeString(QStringLiteral("MRU_FOLDER"), folder);
}

uint32_t macroFileSelectFlags(const Settings& settings, MacroFileMode mode) {
    return macroFileSelectFlags(mode, settings.getInt(QStringLiteral("LONG_DELAY")),
                                settings.getInt(QStringLiteral("SELECT_BY_SINGLE_TAP")),
                                settings.getInt(QStringLiteral("STR_ZOOM_METHOD")));
}
