#include "Registry.h"
#include "TempFiles.h"

using namespace reg;

// A group of values written in one RegTransaction, seen by another
// connection to the same store as another editor would see it.
TEST(RegistryGroup, AnotherReaderSeesTheOldSetUntilCommitAndAfterAFailedWrite) {
    TempFiles files;
    const QString path = files.path("registry.sqlite");
    Registry writer(path);
    Registry reader(path);
    const auto valuesSeen = [&reader] {
        return std::make_pair(reader.queryDword(HKEY_CURRENT_USER, QStringLiteral("A")),
                              reader.queryDword(HKEY_CURRENT_USER, QStringLiteral("B")));
    };
    const auto oldSet = std::make_pair(std::optional<uint32_t>(1), std::optional<uint32_t>(1));
    ASSERT_EQ(writer.setDword(HKEY_CURRENT_USER, QStringLiteral("A"), 1), ERROR_SUCCESS);
    ASSERT_EQ(writer.setDword(HKEY_CURRENT_USER, QStringLiteral("B"), 1), ERROR_SUCCESS);
    {
        RegTransaction group(writer, RegTransaction::Write);
        EXPECT_EQ(writer.setDword(HKEY_CURRENT_USER, QStringLiteral("A"), 2), ERROR_SUCCESS);
        EXPECT_EQ(valuesSeen(), oldSet);
        EXPECT_EQ(writer.setDword(HKEY_CURRENT_USER, QString(16384, u'x'), 2),
                  ERROR_INVALID_PARAMETER);
        EXPECT_EQ(writer.setDword(HKEY_CURRENT_USER, QStringLiteral("B"), 2), ERROR_SUCCESS);
        EXPECT_FALSE(group.commit());
    }
    EXPECT_EQ(valuesSeen(), oldSet);
    EXPECT_EQ(writer.queryDword(HKEY_CURRENT_USER, QStringLiteral("A")), 1u);

    RegTransaction group(writer, RegTransaction::Write);
    writer.setDword(HKEY_CURRENT_USER, QStringLiteral("A"), 3);
    writer.setDword(HKEY_CURRENT_USER, QStringLiteral("B"), 3);
    EXPECT_TRUE(group.commit());
    EXPECT_EQ(valuesSeen(), std::make_pair(std::optional<uint32_t>(3), std::optional<uint32_t>(3)));
}
