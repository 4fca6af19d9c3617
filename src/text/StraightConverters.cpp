#include "StraightConverters.h"

#include "CodePage.h"
#include "FileTextDecoders.h"

#include <QChar>
#include <algorithm>
#include <cstring>

// Why the walks below give the same bytes as the way through UTF-16: the code
// page reads every character of a piece on its own when that character is a
// byte it reads alone or a lead/trail pair it reads as one unit, so the
// piece's text is the characters' units one after the other, and UTF-16 to
// UTF-8 writes each unit that is not a surrogate on its own. The walks take
// only such characters and hand anything else back.

namespace {

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "UTF-8 forms are stored as little-endian words");

// A UTF-8 form (CodePage::Utf8Forms): its length and the bytes it takes.
size_t lengthOf(uint32_t form) {
    return form >> 24 & 0xF;
}
uint32_t takenOf(uint32_t form) {
    return form >> 28;
}
// Stores the form's bytes as one word; the fourth byte is overwritten by the
// next store or cut off at the end, so the buffer keeps four bytes spare.
void store(uint8_t* d, uint32_t form) {
    std::memcpy(d, &form, 4);
}

uint8_t* prepare(QByteArray& out, size_t bound) {
    out.resize(static_cast<qsizetype>(bound));
    return reinterpret_cast<uint8_t*>(out.data());
}

bool inEucGR(uint8_t b) {
    return b >= 0xA1 && b <= 0xFE;
}
bool inJisRange(uint8_t b) {
    return b >= 0x21 && b <= 0x7E;
}

// The UTF-8 forms of the JIS X 0208 characters, looked up by their EUC
// bytes (row and cell plus 0x80, 0xA1-0xFE each), as code page 932 reads
// their Shift-JIS pairs; 0 where it reads the pair as anything but one
// ordinary unit, where the reader keeps the bytes instead
// (jisx0208::unitOf), and for a second byte outside 0xA1-0xFE. EUC and JIS
// share it.
class Jisx0208Forms {
  public:
    static const Jisx0208Forms& get() {
        static const Jisx0208Forms forms;
        return forms;
    }
    // lead must be 0x80 or above.
    uint32_t at(uint8_t lead, uint8_t second) const { return forms_[(lead & 0x7F) << 8 | second]; }

  private:
    Jisx0208Forms() {
        const CodePage::Utf8Forms cp932 = CodePage::get(932).utf8Forms();
        std::fill(std::begin(forms_), std::end(forms_), 0);
        for (unsigned row = 0x21; row <= 0x7E; ++row) {
            for (unsigned cell = 0x21; cell <= 0x7E; ++cell) {
                uint8_t s1, s2;
                jisx0208::toShiftJis(static_cast<uint8_t>(row), static_cast<uint8_t>(cell), s1, s2);
                const uint32_t form = cp932.at(s1, s2);
                const bool kept = jisx0208::unitOf(uint8_t(row), uint8_t(cell)) != 0;
                forms_[row << 8 | (cell | 0x80)] = kept && takenOf(form) == 2 ? form : 0;
            }
        }
    }
    uint32_t forms_[128 * 256];
};

// The form of a byte the code page reads alone (whatever follows it); 0 for
// any other byte.
uint32_t singleForm(const CodePage::Utf8Forms& forms, uint8_t byte) {
    const uint32_t form = forms.at(byte, 0);
    return takenOf(form) == 1 ? form : 0;
}

} // namespace

bool CodePageToUtf8(QByteArrayView bytes, const CodePage& codePage, QByteArray& out) {
    const CodePage::Utf8Forms forms = codePage.utf8Forms();
    const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
    const size_t n = static_cast<size_t>(bytes.size());
    // A byte read alone gives at most three bytes of UTF-8, a pair too.
    uint8_t* d = prepare(out, n * 3 + 4);
    size_t i = 0, k = 0;
    while (i + 1 < n) {
        const uint32_t form = forms.at(p[i], p[i + 1]);
        store(d + k, form);
        k += lengthOf(form);
        // Most characters of Japanese text are pairs: a branch the predictor
        // follows lets the walk run ahead, where a step taken from the table
        // would wait for every lookup.
        if (__builtin_expect(takenOf(form) == 2, 1)) {
            i += 2;
            continue;
        }
        if (form == 0)
            return false;
        ++i;
    }
    if (i < n) {
        const uint32_t form = singleForm(forms, p[i]);
        if (form == 0)
            return false;
        store(d + k, form);
        k += lengthOf(form);
    }
    out.truncate(static_cast<qsizetype>(k));
    return true;
}

bool EucToUtf8Part(QByteArrayView euc, qsizetype& from, qsizetype stopAt, QByteArray& out) {
    const Jisx0208Forms& pairs = Jisx0208Forms::get();
    const CodePage::Utf8Forms forms = CodePage::get(932).utf8Forms();
    const auto* p = reinterpret_cast<const uint8_t*>(euc.data());
    const size_t n = static_cast<size_t>(euc.size());
    size_t i = static_cast<size_t>(from);
    // Two bytes give at most three, one byte one.
    uint8_t* d = prepare(out, (n - i) * 2 + 4);
    size_t k = 0;
    while (i < n) {
        const uint8_t c = p[i];
        uint32_t form;
        if (__builtin_expect(inEucGR(c) && i + 1 < n, 1)) {
            // Most of the text: straight on to the next character.
            form = pairs.at(c, p[i + 1]);
            if (form == 0)
                return false;
            store(d + k, form);
            k += lengthOf(form);
            i += 2;
            continue;
        }
        if (c < 0x80) {
            form = singleForm(forms, c);
            ++i;
        } else if (c == 0x8E && i + 1 < n && p[i + 1] >= 0xA1 && p[i + 1] <= 0xDF) {
            form = singleForm(forms, p[i + 1]); // half-width katakana
            i += 2;
        } else {
            return false;
        }
        if (form == 0)
            return false;
        store(d + k, form);
        k += lengthOf(form);
        if (c == '\n' && i > static_cast<size_t>(stopAt))
            break;
    }
    from = static_cast<qsizetype>(std::min(i, n));
    out.truncate(static_cast<qsizetype>(k));
    return true;
}

bool JisToUtf8Part(QByteArrayView jis, qsizetype& from, qsizetype stopAt, JisState& state,
                   QByteArray& out) {
    const Jisx0208Forms& pairs = Jisx0208Forms::get();
    const CodePage::Utf8Forms forms = CodePage::get(932).utf8Forms();
    const auto* p = reinterpret_cast<const uint8_t*>(jis.data());
    const size_t n = static_cast<size_t>(jis.size());
    size_t i = static_cast<size_t>(from);
    // A katakana byte gives three bytes.
    uint8_t* d = prepare(out, (n - i) * 3 + 4);
    size_t k = 0;
    JisState mode = state;
    while (i < n) {
        const uint8_t c = p[i];
        if (__builtin_expect(mode == JisState::Double && inJisRange(c), 1)) {
            // Most of the text: straight on to the next character.
            const uint32_t form =
                i + 1 < n && inJisRange(p[i + 1]) ? pairs.at(c | 0x80, p[i + 1] | 0x80) : 0;
            if (form == 0)
                return false;
            store(d + k, form);
            k += lengthOf(form);
            i += 2;
            continue;
        }
        if (c == 0x1B) {
            // JIS text switches sets around every run of kanji; the two
            // usual switches are taken here, the rest by JisDesignationAt.
            if (i + 2 < n && p[i + 2] == 'B' && (p[i + 1] == '$' || p[i + 1] == '(')) {
                mode = p[i + 1] == '$' ? JisState::Double : JisState::Single;
                i += 3;
            } else {
                const size_t length = JisDesignationAt(p, n, i, mode);
                if (length == 1)
                    return false; // an ESC the reader keeps as a byte
                i += length;
            }
            continue;
        }
        // What the reader takes as a character outside a run of kanji
        // (FileTextDecoders.h); anything else goes the way through UTF-16.
        uint8_t reads;
        if (c >= 0xA1 && c <= 0xDF)
            reads = c;
        else if (mode == JisState::Kana && c >= 0x21 && c <= 0x5F)
            reads = static_cast<uint8_t>(c | 0x80);
        else if (mode == JisState::Single && c < 0x80)
            reads = c;
        else
            return false;
        const uint32_t form = singleForm(forms, reads);
        if (form == 0)
            return false;
        store(d + k, form);
        k += lengthOf(form);
        ++i;
        // An LF read as LF can only be a single byte: in katakana mode it
        // has no form.
        if (c == '\n' && i > static_cast<size_t>(stopAt))
            break;
    }
    from = static_cast<qsizetype>(std::min(i, n));
    state = mode;
    out.truncate(static_cast<qsizetype>(k));
    return true;
}

bool Utf8ToCodePage(QByteArrayView utf8, const CodePage& codePage, QByteArray& out) {
    const CodePage::Codes codes = codePage.codes();
    const auto* p = reinterpret_cast<const uint8_t*>(utf8.data());
    const size_t n = static_cast<size_t>(utf8.size());
    // No more units than bytes, at most two bytes each.
    uint8_t* d = prepare(out, n * 2 + 2);
    size_t i = 0, k = 0;
    while (i < n) {
        const uint8_t c = p[i];
        char16_t u;
        // Three-byte forms first: most of a Japanese text. Only well-formed
        // sequences are taken, as the reader takes them (FileTextDecoders.h).
        if (__builtin_expect((c & 0xF0) == 0xE0 && i + 3 <= n, 1)) {
            if ((p[i + 1] & 0xC0) != 0x80 || (p[i + 2] & 0xC0) != 0x80)
                return false;
            u = static_cast<char16_t>((c & 0x0F) << 12 | (p[i + 1] & 0x3F) << 6 |
                                      (p[i + 2] & 0x3F));
            if (u < 0x800)
                return false;
            i += 3;
        } else if (c < 0x80) {
            u = c;
            ++i;
        } else if (c >= 0xC2 && c <= 0xDF && i + 2 <= n && (p[i + 1] & 0xC0) == 0x80) {
            u = static_cast<char16_t>((c & 0x1F) << 6 | (p[i + 1] & 0x3F));
            i += 2;
        } else {
            return false;
        }
        if (u == 0 || QChar::isSurrogate(u))
            return false;
        const uint16_t code = codes.of(u);
        const bool two = code > 0xFF;
        const uint16_t word = two ? static_cast<uint16_t>(code << 8 | code >> 8) : code;
        std::memcpy(d + k, &word, 2);
        k += two ? 2 : 1;
    }
    out.truncate(static_cast<qsizetype>(k));
    return true;
}
