#include "ProfileStore.h"
#include "QsdSelectLogic.h"
#include "Registry.h"
#include "Settings.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

// The `common mode` values travel through the settings table to the
// registry's STR_SETTINGS section and come back in a new process.
TEST(QsdCommonSettingsStore, DefaultsSaveAndLoadThroughTheRegistry) {
    QTemporaryDir dir;
    const QString db = dir.filePath(u"registry.sqlite"_qs);
    {
        Registry registry(db);
        ProfileStore store(registry);
        store.SetRegistryKey(u"Orvane"_qs);
        Settings settings(store, Locale(0x0411, 0x0411));
        QsdCommonSettings common;
        common.load(settings);
        EXPECT_EQ(common.flags, 0x01A00A30u);
        EXPECT_EQ(common.sortKey, 0);
        EXPECT_EQ(common.listStyle, 1);
        common.flags = 0x01A00830; // tree shown
        common.sortKey = 3;
        common.listStyle = 2;
        EXPECT_TRUE(common.save(settings));
        EXPECT_EQ(store.GetProfileInt(u"STR_SETTINGS"_qs, u"STR_FILE_SELECT_COMMON_MODE"_qs, -1),
                  0x01A00830);
        EXPECT_EQ(store.GetProfileInt(u"STR_SETTINGS"_qs, u"STR_FILE_SELECT_LIST_SORT_KEY"_qs, -1),
                  3);
        EXPECT_EQ(store.GetProfileInt(u"STR_SETTINGS"_qs, u"STR_FILE_SELECT_LIST_STYLE"_qs, -1), 2);
    }
    Registry registry(db);
    ProfileStore store(registry);
    store.SetRegistryKey(u"Orvane"_qs);
    Settings settings(store, Locale(0x0411, 0x0411));
    QsdCommonSettings again;
    again.load(settings);
    EXPECT_EQ(again.flags, 0x01A00830u);
    EXPECT_EQ(again.sortKey, 3);
    EXPECT_EQ(again.listStyle, 2);
}
