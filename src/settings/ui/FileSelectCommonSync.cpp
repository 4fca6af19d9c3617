#include "FileSelectCommonSync.h"

#include "QsdSelectLogic.h"
#include "QsdTypes.h"
#include "Settings.h"
#include "SettingsContext.h"

namespace filecommon {

void setBits(SettingsContext& context, uint32_t mask, uint32_t value) {
    if (QsdCommonSettings* common = context.fileSelectCommon) {
        common->flags = (common->flags & ~mask) | (value & mask);
        return;
    }
    const QString name = QStringLiteral("STR_FILE_SELECT_COMMON_MODE");
    const auto flags = uint32_t(context.settings.getInt(name));
    context.settings.writeInt(name, int((flags & ~mask) | (value & mask)));
}

void setLongDelay(SettingsContext& context, bool longDelay) {
    setBits(context, qsd::LONG_DELAY, longDelay ? qsd::LONG_DELAY : 0);
}

void setZoomMethod(SettingsContext& context, int method) {
    const uint32_t taps = qsd::ZOOM_SINGLE_TAP | qsd::ZOOM_DOUBLE_TAP;
    if (method == 0)
        setBits(context, taps | qsd::ZOOM_FOCUS, 0);
    else
        setBits(context, taps, method == 2 ? qsd::ZOOM_DOUBLE_TAP : qsd::ZOOM_SINGLE_TAP);
}

void setShowCharSetList(SettingsContext& context, bool show) {
    setBits(context, qsd::SHOW_OPTION, show ? qsd::SHOW_OPTION : 0);
}

} // namespace filecommon
