#include "DetectorScans.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace detectorscan {

#if defined(__SSE2__)

namespace {

constexpr uint64_t kOddBits = 0xAAAAAAAAAAAAAAAAULL;

__m128i splat(int byte) {
    return _mm_set1_epi8(static_cast<char>(byte));
}
__m128i equal(__m128i x, int byte) {
    return _mm_cmpeq_epi8(x, splat(byte));
}
// Bytes lo-hi: shifting lo to -128 makes the range one signed comparison.
__m128i inRange(__m128i x, int lo, int hi) {
    return _mm_cmplt_epi8(_mm_add_epi8(x, splat(0x80 - lo)), splat(hi - lo - 127));
}
// Bytes from lo up.
__m128i atLeast(__m128i x, int lo) {
    return _mm_cmpeq_epi8(_mm_max_epu8(x, splat(lo)), x);
}
__m128i isTabLfCr(__m128i x) {
    return _mm_or_si128(_mm_or_si128(equal(x, 0x09), equal(x, 0x0A)), equal(x, 0x0D));
}
uint64_t bitsOf(__m128i m, int part) {
    return static_cast<uint64_t>(static_cast<uint16_t>(_mm_movemask_epi8(m))) << (16 * part);
}

// The positions that are trail bytes when the bytes in leads (those that can
// start a two-byte character) are taken in turn as lead and trail, as the
// walks take them: the byte after a lead is its trail even when it could lead
// itself. carry says that the block's first byte is a trail, and is set for
// the next block. This is the way fast JSON scanners find escaped characters
// after runs of backslashes: a subtraction carries through each run.
uint64_t trailsOf(uint64_t leads, uint64_t& carry) {
    const uint64_t potential = leads & ~carry;
    const uint64_t code = (((potential << 1) | kOddBits) - potential) ^ kOddBits;
    const uint64_t trails = code ^ (leads | carry);
    carry = (code & leads) >> 63;
    return trails;
}

} // namespace

size_t shiftJisPrefix(const uint8_t* p, size_t n, size_t from) {
    size_t i = from;
    uint64_t carry = 0;
    for (; i + 64 <= n; i += 64) {
        // Lead bytes, bytes passing alone, bytes passing as a trail.
        uint64_t leads = 0, singles = 0, trailing = 0;
        for (int part = 0; part < 4; ++part) {
            const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 16 * part));
            const __m128i kana = inRange(x, 0xA1, 0xDF);
            leads |= bitsOf(_mm_or_si128(inRange(x, 0x81, 0x9F), inRange(x, 0xE0, 0xEF)), part);
            singles |= bitsOf(
                _mm_or_si128(_mm_or_si128(inRange(x, 0x20, 0x7E), kana), isTabLfCr(x)), part);
            trailing |= bitsOf(_mm_or_si128(inRange(x, 0x40, 0x7E), inRange(x, 0x80, 0xFC)), part);
        }
        uint64_t next = carry;
        const uint64_t trails = trailsOf(leads, next);
        // A lead byte passes in either place (leads trail too); any other
        // byte must pass as what its place makes it.
        if (~leads & ((trails & ~trailing) | (~trails & ~singles)))
            break;
        carry = next;
    }
    // A lead just before i has its trail at i: the walk starts at the lead.
    return i - carry;
}

size_t eucPrefix(const uint8_t* p, size_t n, size_t from) {
    size_t i = from;
    uint64_t carry = 0;
    for (; i + 64 <= n; i += 64) {
        uint64_t upper = 0, ascii = 0; // 0xA1-0xFE; bytes passing alone
        for (int part = 0; part < 4; ++part) {
            const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 16 * part));
            upper |= bitsOf(inRange(x, 0xA1, 0xFE), part);
            ascii |= bitsOf(_mm_or_si128(inRange(x, 0x20, 0x7E), isTabLfCr(x)), part);
        }
        uint64_t next = carry;
        const uint64_t seconds = trailsOf(upper, next);
        if (~upper & (seconds | ~ascii))
            break;
        carry = next;
    }
    return i - carry;
}

size_t utf8Prefix(const uint8_t* p, size_t n, size_t from, bool& sawSequence) {
    size_t i = from;
    uint64_t spill = 0; // continuation bytes the last block's sequences ask of this one
    for (; i + 64 <= n; i += 64) {
        uint64_t lead2 = 0, lead3 = 0, continuation = 0, other = 0;
        for (int part = 0; part < 4; ++part) {
            const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 16 * part));
            lead2 |= bitsOf(atLeast(x, 0xC0), part);
            lead3 |= bitsOf(atLeast(x, 0xE0), part);
            // As signed bytes 0x80-0xBF are the ones below -64.
            continuation |= bitsOf(_mm_cmplt_epi8(x, splat(0xC0)), part);
            // Controls but TAB, LF and CR (refused); leads of 4 bytes and
            // more (left to the walk).
            const __m128i control = _mm_andnot_si128(isTabLfCr(x), inRange(x, 0x00, 0x1F));
            other |= bitsOf(_mm_or_si128(control, atLeast(x, 0xF0)), part);
        }
        const uint64_t wanted = (lead2 << 1) | (lead3 << 2) | spill;
        if ((wanted ^ continuation) | other)
            break;
        sawSequence = sawSequence || lead2 != 0;
        spill = (lead2 >> 63) | (lead3 >> 62);
    }
    // A sequence running over into the next block starts in the last two
    // bytes of this one: the walk starts at its lead.
    if (spill != 0)
        return p[i - 1] >= 0xC0 ? i - 1 : i - 2;
    return i;
}

size_t countLineBreaks(const uint8_t* p, size_t n, uint64_t& crs, uint64_t& lfs, uint64_t& pairs) {
    const __m128i zero = _mm_setzero_si128();
    auto load = [p](size_t at) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + at));
    };
    auto sum = [zero](__m128i counts) {
        const __m128i s = _mm_sad_epu8(counts, zero);
        return static_cast<uint64_t>(_mm_cvtsi128_si64(s)) +
               static_cast<uint64_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(s, s)));
    };
    size_t i = 0;
    // Each lane counts in a byte: at most 255 steps before the lanes are summed.
    while (i + 16 + 3 <= n) {
        __m128i crCount = zero, lfCount = zero, pairCount = zero;
        for (int step = 0; step < 255 && i + 16 + 3 <= n; ++step, i += 16) {
            const __m128i x = load(i), x1 = load(i + 1);
            const __m128i cr = equal(x, 0x0D);
            // A CR pairs with an LF byte after it, or with the LF unit of
            // UTF-16 little endian (00 0A 00).
            const __m128i utf16Lf =
                _mm_and_si128(_mm_and_si128(_mm_cmpeq_epi8(x1, zero), equal(load(i + 2), 0x0A)),
                              _mm_cmpeq_epi8(load(i + 3), zero));
            const __m128i pair = _mm_and_si128(cr, _mm_or_si128(equal(x1, 0x0A), utf16Lf));
            crCount = _mm_sub_epi8(crCount, cr);
            lfCount = _mm_sub_epi8(lfCount, equal(x, 0x0A));
            pairCount = _mm_sub_epi8(pairCount, pair);
        }
        crs += sum(crCount);
        lfs += sum(lfCount);
        pairs += sum(pairCount);
    }
    return i;
}

#else

size_t shiftJisPrefix(const uint8_t*, size_t, size_t from) {
    return from;
}
size_t eucPrefix(const uint8_t*, size_t, size_t from) {
    return from;
}
size_t utf8Prefix(const uint8_t*, size_t, size_t from, bool&) {
    return from;
}
size_t countLineBreaks(const uint8_t*, size_t, uint64_t&, uint64_t&, uint64_t&) {
    return 0;
}

#endif

} // namespace detectorscan
