#include "DynamicLibrary.h"

#include <gtest/gtest.h>

TEST(DynamicLibraryTest, LoadsResolvesAndReportsFailures) {
    DynamicLibrary lib;
    EXPECT_FALSE(lib.isLoaded());
    EXPECT_EQ(lib.symbol("cos"), nullptr);
    EXPECT_FALSE(lib.errorString().isEmpty());

    ASSERT_TRUE(lib.load(QStringLiteral("libm.so.6"))) << lib.errorString().toStdString();
    EXPECT_TRUE(lib.errorString().isEmpty());
    auto cosine = lib.function<double (*)(double)>("cos");
    ASSERT_NE(cosine, nullptr);
    EXPECT_DOUBLE_EQ(cosine(0.0), 1.0);

    EXPECT_EQ(lib.symbol("QsdNoSuchExport"), nullptr);
    EXPECT_TRUE(lib.errorString().contains(QStringLiteral("QsdNoSuchExport")));

    DynamicLibrary moved(std::move(lib));
    EXPECT_TRUE(moved.isLoaded());
    EXPECT_FALSE(lib.isLoaded());

    DynamicLibrary missing(QStringLiteral("/nonexistent/tavlo-language.so"));
    EXPECT_FALSE(missing.isLoaded());
    EXPECT_TRUE(missing.errorString().contains(QStringLiteral("tavlo-language.so")));
}
