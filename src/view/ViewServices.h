#pragma once

#include "Locale.h"

#include <functional>

class Clock;
class MessageService;
class Settings;
struct QsdCommonSettings;

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
    std::function<void()> removeOpenDocument = {};
    // The file select dialog's common options, one set for the whole process:
    // read at start-up and saved at exit by the application. When absent
    // (tests, tools), each dialog reads them and saves them back itself.
    QsdCommonSettings* fileSelectCommon = nullptr;
};
