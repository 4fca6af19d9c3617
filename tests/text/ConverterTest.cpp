#include "CodePage.h"
#include "JapaneseConverters.h"
#include "TestBytes.h"
#include "UnicodeConverters.h"

using namespace testbytes;

namespace {

QByteArray euc2sjis(const QByteArray& in) {
    QByteArray out;
    EXPECT_EQ(EucToShiftJis(in, out), rc::SUCCESS);
    return out;
}
QByteArray jis2sjis(const QByteArray& in) {
    QByteArray out;
    EXPECT_EQ(JisToShiftJis(in, out), rc::SUCCESS);
    return out;
}
QByteArray sjis2euc(const QByteArray& in) {
    QByteArray out;
    EXPECT_EQ(ShiftJisToEuc(in, out), rc::SUCCESS);
    return out;
}
QByteArray sjis2jis(const QByteArray& in, JisKatakanaMode mode = JisKatakanaMode::FullWidth) {
    QByteArray out;
    EXPECT_EQ(ShiftJisToJis(in, out, mode), rc::SUCCESS);
    return out;
}
QByteArray utf16to8(const QString& in) {
    QByteArray out;
    EXPECT_EQ(Utf16ToUtf8(in, out), rc::SUCCESS);
    return out;
}

} // namespace

TEST(ConverterTest, EucToShiftJis) {
    EXPECT_EQ(euc2sjis("a\xa4\xa2\x8e\xb1\r\n"), QByteArray("a\x82\xa0\xb1\r\n"));
    // JIS X 0212 (0x8F) becomes one ■; what follows is unchanged.
    EXPECT_EQ(euc2sjis("\x8f\xb0\xa1xyz"), QByteArray("\x81\xa1xyz"));
    // A character cut off by the end becomes ■ instead of reading past it.
    EXPECT_EQ(euc2sjis("x\xa4"), QByteArray("x\x81\xa1"));
    EXPECT_EQ(euc2sjis("x\x8e"), QByteArray("x\x81\xa1"));
    EXPECT_EQ(euc2sjis("\x8f\xb0"), QByteArray("\x81\xa1"));
    EXPECT_EQ(euc2sjis(bytes({0x00, 0x7f, 0xa0, 0xff})), bytes({0x00, 0x7f, 0xa0, 0xff}));
}

TEST(ConverterTest, JisToShiftJis) {
    EXPECT_EQ(jis2sjis("\x1b$B$\"\x1b(B"), QByteArray("\x82\xa0"));
    // Every two-byte designation maps the same way; katakana gets its top bit.
    EXPECT_EQ(jis2sjis("\x1b$@$\"\x1b$(D$\"\x1b&@\x1b$B$\"\x1b(I1\x1b(Jz"),
              QByteArray("\x82\xa0\x82\xa0\x82\xa0\xb1z"));
    // An unknown escape is dropped and returns to single bytes.
    EXPECT_EQ(jis2sjis("\x1b$B$\"\x1bxab"), QByteArray("\x82\xa0xab"));
    EXPECT_EQ(jis2sjis("\x1b$B$"), QByteArray("\x81\xa1"));
    EXPECT_EQ(jis2sjis("\x1b"), QByteArray());
}

TEST(ConverterTest, ShiftJisToEucAndJis) {
    EXPECT_EQ(sjis2euc("a\x82\xa0\xb1\x88\x9f\xea\xa4"),
              QByteArray("a\xa4\xa2\x8e\xb1\xb0\xa1\xf4\xa6"));
    EXPECT_EQ(sjis2jis("a\x82\xa0"
                       "b"),
              QByteArray("a\x1b$B$\"\x1b(Bb"));
    EXPECT_EQ(sjis2jis("\x82\xa0"), QByteArray("\x1b$B$\"\x1b(B"));
    EXPECT_EQ(sjis2jis("plain"), QByteArray("plain"));
}

TEST(ConverterTest, ShiftJisExtensionCharactersBecomeQuestionMarks) {
    // 髙 (IBM extension 0xFBFC) and a user-defined character (0xF040) have no
    // EUC or JIS form; they used to be copied as raw Shift-JIS bytes.
    EXPECT_EQ(sjis2euc("\xfb\xfc\x8b\xb4\xf0\x40"), QByteArray("?\xb6\xb6?"));
    EXPECT_EQ(sjis2jis("\xfb\xfc\x8b\xb4"), QByteArray("?\x1b$B66\x1b(B"));
    EXPECT_EQ(sjis2jis("\x8b\xb4\xfb\xfc"), QByteArray("\x1b$B66\x1b(B?"));
    // Everything else outside the mapping is still copied.
    EXPECT_EQ(sjis2euc(bytes({0x80, 0xa0, 0xfd})), bytes({0x80, 0xa0, 0xfd}));
}

TEST(ConverterTest, HalfWidthKatakanaToJis) {
    const QByteArray kana = bytes({0xb6, 0xde, 0xb7, 0xde, 0xb3, 0xde});
    // ガ, ギ, ウ, ゛: ｳﾞ is not combined.
    EXPECT_EQ(hex(sjis2jis(kana)), hex(QByteArray("\x1b$B%,%.%&!+\x1b(B")));
    EXPECT_EQ(hex(sjis2jis(kana, JisKatakanaMode::HalfWidth)),
              hex(QByteArray("\x1b(I6^7^3^\x1b(B")));
}

TEST(ConverterTest, HalfWidthKanaTable) {
    EXPECT_EQ(HalfWidthKanaToFullWidth(0xde, 0).shiftJis, 0x814A); // ゛
    EXPECT_EQ(HalfWidthKanaToFullWidth(0xdf, 0).shiftJis, 0x814B); // ゜
    const auto both = [](uint8_t b, uint8_t next) {
        const FullWidthKana k = HalfWidthKanaToFullWidth(b, next);
        return std::pair(k.shiftJis, k.usedNextByte);
    };
    EXPECT_EQ(both(0xca, 0xdf), std::pair(uint16_t(0x8370), true));   // パ
    EXPECT_EQ(HalfWidthKanaToFullWidth(0xce, 0xde).shiftJis, 0x837B); // ボ
    EXPECT_EQ(HalfWidthKanaToFullWidth(0xc4, 0xde).shiftJis, 0x8368); // ド
    EXPECT_EQ(both(0xb6, 0xdf), std::pair(uint16_t(0x834A), false));  // カ; no カ with ゜
    EXPECT_EQ(HalfWidthKanaToFullWidth(0x41, 0).shiftJis, 0x81A1);

    // Every other full-width result is the NFKC form of its half-width one.
    const CodePage& cp = CodePage::get(932);
    for (int b = 0xa1; b <= 0xdd; ++b) {
        const uint16_t full = HalfWidthKanaToFullWidth(static_cast<uint8_t>(b), 0).shiftJis;
        const QByteArray fullBytes = bytes({full >> 8, full & 0xff});
        const QString half = cp.toUnicode(bytes({b}));
        EXPECT_EQ(cp.toUnicode(fullBytes), half.normalized(QString::NormalizationForm_KC))
            << std::hex << b;
    }
}

TEST(ConverterTest, Utf16ToUtf8) {
    EXPECT_EQ(utf16to8(QString::fromUtf16(u"aéあ")), QByteArray("a\xc3\xa9\xe3\x81\x82"));
    EXPECT_EQ(utf16to8(QString::fromUtf16(u"😀")), QByteArray("\xf0\x9f\x98\x80"));
    QString lone;
    lone.append(QChar(0xD800)).append(QChar(u'x')).append(QChar(0xDC00));
    EXPECT_EQ(utf16to8(lone), QByteArray("\xed\xa0\x80x\xed\xb0\x80"));
    EXPECT_EQ(utf16to8(QString()), QByteArray());
}

TEST(ConverterTest, AnsiConversions) {
    const CodePage& cp = CodePage::get(932);
    QByteArray ansi;
    EXPECT_EQ(Utf16ToAnsi(QString(), cp, ansi), rc::CONVERSION_EMPTY);
    EXPECT_EQ(Utf16ToAnsi(QString::fromUtf16(u"あé"), cp, ansi), rc::SUCCESS);
    EXPECT_EQ(ansi, QByteArray("\x82\xa0?"));
}

// Arbitrary EUC and JIS round-trips through Shift-JIS for every JIS X 0208
// cell, against iconv.
TEST(ConverterTest, AllJisX0208CellsAgreeWithIconv) {
    QByteArray euc;
    for (int r = 0x21; r <= 0x74; ++r)
        for (int c = 0x21; c <= 0x7e; ++c)
            euc.append(static_cast<char>(r | 0x80)).append(static_cast<char>(c | 0x80));
    const QByteArray sjis = euc2sjis(euc);
    EXPECT_EQ(sjis2euc(sjis), euc);
    // iconv agrees for the cells it knows.
    const QByteArray fromEuc = iconv(
        iconv(bytes({0xa4, 0xa2, 0xb0, 0xa1, 0xf4, 0xa6}), "EUC-JP", "UTF-8"), "UTF-8", "CP932");
    EXPECT_EQ(euc2sjis(bytes({0xa4, 0xa2, 0xb0, 0xa1, 0xf4, 0xa6})), fromEuc);
    const QByteArray jis = iconv(corpus("japanese.txt"), "UTF-8", "ISO-2022-JP");
    EXPECT_EQ(jis2sjis(jis), iconv(corpus("japanese.txt"), "UTF-8", "CP932"));
    EXPECT_EQ(sjis2jis(jis2sjis(jis)), jis);
}
