#include "BuiltinStringTable.h"
#include "DialogTexts.h"
#include "DynamicLibrary.h"
#include "LanguageLibraryAbi.h"
#include "MenuTables.h"
#include "ResourceSources.h"

#include <QFile>
#include <QSet>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

// Asks the English library's own exports, so that a text it lacks is not
// hidden by the program's Japanese one.
class EnglishLibraryTest : public testing::Test {
  protected:
    // The text the export gives, empty when it has none.
    template <typename Fn, typename... Args> QString text(const char* name, Args... args) {
        auto fn = library.function<Fn>(name);
        std::u16string buffer(4096, u'\0');
        TavloStringBuffer out{buffer.data(), static_cast<int32_t>(buffer.size()), 0};
        return fn && fn(args..., &out) ? QString::fromUtf16(buffer.data(), out.length) : QString();
    }
    template <typename Fn, typename... Args> bool has(const char* name, Args... args) {
        return !text<Fn>(name, args...).isEmpty();
    }
    DynamicLibrary library{QStringLiteral(TAVLO_EN_LIBRARY)};
};

TEST_F(EnglishLibraryTest, HasEveryStringMenuTextAndDialogTextOfTheProgram) {
    ASSERT_TRUE(library.isLoaded()) << library.errorString().toStdString();
    QStringList missing;
    for (const res::StringEntry& e : res::builtinStringEntries()) {
        if (!has<TavloLoadStringFn>("TavloLoadString", e.id))
            missing << QStringLiteral("string %1").arg(e.id);
    }
    res::forEachBuiltinMenuText([&](int menuId, int item, const QString&) {
        if (!has<TavloLoadMenuTextFn>("TavloLoadMenuText", uint32_t(menuId), uint32_t(item)))
            missing << QStringLiteral("menu %1.%2").arg(menuId).arg(item);
    });
    for (const res::DialogTextEntry& e : res::builtinDialogTexts()) {
        if (!has<TavloLoadDialogTextFn>("TavloLoadDialogText", uint32_t(e.dialogId),
                                        uint32_t(e.controlId)))
            missing << QStringLiteral("dialog %1.%2").arg(e.dialogId).arg(e.controlId);
    }
    EXPECT_TRUE(missing.isEmpty()) << "tavlo-en.tsv lacks: " << missing.join(u", ").toStdString();
}

// A row whose id the program lacks is a translation nobody sees, most likely
// a mistyped id.
TEST(EnglishTableTest, NamesOnlyStringsAndDialogTextsTheProgramHas) {
    QFile table(QStringLiteral(TAVLO_EN_TABLE));
    ASSERT_TRUE(table.open(QIODevice::ReadOnly | QIODevice::Text));
    QSet<QString> known;
    for (const res::StringEntry& e : res::builtinStringEntries())
        known << QStringLiteral("string %1").arg(e.id);
    for (const res::DialogTextEntry& e : res::builtinDialogTexts()) {
        const bool tooltip = e.controlId >= res::IDC_TOOLTIP;
        known << QStringLiteral("dialog %1.%2%3")
                     .arg(e.dialogId)
                     .arg(tooltip ? u"t" : u"")
                     .arg(tooltip ? e.controlId - res::IDC_TOOLTIP : e.controlId);
    }
    QStringList unknown;
    while (!table.atEnd()) {
        const QStringList fields = QString::fromUtf8(table.readLine()).split(u'\t');
        const QString row = fields.size() == 3 ? fields[0] + u' ' + fields[1] : QString();
        if ((row.startsWith(u"string ") || row.startsWith(u"dialog ")) && !known.contains(row))
            unknown << row;
    }
    EXPECT_TRUE(unknown.isEmpty()) << "tavlo-en.tsv has: " << unknown.join(u", ").toStdString();
}

TEST_F(EnglishLibraryTest, MenuTextsKeepTheirKeyNames) {
    auto keyName = [](const QString& t) {
        return t.indexOf(u'\t') < 0 ? QString() : t.mid(t.indexOf(u'\t'));
    };
    res::forEachBuiltinMenuText([&](int menuId, int item, const QString& japanese) {
        const QString english =
            text<TavloLoadMenuTextFn>("TavloLoadMenuText", uint32_t(menuId), uint32_t(item));
        if (!english.isEmpty())
            EXPECT_EQ(keyName(english), keyName(japanese)) << menuId << "." << item;
    });
}

TEST_F(EnglishLibraryTest, OffersListBWithEnglishLabels) {
    auto list = library.function<TavloGetCharCodeSetListFn>("GetCharCodeSetList");
    ASSERT_NE(list, nullptr);
    std::u16string buffer(256, u'\0');
    TavloStringBuffer out{buffer.data(), 256, 0};
    list(1, &out);
    EXPECT_EQ(QString::fromUtf16(buffer.data(), out.length),
              u"(Auto Detect)|ANSI|UTF-8|UTF-8N|Unicode|Unicode(BigEndian)||");
    auto fromName = library.function<TavloGetCharCodeFromNameFn>("GetCharCodeFromName");
    EXPECT_EQ(fromName(u"Shift-JIS"), 8);
    EXPECT_EQ(fromName(u"UTF-8N"), 5);
    EXPECT_EQ(fromName(u"シフトJIS"), -1);
    auto indexOf = library.function<TavloGetCharCodeListIndexExFn>("GetCharCodeListIndexEx");
    int32_t index = 0;
    EXPECT_TRUE(indexOf(0, 4, u"ANSI|UTF-8|UTF-8N||", &index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(indexOf(0, 6, u"ANSI|UTF-8|UTF-8N||", &index));
    EXPECT_EQ(index, -1);
}

} // namespace
