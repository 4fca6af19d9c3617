#include "BrokenBytes.h"
#include "RoundTripCheck.h"

#include <gtest/gtest.h>
#include <random>

// Every byte of a file comes back from opening and saving it without an edit,
// in each of the nine character-set choices, on a Japanese system and on a
// Western one, for random bytes and for strings made of the pieces broken
// files are made of.
namespace {

using brokenbytes::crafted;
using brokenbytes::randomBytes;

class RoundTripTest : public ::testing::TestWithParam<std::tuple<CharSetId, LANGID>> {};

TEST_P(RoundTripTest, EveryByteComesBack) {
    const auto [choice, lang] = GetParam();
    std::mt19937 rng(static_cast<unsigned>(choice * 7919 + lang));
    for (int k = 0; k < 600; ++k) {
        const QByteArray bytes = k % 2 ? crafted(rng) : randomBytes(rng);
        ASSERT_EQ(roundtrip::problem(bytes, choice, lang), std::string());
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
    EXPECT_EQ(std::pair(done.rawBytes.count, done.rawBytes.first), std::pair(c.count, c.first));
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
