// The straight conversions to and from UTF-8 against the way through UTF-16:
// where they take a piece, every byte must be the same; ordinary text they
// must take.
#include "CodePage.h"
#include "JapaneseConverters.h"
#include "StraightConverters.h"
#include "TestBytes.h"
#include "TextCodec.h"
#include "UnicodeConverters.h"

#include <random>

namespace {

const CodePage& cp932() {
    return CodePage::get(932);
}

QByteArray utf8Of(const QString& text) {
    QByteArray out;
    EXPECT_EQ(Utf16ToUtf8(text, out), rc::SUCCESS);
    return out;
}

QByteArray encoded(const QString& text, CharSetId set) {
    return EncodeFileText(text, set, lineending::CRLF, JisKatakanaMode::FullWidth, cp932()).bytes;
}

// Edge inputs for the byte forms: cut characters, bytes the code page can't
// read, NULs, lone breaks, user-defined and IBM extension codes, half-width
// katakana, escape sequences and codes that read as nothing ordinary.
const std::vector<QByteArray>& edgeInputs() {
    static const std::vector<QByteArray> inputs = [] {
        std::vector<QByteArray> v;
        for (const char* s : {"\x82",
                              "a\x82",
                              "\x82\xa0\x81",
                              "\x80",
                              "\xa0",
                              "\xfd\xfe\xff",
                              "\r",
                              "\n",
                              "a\rb\nc",
                              "\x81\n",
                              "\x81\r\n",
                              "\xf0\x40\xfb\xfc",
                              "\xed\x40\xfa\x5c",
                              "\x87\x40\xb6\xde",
                              "\xef\xbb\xbf\xe3\x81\x82",
                              "\xff\xfe",
                              "\xa4\xa2\x8e\xb1\x8f\xa1\xa1",
                              "\x8e",
                              "\x8e\x41",
                              "\x8e\x0a",
                              "\x8f\xa1",
                              "\xa4",
                              "\xa4\x0a",
                              "\xf5\xa1\xfe\xfe",
                              "\x1b$B$\"\x1b(B",
                              "\x1b$B$",
                              "\x1b$B\n\x1b(B",
                              "\x1b(I1\n2\x1b(B",
                              "\x1b$(D$\"",
                              "\x1b&@\x1b$B0!",
                              "\x1b",
                              "\x1b$",
                              "\x1b(J\\~",
                              "\xc0\x80",
                              "\xe0\x80\x80",
                              "\xed\xa0\x80\xed\xb0\x80",
                              "\xf0\x9f\x98\x80",
                              "\xf8\x88\x80\x80\x80",
                              "\xe3\x81",
                              "\xc3",
                              "\x80\xbf",
                              "\xe3\x81\x82",
                              "\xc3\xa9\xe2\x80\x94"})
            v.emplace_back(s);
        v.push_back(QByteArray("\x82\xa0\0\x82\xa0", 5));
        v.push_back(QByteArray("\xa4\xa2\0\xa4\xa2", 5));
        v.push_back(QByteArray("\x1b$B$\"\0\x1b(B", 8));
        v.push_back(QByteArray("\xe3\x81\x82\0", 4));
        return v;
    }();
    return inputs;
}

// The corpus in a set, cut at random places and with a few bytes changed,
// plus random bytes.
std::vector<QByteArray> samples(CharSetId set, std::mt19937& rng) {
    std::vector<QByteArray> out = edgeInputs();
    const QByteArray whole = encoded(testbytes::corpusText(), set);
    out.push_back(whole);
    for (int k = 0; k < 60; ++k) {
        QByteArray b = whole.left(std::uniform_int_distribution<qsizetype>(0, whole.size())(rng));
        for (int c = k % 3; c > 0 && !b.isEmpty(); --c)
            b[std::uniform_int_distribution<qsizetype>(0, b.size() - 1)(rng)] =
                static_cast<char>(rng());
        out.push_back(b);
    }
    for (int k = 0; k < 60; ++k) {
        QByteArray b(std::uniform_int_distribution<int>(0, 300)(rng), Qt::Uninitialized);
        for (char& c : b)
            c = static_cast<char>(k % 2 ? rng() : 0x80 + rng() % 0x80);
        out.push_back(b);
    }
    return out;
}

TEST(StraightConverterTest, CodePageToUtf8WritesWhatTheUnitsWouldBe) {
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
            << cp.id() << " " << testbytes::hex(b.left(12)).toStdString();
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
    EXPECT_TRUE(CodePageToUtf8(encoded(testbytes::corpusText(), charset::SHIFT_JIS), cp932(), out));
    EXPECT_EQ(out, testbytes::corpusText().toUtf8());
}

TEST(StraightConverterTest, Utf8ToCodePageWritesWhatTheUnitsWouldBe) {
    std::mt19937 rng(2);
    int taken = 0;
    auto check = [&](const CodePage& cp, const QByteArray& b) {
        QByteArray straight;
        if (!Utf8ToCodePage(b, cp, straight))
            return;
        QString text;
        ASSERT_EQ(Utf8ToUtf16(b, text), rc::SUCCESS);
        ASSERT_EQ(straight, cp.fromUnicode(text))
            << cp.id() << " " << testbytes::hex(b.left(12)).toStdString();
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
    EXPECT_TRUE(Utf8ToCodePage(testbytes::corpusText().toUtf8(), cp932(), out));
    EXPECT_EQ(out, encoded(testbytes::corpusText(), charset::SHIFT_JIS));
}

// EUC and JIS a piece at a time, straight and through Shift-JIS; the pieces
// must end at the same place and read the same.
template <typename Straight, typename Through>
void expectSamePieces(const QByteArray& b, qsizetype piece, Straight straight, Through through,
                      int& taken) {
    for (qsizetype at = 0; at < b.size();) {
        qsizetype straightEnd = at, throughEnd = at;
        QByteArray direct, shiftJis;
        const bool ok = straight(b, straightEnd, at + piece, direct);
        ASSERT_EQ(through(b, throughEnd, at + piece, shiftJis), rc::SUCCESS);
        if (ok) {
            ASSERT_EQ(straightEnd, throughEnd) << testbytes::hex(b.mid(at, 12)).toStdString();
            ASSERT_EQ(direct, utf8Of(cp932().toUnicode(shiftJis)))
                << testbytes::hex(b.mid(at, 12)).toStdString();
            ++taken;
        }
        at = throughEnd;
    }
}

TEST(StraightConverterTest, EucGoesStraightWithTheBytesOfShiftJis) {
    std::mt19937 rng(3);
    int taken = 0;
    for (const QByteArray& b : samples(charset::EUC, rng)) {
        for (qsizetype piece : {qsizetype(1), qsizetype(50), qsizetype(1) << 20})
            expectSamePieces(b, piece, EucToUtf8Part, EucToShiftJisPart, taken);
    }
    EXPECT_GT(taken, 100);
    qsizetype from = 0;
    QByteArray out;
    const QByteArray euc = encoded(testbytes::corpusText(), charset::EUC);
    EXPECT_TRUE(EucToUtf8Part(euc, from, euc.size(), out));
    EXPECT_EQ(from, euc.size());
    EXPECT_EQ(out, testbytes::corpusText().toUtf8());
}

JisState jisStateOf(bool doubleByte, bool kana) {
    return doubleByte ? JisState::Double : kana ? JisState::Kana : JisState::Single;
}

TEST(StraightConverterTest, JisGoesStraightWithTheBytesAndStateOfShiftJis) {
    std::mt19937 rng(4);
    int taken = 0;
    for (const QByteArray& b : samples(charset::JIS, rng)) {
        for (qsizetype piece : {qsizetype(1), qsizetype(50), qsizetype(1) << 20}) {
            bool doubleByte = false, kana = false;
            for (qsizetype at = 0; at < b.size();) {
                JisState state = jisStateOf(doubleByte, kana);
                qsizetype straightEnd = at, throughEnd = at;
                QByteArray direct, shiftJis;
                const bool ok = JisToUtf8Part(b, straightEnd, at + piece, state, direct);
                ASSERT_EQ(JisToShiftJisPart(b, throughEnd, at + piece, doubleByte, kana, shiftJis),
                          rc::SUCCESS);
                if (ok) {
                    ASSERT_EQ(straightEnd, throughEnd);
                    ASSERT_EQ(state, jisStateOf(doubleByte, kana));
                    ASSERT_EQ(direct, utf8Of(cp932().toUnicode(shiftJis)))
                        << testbytes::hex(b.mid(at, 12)).toStdString();
                    ++taken;
                }
                at = throughEnd;
            }
        }
    }
    EXPECT_GT(taken, 100);
    qsizetype from = 0;
    QByteArray out;
    JisState state = JisState::Single;
    const QByteArray jis = encoded(testbytes::corpusText(), charset::JIS);
    EXPECT_TRUE(JisToUtf8Part(jis, from, jis.size(), state, out));
    EXPECT_EQ(state, JisState::Single);
    EXPECT_EQ(out, testbytes::corpusText().toUtf8());
}

TEST(StraightConverterTest, ConvertFileTextWritesWhatDecodeThenEncodeWriteOnEdgeInputs) {
    int checked = 0;
    for (const QByteArray& b : edgeInputs()) {
        for (CharSetId from : {charset::SHIFT_JIS, charset::ANSI, charset::EUC, charset::JIS,
                               charset::UTF8, charset::UTF8N}) {
            const DecodedText decoded = DecodeFileText(b, from, cp932());
            for (CharSetId to :
                 {charset::UTF8, charset::UTF8N, charset::SHIFT_JIS, charset::EUC, charset::JIS}) {
                QString written = decoded.text;
                if (!keepsRawBytes(from, to, cp932()))
                    replaceRawBytes(written, to);
                const EncodedText expected = EncodeFileText(written, to, decoded.lineEnding,
                                                            JisKatakanaMode::FullWidth, cp932());
                QByteArray got;
                const ConvertedText done =
                    ConvertFileText(b, from, to, {}, JisKatakanaMode::FullWidth, cp932(),
                                    [&](const char* d, qsizetype n) {
                                        got.append(d, n);
                                        return true;
                                    });
                ASSERT_EQ(done.result, expected.result);
                ASSERT_EQ(got, expected.bytes)
                    << from << " -> " << to << " " << testbytes::hex(b).toStdString();
                ++checked;
            }
        }
    }
    EXPECT_EQ(checked, int(edgeInputs().size()) * 6 * 5);
}

} // namespace
