#include "CodePage.h"

#include <QLoggingCategory>

#include <array>
#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <map>
#include <mutex>
#include <unordered_map>
#include <vector>

// The conversion runs by table. The tables are filled once per code page by
// asking iconv about every single byte, every lead/trail pair and every BMP
// character, so the result equals iconv's for everything iconv accepts, while
// a conversion itself costs one or two lookups per unit. Each direction's
// tables are filled on its first use: a process that only reads a code page
// (or only writes it) never pays for the other direction, and filling them
// is a noticeable part of converting a file from the command line.
//
// What glibc's CP932 does, and therefore we do: 0x8160 reads as U+FF5E (the
// Windows mapping, not U+301C); U+301C and U+FF5E both write as 0x8160; the NEC
// row 13 characters (①, Ⅰ, ㈱), the NEC-selected IBM extensions (0xED/0xEE) and
// the IBM extensions (0xFA-0xFC, 髙 = 0xFBFC) read and write; a character with
// two codes writes as the one the device chooses (Ⅰ as 0x8754, ⅰ as 0xFA40,
// ¬ as 0x81CA); the user-defined area 0xF040-0xF9FC reads as U+E000-U+E757.
// glibc rejects the single bytes 0x80, 0xA0 and 0xFD-0xFF, which therefore read
// as bad units.

namespace {

Q_LOGGING_CATEGORY(lcCodePage, "tavlo.codepage", QtWarningMsg)

constexpr char16_t kMultiUnit = 0xFFFF; // a code that reads as two UTF-16 units
constexpr uint8_t kSingle = 0, kLead = 1, kBad = 2;

QByteArray iconvNameOf(unsigned codePage) {
    return "CP" + QByteArray::number(codePage);
}

class IconvHandle {
  public:
    IconvHandle(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~IconvHandle() {
        if (valid())
            iconv_close(cd_);
    }
    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t handle() const { return cd_; }

    // Converts one complete input; returns false with errno set when iconv
    // refuses it. The state is reset before each call.
    bool convert(const char* in, size_t inLen, char* out, size_t& outLen) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* inPtr = const_cast<char*>(in);
        char* outPtr = out;
        size_t outLeft = outLen;
        size_t r = iconv(cd_, &inPtr, &inLen, &outPtr, &outLeft);
        if (r == static_cast<size_t>(-1))
            return false;
        // Flush a possible shift state, then insist the whole input was used.
        if (iconv(cd_, nullptr, nullptr, &outPtr, &outLeft) == static_cast<size_t>(-1))
            return false;
        outLen = outLen - outLeft;
        return inLen == 0;
    }

  private:
    iconv_t cd_;
};

} // namespace

struct CodePage::Impl {
    explicit Impl(const QByteArray& iconvName)
        : name(iconvName), dec("UTF-16LE", name.constData()), enc(name.constData(), "UTF-16LE") {}
    bool valid() const { return dec.valid() && enc.valid(); }

    QByteArray name;
    IconvHandle dec, enc;
    char16_t badUnit = 0xFFFD;

    // Filled when the code page is made: how each byte reads on its own.
    bool doubleByte = false;
    bool asciiReadsAsIs = false; // 0x00-0x7F read as themselves
    std::array<uint8_t, 256> kind{};
    std::array<char16_t, 256> single{};
    std::vector<uint8_t> controlBytes; // undefined bytes that stand for C1 controls

    // Filled on the first read: the pairs of a double-byte code page.
    std::once_flag pairsBuilt;
    std::array<int16_t, 256> leadIndex{}; // -1 when not a lead byte
    std::array<bool, 256> trailSeen{};    // the byte trails some valid pair
    std::vector<char16_t> pairs;          // leadIndex * 256 + trail -> unit, 0 invalid
    std::unordered_map<uint16_t, std::u16string> multi; // codes read as 2+ units
    // (byte << 8 | next byte) -> the unit the byte (single) or the pair reads
    // as, with the number of bytes taken in the high half; 0 for the rest.
    std::vector<uint32_t> quick;

    // Filled on the first write.
    std::once_flag encodeBuilt;
    std::vector<uint16_t> encode; // BMP unit -> byte or (lead << 8 | trail)

    // Filled on the first straight conversion to UTF-8 (see utf8Forms()).
    std::once_flag utf8FormsBuilt;
    std::vector<uint32_t> utf8Forms;

    void buildSingles();
    void buildPairs();
    void buildEncode();
    void encodeRun(IconvHandle& skipping, const char16_t* units, size_t count);
    uint16_t encodeOne(char16_t unit);
    void buildUtf8Forms();

    Impl& reading() {
        std::call_once(pairsBuilt, [this] { buildPairs(); });
        return *this;
    }
    Impl& writing() {
        std::call_once(encodeBuilt, [this] { buildEncode(); });
        return *this;
    }

    // Decodes one unit at src[i]; writes up to two units through put.
    template <typename Sink>
    size_t decodeAt(const uint8_t* src, size_t n, size_t i, Sink&& put) const;
};

namespace {

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "the tables read iconv's UTF-16LE in host order");

// Reads iconv's UTF-16LE output into a string.
std::u16string unitsOf(const char* buf, size_t len) {
    std::u16string s(len / 2, u'\0');
    std::memcpy(s.data(), buf, s.size() * 2);
    return s;
}

} // namespace

// The device reads the bytes 0x80-0x9F that a single-byte code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90 and 0x9D in 1252) as the C1 control of the
// same value and writes that control back as the byte, so every byte of a file
// survives a load and a save. iconv refuses those bytes; they get that mapping
// here and in buildEncode.
void CodePage::Impl::buildSingles() {
    char out[16];
    for (int b = 0; b < 256; ++b) {
        const char in = static_cast<char>(b);
        size_t outLen = sizeof out;
        const bool ok = dec.convert(&in, 1, out, outLen);
        const int error = errno;
        if (ok && outLen == 2) {
            kind[b] = kSingle;
            single[b] = unitsOf(out, outLen)[0];
        } else if (!ok && error == EINVAL) {
            kind[b] = kLead;
            doubleByte = true;
        } else {
            kind[b] = kBad;
        }
    }
    if (!doubleByte) {
        for (int b = 0x80; b <= 0x9F; ++b) {
            if (kind[b] != kBad || encodeOne(static_cast<char16_t>(b)) != '?')
                continue;
            kind[b] = kSingle;
            single[b] = static_cast<char16_t>(b);
            controlBytes.push_back(static_cast<uint8_t>(b));
        }
    }
    asciiReadsAsIs = true;
    for (unsigned b = 0; b < 0x80; ++b)
        asciiReadsAsIs = asciiReadsAsIs && kind[b] == kSingle && single[b] == b;
}

void CodePage::Impl::buildPairs() {
    leadIndex.fill(-1);
    std::vector<int> leads;
    for (int b = 0; b < 256; ++b)
        if (kind[b] == kLead)
            leads.push_back(b);
    pairs.assign(leads.size() * 256, 0);
    char out[16];
    for (size_t li = 0; li < leads.size(); ++li) {
        leadIndex[leads[li]] = static_cast<int16_t>(li);
        for (int t = 0; t < 256; ++t) {
            const char in[2] = {static_cast<char>(leads[li]), static_cast<char>(t)};
            size_t outLen = sizeof out;
            if (!dec.convert(in, 2, out, outLen) || outLen < 2)
                continue;
            trailSeen[t] = true;
            std::u16string units = unitsOf(out, outLen);
            if (units.size() == 1 && units[0] != kMultiUnit && units[0] != 0) {
                pairs[li * 256 + t] = units[0];
            } else {
                pairs[li * 256 + t] = kMultiUnit;
                multi[static_cast<uint16_t>(leads[li] << 8 | t)] = units;
            }
        }
    }
    quick.assign(0x10000, 0);
    for (unsigned b = 0; b < 256; ++b) {
        for (unsigned t = 0; t < 256; ++t) {
            uint32_t& q = quick[b << 8 | t];
            if (kind[b] == kSingle) {
                q = 1u << 16 | single[b];
            } else if (kind[b] == kLead) {
                const char16_t u = pairs[static_cast<size_t>(leadIndex[b]) * 256 + t];
                if (u != 0 && u != kMultiUnit)
                    q = 2u << 16 | u;
            }
        }
    }
}

// One unit on its own: its byte, (lead << 8 | trail), or "?" when iconv
// refuses it or writes it longer (which the device's code pages never do).
uint16_t CodePage::Impl::encodeOne(char16_t unit) {
    char out[16];
    size_t outLen = sizeof out;
    if (!enc.convert(reinterpret_cast<const char*>(&unit), 2, out, outLen))
        return '?';
    if (outLen == 1)
        return static_cast<uint8_t>(out[0]);
    if (outLen == 2)
        return static_cast<uint16_t>(static_cast<uint8_t>(out[0]) << 8 |
                                     static_cast<uint8_t>(out[1]));
    return '?';
}

// Asks iconv about a run of units in one call instead of one call each (a
// call costs far more than a character): each unit is followed by an LF,
// which every code page writes as the byte 0x0A and never inside another
// character, and iconv skips the units it can't write, so the output splits
// at the LFs into exactly one field per unit, empty for a refused one. When
// it doesn't split that way, the run is asked one unit at a time.
void CodePage::Impl::encodeRun(IconvHandle& skipping, const char16_t* units, size_t count) {
    std::vector<char16_t> in(count * 2);
    for (size_t k = 0; k < count; ++k) {
        in[2 * k] = units[k];
        in[2 * k + 1] = u'\n';
    }
    std::vector<char> out(count * 8 + 16);
    char* inPtr = reinterpret_cast<char*>(in.data());
    size_t inLeft = in.size() * 2;
    char* outPtr = out.data();
    size_t outLeft = out.size();
    iconv(skipping.handle(), nullptr, nullptr, nullptr, nullptr);
    // With skipping, iconv reports the skipped units as an error after it
    // has converted the rest.
    while (inLeft > 0) {
        const size_t before = inLeft;
        if (iconv(skipping.handle(), &inPtr, &inLeft, &outPtr, &outLeft) !=
                static_cast<size_t>(-1) ||
            errno != EILSEQ || inLeft == before)
            break;
    }
    std::vector<uint16_t> codes;
    codes.reserve(count);
    const char* field = out.data();
    const char* end = outPtr;
    while (inLeft == 0 && field < end && codes.size() < count) {
        const char* lf = static_cast<const char*>(std::memchr(field, '\n', end - field));
        if (!lf)
            break;
        const auto* f = reinterpret_cast<const uint8_t*>(field);
        const size_t length = static_cast<size_t>(lf - field);
        codes.push_back(length == 1   ? f[0]
                        : length == 2 ? static_cast<uint16_t>(f[0] << 8 | f[1])
                                      : '?');
        field = lf + 1;
    }
    const bool split = inLeft == 0 && codes.size() == count && field == end;
    for (size_t k = 0; k < count; ++k)
        encode[units[k]] = split ? codes[k] : encodeOne(units[k]);
}

void CodePage::Impl::buildEncode() {
    encode.assign(0x10000, '?');
    // The units below 0x80 one at a time: LF is among them.
    for (char16_t u = 0; u < 0x80; ++u)
        encode[u] = encodeOne(u);
    std::vector<char16_t> units;
    units.reserve(0x10000);
    for (uint32_t u = 0x80; u < 0x10000; ++u)
        if (u < 0xD800 || u > 0xDFFF)
            units.push_back(static_cast<char16_t>(u));
    IconvHandle skipping((name + "//IGNORE").constData(), "UTF-16LE");
    constexpr size_t kRun = 4096;
    for (size_t from = 0; from < units.size(); from += kRun) {
        const size_t count = std::min(kRun, units.size() - from);
        if (skipping.valid()) {
            encodeRun(skipping, units.data() + from, count);
        } else {
            for (size_t k = from; k < from + count; ++k)
                encode[units[k]] = encodeOne(units[k]);
        }
    }
    for (uint8_t b : controlBytes)
        encode[b] = b;
}

void CodePage::Impl::buildUtf8Forms() {
    utf8Forms.assign(quick.size(), 0);
    for (size_t i = 0; i < quick.size(); ++i) {
        const uint32_t q = quick[i];
        const uint32_t u = q & 0xFFFF, taken = q >> 16;
        uint32_t bytes = 0, length = 0;
        if (q == 0 || u == 0 || QChar::isSurrogate(static_cast<char16_t>(u))) {
            continue;
        } else if (u < 0x80) {
            bytes = u;
            length = 1;
        } else if (u < 0x800) {
            bytes = (0xC0u | u >> 6) | (0x80u | (u & 0x3F)) << 8;
            length = 2;
        } else {
            bytes = (0xE0u | u >> 12) | (0x80u | (u >> 6 & 0x3F)) << 8 | (0x80u | (u & 0x3F)) << 16;
            length = 3;
        }
        utf8Forms[i] = taken << 28 | length << 24 | bytes;
    }
}

template <typename Sink>
size_t CodePage::Impl::decodeAt(const uint8_t* src, size_t n, size_t i, Sink&& put) const {
    const uint8_t b = src[i];
    if (kind[b] == kSingle) {
        put(single[b]);
        return 1;
    }
    if (kind[b] == kBad || i + 1 >= n) {
        put(badUnit);
        return 1;
    }
    const uint8_t t = src[i + 1];
    const char16_t u = pairs[static_cast<size_t>(leadIndex[b]) * 256 + t];
    if (u == 0) {
        // A byte that can trail some character is taken as this character's
        // trail; any other byte starts the next character.
        put(badUnit);
        return trailSeen[t] ? 2 : 1;
    }
    if (u == kMultiUnit) {
        for (char16_t m : multi.at(static_cast<uint16_t>(b << 8 | t)))
            put(m);
        return 2;
    }
    put(u);
    return 2;
}

CodePage::CodePage(unsigned codePage)
    : codePage_(codePage), impl_(std::make_unique<Impl>(iconvNameOf(codePage))) {
    impl_->badUnit = codePage == 932 ? char16_t(0x30FB) : char16_t(0xFFFD);
    if (!impl_->valid()) {
        qCWarning(lcCodePage, "iconv has no code page %u; using 1252 instead", codePage);
        impl_ = std::make_unique<Impl>("CP1252");
    }
    impl_->buildSingles();
}

CodePage::~CodePage() = default;

unsigned CodePage::ansiCodePageFor(LANGID lang) {
    const unsigned primary = lang & 0x3FF;
    switch (primary) {
    case 0x11:
        return 932;
    case 0x12:
        return 949;
    case 0x04: // Chinese: Taiwan, Hong Kong and Macao use the traditional set.
        return (lang == 0x0404 || lang == 0x0C04 || lang == 0x1404) ? 950 : 936;
    case 0x1E:
        return 874;
    case 0x05:
    case 0x0E:
    case 0x15:
    case 0x18:
    case 0x1B:
    case 0x1C:
    case 0x24:
        return 1250;
    case 0x1A: // Serbian in Cyrillic script; Croatian and Serbian Latin are Central European.
        return (lang == 0x0C1A || lang == 0x1C1A) ? 1251 : 1250;
    case 0x02:
    case 0x19:
    case 0x22:
    case 0x23:
    case 0x2F:
    case 0x40:
    case 0x44:
    case 0x50:
        return 1251;
    case 0x08:
        return 1253;
    case 0x1F:
    case 0x2C:
    case 0x43:
        return 1254;
    case 0x0D:
        return 1255;
    case 0x01:
    case 0x20:
    case 0x29:
        return 1256;
    case 0x25:
    case 0x26:
    case 0x27:
        return 1257;
    case 0x2A:
        return 1258;
    default:
        return 1252;
    }
}

const CodePage& CodePage::get(unsigned codePage) {
    static std::mutex mutex;
    static std::map<unsigned, std::unique_ptr<CodePage>> pages;
    std::lock_guard lock(mutex);
    auto& slot = pages[codePage];
    if (!slot)
        slot = std::make_unique<CodePage>(codePage);
    return *slot;
}

const CodePage& CodePage::ansi(const Locale& locale) {
    return get(ansiCodePageFor(locale.systemDefaultLangId()));
}

int CodePage::MultiByteToWideChar(const char* src, int srcLen, char16_t* dst, int dstLen) const {
    if (!src || dstLen < 0 || (dstLen > 0 && !dst))
        return 0;
    const size_t n = srcLen < 0 ? std::strlen(src) + 1 : static_cast<size_t>(srcLen);
    if (n == 0)
        return 0;
    const auto* bytes = reinterpret_cast<const uint8_t*>(src);
    size_t count = 0;
    bool overflow = false;
    auto put = [&](char16_t u) {
        if (dstLen > 0) {
            if (count >= static_cast<size_t>(dstLen)) {
                overflow = true;
                return;
            }
            dst[count] = u;
        }
        ++count;
    };
    const Impl& m = impl_->reading();
    for (size_t i = 0; i < n && !overflow;)
        i += m.decodeAt(bytes, n, i, put);
    if (overflow || count > static_cast<size_t>(INT32_MAX))
        return 0;
    return static_cast<int>(count);
}

int CodePage::WideCharToMultiByte(const char16_t* src, int srcLen, char* dst, int dstLen) const {
    if (!src || dstLen < 0 || (dstLen > 0 && !dst))
        return 0;
    size_t n = 0;
    if (srcLen < 0) {
        while (src[n])
            ++n;
        ++n;
    } else {
        n = static_cast<size_t>(srcLen);
    }
    if (n == 0)
        return 0;
    size_t count = 0;
    const size_t cap = static_cast<size_t>(dstLen);
    const Impl& m = impl_->writing();
    for (size_t i = 0; i < n; ++i) {
        const char16_t u = src[i];
        uint16_t code = m.encode[u];
        // A surrogate pair is one character the code page can't hold.
        if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(src[i + 1]))
            ++i;
        const size_t len = code > 0xFF ? 2 : 1;
        if (dstLen > 0) {
            if (count + len > cap)
                return 0;
            if (len == 2)
                dst[count] = static_cast<char>(code >> 8);
            dst[count + len - 1] = static_cast<char>(code & 0xFF);
        }
        count += len;
    }
    return count > static_cast<size_t>(INT32_MAX) ? 0 : static_cast<int>(count);
}

CodePage::Utf8Forms CodePage::utf8Forms() const {
    Impl& m = impl_->reading();
    std::call_once(m.utf8FormsBuilt, [&m] { m.buildUtf8Forms(); });
    return Utf8Forms(m.utf8Forms.data());
}

CodePage::Codes CodePage::codes() const {
    return Codes(impl_->writing().encode.data());
}

bool CodePage::readsAlone(uint8_t byte, char16_t u) const {
    const Impl& m = impl_->reading();
    return m.kind[byte] == kSingle && m.single[byte] == u && !m.trailSeen[byte];
}

QString CodePage::toUnicode(QByteArrayView bytes) const {
    const Impl& m = impl_->reading();
    const auto* src = reinterpret_cast<const uint8_t*>(bytes.data());
    const size_t n = static_cast<size_t>(bytes.size());
    // A code page never gives more units than bytes, except for the rare
    // codes that read as two units; those take the slow path, which grows.
    QString out(bytes.size(), Qt::Uninitialized);
    char16_t* d = reinterpret_cast<char16_t*>(out.data());
    size_t k = 0;
    auto put = [&](char16_t u) {
        if (k >= static_cast<size_t>(out.size())) {
            out.resize(out.size() * 2 + 2);
            d = reinterpret_cast<char16_t*>(out.data());
        }
        d[k++] = u;
    };
    for (size_t i = 0; i < n;) {
        const uint8_t b = src[i];
        // Every fast path gives at most one unit per byte, so k <= i holds and
        // the buffer of n units has room.
        if (b < 0x80 && m.asciiReadsAsIs && i + 8 <= n) {
            uint64_t x;
            std::memcpy(&x, src + i, 8);
            if ((x & 0x8080808080808080ULL) == 0) {
                for (int j = 0; j < 8; ++j)
                    d[k + j] = src[i + j];
                k += 8;
                i += 8;
                continue;
            }
        }
        if (i + 1 < n) {
            const uint32_t q = m.quick[static_cast<size_t>(b) << 8 | src[i + 1]];
            if (__builtin_expect(q >> 16 == 2, 1)) {
                d[k++] = static_cast<char16_t>(q);
                i += 2;
                continue;
            }
            if (q != 0) {
                d[k++] = static_cast<char16_t>(q);
                ++i;
                continue;
            }
        }
        const uint8_t kind = m.kind[b];
        if (kind == kSingle) {
            d[k++] = m.single[b];
            ++i;
            continue;
        }
        if (kind == kLead && i + 1 < n) {
            const char16_t u = m.pairs[static_cast<size_t>(m.leadIndex[b]) * 256 + src[i + 1]];
            if (u != 0 && u != kMultiUnit) {
                d[k++] = u;
                i += 2;
                continue;
            }
        }
        i += m.decodeAt(src, n, i, put);
        // A code read as more units than it has bytes moves k ahead of i:
        // keep room for one unit per remaining byte.
        if (k + (n - i) > static_cast<size_t>(out.size())) {
            out.resize(static_cast<qsizetype>(k + (n - i)));
            d = reinterpret_cast<char16_t*>(out.data());
        }
    }
    out.truncate(static_cast<qsizetype>(k));
    return out;
}

QByteArray CodePage::fromUnicode(QStringView text) const {
    QByteArray out;
    const auto* src = reinterpret_cast<const char16_t*>(text.utf16());
    const qsizetype n = text.size();
    if (n == 0)
        return out;
    const Impl& m = impl_->writing();
    out.resize(n * 2);
    char* dst = out.data();
    qsizetype count = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = src[i];
        const uint16_t code = m.encode[u];
        if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(src[i + 1]))
            ++i;
        if (code > 0xFF)
            dst[count++] = static_cast<char>(code >> 8);
        dst[count++] = static_cast<char>(code & 0xFF);
    }
    out.truncate(count);
    return out;
}
