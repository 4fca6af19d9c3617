#pragma once

#include "SettingsContext.h"

#include <memory>
#include <vector>

class SettingsPage;

// The pages of the settings sheet, made in the order of their tabs. A new
// page is added here and nowhere else.
std::vector<std::unique_ptr<SettingsPage>> settingsPages(SettingsContext& context);
