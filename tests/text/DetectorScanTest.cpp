// The vectorised scans of the detectors against the byte walks, on inputs
// that put every kind of character, valid and broken, across the 64-byte
// blocks the scans read, and on the corpus, which the scans must skip whole.
#include "CharSetDetector.h"
#include "CodePage.h"
#include "DetectorScans.h"
#include "ReferenceWalks.h"
#include "TestBytes.h"
#include "TextCodec.h"

#include <random>

namespace {

using Tokens = std::vector<QByteArray>;

// Valid characters of each encoding, among them the trails and leads that
// look like other classes (0x80 and 0xA0 trails, 0xE0-0xEF leads).
const Tokens kShiftJis = {"\x82\xA0", "\x88\x9F", "\x81\x40", "\x83\x80", "\xE0\x40", "\xEA\xFC",
                          "\x9F\xE0", "\x81\x81", "a",        " ",        "\r\n",     "\n",
                          "\t",       "\xB1",     "\xDF",     "~"};
const Tokens kEuc = {"\xA4\xA2", "\xB0\xA1", "\xFE\xFE", "\xA1\xA1", "a",           "\r\n",
                     "\n",       "\t",       " ",        "\x8E\xB1", "\x8F\xA1\xA1"};
const Tokens kUtf8 = {
    "\xE3\x81\x82", "\xE4\xB8\x8A",    "\xC3\xA9", "\xEF\xBD\xB1", "a", "\r\n", "\n", "\t", " ",
    "\x7F",         "\xF0\x9F\x98\x80"};
// Bytes that break or shift the characters around them.
const std::vector<uint8_t> kBreakers = {
    0x00, 0x01, 0x09, 0x0A, 0x0D, 0x1B, 0x20, 0x3F, 0x40, 0x7E, 0x7F, 0x80, 0x81, 0x8E, 0x8F, 0x9F,
    0xA0, 0xA1, 0xBF, 0xC0, 0xC3, 0xDF, 0xE0, 0xE3, 0xEF, 0xF0, 0xF8, 0xFC, 0xFD, 0xFE, 0xFF};

QByteArray stringOf(const Tokens& tokens, size_t minLength, std::mt19937& rng) {
    QByteArray b;
    std::uniform_int_distribution<size_t> pick(0, tokens.size() - 1);
    while (static_cast<size_t>(b.size()) < minLength)
        b += tokens[pick(rng)];
    return b;
}

void expectSameAnswers(const QByteArray& b, const char* what) {
    bool asciiRef = false, asciiNew = true;
    ASSERT_EQ(IsUtf8Text(b, asciiNew), ref::IsUtf8Text(b, asciiRef)) << what << " " << b.size();
    ASSERT_EQ(asciiNew, asciiRef) << what;
    ASSERT_EQ(IsShiftJisText(b), ref::IsShiftJisText(b)) << what << " " << b.size();
    ASSERT_EQ(IsEucText(b), ref::IsEucText(b)) << what << " " << b.size();
    ASSERT_EQ(DetectLineEnding(b), ref::DetectLineEnding(b)) << what;
}

TEST(DetectorScanTest, BrokenBytesAtEveryBlockPositionGiveTheWalksAnswers) {
    std::mt19937 rng(64);
    int checked = 0;
    for (const Tokens* tokens : {&kShiftJis, &kEuc, &kUtf8}) {
        const QByteArray valid = stringOf(*tokens, 3000, rng);
        expectSameAnswers(valid, "valid");
        // One broken byte at each position around the first block edges,
        // and a byte taken out or put in there (which shifts the pairs).
        for (qsizetype at = 0; at < 200; ++at) {
            QByteArray changed = valid;
            changed[at] = static_cast<char>(kBreakers[rng() % kBreakers.size()]);
            expectSameAnswers(changed, "changed");
            expectSameAnswers(QByteArray(valid).remove(at, 1), "removed");
            expectSameAnswers(
                QByteArray(valid).insert(at, char(kBreakers[rng() % kBreakers.size()])),
                "inserted");
            // Cut there, often in the middle of a character.
            expectSameAnswers(valid.left(at + 1000), "cut");
            checked += 4;
        }
    }
    EXPECT_EQ(checked, 3 * 200 * 4);
}

TEST(DetectorScanTest, RunsOfLeadAndTrailBytesPairAsTheWalksPairThem) {
    // Small alphabets of bytes that lead, trail or stand alone, so that runs
    // of lead bytes of every length and parity cross the block edges.
    const std::vector<std::vector<uint8_t>> alphabets = {
        {0x81, 0x40, 0x20},       {0x81, 0xE0, 0xA1, 0x0A}, {0x9F, 0x80, 0xA0, 0x41},
        {0xA1, 0xFE, 0x20, 0x8E}, {0xE3, 0x81, 0x82, 0x61}, {0xC3, 0xA9, 0xE3, 0x80, 0x0A},
        {0xA4, 0xA2, 0x8F, 0x0D}, {0x81, 0xF0, 0xFC, 0x7F}};
    std::mt19937 rng(2);
    int checked = 0;
    for (const auto& alphabet : alphabets) {
        for (int k = 0; k < 150; ++k) {
            QByteArray b(std::uniform_int_distribution<int>(0, 400)(rng), Qt::Uninitialized);
            for (char& c : b)
                c = static_cast<char>(alphabet[rng() % alphabet.size()]);
            expectSameAnswers(b, "alphabet");
            ++checked;
        }
    }
    EXPECT_EQ(checked, 8 * 150);
}

TEST(DetectorScanTest, LineBreaksAreCountedAsTheByteWalkCountsThem) {
    std::mt19937 rng(13);
    // Long enough that each lane's byte counter is summed several times.
    for (int k = 0; k < 40; ++k) {
        QByteArray b(std::uniform_int_distribution<int>(0, 20000)(rng), Qt::Uninitialized);
        const int mix = k % 4;
        for (char& c : b) {
            const unsigned r = rng() % 8;
            c = mix == 0   ? "\r\n\0a"[r % 4]
                : mix == 1 ? (r < 6 ? '\r' : '\n')
                : mix == 2 ? (r < 6 ? '\n' : '\r')
                           : "\r\0\n\0\r\0x\0"[r];
        }
        const auto* p = reinterpret_cast<const uint8_t*>(b.constData());
        uint64_t crs = 0, lfs = 0, pairs = 0;
        const size_t counted = detectorscan::countLineBreaks(p, size_t(b.size()), crs, lfs, pairs);
        uint64_t crsRef = 0, lfsRef = 0, pairsRef = 0;
        for (size_t i = 0; i < counted; ++i) {
            lfsRef += p[i] == '\n';
            if (p[i] != '\r')
                continue;
            ++crsRef;
            pairsRef += p[i + 1] == '\n' || (p[i + 1] == 0 && p[i + 2] == '\n' && p[i + 3] == 0);
        }
        EXPECT_LE(counted + 3, size_t(std::max<qsizetype>(b.size(), 3)));
        EXPECT_EQ(std::tuple(crs, lfs, pairs), std::tuple(crsRef, lfsRef, pairsRef)) << k;
        EXPECT_EQ(DetectLineEnding(b), ref::DetectLineEnding(b)) << k;
    }
}

TEST(DetectorScanTest, TheScansSkipWholeFilesOfJapaneseText) {
    // The scans are what makes detection fast: they must vouch for ordinary
    // text from the first block to the last, not hand it to the walks.
    const QString text = QString::fromUtf8(testbytes::corpus("japanese.txt")).repeated(4);
    const CodePage& cp932 = CodePage::get(932);
    auto bytesIn = [&](CharSetId set) {
        return EncodeFileText(text, set, lineending::CRLF, JisKatakanaMode::FullWidth, cp932).bytes;
    };
    const QByteArray sjis = bytesIn(charset::SHIFT_JIS), euc = bytesIn(charset::EUC),
                     utf8 = bytesIn(charset::UTF8N);
    auto data = [](const QByteArray& b) { return reinterpret_cast<const uint8_t*>(b.data()); };
    EXPECT_GT(detectorscan::shiftJisPrefix(data(sjis), size_t(sjis.size()), 0) + 64,
              size_t(sjis.size()));
    EXPECT_GT(detectorscan::eucPrefix(data(euc), size_t(euc.size()), 0) + 64, size_t(euc.size()));
    bool sawSequence = false;
    EXPECT_GT(detectorscan::utf8Prefix(data(utf8), size_t(utf8.size()), 0, sawSequence) + 64,
              size_t(utf8.size()));
    EXPECT_TRUE(sawSequence);
    // And stop at once where the walk refuses.
    EXPECT_EQ(detectorscan::shiftJisPrefix(data(euc), size_t(euc.size()), 0), 0u);
    EXPECT_EQ(detectorscan::eucPrefix(data(sjis), size_t(sjis.size()), 0), 0u);
}

TEST(DetectorScanTest, JisDesignationsAreReadAsTheTableOfDesignationsReadsThem) {
    // Every string of up to six bytes over the designations' own bytes.
    const QByteArray alphabet = QByteArray("\x1b$(&@BDOPIJHx", 13);
    int checked = 0;
    for (int length = 1; length <= 6; ++length) {
        std::vector<int> digits(static_cast<size_t>(length), 0);
        for (;;) {
            QByteArray s(length, '\x1b');
            for (int k = 1; k < length; ++k)
                s[k] = alphabet[digits[static_cast<size_t>(k)]];
            const auto* p = reinterpret_cast<const uint8_t*>(s.constData());
            JisState mode = JisState::Double, refMode = JisState::Double;
            ASSERT_EQ(JisDesignationAt(p, size_t(length), 0, mode),
                      ref::jisDesignationAt(p, size_t(length), 0, refMode))
                << testbytes::hex(s).toStdString();
            ASSERT_EQ(mode, refMode);
            ++checked;
            int k = 1;
            while (k < length && ++digits[static_cast<size_t>(k)] == alphabet.size())
                digits[static_cast<size_t>(k++)] = 0;
            if (k >= length)
                break;
        }
    }
    EXPECT_GT(checked, 13 * 13 * 13 * 13 * 13);
}

} // namespace
