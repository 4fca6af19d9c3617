#include "MacroKeywordTable.h"
#include "MacroSource.h"
#include "MacroTokenizer.h"
#include "MacroTypeParser.h"

#include "Locale.h"

#include <gtest/gtest.h>

namespace {

std::vector<MacroToken> tokensOf(const QString& text) {
    MacroTokenizer tokens(text);
    std::vector<MacroToken> out;
    while (auto token = tokens.next())
        out.push_back(*token);
    return out;
}

std::vector<MacroLine> linesOf(const QString& text) {
    MacroLineReader reader(text);
    std::vector<MacroLine> lines;
    MacroLine line;
    while (reader.next(line))
        lines.push_back(line);
    return lines;
}

} // namespace

// A line and the tokens it splits into; an unbalanced quote takes the rest
// of the line and gets its closing quote.
struct TokenCase {
    const char16_t* line;
    std::vector<const char16_t*> tokens;
    bool lastUnbalanced = false;
};

class MacroTokenizerSplit : public ::testing::TestWithParam<TokenCase> {};

TEST_P(MacroTokenizerSplit, Tokens) {
    const TokenCase& c = GetParam();
    const auto tokens = tokensOf(QString::fromUtf16(c.line));
    ASSERT_EQ(tokens.size(), c.tokens.size());
    for (size_t i = 0; i < tokens.size(); ++i) {
        EXPECT_EQ(tokens[i].text, QString::fromUtf16(c.tokens[i])) << i;
        EXPECT_EQ(tokens[i].unbalancedQuote, c.lastUnbalanced && i + 1 == tokens.size()) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, MacroTokenizerSplit,
    ::testing::Values(TokenCase{u"  CTRL+SHIFT  \"a b\"rest + x\ty",
                                {u"CTRL", u"+", u"SHIFT", u"\"a b\"", u"rest", u"+", u"x", u"y"}},
                      // The ideographic space separates tokens but does not end a word.
                      TokenCase{u"a\u3000b\tc", {u"a\u3000b", u"c"}},
                      // Escape pairs stay in a quoted token; a backslash before anything
                      // else, or last, is ordinary.
                      TokenCase{uR"("a\"b\\" next)", {uR"("a\"b\\")", u"next"}},
                      TokenCase{uR"("a\q" b)", {uR"("a\q")", u"b"}},
                      TokenCase{uR"("abc \" def)", {uR"("abc \" def")"}, true},
                      TokenCase{uR"("abc\)", {uR"("abc\")"}, true}));

// The options before an argument (in either case), an argument's rest and the
// data after it: the loader's table (MacroLoaderTest) and macro dump.
TEST(MacroStringValue, RemovesQuotesAndResolvesEscapes) {
    EXPECT_EQ(macroStringValue(uR"("a\nb\tc\\d\"e")"), QStringLiteral("a\nb\tc\\d\"e"));
    EXPECT_EQ(macroStringValue(uR"("\q")"), QStringLiteral("\\q"));
    // The closing quote goes even after a backslash; the backslash at the end stays.
    EXPECT_EQ(macroStringValue(uR"("end\")"), QStringLiteral("end\\"));
    EXPECT_EQ(macroStringValue(uR"(end\)"), QStringLiteral("end\\"));
    // Without a leading quote no trailing quote is removed.
    EXPECT_EQ(macroStringValue(uR"(abc")"), QStringLiteral("abc\""));
    EXPECT_EQ(macroStringValue(u"\""), QString());
    EXPECT_EQ(macroStringValue(u"\"\""), QString());
}

TEST(MacroIntegerValue, ReadsLikeTheDecimalConversion) {
    EXPECT_EQ(macroIntegerValue(u"  42abc"), 42);
    EXPECT_EQ(macroIntegerValue(u"-7"), -7);
    EXPECT_EQ(macroIntegerValue(u"+ 7"), 0);
    EXPECT_EQ(macroIntegerValue(u"x1"), 0);
    EXPECT_EQ(macroIntegerValue(u""), 0);
    EXPECT_EQ(macroIntegerValue(u"99999999999999999999"), INT_MAX);
    EXPECT_EQ(macroIntegerValue(u"-99999999999999999999"), INT_MIN);
}

// Each command's own keyword: the loader's table (MacroLoaderTest).
TEST(MacroKeywordTable, FirstMatchingPrefixWinsWithoutRegardToCase) {
    const struct {
        const char16_t* line;
        MacroCommand command;
    } cases[] = {
        {u"TYPEWRITER", MacroCommand::Type},  {u"unlockctrl", MacroCommand::Unlock},
        {u"SAVEAS", MacroCommand::Save},      {u"Unselect", MacroCommand::Unselect},
        {u"selection", MacroCommand::Select}, {u"FINDER", MacroCommand::FindDown},
        {u"versions", MacroCommand::Version}, {u"markup x", MacroCommand::Markup},
    };
    for (const auto& c : cases) {
        const MacroKeyword* keyword = findMacroKeyword(QStringView(c.line));
        ASSERT_NE(keyword, nullptr) << QString::fromUtf16(c.line).toStdString();
        EXPECT_EQ(keyword->command, c.command) << QString::fromUtf16(c.line).toStdString();
    }
    EXPECT_EQ(findMacroKeyword(u"TYP"), nullptr);
    EXPECT_EQ(findMacroKeyword(u" TYPE"), nullptr);
}

TEST(MacroKeyName, StoresShortNames) {
    EXPECT_EQ(macroKeyName(u"backspace"), "BS");
    EXPECT_EQ(macroKeyName(u"Delete"), "DEL");
    EXPECT_EQ(macroKeyName(u"del"), "DEL");
    EXPECT_EQ(macroKeyName(u"home"), "HOME");
    EXPECT_EQ(macroKeyName(u"PGUP"), "");
}

// Continued lines, and a lone CR inside a line: MacroLoaderTest.
TEST(MacroLineReader, VeryLongLinesAreReadWhole) {
    const QString longLine(5000, u'x');
    const auto lines = linesOf(longLine + u'\n' + longLine);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text.size(), 5000);
    EXPECT_EQ(lines[1].number, 2);
}

// The first bytes of a macro file decide how it is read.
struct SourceCase {
    QByteArray bytes;
    MacroFileEncoding encoding;
    const char16_t* text;
};

class MacroSourceDecoding : public ::testing::TestWithParam<SourceCase> {};

TEST_P(MacroSourceDecoding, EncodingAndText) {
    EXPECT_EQ(macroFileEncoding(GetParam().bytes), GetParam().encoding);
    EXPECT_EQ(decodeMacroFile(GetParam().bytes, Locale(0x0411, 0x0411)),
              QString::fromUtf16(GetParam().text));
}

using Enc = MacroFileEncoding;
INSTANTIATE_TEST_SUITE_P(
    Files, MacroSourceDecoding,
    ::testing::Values(SourceCase{QByteArray("\xFF\xFE\x41\0\x42\x30", 6), Enc::Utf16LittleEndian,
                                 u"Aあ"},
                      SourceCase{QByteArray("\xFE\xFF\0A\x30\x42", 6), Enc::Utf16BigEndian, u"Aあ"},
                      // An odd last byte is no character.
                      SourceCase{QByteArray("\xFF\xFE\x41\0z", 5), Enc::Utf16LittleEndian, u"A"},
                      // Zero bytes without a mark: little endian.
                      SourceCase{QByteArray("O\0K\0", 4), Enc::Utf16LittleEndian, u"OK"},
                      SourceCase{QByteArray(), Enc::Utf8, u""},
                      SourceCase{"\xEF\xBB\xBF\xE3\x81\x82", Enc::Utf8, u"あ"},
                      SourceCase{"TYPE \"\xE3\x81\x82\"", Enc::Utf8, u"TYPE \"あ\""},
                      SourceCase{"TYPE \"\x82\xA0\"", Enc::Ansi, u"TYPE \"あ\""}));

TEST(MacroSource, ZeroByteAfterTheFirst1024BytesKeepsEightBitText) {
    QByteArray bytes(1024, 'a');
    bytes.append('\0');
    EXPECT_EQ(macroFileEncoding(bytes), MacroFileEncoding::Ansi);
    bytes[1023] = '\0';
    EXPECT_EQ(macroFileEncoding(bytes), MacroFileEncoding::Utf16LittleEndian);
}
