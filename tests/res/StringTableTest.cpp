#include "StringTable.h"
#include "BuiltinStringTable.h"
#include "FakeTranslation.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

class ReplacementStrings : public ResourceSource {
  public:
    std::optional<QString> loadString(uint32_t id) const override {
        if (id == 40000)
            return QStringLiteral("Out of memory.");
        return std::nullopt;
    }
};

} // namespace

TEST(BuiltinStrings, EveryEntryLoadsByItsSortedUniqueId) {
    const auto entries = res::builtinStringEntries();
    ASSERT_FALSE(entries.empty());
    BuiltinStrings table;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (i > 0)
            EXPECT_LT(entries[i - 1].id, entries[i].id) << "at index " << i;
        EXPECT_EQ(table.loadString(entries[i].id), QString::fromUtf16(entries[i].text))
            << entries[i].id;
    }
    for (uint32_t unknown : {0u, 29999u, 0xFFFFFFFFu})
        EXPECT_FALSE(table.loadString(unknown).has_value()) << unknown;
}

TEST(BuiltinStrings, FileTypeFilterPairsDescriptionsWithPatterns) {
    // The open and save dialogs split this list at "|" into description and
    // pattern pairs; it ends with an empty item.
    const QString filters = BuiltinStrings().loadString(35045).value_or(QString());
    ASSERT_TRUE(filters.endsWith(u"||"_qs));
    const QStringList items = filters.chopped(2).split(u'|');
    ASSERT_EQ(items.size() % 2, 0);
    EXPECT_TRUE(items.at(1).startsWith(u"*.txt"_qs));
    EXPECT_TRUE(items.contains(u"設定ファイル (*.ini;*.inf)"_qs));
    EXPECT_EQ(items.last(), u"*.*"_qs);
}

TEST(ResourceSource, ReplacementSourceAnswersAndFallbackIsTheCallers) {
    const FakeTranslation::Guard guard; // the built-in table comes back whatever happens
    EXPECT_EQ(res::loadString(40000, u"fallback"_qs), u"メモリー不足が発生しました。"_qs);
    res::setResourceSource(std::make_shared<ReplacementStrings>());
    EXPECT_EQ(res::loadString(40000, u"fallback"_qs), u"Out of memory."_qs);
    EXPECT_FALSE(res::loadString(30006).has_value());
    EXPECT_EQ(res::loadString(40023, u"Error Occured!"_qs), u"Error Occured!"_qs);
    res::setResourceSource(nullptr);
    EXPECT_EQ(res::loadString(40023, u"Error Occured!"_qs),
              u"関連付けの最中にエラーが発生しました。"_qs);
}

TEST(Substitute, PathGoesIntoTheFirstStringPlaceholder) {
    EXPECT_EQ(
        res::substitute(u"下記ファイルにアクセスできません。\n\n%s"_qs, u"/home/a b/x%d.txt"_qs),
        u"下記ファイルにアクセスできません。\n\n/home/a b/x%d.txt"_qs);
    EXPECT_EQ(res::substitute(u"no placeholder"_qs, u"x"_qs), u"no placeholder"_qs);
    EXPECT_EQ(res::substitute(u"100%% %s"_qs, u"done"_qs), u"100%% done"_qs);
    EXPECT_EQ(res::substitute(u"%d then %s"_qs, u"text"_qs), u"%d then text"_qs);
    EXPECT_EQ(res::substitute(u"trailing %"_qs, u"x"_qs), u"trailing %"_qs);
}

TEST(Substitute, NumbersFillInOrderWithWidthAndZeroPadding) {
    QString text = u"%d 年 %d月 %d日 %d:%02d:%02d"_qs;
    for (int value : {2011, 7, 8, 9, 5, 30})
        text = res::substitute(text, value);
    EXPECT_EQ(text, u"2011 年 7月 8日 9:05:30"_qs);

    text = u"%d年%2d月%2d日 %d時%02d分%02d秒"_qs;
    for (int value : {2011, 7, 12, 23, 0, -1})
        text = res::substitute(text, value);
    EXPECT_EQ(text, u"2011年 7月12日 23時00分-1秒"_qs);

    EXPECT_EQ(res::substitute(u"ジャンプ先には 1 ～ %d の間の数字を指定してください。"_qs, 120),
              u"ジャンプ先には 1 ～ 120 の間の数字を指定してください。"_qs);
    EXPECT_EQ(res::substitute(u"%ld bytes"_qs, -42), u"-42 bytes"_qs);
    EXPECT_EQ(res::substitute(u"[%-4d]"_qs, 7), u"[7   ]"_qs);
    EXPECT_EQ(res::substitute(u"%03d"_qs, -5), u"-05"_qs);
    EXPECT_EQ(res::substitute(u"%s is %d"_qs, 3), u"%s is 3"_qs);
}
