#pragma once

// The tables behind CodePage (and only for its use): what each byte, pair
// and BMP character of a code page is, asked of iconv once per code page.
#include <QByteArray>

#include <array>
#include <cstdint>
#include <iconv.h>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace codepage {

constexpr char16_t kMultiUnit = 0xFFFF; // a code that reads as two UTF-16 units
constexpr uint8_t kSingle = 0, kLead = 1, kBad = 2;

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

// Each direction's tables are filled on its first use: a process that only
// reads a code page (or only writes it) never pays for the other direction,
// and filling them is a noticeable part of converting a file from the
// command line.
struct CodePageTables {
    explicit CodePageTables(const QByteArray& iconvName)
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
    // Bytes iconv refuses that the device reads as a character of their own
    // and writes back (see buildSingles).
    std::vector<std::pair<uint8_t, char16_t>> extraSingles;

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

    // Filled on the first straight conversion to UTF-8: (byte << 8 | next
    // byte) -> the UTF-8 form of quick's unit (CodePage::Utf8Forms).
    std::once_flag utf8FormsBuilt;
    std::vector<uint32_t> utf8Forms;

    void buildSingles();
    void buildPairs();
    void buildEncode();
    void encodeRun(IconvHandle& skipping, const char16_t* units, size_t count);
    uint16_t encodeOne(char16_t unit);
    void buildUtf8Forms();

    CodePageTables& reading() {
        std::call_once(pairsBuilt, [this] { buildPairs(); });
        return *this;
    }
    CodePageTables& writing() {
        std::call_once(encodeBuilt, [this] { buildEncode(); });
        return *this;
    }
    const std::vector<uint32_t>& utf8FormsTable() {
        reading();
        std::call_once(utf8FormsBuilt, [this] { buildUtf8Forms(); });
        return utf8Forms;
    }

    // Decodes one character at src[i]; writes up to two units through put,
    // and calls bad(at) for each byte of a character it can't read.
    template <typename Sink, typename Bad>
    size_t decodeAt(const uint8_t* src, size_t n, size_t i, Sink&& put, Bad&& bad) const;
};

template <typename Sink, typename Bad>
size_t CodePageTables::decodeAt(const uint8_t* src, size_t n, size_t i, Sink&& put,
                                Bad&& bad) const {
    const uint8_t b = src[i];
    if (kind[b] == kSingle) {
        put(single[b]);
        return 1;
    }
    if (kind[b] == kBad || i + 1 >= n) {
        bad(i);
        return 1;
    }
    const uint8_t t = src[i + 1];
    const char16_t u = pairs[static_cast<size_t>(leadIndex[b]) * 256 + t];
    if (u == 0) {
        // A byte that can trail some character is taken as this character's
        // trail; any other byte starts the next character.
        bad(i);
        if (!trailSeen[t])
            return 1;
        bad(i + 1);
        return 2;
    }
    if (u == kMultiUnit) {
        for (char16_t m : multi.at(static_cast<uint16_t>(b << 8 | t)))
            put(m);
        return 2;
    }
    put(u);
    return 2;
}

} // namespace codepage
