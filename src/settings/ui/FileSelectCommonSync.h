#pragma once

#include <cstdint>

struct SettingsContext;

// In common mode every file select dialog takes its tap-and-hold delay, zoom
// method, folder display and character-set list from the process's common
// options rather than from LONG_DELAY, STR_ZOOM_METHOD,
// SHOW_FOLDER_ON_FILE_LIST and SELECTABLE_CODE_SET. So a change of those on
// the settings pages is carried into the common options too, and the next
// dialog shows it.
namespace filecommon {
// Sets the bits of `mask` in the common options to those of `value`: in the
// process's options when the context has them, else in the stored
// STR_FILE_SELECT_COMMON_MODE.
void setBits(SettingsContext& context, uint32_t mask, uint32_t value);
void setLongDelay(SettingsContext& context, bool longDelay);
// 0 no zoom, 1 by a single tap, 2 by a double tap on empty space.
void setZoomMethod(SettingsContext& context, int method);
void setShowCharSetList(SettingsContext& context, bool show);
} // namespace filecommon
