#include "MacroSettings.h"

#include "FilePath.h"
#include "FileSystem.h"
#include "TempProfile.h"

namespace {

class MacroSettingsTest : public ::testing::Test {
  protected:
    TempProfile profile;
    Settings& settings = profile.settings();
};

} // namespace

TEST_F(MacroSettingsTest, LastFolderDefaultsToTheDocumentsFolderAndEndsInASlash) {
    EXPECT_EQ(readMacroLastFolder(settings), filepath::myDocumentsPath() + u'/');
    ASSERT_TRUE(writeMacroLastFolder(settings, QStringLiteral("/srv/macros/")));
    EXPECT_EQ(settings.getString(QStringLiteral("MRU_FOLDER")), QStringLiteral("/srv/macros/"));
    EXPECT_EQ(readMacroLastFolder(settings), QStringLiteral("/srv/macros/"));
    ASSERT_TRUE(
        settings.writeString(QStringLiteral("MRU_FOLDER"), QStringLiteral("/srv/no-slash")));
    EXPECT_EQ(readMacroLastFolder(settings), QStringLiteral("/srv/no-slash/"));
}

TEST_F(MacroSettingsTest, DialogFlagsFollowTheTapSettings) {
    EXPECT_EQ(macroFileSelectFlags(settings, MacroFileMode::Open), 0x1D210u | 0x1u | 0x8000000u);
    ASSERT_TRUE(settings.writeInt(QStringLiteral("LONG_DELAY"), 0));
    ASSERT_TRUE(settings.writeInt(QStringLiteral("SELECT_BY_SINGLE_TAP"), 0));
    ASSERT_TRUE(settings.writeInt(QStringLiteral("STR_ZOOM_METHOD"), 2));
    EXPECT_EQ(macroFileSelectFlags(settings, MacroFileMode::Save), 0x265210u | 0x800000u);
}
