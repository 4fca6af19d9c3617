#include "StringTable.h"
#include "BuiltinStringTable.h"

#include <gtest/gtest.h>

#include <map>

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

TEST(BuiltinStrings, ExactTextsAcrossTheProgram) {
    const std::map<uint32_t, QString> expected = {
        {57344, u"Tavloテキストエディタ"_qs},
        {30006, u"ファイルは更新されています。\n変更を保存しますか？"_qs},
        {33000, u"下記ファイルのオープンでエラーが発生しました。\n\n%s"_qs},
        {33005, u"%d 年 %d月 %d日 %d:%02d:%02d"_qs},
        {33006, u"ジャンプ先には 1 ～ %d の間の数字を指定してください。"_qs},
        {35001, u"記録終了(&R)\tShift+Ctrl+R"_qs},
        {35036, u" バイト"_qs},
        {35097, u"シフトJIS"_qs},
        {35098, u"シフトJIS"_qs},
        {40024, u"フォントサイズには １ ～ 144 を入力してください。"_qs},
        {30044, u"ＭＳ ゴシック"_qs},
    };
    BuiltinStrings table;
    for (const auto& [id, text] : expected)
        EXPECT_EQ(table.loadString(id).value_or(u"<missing>"_qs), text) << id;
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
