#include "CharSetDetector.h"
#include "CodePage.h"
#include "TestBytes.h"
#include "TextCodec.h"

using namespace testbytes;

constexpr auto japanese = DetectCharSetJapanese;
constexpr auto generic = DetectCharSetGeneric;

TEST(DetectorTest, IsUtf8TextAcceptsValidSequencesAndControlsOnlyTabLfCr) {
    bool ascii = false;
    EXPECT_TRUE(IsUtf8Text(QByteArray(), ascii));
    EXPECT_TRUE(ascii);
    EXPECT_TRUE(IsUtf8Text("plain\ttext\r\n\x7f", ascii));
    EXPECT_TRUE(ascii);
    EXPECT_TRUE(IsUtf8Text("\xe3\x81\x82 and \xf0\x9f\x98\x80", ascii));
    EXPECT_FALSE(ascii);
    EXPECT_FALSE(IsUtf8Text("a\x01", ascii));
    EXPECT_FALSE(IsUtf8Text("\x82\xa0", ascii));
    // A sequence cut off by the end is not UTF-8.
    EXPECT_FALSE(IsUtf8Text("abc\xe3\x81", ascii));
    EXPECT_FALSE(IsUtf8Text("\xfe\x80\x80\x80\x80\x80\x80", ascii));
    // Five- and six-byte forms pass, as the detector counts leading ones only.
    EXPECT_TRUE(IsUtf8Text("\xf8\x80\x80\x80\x80", ascii));
}

TEST(DetectorTest, ShiftJisAndEucChecks) {
    EXPECT_TRUE(IsShiftJisText("\x82\xa0\xb1 abc\r\n"));
    EXPECT_TRUE(IsShiftJisText("\x82")); // a lead byte at the end passes
    EXPECT_FALSE(IsShiftJisText("\x82\x20"));
    EXPECT_FALSE(IsShiftJisText("\xf0\x40"));
    EXPECT_FALSE(IsShiftJisText("a\x7f"));
    EXPECT_TRUE(IsEucText("\xa4\xa2\x8e\xb1\x8f\xb0\xa1 x"));
    EXPECT_FALSE(IsEucText("\x8e\xe0"));
    EXPECT_FALSE(IsEucText("\x8f\xb0\x20"));
    EXPECT_FALSE(IsEucText("\x8f\x20"));
    EXPECT_FALSE(IsEucText("\xa4\x20"));
    // A character cut off by the end passes, as a Shift-JIS lead byte does.
    for (const char* cut : {"\xa4", "a\x8e", "\x8f", "\x8f\xb0"})
        EXPECT_TRUE(IsEucText(cut)) << cut;
}

TEST(DetectorTest, EucFileCutOffInACharacterIsStillEuc) {
    // Long enough for the block scans, cut at every length near the end and
    // near the 64-byte blocks, so each path meets the end inside a character.
    const QByteArray euc = iconv(corpus("japanese.txt"), "UTF-8", "EUC-JP").repeated(4);
    ASSERT_GT(euc.size(), 2 * 512 + 64);
    for (qsizetype length = euc.size() - 8; length <= euc.size(); ++length)
        EXPECT_EQ(japanese(euc.left(length)), 6) << length;
    // Cut at the block edges: DetectorScanTest.
}

TEST(DetectorTest, RulesOfTheJapaneseDetector) {
    EXPECT_EQ(japanese(QByteArray()), -1);
    EXPECT_EQ(japanese("just ascii\r\n"), 1);
    EXPECT_EQ(japanese("\xef\xbb\xbf\xe3\x81\x82"), 4);
    EXPECT_EQ(japanese("\xef\xbb\xbf\xa4\xa2\xa4"), 6); // a mark read as EUC pairs
    EXPECT_EQ(japanese("x\xe3\x81\x82"), 5);
    EXPECT_EQ(japanese("\x1b$B$\"\x1b(B"), 7);
    EXPECT_EQ(japanese(bytes({'a', 0, 'b', 0})), 2);
    // The first of NUL and ESC decides.
    EXPECT_EQ(japanese(bytes({0x82, 0xa0, 0, 0x1b, '$', 'B'})), 2);
    EXPECT_EQ(japanese(bytes({0x82, 0xa0, 0x1b, 'x', 0x1b, '(', 'B', 0})), 7);
    // Valid as both Shift-JIS and EUC: Shift-JIS.
    EXPECT_EQ(japanese("\xb1\xb2"), 8);
    EXPECT_EQ(japanese("\xa4\xf2"), 6);
    EXPECT_EQ(japanese("\xff\x01"), -1);
    // A little-endian mark without any 0x00 byte after it (big endian: CorpusDetection).
    EXPECT_EQ(japanese(bytes({0xff, 0xfe, 0x42, 0x30, 0x44, 0x30})), 2);
}

TEST(DetectorTest, RulesOfTheGenericDetector) {
    EXPECT_EQ(generic(QByteArray()), -1);
    EXPECT_EQ(generic(bytes({0xff, 0xfe, 'a', 0})), 2);
    EXPECT_EQ(generic(bytes({0xfe, 0xff, 0, 'a'})), 3);
    EXPECT_EQ(generic("\x82\xa0"), -1);
    EXPECT_EQ(generic("ascii"), 1);
    EXPECT_EQ(generic("\xc3\xa9"), 1); // fewer than 3 bytes
    EXPECT_EQ(generic("\xef\xbb\xbf"), 4);
    EXPECT_EQ(generic("\xc3\xa9t\xc3\xa9"), 5);
}

TEST(DetectorTest, ChoiceOfDetector) {
    // Japanese and English systems without a library: CorpusDetection.
    const QByteArray sjis = "\x82\xa0\x82\xa2";
    EXPECT_EQ(DetectCharSet(QByteArray(), 0x0411), 1);
    // A library's answer is taken; no answer falls back to the generic detector.
    EXPECT_EQ(DetectCharSet(sjis, 0x0409, [](QByteArrayView) { return std::optional(6); }), 6);
    EXPECT_EQ(DetectCharSet(sjis, 0x0411, [](QByteArrayView) { return std::optional(0); }), 1);
    EXPECT_EQ(
        DetectCharSet(sjis, 0x0411, [](QByteArrayView) { return std::optional<CharSetId>(); }), 1);
    EXPECT_EQ(DetectCharSet("\xe3\x81\x82\xe3\x81\x84", 0x0409,
                            [](QByteArrayView) { return std::optional<CharSetId>(); }),
              5);
}

TEST(DetectorTest, LineEndingCounting) {
    EXPECT_EQ(DetectLineEnding(QByteArray()), 3);
    EXPECT_EQ(DetectLineEnding("no break"), 3);
    EXPECT_EQ(DetectLineEnding("a\r\nb\r\n"), 0);
    EXPECT_EQ(DetectLineEnding("a\rb\rc\r\n"), 1); // p = 33
    EXPECT_EQ(DetectLineEnding("a\nb\nc\r\n"), 2); // p = 100, q = 33
    EXPECT_EQ(DetectLineEnding("a\rb\n"), 1);      // a tie goes to CR
    EXPECT_EQ(DetectLineEnding("a\rb\nc\n"), 2);
    EXPECT_EQ(DetectLineEnding("a\nb"), 2);
    // UTF-16 little endian pairs by bytes: 0D 00 0A 00.
    EXPECT_EQ(DetectLineEnding(bytes({'a', 0, 0x0d, 0, 0x0a, 0})), 0);
}

TEST(DetectorTest, Utf16LineEndingsAreCountedOverUnits) {
    // 名 (U+540D) holds a 0x0D byte and 上 (U+4E0A) a 0x0A byte.
    const QByteArray le = bytes({0x0d, 0x54, 0x0d, 0x54, 0x0a, 0x00});
    EXPECT_EQ(DetectLineEnding(le), 1); // counting bytes is fooled
    EXPECT_EQ(DetectLineEndingUtf16(le, false), 2);
    EXPECT_EQ(DetectLineEndingFor(le, 2), 2);
    const QByteArray withAbove = bytes({0x0a, 0x4e, 0x0d, 0x00, 0x0a, 0x00});
    EXPECT_EQ(DetectLineEndingFor(withAbove, 2), 0);
    const QByteArray be = bytes({0xfe, 0xff, 0x54, 0x0d, 0x00, 0x0d, 0x00, 0x0a, 0x00, 'x'});
    EXPECT_EQ(DetectLineEndingUtf16(be, true), 0);
    EXPECT_EQ(DetectLineEndingFor(be, 3), 0);
    EXPECT_EQ(DetectLineEndingFor(bytes({0xfe, 0xff}), 3), 0);
    EXPECT_EQ(DetectLineEndingUtf16(bytes({0x0d, 0x00}), false), 1);
}

// Real Japanese text in every encoding and line ending, detected as the loader
// would on a Japanese system, read as the corpus and saved again byte for byte.
struct CorpusCase {
    const char* iconvName;
    QByteArray mark;
    CharSetId expected, generic; // on a Japanese system and on an English one
};

class CorpusDetection : public ::testing::TestWithParam<CorpusCase> {};

TEST_P(CorpusDetection, FindsSetAndLineEndingAndRoundTrips) {
    const CorpusCase& c = GetParam();
    const struct {
        QByteArray brk;
        LineEndingId id;
    } endings[] = {{"\r\n", 0}, {"\r", 1}, {"\n", 2}};
    for (const auto& e : endings) {
        const QByteArray utf8 = corpus("japanese.txt").replace("\n", e.brk);
        const QByteArray file = c.mark + iconv(utf8, "UTF-8", c.iconvName);
        const CharSetId set = DetectCharSet(file, 0x0411);
        EXPECT_EQ(set, c.expected) << c.iconvName << " " << e.id;
        EXPECT_EQ(DetectCharSet(file, 0x0409), c.generic) << c.iconvName << " " << e.id;
        EXPECT_EQ(DetectLineEndingFor(file, set), e.id) << c.iconvName << " " << e.id;
        const CodePage& cp932 = CodePage::get(932);
        EXPECT_EQ(DecodeFileText(file, set, cp932).text, corpusText()) << c.iconvName;
        // A UTF-16 file without a mark gets one.
        EXPECT_EQ(EncodeFileText(corpusText(), set, e.id, JisKatakanaMode::FullWidth, cp932).bytes,
                  (c.mark.isEmpty() && set == 2 ? "\xff\xfe" : "") + file)
            << c.iconvName << " " << e.id;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Japanese, CorpusDetection,
    ::testing::Values(CorpusCase{"CP932", {}, 8, 1}, CorpusCase{"EUC-JP", {}, 6, 1},
                      CorpusCase{"ISO-2022-JP", {}, 7, 1}, CorpusCase{"UTF-8", {}, 5, 5},
                      CorpusCase{"UTF-8", "\xef\xbb\xbf", 4, 4}, CorpusCase{"UTF-16LE", {}, 2, 1},
                      CorpusCase{"UTF-16LE", "\xff\xfe", 2, 2},
                      CorpusCase{"UTF-16BE", "\xfe\xff", 3, 3}));
