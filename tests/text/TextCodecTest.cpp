#include "TextCodec.h"
#include "CharSetDetector.h"
#include "CodePage.h"
#include "TestBytes.h"

using namespace testbytes;

namespace {

const CodePage& cp932() {
    return CodePage::get(932);
}

DecodedText decode(const QByteArray& b, CharSetId set) {
    return DecodeFileText(b, set, cp932());
}

QByteArray encode(const QString& text, CharSetId set, LineEndingId le = 0) {
    EncodedText e = EncodeFileText(text, set, le, JisKatakanaMode::FullWidth, cp932());
    EXPECT_EQ(e.result, rc::SUCCESS);
    return e.bytes;
}

} // namespace

// Each set read and written with each line ending: CorpusDetection and
// DocumentTest (which also has the empty texts, the hand-chosen sets that
// drop a file's first unit or keep its first bytes, and a NUL in ANSI).
TEST(TextCodecTest, DecodesEachSetWithCrLfBreaks) {
    const DecodedText empty = decode(QByteArray(), DetectCharSet(QByteArray(), 0x0411));
    EXPECT_EQ(std::tuple(empty.text, empty.lineEnding, empty.result),
              std::tuple(QString(), LineEndingId(0), rc::SUCCESS));
    // The mark is a character of UTF-8N.
    EXPECT_EQ(decode("\xef\xbb\xbfx", 5).text, QString(QChar(0xFEFF)) + u'x');
    EXPECT_EQ(decode("\xa4\xa2\r", 6).text, u"あ\r\n"_qs);
    // An odd last byte of UTF-16 is kept as a byte.
    EXPECT_EQ(decode(bytes({'a', 0, 'b'}), 2).text, u"a\U0010FE62"_qs);
    // NUL is a character of the text.
    EXPECT_EQ(decode(bytes({'a', 0, 0, 0, 'b', 0}), 2).text, QStringView(u"a\0b", 3).toString());
}

TEST(TextCodecTest, OnlyCrLfPairsBecomeTheLineEnding) {
    EXPECT_EQ(encode(u"a\r\nb\r\n"_qs, 1, 2), QByteArray("a\nb\n"));
    EXPECT_EQ(encode(u"a\r\nb\rc\n"_qs, 1, 2), QByteArray("a\nb\rc\n"));
    EXPECT_EQ(encode(u"a\r\nb\rc\n"_qs, 1, 1), QByteArray("a\rb\rc\n"));
    EXPECT_EQ(encode(u"a\r\r\n\n"_qs, 1, 1), QByteArray("a\r\r\n"));
}

// 髙 is in the code page but not in EUC or JIS: ConverterTest.
TEST(TextCodecTest, UnencodableCharactersAreQuestionMarks) {
    EXPECT_EQ(encode(u"é😀"_qs, 1), QByteArray("??"));
    EXPECT_EQ(encode(u"髙橋"_qs, 8), QByteArray("\xfb\xfc\x8b\xb4"));
}

TEST(TextCodecTest, CharactersOutsideTheBmpSurviveUtf8) {
    const QByteArray file = "\xf0\x9f\x98\x80 \xf0\xa9\xb8\xbd\n";
    const DecodedText d = decode(file, DetectCharSet(file, 0x0411));
    EXPECT_EQ(d.text, u"😀 𩸽\r\n"_qs);
    EXPECT_EQ(encode(d.text, 5, d.lineEnding), file);
    EXPECT_EQ(encode(d.text, 2, 0), bytes({0xff, 0xfe, 0x3d, 0xd8, 0x00, 0xde, ' ', 0, 0x67, 0xd8,
                                           0x3d, 0xde, '\r', 0, '\n', 0}));
}

TEST(TextCodecTest, Utf16FileWithLfAndKanjiKeepsItsLines) {
    // 名 holds a 0x0D byte: counted over bytes the file came out as CR and
    // showed as one long line.
    const QByteArray file = bytes({0xff, 0xfe, 0x0d, 0x54, 0x0a, 0x00, 0x0d, 0x54, 0x0a, 0x00});
    const DecodedText d = decode(file, DetectCharSet(file, 0x0411));
    EXPECT_EQ(d.lineEnding, 2);
    EXPECT_EQ(d.text, u"名\r\n名\r\n"_qs);
    EXPECT_EQ(encode(d.text, 2, d.lineEnding), file);
    // Big endian with each line ending: CorpusDetection.
}

TEST(TextCodecTest, JapaneseSetsUseCodePage932OnAWesternSystem) {
    const CodePage& western = CodePage::get(1252);
    const QString nihongo = u"日本語"_qs;
    // Shift-JIS, EUC and JIS read and write as Japanese whatever the system's code page.
    EXPECT_EQ(DecodeFileText("\x93\xfa\x96\x7b\x8c\xea", 8, western).text, nihongo);
    EXPECT_EQ(DecodeFileText("\xc6\xfc\xcb\xdc\xb8\xec", 6, western).text, nihongo);
    EXPECT_EQ(DecodeFileText("\x1b$BF|K\\8l\x1b(B", 7, western).text, nihongo);
    EXPECT_EQ(EncodeFileText(nihongo, 8, 0, JisKatakanaMode::FullWidth, western).bytes,
              QByteArray("\x93\xfa\x96\x7b\x8c\xea"));
    EXPECT_EQ(EncodeFileText(nihongo, 6, 0, JisKatakanaMode::FullWidth, western).bytes,
              QByteArray("\xc6\xfc\xcb\xdc\xb8\xec"));
    // ANSI keeps following the system's code page.
    EXPECT_EQ(DecodeFileText("caf\xe9", 1, western).text, u"café"_qs);
    // The piecewise conversion agrees.
    QByteArray out;
    const ConvertedText done =
        ConvertFileText(QByteArray("\x93\xfa\x96\x7b\x8c\xea\r\n"), 8, 5, std::nullopt,
                        JisKatakanaMode::FullWidth, western, [&](const char* d, qsizetype n) {
                            out.append(d, n);
                            return true;
                        });
    EXPECT_EQ(done.result, rc::SUCCESS);
    EXPECT_EQ(out, QByteArray("\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e\r\n"));
}
