#include "TempProfile.h"

#include <QDir>

using namespace reg;

namespace {

// The profile's own store, with the company key set, over a fresh registry.
class ProfileStoreTest : public ::testing::Test {
  protected:
    TempProfile profile;
    Registry& registry = profile.registry();
    ProfileStore& store = profile.store();
    QStringList contents(const QString& path) { return profile.keyContents(path); }
};

} // namespace

// A store before SetRegistryKey, and one over a database that can't be
// opened (a folder in its place): reads give the defaults, writes fail.
TEST_F(ProfileStoreTest, WithoutAKeyOrADatabaseReadsGiveDefaultsAndWritesFail) {
    ProfileStore keyless(registry);
    EXPECT_FALSE(keyless.hasRegistryKey());
    EXPECT_EQ(keyless.applicationKeyPath(), QString());
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("registry.sqlite"));
    Registry brokenRegistry(dir.filePath("registry.sqlite"));
    ProfileStore broken(brokenRegistry);
    broken.SetRegistryKey(QStringLiteral("Orvane"));
    for (ProfileStore* store : {&keyless, &broken}) {
        EXPECT_EQ(store->GetProfileInt("SETTINGS", "TAB_SIZE", 8), 8);
        EXPECT_EQ(store->GetProfileString("SETTINGS", "MRU_FOLDER", "d"), QStringLiteral("d"));
        EXPECT_FALSE(store->WriteProfileInt("SETTINGS", "TAB_SIZE", 4));
        EXPECT_FALSE(store->WriteProfileString("SETTINGS", QStringLiteral("MRU_FOLDER"),
                                               QStringLiteral("/x")));
        EXPECT_FALSE(store->WriteProfileString("SETTINGS", std::nullopt, std::nullopt));
    }
    EXPECT_EQ(contents(QString()), QStringList());
}

TEST_F(ProfileStoreTest, ReadsCreateTheKeysButNoValue) {
    EXPECT_EQ(store.applicationKeyPath(), kAppKey);
    EXPECT_EQ(store.GetProfileInt("SETTINGS", "TAB_SIZE", 8), 8);
    EXPECT_EQ(store.GetProfileString("STR_SETTINGS", "X", "dflt"), QStringLiteral("dflt"));
    EXPECT_EQ(contents(QString()), QStringList({"software\\"}));
    EXPECT_EQ(contents(kAppKey), QStringList({"SETTINGS\\", "STR_SETTINGS\\"}));
    EXPECT_EQ(contents(kSettingsKey), QStringList());
}

TEST_F(ProfileStoreTest, AnExistingSoftwareKeyIsOpenedWhateverItsSpelling) {
    RegKey key;
    ASSERT_EQ(registry.RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\Other", &key), ERROR_SUCCESS);
    ASSERT_TRUE(store.WriteProfileInt("SETTINGS", "TAB_SIZE", 4));
    EXPECT_EQ(contents(QString()), QStringList({"Software\\"}));
    EXPECT_EQ(contents("Software"), QStringList({"Orvane\\", "Other\\"}));
}

TEST_F(ProfileStoreTest, NumbersAreFourByteDwords) {
    ASSERT_TRUE(store.WriteProfileInt("SETTINGS", "COLOR_TEXT", 0x00336699));
    uint32_t type = 0;
    EXPECT_EQ(profile.rawValue(kSettingsKey, "COLOR_TEXT", &type),
              QByteArray("\x99\x66\x33\x00", 4));
    EXPECT_EQ(type, REG_DWORD);
    ASSERT_TRUE(store.WriteProfileInt("SETTINGS", "N", -2));
    EXPECT_EQ(profile.rawValue(kSettingsKey, "N"), QByteArray("\xFE\xFF\xFF\xFF", 4));
    EXPECT_EQ(store.GetProfileInt("SETTINGS", "N", 0), -2);
    EXPECT_EQ(store.GetProfileInt("settings", "color_text", 0), 0x00336699);
}

TEST_F(ProfileStoreTest, NumbersTakeAnyTypeOfAtMostFourBytes) {
    // "ab" as REG_SZ is 6 bytes, five binary bytes are one too many: no number;
    // "a" as REG_SZ is 4 bytes, 61 00 00 00; missing high bytes count as zero.
    const std::tuple<uint32_t, QByteArray, int> cases[] = {
        {REG_SZ, QByteArray("a\0b\0\0\0", 6), 8},
        {REG_BINARY, QByteArray("\5\0\0\0\0", 5), 8},
        {REG_SZ, QByteArray("a\0\0\0", 4), 0x61},
        {REG_BINARY, QByteArray("\x34\x12", 2), 0x1234},
        {REG_BINARY, QByteArray(), 0}};
    for (const auto& [type, data, number] : cases) {
        profile.setRaw(kSettingsKey, "TAB_SIZE", type, data);
        EXPECT_EQ(store.GetProfileInt("SETTINGS", "TAB_SIZE", 8), number) << data.toHex().data();
    }
}

TEST_F(ProfileStoreTest, StringsAreUtf16WithTheirNulAndEndAtTheFirstNul) {
    ASSERT_TRUE(store.WriteProfileString("SETTINGS", QStringLiteral("INS_KEY_VALUE4"),
                                         QStringLiteral("#YY年MM月#")));
    uint32_t type = 0;
    const QByteArray raw = profile.rawValue(kSettingsKey, "INS_KEY_VALUE4", &type);
    EXPECT_EQ(type, REG_SZ);
    // UTF-16 little endian (as in memory here) with the NUL.
    EXPECT_EQ(raw, QByteArray(reinterpret_cast<const char*>(u"#YY年MM月#"), (8 + 1) * 2));
    EXPECT_EQ(store.GetProfileString("SETTINGS", "INS_KEY_VALUE4", "d"),
              QStringLiteral("#YY年MM月#"));

    profile.setRaw(kSettingsKey, "S", REG_SZ, QByteArray("A\0\0\0B\0\0\0", 8));
    EXPECT_EQ(store.GetProfileString("SETTINGS", "S", "d"), QStringLiteral("A"));
    ASSERT_TRUE(store.WriteProfileString("SETTINGS", QStringLiteral("E"), QString()));
    EXPECT_EQ(profile.rawValue(kSettingsKey, "E"), QByteArray("\0\0", 2));
    EXPECT_EQ(store.GetProfileString("SETTINGS", "E", "d"), QString());
}

TEST_F(ProfileStoreTest, NullValueDeletesTheEntryOnlyWhenItExists) {
    ASSERT_TRUE(store.WriteProfileInt("SETTINGS", "FONT1_SIZE", 10));
    ASSERT_TRUE(store.WriteProfileInt("SETTINGS", "FONT2_SIZE", 11));
    EXPECT_FALSE(store.WriteProfileString("SETTINGS", QStringLiteral("MISSING"), std::nullopt));
    EXPECT_EQ(contents(kSettingsKey), QStringList({"FONT1_SIZE", "FONT2_SIZE"}));
    EXPECT_TRUE(store.WriteProfileString("SETTINGS", QStringLiteral("font1_size"), std::nullopt));
    EXPECT_EQ(contents(kSettingsKey), QStringList({"FONT2_SIZE"}));
}

TEST_F(ProfileStoreTest, NullEntryDeletesTheWholeSection) {
    ASSERT_TRUE(
        store.WriteProfileString("NotepatMRUList", QStringLiteral("File1"), QStringLiteral("/a")));
    ASSERT_TRUE(
        store.WriteProfileString("NotepatMRUList", QStringLiteral("File2"), QStringLiteral("/b")));
    ASSERT_TRUE(store.WriteProfileInt("SETTINGS", "TAB_SIZE", 4));
    EXPECT_TRUE(
        store.WriteProfileString("NotepatMRUList", std::nullopt, QStringLiteral("ignored")));
    EXPECT_EQ(contents(kAppKey), QStringList({"SETTINGS\\"}));
    EXPECT_EQ(store.GetProfileInt("SETTINGS", "TAB_SIZE", 8), 4);
    EXPECT_FALSE(store.WriteProfileString("NotepatMRUList", std::nullopt, std::nullopt));
}
