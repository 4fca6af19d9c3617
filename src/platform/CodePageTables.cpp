#include "CodePageTables.h"

#include <QChar>

#include <cerrno>
#include <cstring>

namespace codepage {

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
// here and in buildEncode. Code page 932 does the same for the single bytes
// 0x80, 0xA0 and 0xFD-0xFF, which it reads as U+0080, U+F8F0 and
// U+F8F1-U+F8F3.
void CodePageTables::buildSingles() {
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
            extraSingles.emplace_back(static_cast<uint8_t>(b), static_cast<char16_t>(b));
        }
    }
    if (name == "CP932") {
        const std::pair<uint8_t, char16_t> device[] = {
            {0x80, 0x0080}, {0xA0, 0xF8F0}, {0xFD, 0xF8F1}, {0xFE, 0xF8F2}, {0xFF, 0xF8F3}};
        for (const auto& [b, u] : device)
            if (kind[b] == kBad && encodeOne(u) == '?')
                extraSingles.emplace_back(b, u);
    }
    for (const auto& [b, u] : extraSingles) {
        kind[b] = kSingle;
        single[b] = u;
    }
    asciiReadsAsIs = true;
    for (unsigned b = 0; b < 0x80; ++b)
        asciiReadsAsIs = asciiReadsAsIs && kind[b] == kSingle && single[b] == b;
}

void CodePageTables::buildPairs() {
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
uint16_t CodePageTables::encodeOne(char16_t unit) {
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
void CodePageTables::encodeRun(IconvHandle& skipping, const char16_t* units, size_t count) {
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

void CodePageTables::buildEncode() {
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
    for (const auto& [b, u] : extraSingles)
        encode[u] = b;
}

void CodePageTables::buildUtf8Forms() {
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

} // namespace codepage
