#include "RoundTripCheck.h"

#include <gtest/gtest.h>
#include <random>

// Every byte of a file comes back from opening and saving it without an edit,
// in each of the nine character-set choices, on a Japanese system and on a
// Western one, for random bytes and for strings made of the pieces broken
// files are made of.
namespace {

// Valid characters of each set and the ways they break.
const char* const kPieces[] = {
    "a", "\r", "\n", "\r\n", "\t", "\x1b", "\x1b$B", "\x1b(B", "\x1b(I", "\x1b$", "\x1b(Z",
    "\x1b$@", "\x1b&@\x1b$B", "$\"", "1", "\x82\xa0", "\x88\x9f", "\xb1", "\xb6\xde",
    "\x85\x40", "\x82", "\x80", "\xa0", "\xfd", "\xfe", "\xff", "\xa4\xa2", "\x8e\xb1",
    "\x8e\x41", "\x8e", "\x8f\xa1\xa1", "\x8f", "\xa4", "\xe3\x81\x82", "\xe3\x81", "\xc3\xa9",
    "\xc0\x80", "\xe0\x80\x80", "\xed\xa0\x80", "\xed\xb0\x80", "\xed\xa0\x80\xed\xb0\x80",
    "\xf0\x9f\x98\x80", "\xf0\x9f\x98", "\xf4\x8f\xb8\x80", "\xf4\x90\x80\x80",
    "\xf8\x88\x80\x80\x80", "\xbf", "\xef\xbb\xbf", "\xff\xfe", "\xfe\xff", "\xff\xdb\x41\xde",
    "\x00\xd8", "\xdb\xff\xde\x41", "\x87\x40", "\xfa\x40", "\xed\x40", "\xad\xa1",
};

QByteArray piece(std::mt19937& rng) {
    const int which = std::uniform_int_distribution<int>(0, std::size(kPieces))(rng);
    if (which == int(std::size(kPieces)))
        return QByteArray(1, '\0');
    return QByteArray(kPieces[which]);
}

QByteArray crafted(std::mt19937& rng) {
    QByteArray bytes;
    const int count = std::uniform_int_distribution<int>(0, 14)(rng);
    for (int k = 0; k < count; ++k)
        bytes += piece(rng);
    return bytes;
}

QByteArray randomBytes(std::mt19937& rng) {
    QByteArray bytes(std::uniform_int_distribution<int>(0, 24)(rng), Qt::Uninitialized);
    for (char& c : bytes)
        c = static_cast<char>(rng());
    return bytes;
}

class RoundTripTest : public ::testing::TestWithParam<std::tuple<CharSetId, LANGID>> {};

TEST_P(RoundTripTest, EveryByteComesBack) {
    const auto [choice, lang] = GetParam();
    std::mt19937 rng(static_cast<unsigned>(choice * 7919 + lang));
    for (int k = 0; k < 600; ++k) {
        const QByteArray bytes = k % 2 ? crafted(rng) : randomBytes(rng);
        const std::string problem = roundtrip::problem(bytes, choice, lang);
        ASSERT_EQ(problem, std::string());
    }
}

INSTANTIATE_TEST_SUITE_P(AllChoices, RoundTripTest,
                         ::testing::Combine(::testing::Range(0, 9),
                                            ::testing::Values(LANGID(0x0411), LANGID(0x0409))));

const CodePage& cp932() {
    return CodePage::get(932);
}

TEST(RawByteTest, OpeningCountsTheBytesAndTellsWhereTheFirstIs) {
    // A UTF-8 file with one Latin-1 byte, read as UTF-8N.
    const DecodedText utf8 = DecodeFileText("caf\xe9 \xe3\x81\xae", charset::UTF8N, cp932());
    EXPECT_EQ(utf8.rawBytes.count, 1);
    EXPECT_EQ(utf8.rawBytes.first, 3);
    EXPECT_EQ(utf8.text, QString::fromUtf16(u"caf\U0010FEE9 の"));
    // Offsets count the mark the reader skips.
    const DecodedText marked = DecodeFileText("\xef\xbb\xbf\x61\x80", charset::UTF8, cp932());
    EXPECT_EQ(marked.rawBytes.first, 4);
    EXPECT_EQ(countRawBytes(marked.text).first, 1);
}

TEST(RawByteTest, AnotherSetGetsItsReplacementCharacter) {
    QString text = QString::fromUtf16(u"a\U0010FE80b\U0010FEFF");
    QString unicode = text;
    EXPECT_EQ(replaceRawBytes(text, charset::EUC), 2);
    EXPECT_EQ(text, QStringLiteral("a?b?"));
    EXPECT_EQ(replaceRawBytes(unicode, charset::UTF8N), 2);
    EXPECT_EQ(unicode, QString::fromUtf16(u"a\uFFFDb\uFFFD"));
    EXPECT_TRUE(keepsRawBytes(charset::UTF8, charset::UTF8N, cp932()));
    EXPECT_TRUE(keepsRawBytes(charset::ANSI, charset::SHIFT_JIS, cp932()));
    EXPECT_FALSE(keepsRawBytes(charset::ANSI, charset::SHIFT_JIS, CodePage::get(1252)));
    EXPECT_FALSE(keepsRawBytes(charset::UNICODE_LE, charset::UNICODE_BE, cp932()));
}

struct Conversion {
    const char* bytes;
    CharSetId from, to;
    const char* written; // nullptr: refused
    qsizetype count, first;
};

class RawByteConversionTest : public ::testing::TestWithParam<std::tuple<Conversion, bool>> {};

TEST_P(RawByteConversionTest, KeepsReplacesOrRefuses) {
    const auto [c, strict] = GetParam();
    QByteArray got;
    const ConvertedText done = ConvertFileText(
        c.bytes, c.from, c.to, std::nullopt, JisKatakanaMode::FullWidth, cp932(),
        [&](const char* d, qsizetype n) {
            got.append(d, n);
            return true;
        },
        strict ? RawBytes::Refuse : RawBytes::KeepOrReplace);
    EXPECT_EQ(done.rawBytes.count, c.count);
    EXPECT_EQ(done.rawBytes.first, c.first);
    EXPECT_EQ(done.refused, strict && c.count > 0);
    if (!done.refused) {
        EXPECT_EQ(got, QByteArray(c.written));
    }
    EXPECT_EQ(done.rawBytesReplaced, !strict && c.count > 0 && QByteArray(c.bytes) != c.written);
}

INSTANTIATE_TEST_SUITE_P(
    Conversions, RawByteConversionTest,
    ::testing::Combine(
        ::testing::Values(
            Conversion{"caf\xe9\n", charset::UTF8N, charset::UTF8N, "caf\xe9\n", 1, 3},
            Conversion{"caf\xe9\n", charset::UTF8N, charset::SHIFT_JIS, "caf?\n", 1, 3},
            Conversion{"ab\xa4\n\x8f\xa1\xa1", charset::EUC, charset::UTF8N,
                       "ab\xef\xbf\xbd\n\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd", 4, 2},
            Conversion{"x\x82\xa0\x85\x40", charset::SHIFT_JIS, charset::EUC, "x\xa4\xa2??", 2, 3},
            Conversion{"\x82\xa0", charset::SHIFT_JIS, charset::UTF8N, "\xe3\x81\x82", 0, -1}),
        ::testing::Bool()));

} // namespace
