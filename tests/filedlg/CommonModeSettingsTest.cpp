#include "QsdSelectLogic.h"
#include "TempProfile.h"

#include <gtest/gtest.h>

// The `common mode` values travel through the settings table to the
// registry's STR_SETTINGS section and come back in a new process.
TEST(QsdCommonSettingsStore, DefaultsSaveAndLoadThroughTheRegistry) {
    TempProfile profile;
    {
        QsdCommonSettings common;
        common.load(profile.settings());
        EXPECT_EQ(common.flags, 0x01A00A30u);
        EXPECT_EQ(common.sortKey, 0);
        EXPECT_EQ(common.listStyle, 1);
        common.flags = 0x01A00830; // tree shown
        common.sortKey = 3;
        common.listStyle = 2;
        EXPECT_TRUE(common.save(profile.settings()));
        const ProfileStore& store = profile.store();
        EXPECT_EQ(store.GetProfileInt(u"STR_SETTINGS"_qs, u"STR_FILE_SELECT_COMMON_MODE"_qs, -1),
                  0x01A00830);
        EXPECT_EQ(store.GetProfileInt(u"STR_SETTINGS"_qs, u"STR_FILE_SELECT_LIST_SORT_KEY"_qs, -1),
                  3);
        EXPECT_EQ(store.GetProfileInt(u"STR_SETTINGS"_qs, u"STR_FILE_SELECT_LIST_STYLE"_qs, -1), 2);
    }
    profile.reopen();
    QsdCommonSettings again;
    again.load(profile.settings());
    EXPECT_EQ(again.flags, 0x01A00830u);
    EXPECT_EQ(again.sortKey, 3);
    EXPECT_EQ(again.listStyle, 2);
}
