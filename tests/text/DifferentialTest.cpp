// The fast detectors and converters against straightforward reference
// versions (the byte-by-byte code they replaced), on random byte strings
// built to stay valid for long stretches and on the Japanese corpus.
#include "CharSetDetector.h"
#include "CodePage.h"
#include "JapaneseConverters.h"
#include "ReferenceWalks.h"
#include "TestBytes.h"
#include "TextCodec.h"
#include "UnicodeConverters.h"

#include <bit>
#include <cstring>
#include <random>

namespace {

const CodePage& cp932() {
    return CodePage::get(932);
}

// Inputs for one set: the corpus in that set at several lengths and line
// endings, then copies with a few bytes changed at random places.
std::vector<QByteArray> samples(CharSetId set, std::mt19937& rng) {
    std::vector<QByteArray> out;
    const QString text = testbytes::corpusText().repeated(3);
    for (LineEndingId le : {lineending::CRLF, lineending::CR, lineending::LF}) {
        const QByteArray whole =
            EncodeFileText(text, set, le, JisKatakanaMode::FullWidth, cp932()).bytes;
        out.push_back(whole);
        for (int k = 0; k < 40; ++k) {
            QByteArray b =
                whole.left(std::uniform_int_distribution<qsizetype>(0, whole.size())(rng));
            const int changes = std::uniform_int_distribution<int>(0, 3)(rng);
            for (int c = 0; c < changes && !b.isEmpty(); ++c)
                b[std::uniform_int_distribution<qsizetype>(0, b.size() - 1)(rng)] =
                    static_cast<char>(rng());
            out.push_back(b);
        }
    }
    // Plain random bytes from a few alphabets.
    for (int k = 0; k < 60; ++k) {
        QByteArray b(std::uniform_int_distribution<int>(0, 3000)(rng), Qt::Uninitialized);
        const int alphabet = k % 3;
        for (char& c : b) {
            const unsigned r = rng();
            c = static_cast<char>(alphabet == 0   ? r
                                  : alphabet == 1 ? 0x20 + r % 0x5F
                                                  : 0x80 + r % 0x80);
        }
        out.push_back(b);
    }
    return out;
}

// Line breaks of every kind, surrogate pairs and half-width kana, long enough
// for many pieces.
QString mixedText(std::mt19937& rng) {
    const QString base = testbytes::corpusText();
    const QStringList breaks = {u"\r\n"_qs, u"\n"_qs, u"\r"_qs,   u"\r\r\n"_qs, u"\n\r"_qs,
                                u"😀"_qs,    u"ｶﾞ"_qs, u"\n\n"_qs, u"①"_qs};
    QString t;
    while (t.size() < 300000) {
        const qsizetype at = std::uniform_int_distribution<qsizetype>(0, base.size() - 1)(rng);
        t += base.mid(at, std::uniform_int_distribution<int>(1, 60)(rng));
        t += breaks[std::uniform_int_distribution<int>(0, breaks.size() - 1)(rng)];
    }
    return t;
}

TEST(DifferentialTest, DetectorsAnswerAsTheByteWalks) {
    std::mt19937 rng(20261206);
    int checked = 0;
    for (CharSetId set : {charset::SHIFT_JIS, charset::EUC, charset::UTF8N, charset::JIS}) {
        for (const QByteArray& b : samples(set, rng)) {
            bool asciiRef = false, asciiNew = true;
            ASSERT_EQ(IsUtf8Text(b, asciiNew), ref::IsUtf8Text(b, asciiRef)) << set;
            ASSERT_EQ(asciiNew, asciiRef) << set;
            ASSERT_EQ(IsShiftJisText(b), ref::IsShiftJisText(b)) << set;
            ASSERT_EQ(IsEucText(b), ref::IsEucText(b)) << set;
            ++checked;
        }
    }
    EXPECT_GT(checked, 400);
}

TEST(DifferentialTest, EucReadsAsTheCharacterWalk) {
    std::mt19937 rng(99);
    int checked = 0;
    for (CharSetId set : {charset::EUC, charset::SHIFT_JIS}) {
        for (const QByteArray& b : samples(set, rng)) {
            QByteArray got;
            ASSERT_EQ(EucToShiftJis(b, got), rc::SUCCESS);
            ASSERT_TRUE(got == ref::EucToShiftJis(b)) << testbytes::hex(b.right(8)).toStdString();
            ++checked;
        }
    }
    for (int tail : {0x8E, 0x8F, 0xA4, 0xFE, 0xFF}) {
        const QByteArray b = testbytes::bytes({0xA4, 0xA2, 0x8F, 0xA1}) + char(tail);
        QByteArray got;
        ASSERT_EQ(EucToShiftJis(b, got), rc::SUCCESS);
        EXPECT_EQ(testbytes::hex(got), testbytes::hex(ref::EucToShiftJis(b))) << tail;
    }
    EXPECT_GT(checked, 200);
}

TEST(DifferentialTest, CodePageReadsAsTheUnitWalk) {
    // MultiByteToWideChar reads one unit at a time without the fast paths.
    std::mt19937 rng(7);
    int checked = 0;
    for (CharSetId set : {charset::SHIFT_JIS, charset::EUC, charset::UTF8N}) {
        for (const QByteArray& b : samples(set, rng)) {
            const int units = cp932().MultiByteToWideChar(b.constData(), int(b.size()), nullptr, 0);
            std::u16string expected(static_cast<size_t>(units), u'\0');
            if (units > 0)
                cp932().MultiByteToWideChar(b.constData(), int(b.size()), expected.data(), units);
            const QString got = cp932().toUnicode(b);
            ASSERT_TRUE(QStringView(got) == QStringView(expected)) << set;
            ++checked;
        }
    }
    EXPECT_GT(checked, 300);
}

TEST(DifferentialTest, Utf8WritesAsTheUnitWalk) {
    std::mt19937 rng(8);
    QString text = mixedText(rng);
    for (int k = 0; k < 2000; ++k) // lone surrogates and every range
        text[std::uniform_int_distribution<qsizetype>(0, text.size() - 1)(rng)] =
            QChar(static_cast<char16_t>(rng()));
    for (qsizetype len : {qsizetype(0), qsizetype(1), qsizetype(2), qsizetype(3), text.size()}) {
        QByteArray got;
        ASSERT_EQ(Utf16ToUtf8(QStringView(text).left(len), got), rc::SUCCESS);
        ASSERT_TRUE(got == ref::Utf16ToUtf8(QStringView(text).left(len))) << len;
    }
}

TEST(DifferentialTest, Utf8ReadsAsTheSequenceWalk) {
    std::mt19937 rng(9);
    int checked = 0;
    for (CharSetId set : {charset::UTF8N, charset::SHIFT_JIS}) {
        for (const QByteArray& b : samples(set, rng)) {
            QString got;
            ASSERT_EQ(Utf8ToUtf16(b, got), rc::SUCCESS);
            ASSERT_TRUE(got == ref::Utf8ToUtf16(b)) << set;
            ++checked;
        }
    }
    EXPECT_GT(checked, 200);
}

TEST(DifferentialTest, WholeCorpusIsDetected) {
    const QString text = testbytes::corpusText().repeated(20);
    const QByteArray sjis = EncodeFileText(text, charset::SHIFT_JIS, lineending::CRLF,
                                           JisKatakanaMode::FullWidth, cp932())
                                .bytes;
    const QByteArray euc =
        EncodeFileText(text, charset::EUC, lineending::LF, JisKatakanaMode::FullWidth, cp932())
            .bytes;
    bool ascii = true;
    EXPECT_TRUE(IsShiftJisText(sjis));
    EXPECT_TRUE(IsEucText(euc));
    EXPECT_TRUE(IsUtf8Text(text.toUtf8(), ascii));
    EXPECT_FALSE(ascii);
    EXPECT_EQ(DetectCharSetJapanese(sjis), charset::SHIFT_JIS);
    EXPECT_EQ(DetectCharSetJapanese(euc), charset::EUC);
}

TEST(DifferentialTest, ConvertFileTextWritesWhatDecodeThenEncodeWrite) {
    std::mt19937 rng(42);
    const QString text = mixedText(rng);
    int checked = 0;
    for (CharSetId in : {charset::SHIFT_JIS, charset::EUC, charset::JIS, charset::UTF8,
                         charset::UTF8N, charset::UNICODE_LE}) {
        for (LineEndingId le : {lineending::CRLF, lineending::LF}) {
            QByteArray file =
                EncodeFileText(text, in, le, JisKatakanaMode::FullWidth, cp932()).bytes;
            for (int variant = 0; variant < 3; ++variant) {
                QByteArray b = file;
                if (variant == 1) // broken bytes here and there
                    for (int k = 0; k < 200; ++k)
                        b[std::uniform_int_distribution<qsizetype>(0, b.size() - 1)(rng)] =
                            static_cast<char>(rng());
                if (variant == 2) // a NUL in the middle
                    b[b.size() * 2 / 3] = '\0';
                const DecodedText decoded = DecodeFileText(b, in, cp932());
                for (CharSetId out : {charset::UTF8N, charset::SHIFT_JIS, charset::EUC,
                                      charset::UNICODE_BE, charset::UTF8}) {
                    for (std::optional<LineEndingId> eol :
                         {std::optional<LineEndingId>(),
                          std::optional<LineEndingId>(lineending::CR),
                          std::optional<LineEndingId>(lineending::CRLF)}) {
                        QString written = decoded.text;
                        if (!keepsRawBytes(in, out, cp932()))
                            replaceRawBytes(written, out);
                        const EncodedText expected =
                            EncodeFileText(written, out, eol.value_or(decoded.lineEnding),
                                           JisKatakanaMode::FullWidth, cp932());
                        QByteArray got;
                        const ConvertedText done =
                            ConvertFileText(b, in, out, eol, JisKatakanaMode::FullWidth, cp932(),
                                            [&](const char* d, qsizetype n) {
                                                got.append(d, n);
                                                return true;
                                            });
                        ASSERT_EQ(done.result, expected.result);
                        ASSERT_FALSE(done.writeFailed);
                        ASSERT_TRUE(got == expected.bytes)
                            << in << " " << out << " " << variant << " " << eol.value_or(-1);
                        ++checked;
                    }
                }
            }
        }
    }
    EXPECT_EQ(checked, 6 * 2 * 3 * 5 * 3);
}

TEST(DifferentialTest, ConvertFileTextStopsWhenWritingFails) {
    std::mt19937 rng(1);
    const QByteArray file = EncodeFileText(mixedText(rng), charset::SHIFT_JIS, lineending::CRLF,
                                           JisKatakanaMode::FullWidth, cp932())
                                .bytes;
    int calls = 0;
    const ConvertedText done =
        ConvertFileText(file, charset::SHIFT_JIS, charset::UTF8N, {}, JisKatakanaMode::FullWidth,
                        cp932(), [&](const char*, qsizetype) { return ++calls < 2; });
    EXPECT_TRUE(done.writeFailed);
    EXPECT_EQ(calls, 2);
}

} // namespace
