#pragma once

#include <QString>
#include <cstdint>

using LANGID = uint16_t;

// The user's and the system's default language identifiers, read from the
// locale variables (LC_ALL, LC_MESSAGES, LANG) or fixed by a test.
class Locale {
public:
    Locale(LANGID userDefault, LANGID systemDefault)
        : user_(userDefault), system_(systemDefault) {}

    // From the process environment; an unset or "C"/"POSIX" locale counts as en_US.
    static Locale fromEnvironment();
    // "ja_JP.UTF-8" -> 0x0411, "en_US" -> 0x0409, "zh_CN" -> 0x0804, ...
    static LANGID langIdFromLocaleName(const QString& name);

    LANGID userDefaultLangId() const { return user_; }
    LANGID systemDefaultLangId() const { return system_; }

private:
    LANGID user_;
    LANGID system_;
};
