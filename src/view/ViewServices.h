#pragma once

#include "Locale.h"

#include <functional>

class Clock;
class MessageService;
class Settings;

// The services the view works with, handed in by whoever creates it, so that
// tests run it with a temporary registry, scripted message boxes and a fixed
// clock.
struct ViewServices {
    Settings& settings;
    MessageService& messages;
    const Clock& clock;
    Locale locale;
    // True on a platform whose menus drop the key names after a TAB.
    std::function<bool()> isRecentPlatform = [] { return false; };
    // Removes this window's entry from the open-documents key; called when
    // the view is destroyed. May be empty.
    std::function<void()> removeOpenDocument;
};
