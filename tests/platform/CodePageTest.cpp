#include "CodePage.h"

#include "TestBytes.h"

namespace {

QByteArray utf16Le(const QString& s) {
    return QByteArray(reinterpret_cast<const char*>(s.utf16()), s.size() * 2);
}

} // namespace

TEST(CodePageTest, ChoosesTheAnsiCodePageFromTheSystemLanguage) {
    EXPECT_EQ(CodePage::ansiCodePageFor(0x0411), 932u);
    EXPECT_EQ(CodePage::ansiCodePageFor(0x0409), 1252u);
    EXPECT_EQ(CodePage::ansiCodePageFor(0x0804), 936u);
    EXPECT_EQ(CodePage::ansiCodePageFor(0x0404), 950u);
    EXPECT_EQ(CodePage::ansi(Locale(0x0409, 0x0411)).id(), 932u);
}

// The extensions (①Ⅰ㈱髙ⅰ) read and write as iconv's CP932 does: below.
// (Both wave dashes write as 0x8160, which reads as the full-width tilde:
// CodePageAgreesWithIconv.)
TEST(CodePageTest, Cp932NecSelectedIbmDuplicatesReadAsTheSameCharacter) {
    const CodePage& cp = CodePage::get(932);
    EXPECT_EQ(cp.toUnicode("\xed\x40"), cp.toUnicode("\xfa\x5c"));
}

TEST(CodePageTest, BadUnitsNeverDropTheRestOfTheText) {
    const CodePage& cp = CodePage::get(932);
    EXPECT_EQ(cp.toUnicode(QByteArray("a\x85\x40"
                                      "b\x82",
                                      5)),
              QString::fromUtf16(u"a\u30FBb\u30FB"));
    // An invalid pair whose second byte could trail is one bad unit; a
    // control byte after a lead starts the next character.
    EXPECT_EQ(cp.toUnicode(QByteArray("\x85\x40x", 3)), QString::fromUtf16(u"\u30FBx"));
    EXPECT_EQ(cp.toUnicode(QByteArray("\x82\x0Ax", 3)), QString::fromUtf16(u"\u30FB\nx"));
}

TEST(CodePageTest, SingleBytesIconvRefusesIn932ReadAsTheDeviceReadsThemAndWriteBack) {
    const CodePage& cp = CodePage::get(932);
    const QByteArray bytes("\x80\xA0\xFD\xFE\xFFz");
    const QString text = cp.toUnicode(bytes);
    EXPECT_EQ(text, QString::fromUtf16(u"\u0080\uF8F0\uF8F1\uF8F2\uF8F3z"));
    EXPECT_EQ(cp.fromUnicode(text), bytes);
}

TEST(CodePageTest, KeepingBytesGivesEveryUnreadableByteBack) {
    const CodePage& cp = CodePage::get(932);
    // A bad pair whose second byte can trail keeps both bytes; a lead byte
    // before a control and one cut off by the end keep theirs.
    const QByteArray bytes("\x85\x40x\x82\nx\x82", 7);
    rawbytes::Report report;
    const QString text = cp.toUnicodeKeepingBytes(bytes, report);
    EXPECT_EQ(text, QString::fromUtf16(u"\U0010FE85\U0010FE40x\U0010FE82\nx\U0010FE82"));
    EXPECT_EQ(std::pair(report.count, report.first), (std::pair<qsizetype, qsizetype>(4, 0)));
    EXPECT_EQ(cp.fromUnicode(text), bytes);
}

TEST(CodePageTest, UndefinedBytesOfWestern1252ReadAsControlsAndWriteBack) {
    const CodePage& cp = CodePage::get(1252);
    const QByteArray undefined("\x81\x8D\x8F\x90\x9Dz");
    const QString text = cp.toUnicode(undefined);
    EXPECT_EQ(text, QString::fromUtf16(u"\u0081\u008D\u008F\u0090\u009Dz"));
    EXPECT_EQ(cp.fromUnicode(text), undefined);
    // The defined bytes of that range keep their characters.
    EXPECT_EQ(cp.toUnicode("\x80\x9F"), QString::fromUtf16(u"\u20AC\u0178"));
}

TEST(CodePageTest, UnencodableCharactersBecomeQuestionMarks) {
    const CodePage& cp = CodePage::get(932);
    EXPECT_EQ(cp.fromUnicode(u"a\u00E9b"), QByteArray("a?b"));
    // A character outside the BMP is one "?", a lone surrogate too.
    EXPECT_EQ(cp.fromUnicode(u"x\U0001F600y\xD800z"), QByteArray("x?y?z"));
}

// Every pair and single byte iconv accepts reads as iconv reads it, and every
// BMP character iconv can write is written as iconv writes it.
class CodePageAgreesWithIconv : public ::testing::TestWithParam<unsigned> {};

TEST_P(CodePageAgreesWithIconv, OnAllCharacters) {
    const unsigned id = GetParam();
    const QString name = QStringLiteral("CP%1").arg(id);
    const CodePage& cp = CodePage::get(id);

    // All BMP characters but the surrogates and U+0000.
    // Left out: the C1 controls that stand for bytes a single-byte code page
    // leaves undefined, and code page 932's single bytes 0x80, 0xA0 and
    // 0xFD-0xFF, which iconv refuses (tested on their own below).
    const bool singleByte = id >= 1250 && id <= 1258;
    auto deviceOnly = [&](char32_t u) {
        return (singleByte && u >= 0x80 && u <= 0x9F) ||
               (id == 932 && (u == 0x80 || (u >= 0xF8F0 && u <= 0xF8F3)));
    };
    QString all;
    for (char32_t u = 1; u < 0x10000; ++u)
        if ((u < 0xD800 || u > 0xDFFF) && !deviceOnly(u))
            all.append(QChar(static_cast<char16_t>(u)));
    QString encodable, refused;
    for (QChar c : all) {
        const QByteArray b = cp.fromUnicode(QStringView(&c, 1));
        if (b != "?" || c == u'?')
            encodable.append(c);
        else
            refused.append(c);
    }
    // What we write as "?" iconv can't write either: with -c it drops them all.
    bool ok = false;
    const QByteArray dropped = testbytes::iconv(utf16Le(refused), "UTF-16LE", name, &ok, {"-c"});
    EXPECT_TRUE(dropped.isEmpty()) << dropped.size() << " bytes iconv could write";
    const QByteArray ref = testbytes::iconv(utf16Le(encodable), "UTF-16LE", name, &ok);
    ASSERT_TRUE(ok) << "iconv refused a character we encode";
    EXPECT_EQ(cp.fromUnicode(encodable), ref);

    // Decoding: the text iconv reads back from that reference equals ours.
    const QByteArray refText = testbytes::iconv(ref, name, "UTF-16LE", &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(cp.toUnicode(ref),
              QString::fromUtf16(reinterpret_cast<const char16_t*>(refText.constData()),
                                 refText.size() / 2));
}

INSTANTIATE_TEST_SUITE_P(CodePages, CodePageAgreesWithIconv,
                         ::testing::Values(932u, 936u, 949u, 950u, 1252u, 1251u));
