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
    // Each family of numbered texts the program shows is present in full:
    // ranges, and the ids a range skips.
    const struct {
        uint32_t first, last;
        std::vector<uint32_t> gaps;
    } ranges[] = {
        {30006, 30010, {}},      {30013, 30014, {}},
        {30020, 30028, {30025}}, {30041, 30043, {}},
        {30069, 30071, {}},      {30303, 30315, {30304}},
        {30400, 30401, {}},      {30500, 30513, {30508}},
        {33000, 33006, {}},      {33009, 33035, {33010, 33026, 33027}},
        {33038, 33038, {}},      {35000, 35019, {}},
        {35027, 35036, {}},      {35050, 35055, {}},
        {35068, 35074, {}},      {35086, 35101, {}},
        {40000, 40001, {}},      {40004, 40010, {}},
        {40013, 40014, {}},      {40017, 40017, {}},
        {40019, 40028, {}},      {37000, 37000, {}},
        {37006, 37006, {}},      {57344, 57344, {}},
        {60400, 60401, {}},
    };
    BuiltinStrings table;
    for (const auto& range : ranges)
        for (uint32_t id = range.first; id <= range.last; ++id)
            if (std::find(range.gaps.begin(), range.gaps.end(), id) == range.gaps.end()) {
                EXPECT_TRUE(table.loadString(id).has_value()) << id;
            }
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
