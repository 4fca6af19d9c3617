#pragma once

#include "MacroFileDialog.h"

#include <QString>

class Settings;

// The macro's last folder from MRU_FOLDER, as a folder of this platform
// ending in "/".
QString readMacroLastFolder(const Settings& settings);
bool writeMacroLastFolder(Settings& settings, const QString& folder);

// The file select flags of the macro file dialog from the settings.
uint32_t macroFileSelectFlags(const Settings& settings, MacroFileMode mode);
