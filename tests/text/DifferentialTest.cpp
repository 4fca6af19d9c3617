// The fast converters against straightforward reference versions (the
// byte-by-byte code they replaced), and the straight conversions to and from
// UTF-8 against the way through UTF-16: on strings of the pieces broken files
// are made of, on random byte strings built to stay valid for long stretches
// and on the Japanese corpus.
// Where a straight conversion takes a piece, every byte must be the same;
// ordinary text it must take. (The detectors: DetectorScanTest.)
#include "BrokenBytes.h"
#include "CodePage.h"
#include "FileTextDecoders.h"
#include "JapaneseConverters.h"
#include "ReferenceWalks.h"
#include "StraightConverters.h"
#include "TestBytes.h"
#include "TextCodec.h"
#include "UnicodeConverters.h"

#include <random>

namespace {

using testbytes::corpusText;
using testbytes::hex;

const CodePage& cp932() {
    return CodePage::get(932);
}

QByteArray utf8Of(const QString& text) {
    QByteArray out;
    EXPECT_EQ(Utf16ToUtf8(text, out), rc::SUCCESS);
    return out;
}

QByteArray encoded(const QString& text, CharSetId set, LineEndingId le = lineending::CRLF) {
    return EncodeFileText(text, set, le, JisKatakanaMode::FullWidth, cp932()).bytes;
}

// Inputs for one set: short strings of the pieces broken files are made of;
// the corpus in that set at several lengths and line endings, with a few
// bytes changed at random places; and plain random bytes from a few alphabets.
std::vector<QByteArray> samples(CharSetId set, std::mt19937& rng) {
    std::vector<QByteArray> out;
    for (int k = 0; k < 100; ++k)
        out.push_back(brokenbytes::crafted(rng));
    for (LineEndingId le : {lineending::CRLF, lineending::CR, lineending::LF}) {
        const QByteArray whole = encoded(corpusText().repeated(3), set, le);
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
    const QString base = corpusText();
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

TEST(DifferentialTest, EucReadsAsTheCharacterWalk) {
    std::mt19937 rng(99);
    int checked = 0;
    for (CharSetId set : {charset::EUC, charset::SHIFT_JIS}) {
        for (const QByteArray& b : samples(set, rng)) {
            QByteArray got;
            ASSERT_EQ(EucToShiftJis(b, got), rc::SUCCESS);
            ASSERT_TRUE(got == ref::EucToShiftJis(b)) << hex(b.right(8)).toStdString();
            ++checked;
        }
    }
    for (int tail : {0x8E, 0x8F, 0xA4, 0xFE, 0xFF}) {
        const QByteArray b = testbytes::bytes({0xA4, 0xA2, 0x8F, 0xA1}) + char(tail);
        QByteArray got;
        ASSERT_EQ(EucToShiftJis(b, got), rc::SUCCESS);
        EXPECT_EQ(hex(got), hex(ref::EucToShiftJis(b))) << tail;
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

TEST(DifferentialTest, CodePageToUtf8WritesWhatTheUnitsWouldBe) {
    std::mt19937 rng(1);
    int taken = 0, refused = 0;
    auto check = [&](const CodePage& cp, const QByteArray& b) {
        QByteArray straight("stale bytes of an earlier piece");
        if (!CodePageToUtf8(b, cp, straight)) {
            ++refused;
            return;
        }
        ++taken;
        ASSERT_EQ(straight, utf8Of(cp.toUnicode(b)))
            << cp.id() << " " << hex(b.left(12)).toStdString();
    };
    for (unsigned id : {932u, 936u, 949u, 950u, 1252u}) {
        const CodePage& cp = CodePage::get(id);
        // Every pair on its own and followed by a byte that trails, stands
        // alone or leads.
        for (int b = 0; b < 256; ++b) {
            check(cp, QByteArray(1, char(b)));
            for (int t = 0; t < 256; ++t) {
                check(cp, testbytes::bytes({b, t}));
                check(cp, testbytes::bytes({b, t, t ^ 0x80}));
            }
        }
        for (const QByteArray& b : samples(charset::SHIFT_JIS, rng))
            check(cp, b);
    }
    EXPECT_GT(taken, 5 * 30000);
    EXPECT_GT(refused, 5 * 1000);
    // Ordinary text goes straight.
    QByteArray out;
    EXPECT_TRUE(CodePageToUtf8(encoded(corpusText(), charset::SHIFT_JIS), cp932(), out));
    EXPECT_EQ(out, corpusText().toUtf8());
}

TEST(DifferentialTest, Utf8ToCodePageWritesWhatTheUnitsWouldBe) {
    std::mt19937 rng(2);
    int taken = 0;
    auto check = [&](const CodePage& cp, const QByteArray& b) {
        QByteArray straight;
        if (!Utf8ToCodePage(b, cp, straight))
            return;
        ASSERT_EQ(straight, cp.fromUnicode(ref::Utf8ToUtf16(b)))
            << cp.id() << " " << hex(b.left(12)).toStdString();
        ++taken;
    };
    // Every BMP unit alone (surrogate halves and U+0000 included), as its
    // UTF-8 form.
    QString every;
    for (char32_t u = 0; u < 0x10000; ++u)
        every.append(QChar(static_cast<char16_t>(u)));
    for (unsigned id : {932u, 1252u, 936u}) {
        const CodePage& cp = CodePage::get(id);
        for (qsizetype k = 0; k < every.size(); ++k)
            check(cp, utf8Of(every.mid(k, 1)));
        for (const QByteArray& b : samples(charset::UTF8N, rng))
            check(cp, b);
    }
    EXPECT_GT(taken, 3 * (0x10000 - 0x800));
    QByteArray out;
    EXPECT_TRUE(Utf8ToCodePage(corpusText().toUtf8(), cp932(), out));
    EXPECT_EQ(out, encoded(corpusText(), charset::SHIFT_JIS));
}

// EUC and JIS a piece at a time, straight and as the file reader reads them:
// where the straight way takes a piece, the reader reads every byte of it as
// a character, ends the piece at the same place (JIS in the same state) and
// gives the same text.
TEST(DifferentialTest, EucAndJisGoStraightAsTheReaderReads) {
    std::mt19937 rng(3);
    for (CharSetId set : {charset::EUC, charset::JIS}) {
        int taken = 0;
        for (const QByteArray& b : samples(set, rng)) {
            for (qsizetype piece : {qsizetype(1), qsizetype(50), qsizetype(1) << 20}) {
                JisState readState = JisState::Single;
                for (qsizetype at = 0; at < b.size();) {
                    JisState state = readState;
                    qsizetype straightEnd = at, readEnd = at;
                    QByteArray direct;
                    rawbytes::Report report;
                    const bool ok = set == charset::EUC
                                        ? EucToUtf8Part(b, straightEnd, at + piece, direct)
                                        : JisToUtf8Part(b, straightEnd, at + piece, state, direct);
                    const QString read =
                        set == charset::EUC
                            ? EucToUtf16KeepingBytes(b, readEnd, at + piece, report)
                            : JisToUtf16KeepingBytes(b, readEnd, at + piece, readState, report);
                    if (ok) {
                        ASSERT_EQ(straightEnd, readEnd) << hex(b.mid(at, 12)).toStdString();
                        ASSERT_EQ(state, readState);
                        ASSERT_EQ(report.count, 0);
                        ASSERT_EQ(direct, utf8Of(read))
                            << set << " " << hex(b.mid(at, 12)).toStdString();
                        ++taken;
                    }
                    at = readEnd;
                }
            }
        }
        EXPECT_GT(taken, 100) << set;
    }
    qsizetype from = 0;
    QByteArray out;
    const QByteArray euc = encoded(corpusText(), charset::EUC);
    EXPECT_TRUE(EucToUtf8Part(euc, from, euc.size(), out));
    EXPECT_EQ(from, euc.size());
    EXPECT_EQ(out, corpusText().toUtf8());
    from = 0;
    out.clear();
    JisState state = JisState::Single;
    const QByteArray jis = encoded(corpusText(), charset::JIS);
    EXPECT_TRUE(JisToUtf8Part(jis, from, jis.size(), state, out));
    EXPECT_EQ(state, JisState::Single);
    EXPECT_EQ(out, corpusText().toUtf8());
}

// ConvertFileText writes what decoding and then encoding would write.
testing::AssertionResult convertsAsDecodeThenEncode(const QByteArray& b, CharSetId from,
                                                    const DecodedText& decoded, CharSetId to,
                                                    std::optional<LineEndingId> eol) {
    QString written = decoded.text;
    if (!keepsRawBytes(from, to, cp932()))
        replaceRawBytes(written, to);
    const EncodedText expected = EncodeFileText(written, to, eol.value_or(decoded.lineEnding),
                                                JisKatakanaMode::FullWidth, cp932());
    QByteArray got;
    const ConvertedText done = ConvertFileText(b, from, to, eol, JisKatakanaMode::FullWidth,
                                               cp932(), [&](const char* d, qsizetype n) {
                                                   got.append(d, n);
                                                   return true;
                                               });
    if (done.result == expected.result && !done.writeFailed && got == expected.bytes)
        return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << from << " -> " << to << " eol " << eol.value_or(-1) << " result " << done.result
           << " " << hex(b.left(16)).toStdString() << ": " << hex(got.left(16)).toStdString();
}

TEST(DifferentialTest, ConvertFileTextWritesWhatDecodeThenEncodeWrite) {
    // A katakana byte inside a run of kanji pairs like any other byte.
    const QByteArray kanaInKanji("\x1b$B0!\xb8\x4b\x1b(B\r\n");
    ASSERT_TRUE(convertsAsDecodeThenEncode(kanaInKanji, charset::JIS,
                                           DecodeFileText(kanaInKanji, charset::JIS, cp932()),
                                           charset::UTF8N, {}));
    std::mt19937 rng(42);
    for (int k = 0; k < 400; ++k) {
        const QByteArray b = brokenbytes::crafted(rng);
        for (CharSetId from : {charset::SHIFT_JIS, charset::ANSI, charset::EUC, charset::JIS,
                               charset::UTF8, charset::UTF8N}) {
            const DecodedText decoded = DecodeFileText(b, from, cp932());
            for (CharSetId to :
                 {charset::UTF8, charset::UTF8N, charset::SHIFT_JIS, charset::EUC, charset::JIS})
                ASSERT_TRUE(convertsAsDecodeThenEncode(b, from, decoded, to, {}));
        }
    }
    const QString text = mixedText(rng);
    int checked = 0;
    for (CharSetId in : {charset::SHIFT_JIS, charset::EUC, charset::JIS, charset::UTF8,
                         charset::UTF8N, charset::UNICODE_LE}) {
        for (LineEndingId le : {lineending::CRLF, lineending::LF}) {
            for (int variant = 0; variant < 3; ++variant) {
                QByteArray b = encoded(text, in, le);
                if (variant == 1) // broken bytes here and there
                    for (int k = 0; k < 200; ++k)
                        b[std::uniform_int_distribution<qsizetype>(0, b.size() - 1)(rng)] =
                            static_cast<char>(rng());
                if (variant == 2) // a NUL in the middle
                    b[b.size() * 2 / 3] = '\0';
                const DecodedText decoded = DecodeFileText(b, in, cp932());
                for (CharSetId out : {charset::UTF8N, charset::SHIFT_JIS, charset::EUC,
                                      charset::UNICODE_BE, charset::UTF8}) {
                    for (auto eol : {std::optional<LineEndingId>(),
                                     std::optional<LineEndingId>(lineending::CR),
                                     std::optional<LineEndingId>(lineending::CRLF)}) {
                        ASSERT_TRUE(convertsAsDecodeThenEncode(b, in, decoded, out, eol))
                            << "variant " << variant;
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
    const QByteArray file = encoded(mixedText(rng), charset::SHIFT_JIS);
    int calls = 0;
    const ConvertedText done =
        ConvertFileText(file, charset::SHIFT_JIS, charset::UTF8N, {}, JisKatakanaMode::FullWidth,
                        cp932(), [&](const char*, qsizetype) { return ++calls < 2; });
    EXPECT_TRUE(done.writeFailed);
    EXPECT_EQ(calls, 2);
}

} // namespace
