#include "Settings.h"
#include "TempProfile.h"

#include <QSet>

using namespace reg;

namespace {

class SettingsTest : public ::testing::Test {
  protected:
    TempProfile profile;
    ProfileStore& store = profile.store();
    QStringList contents(const QString& path) { return profile.keyContents(path); }
    Settings make(LANGID user, QStringList families = {}) {
        return Settings(store, Locale(user, user), [families] { return families; });
    }
};

} // namespace

TEST(SettingsTableTest, OneRowPerValueWithItsSectionAndDefault) {
    QSet<QString> names;
    int inStrSettings = 0;
    for (const SettingDef& def : settings_table::all()) {
        EXPECT_FALSE(names.contains(QLatin1String(def.name))) << def.name;
        names.insert(QLatin1String(def.name));
        EXPECT_EQ(def.kind == SettingKind::String, def.stringDefault != nullptr) << def.name;
        if (QLatin1String(def.section) == QLatin1String("STR_SETTINGS")) {
            ++inStrSettings;
            EXPECT_TRUE(QLatin1String(def.name).startsWith(QLatin1String("STR_FILE_SELECT_")))
                << def.name;
        } else {
            EXPECT_EQ(QLatin1String(def.section), QLatin1String("SETTINGS")) << def.name;
        }
    }
    EXPECT_EQ(names.size(), 73);
    EXPECT_EQ(inStrSettings, 3);
    EXPECT_EQ(settings_table::find("STR_FILE_SELECT_COMMON_MODE")->numberDefault, 0x1A00A30);
    EXPECT_EQ(settings_table::find("QSD_COLOR_SELECT_STYLE")->numberDefault, 30070);
    EXPECT_EQ(settings_table::find("COLOR_BACKGROUND")->numberDefault, 0xFFFFFF);
    EXPECT_EQ(settings_table::find("TEXT_LIMIT")->numberDefault, 0x10000);
    EXPECT_NE(settings_table::find("LOAD_DAFAULT_MACRO"), nullptr);
    EXPECT_NE(settings_table::find("SHOW_CMDBAR_REPLECE"), nullptr);
    EXPECT_EQ(settings_table::find("tab_size"), nullptr);
    EXPECT_EQ(settings_table::find("NotepatMRUList"), nullptr);
}

TEST(SettingsTableTest, DefaultFaceNameDependsOnLanguageAndInstalledFamilies) {
    using settings_table::defaultFaceName;
    const QStringList all = {"Noto Sans", "ｍｓ ｐゴシック", "宋体", "新細明體", "굴림"};
    QStringList faces; // Hong Kong (0x0C04) is not in the table
    for (LANGID id : {0x0411, 0x0804, 0x0404, 0x0412, 0x0409, 0x0407, 0x0C04})
        faces << defaultFaceName(id, all);
    EXPECT_EQ(faces, QStringList({"ＭＳ Ｐゴシック", "宋体", "新細明體", "굴림", "Tahoma", "Tahoma",
                                  "Tahoma"}));
    EXPECT_EQ(defaultFaceName(0x0411, {"Noto Sans CJK JP"}), QStringLiteral("Tahoma"));
}

// The sections a first read creates: ProfileStoreTest.
TEST_F(SettingsTest, EmptyRegistryGivesEveryDefault) {
    Settings settings = make(0x0411, {"ＭＳ Ｐゴシック"});
    for (const SettingDef& def : settings_table::all()) {
        const QString name = QLatin1String(def.name);
        if (def.kind == SettingKind::Number) {
            EXPECT_EQ(settings.getInt(name), def.numberDefault) << def.name;
        } else if (def.defaultRule == SettingDefault::Fixed) {
            EXPECT_EQ(settings.getString(name), QString::fromUtf16(def.stringDefault)) << def.name;
        }
    }
    EXPECT_EQ(settings.getInt("FONT3_SIZE"), 12);
    EXPECT_EQ(settings.getString("FONT2_NAME"), QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_EQ(settings.getString("TITLE_BAR_LABEL"), QStringLiteral("Tavloテキストエディタ"));
    EXPECT_EQ(settings.getString("INS_KEY_VALUE1"), QStringLiteral("<\t>"));
    EXPECT_EQ(settings.getString("INS_KEY_VALUE4"), QStringLiteral("#YY年MM月DD日 HH:TT#"));
    EXPECT_EQ(settings.getString("LAST_OPEN_FOLDER"), QStringLiteral("\\My Documents\\"));
}

TEST_F(SettingsTest, FaceDefaultIsTahomaWithoutTheFontOrTheLanguage) {
    EXPECT_EQ(make(0x0411, {"DejaVu Sans"}).getString("FONT1_NAME"), QStringLiteral("Tahoma"));
    Settings noFonts(store, Locale(0x0804, 0x0804));
    EXPECT_EQ(noFonts.defaultFaceName(), QStringLiteral("Tahoma"));
    // A stored face wins over the default.
    ASSERT_TRUE(noFonts.writeString("FONT1_NAME", QStringLiteral("Noto Serif")));
    EXPECT_EQ(noFonts.getString("FONT1_NAME"), QStringLiteral("Noto Serif"));
}

TEST_F(SettingsTest, ValuesGoToTheirSections) {
    Settings settings = make(0x0409);
    ASSERT_TRUE(settings.writeInt("STR_FILE_SELECT_LIST_STYLE", 3));
    ASSERT_TRUE(settings.writeInt("TAB_SIZE", 4));
    ASSERT_TRUE(settings.writeString("MRU_FOLDER", QStringLiteral("/home/u/macros/")));
    EXPECT_EQ(profile.rawValue(kAppKey + "\\STR_SETTINGS", "STR_FILE_SELECT_LIST_STYLE"),
              QByteArray("\3\0\0\0", 4));
    EXPECT_EQ(contents(kSettingsKey), QStringList({"TAB_SIZE", "MRU_FOLDER"}));
    EXPECT_EQ(settings.getInt("STR_FILE_SELECT_LIST_STYLE"), 3);
    EXPECT_EQ(settings.getInt("TAB_SIZE"), 4);
    EXPECT_EQ(settings.getString("MRU_FOLDER"), QStringLiteral("/home/u/macros/"));

    ASSERT_TRUE(settings.deleteValue("TAB_SIZE"));
    EXPECT_EQ(settings.getInt("TAB_SIZE"), 8);
    EXPECT_FALSE(settings.deleteValue("TAB_SIZE"));
}

TEST_F(SettingsTest, NamesOutsideTheTableOrOfTheOtherKindAreRefused) {
    Settings settings = make(0x0409);
    EXPECT_EQ(settings.getInt("NO_SUCH_VALUE"), 0);
    EXPECT_FALSE(settings.writeInt("NO_SUCH_VALUE", 1));
    EXPECT_FALSE(settings.writeInt("MRU_FOLDER", 1));
    EXPECT_FALSE(settings.writeString("TAB_SIZE", QStringLiteral("4")));
    EXPECT_EQ(settings.getString("TAB_SIZE"), QString());
    EXPECT_FALSE(settings.deleteValue("NO_SUCH_VALUE"));
    EXPECT_EQ(contents(QString()), QStringList());
}

TEST_F(SettingsTest, FontResetDeletesExactlyTheFontValues) {
    Settings settings = make(0x0409);
    // Every FONT value of the table except the label format, each once.
    QStringList fontValues;
    for (const SettingDef& def : settings_table::all())
        if (QLatin1String(def.name).startsWith(QLatin1String("FONT")) &&
            QLatin1String(def.name) != QLatin1String("FONT_LABEL_FORMAT"))
            fontValues << QLatin1String(def.name);
    QStringList toDelete = settings_table::fontValueNamesInDeletionOrder();
    fontValues.sort();
    toDelete.sort();
    ASSERT_EQ(toDelete, fontValues);
    for (const QString& name : toDelete) {
        if (name.endsWith("_NAME"))
            ASSERT_TRUE(settings.writeString(name, QStringLiteral("Serif")));
        else
            ASSERT_TRUE(settings.writeInt(name, 2));
    }
    ASSERT_TRUE(settings.writeInt("FONT_LABEL_FORMAT", 0));
    ASSERT_TRUE(settings.writeInt("TAB_SIZE", 2));
    settings.deleteFontValues();
    EXPECT_EQ(contents(kSettingsKey), QStringList({"FONT_LABEL_FORMAT", "TAB_SIZE"}));
    EXPECT_EQ(settings.getInt("FONT4_SIZE"), 18);
    EXPECT_EQ(settings.getString("FONT4_NAME"), QStringLiteral("Tahoma"));
}
