#include "UiLanguage.h"
#include "DialogTexts.h"
#include "LanguageLibrary.h"
#include "MenuTables.h"
#include "StringTable.h"
#include "TempProfile.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace language;

namespace {

const QString kEnglish = QStringLiteral(TAVLO_EN_LIBRARY);
const QString kLanguageKey = QStringLiteral("Software\\Orvane\\Tavlo Text Editor\\Language");

struct ValidateCase {
    const char* path;
    uint32_t result;
    uint32_t version;
    LANGID languageId;
    const char16_t* name; // in Japanese (0x0411)
};

class ValidateTest : public testing::TestWithParam<ValidateCase> {};

TEST_P(ValidateTest, ReadsTheInformationBlockAndTheName) {
    const ValidateCase& c = GetParam();
    const Validation v = Validate(QString::fromUtf8(c.path), 0x0411);
    EXPECT_EQ(v.result, c.result);
    EXPECT_EQ(v.version, c.version);
    EXPECT_EQ(v.languageId, c.languageId);
    EXPECT_EQ(v.name, QString::fromUtf16(c.name));
}

INSTANTIATE_TEST_SUITE_P(
    Libraries, ValidateTest,
    testing::Values(ValidateCase{TAVLO_EN_LIBRARY, RESULT_OK, 584, 0x0409, u"英語"},
                    ValidateCase{TAVLO_GOOD_LIBRARY, RESULT_OK, 584, 0x0407, u"Deutsch"},
                    ValidateCase{TAVLO_V583_LIBRARY, RESULT_OK, 583, 0x0407, u"Deutsch"},
                    ValidateCase{TAVLO_SIGNATURE_LIBRARY, RESULT_NOT_A_LIBRARY, 0, 0, u""},
                    ValidateCase{TAVLO_NONAME_LIBRARY, RESULT_NOT_A_LIBRARY, 0, 0, u""},
                    ValidateCase{TAVLO_FULL_LIBRARY, RESULT_NOT_A_LIBRARY, 0, 0, u""},
                    ValidateCase{TAVLO_NOT_A_LIBRARY, RESULT_NOT_A_LIBRARY, 0, 0, u""},
                    ValidateCase{"/nonexistent/tavlo-xx.so", RESULT_NOT_A_LIBRARY, 0, 0, u""},
                    ValidateCase{"", RESULT_NO_PATH, 0, 0, u""}));

class UiLanguageTest : public testing::Test {
  protected:
    void TearDown() override { res::setResourceSource(nullptr); }
    void registerLibrary(const QString& name, const QString& path) {
        RegKey key;
        ASSERT_EQ(profile.registry().RegCreateKeyEx(HKEY_CURRENT_USER, kLanguageKey, &key), 0);
        profile.registry().setString(key, name, path);
    }
    std::optional<QString> snapshotValue(LANGID id, const QString& name) {
        RegKey key;
        if (profile.registry().RegOpenKeyEx(HKEY_CURRENT_USER,
                                            kLanguageKey + u'\\' + QString::number(id), &key))
            return std::nullopt;
        return profile.registry().queryString(key, name);
    }

    TempProfile profile;
    UiLanguage language{profile.settings()};
};

TEST_F(UiLanguageTest, ListRegisteredKeepsOrderAndDropsDuplicatesAndUnusableLibraries) {
    registerLibrary(QStringLiteral("de"), QStringLiteral(TAVLO_GOOD_LIBRARY));
    registerLibrary(QStringLiteral("old"), QStringLiteral(TAVLO_V583_LIBRARY));
    registerLibrary(QStringLiteral("en"), kEnglish);
    registerLibrary(QStringLiteral("gone"), QStringLiteral("/nonexistent/x.so"));
    registerLibrary(QStringLiteral("en again"), kEnglish);
    const std::vector<LanguageLibraryEntry> expected = {
        {0x0409, QString(), QStringLiteral("Japanese")},
        {0x0407, QStringLiteral(TAVLO_GOOD_LIBRARY), QStringLiteral("Deutsch")},
        {0x0409, kEnglish, QStringLiteral("English")},
    };
    EXPECT_EQ(language.ListRegistered(0x0409), expected);
    EXPECT_EQ(language.ListRegistered(0x0411).front().name, u"日本語");
    // No built-in row for German users; each library names its language as best it can.
    EXPECT_EQ(language.ListRegistered(0x0407),
              std::vector<LanguageLibraryEntry>(expected.begin() + 1, expected.end()));
}

TEST_F(UiLanguageTest, SwitchToThereAndBackKeepsTheFontsOfEachLanguage) {
    Settings& settings = profile.settings();
    settings.writeString(QStringLiteral("FONT1_NAME"), QStringLiteral("Japanese Face"));
    settings.writeInt(QStringLiteral("FONT2_SIZE"), 11);

    ASSERT_TRUE(language.SwitchTo(QStringLiteral("  ") + kEnglish + QStringLiteral(" "), true));
    EXPECT_EQ(language.currentLanguageId(), 0x0409);
    EXPECT_EQ(snapshotValue(0x0411, QStringLiteral("FONT1_NAME")), u"Japanese Face");
    EXPECT_EQ(snapshotValue(0x0411, QStringLiteral("FONT2_NAME")), std::nullopt);
    EXPECT_EQ(settings.getInt(QStringLiteral("FONT2_SIZE")), 9) << "back to its default";
    EXPECT_EQ(res::loadString(30006),
              u"This file has been changed.\nDo you want to save your changes?");
    EXPECT_EQ(res::loadMenu(128)->items[0].text, u"Menu");
    EXPECT_EQ(res::dialogText(res::IDD_MESSAGE_BOX, 6), u"Yes");

    settings.writeString(QStringLiteral("FONT1_NAME"), QStringLiteral("English Face"));
    ASSERT_TRUE(language.SwitchTo(QString(), true));
    EXPECT_EQ(language.currentLanguageId(), 0x0411);
    EXPECT_EQ(snapshotValue(0x0409, QStringLiteral("FONT1_NAME")), u"English Face");
    EXPECT_EQ(settings.getString(QStringLiteral("FONT1_NAME")), u"Japanese Face");
    EXPECT_EQ(settings.getInt(QStringLiteral("FONT2_SIZE")), 11);
    EXPECT_EQ(res::loadString(30006), u"ファイルは更新されています。\n変更を保存しますか？");
    EXPECT_EQ(res::loadMenu(128)->items[0].text, u"メニュー");
    EXPECT_EQ(res::dialogText(res::IDD_MESSAGE_BOX, 6), u"はい");
}

TEST_F(UiLanguageTest, SwitchToAMissingLibraryChangesNothing) {
    profile.settings().writeInt(QStringLiteral("FONT2_SIZE"), 11);
    ASSERT_TRUE(language.SwitchTo(kEnglish, false));
    EXPECT_FALSE(language.SwitchTo(QStringLiteral("/nonexistent/x.so"), false));
    EXPECT_EQ(language.currentPath(), kEnglish);
    EXPECT_EQ(res::loadString(35030), u"Encoding");
    EXPECT_EQ(profile.settings().getInt(QStringLiteral("FONT2_SIZE")), 11);
}

TEST_F(UiLanguageTest, AutoRegisterAddsTheFolderLibrariesOnceAndDropsGoneOnes) {
    const QDir folder(profile.folder());
    ASSERT_TRUE(QFile::copy(kEnglish, folder.filePath(QStringLiteral("tavlo-en.so"))));
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(TAVLO_V583_LIBRARY), folder.filePath(QStringLiteral("old.so"))));
    ASSERT_TRUE(QFile::copy(QStringLiteral(TAVLO_NOT_A_LIBRARY),
                            folder.filePath(QStringLiteral("text.so"))));
    registerLibrary(QStringLiteral("gone"), folder.filePath(QStringLiteral("gone.so")));
    registerLibrary(QStringLiteral("de"), QStringLiteral(TAVLO_GOOD_LIBRARY));

    language.autoRegister(folder.path());
    language.autoRegister(folder.path());

    EXPECT_EQ(profile.keyContents(kLanguageKey), (QStringList{u"de"_qs, u"tavlo-en.so"_qs}));
    RegKey key;
    ASSERT_EQ(profile.registry().RegOpenKeyEx(HKEY_CURRENT_USER, kLanguageKey, &key), 0);
    EXPECT_EQ(profile.registry().queryString(key, QStringLiteral("tavlo-en.so")),
              QFileInfo(folder.filePath(QStringLiteral("tavlo-en.so"))).canonicalFilePath());
}

} // namespace
