#include "Locale.h"
#include "ScopedEnv.h"

#include <gtest/gtest.h>

TEST(LocaleTest, LocaleNamesGiveTheDeviceLanguageIdentifiers) {
    struct Case {
        const char* name;
        LANGID id;
    } cases[] = {
        {"ja_JP.UTF-8", 0x0411},
        {"ja", 0x0411},
        {"en_US.UTF-8", 0x0409},
        {"en_GB", 0x0809},
        {"en", 0x0409},
        {"zh_CN.GB18030", 0x0804},
        {"zh_TW.Big5", 0x0404},
        {"de_DE@euro", 0x0407},
        {"pt_BR", 0x0416},
        {"pt_PT", 0x0816},
        {"C", 0x0409},
        {"POSIX", 0x0409},
        {"C.UTF-8", 0x0409},
        {"", 0x0409},
        {"xx_YY", 0x0409},
        {"JA_jp", 0x0411},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Locale::langIdFromLocaleName(QString::fromLatin1(c.name)), c.id) << c.name;
}

TEST(LocaleTest, EnvironmentVariablesInTheirOrder) {
    const ScopedEnv all("LC_ALL", {}), messages("LC_MESSAGES", {}), lang("LANG", {});
    EXPECT_EQ(Locale::fromEnvironment().userDefaultLangId(), 0x0409);

    lang.set("ko_KR.UTF-8");
    EXPECT_EQ(Locale::fromEnvironment().userDefaultLangId(), 0x0412);
    messages.set("zh_TW.UTF-8");
    EXPECT_EQ(Locale::fromEnvironment().userDefaultLangId(), 0x0404);
    all.set("ja_JP.UTF-8");
    const Locale locale = Locale::fromEnvironment();
    EXPECT_EQ(locale.userDefaultLangId(), 0x0411);
    EXPECT_EQ(locale.systemDefaultLangId(), 0x0411);
}
