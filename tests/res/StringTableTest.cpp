#include "StringTable.h"
#include "BuiltinStringTable.h"
#include "StringIds.h"

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

// Restores the built-in table even when an assertion fails mid-test.
struct SourceGuard {
    ~SourceGuard() { res::setResourceSource(nullptr); }
};

} // namespace

TEST(BuiltinStrings, IdsAreSortedAndUnique) {
    const auto entries = res::builtinStringEntries();
    ASSERT_FALSE(entries.empty());
    for (size_t i = 1; i < entries.size(); ++i)
        EXPECT_LT(entries[i - 1].id, entries[i].id) << "at index " << i;
}

TEST(BuiltinStrings, EveryEntryLoadsByItsId) {
    BuiltinStrings table;
    for (const auto& entry : res::builtinStringEntries()) {
        const auto text = table.loadString(entry.id);
        ASSERT_TRUE(text.has_value()) << entry.id;
        EXPECT_EQ(*text, QString::fromUtf16(entry.text)) << entry.id;
    }
}

TEST(BuiltinStrings, EveryMessageRangeIsPopulated) {
    // Each family of numbered texts the program shows is present in full.
    BuiltinStrings table;
    for (uint32_t id : {30006u, 30007u, 30008u, 30009u, 30010u, 30013u, 30014u, 30020u, 30021u,
                        30022u, 30023u, 30024u, 30026u, 30027u, 30028u, 30041u, 30042u, 30043u,
                        30069u, 30070u, 30071u, 30303u, 30305u, 30306u, 30307u, 30400u, 30401u})
        EXPECT_TRUE(table.loadString(id).has_value()) << id;
    for (uint32_t id = 30500; id <= 30513; ++id)
        if (id != 30508) {
            EXPECT_TRUE(table.loadString(id).has_value()) << id;
        }
    for (uint32_t id = 30308; id <= 30315; ++id)
        EXPECT_TRUE(table.loadString(id).has_value()) << id;
    for (uint32_t id : {33000u, 33001u, 33002u, 33003u, 33004u, 33005u, 33006u, 33038u})
        EXPECT_TRUE(table.loadString(id).has_value()) << id;
    for (uint32_t id = 33009; id <= 33035; ++id)
        if (id != 33010 && id != 33026 && id != 33027) {
            EXPECT_TRUE(table.loadString(id).has_value()) << id;
        }
    for (uint32_t id = 35000; id <= 35019; ++id)
        EXPECT_TRUE(table.loadString(id).has_value()) << id;
    for (uint32_t id = 35027; id <= 35036; ++id)
        EXPECT_TRUE(table.loadString(id).has_value()) << id;
    for (uint32_t id = 35050; id <= 35055; ++id)
        EXPECT_TRUE(table.loadString(id).has_value()) << id;
    for (uint32_t id = 35068; id <= 35074; ++id)
        EXPECT_TRUE(table.loadString(id).has_value()) << id;
    for (uint32_t id = 35086; id <= 35099; ++id)
        EXPECT_TRUE(table.loadString(id).has_value()) << id;
    for (uint32_t id : {40000u, 40001u, 40004u, 40005u, 40006u, 40007u, 40008u, 40009u, 40010u,
                        40013u, 40014u, 40017u, 40019u, 40020u, 40021u, 40022u, 40023u, 40024u,
                        40025u, 40026u, 40027u, 40028u, 37000u, 37006u, 57344u, 60400u, 60401u})
        EXPECT_TRUE(table.loadString(id).has_value()) << id;
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

TEST(BuiltinStrings, UnknownIdsAreAbsent) {
    BuiltinStrings table;
    EXPECT_FALSE(table.loadString(0).has_value());
    EXPECT_FALSE(table.loadString(29999).has_value());
    EXPECT_FALSE(table.loadString(0xFFFFFFFFu).has_value());
}

TEST(ResourceSource, ReplacementSourceAnswersAndFallbackIsTheCallers) {
    SourceGuard guard;
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
