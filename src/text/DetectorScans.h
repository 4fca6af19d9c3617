#pragma once

#include <cstddef>
#include <cstdint>

// Scans that let the detectors skip the bulk of a file 64 bytes at a time
// (SSE2, which every x86-64 processor has; elsewhere they skip nothing).
// Each starts at from, the start of a character in its detector's byte walk,
// and returns a position up to which that walk certainly accepts the bytes
// and which is again the start of a character: the walk goes on from there. A scan stops at the
// first block it can't vouch for, either because the walk would refuse a byte in it or because it
// holds a rarer form the scan leaves to the walk; the walk then gives the answer.

namespace detectorscan {

// IsShiftJisText.
size_t shiftJisPrefix(const uint8_t* p, size_t n, size_t from);
// IsEucText; blocks with 0x8E or 0x8F are left to the walk.
size_t eucPrefix(const uint8_t* p, size_t n, size_t from);
// IsUtf8Text; sets sawSequence when the skipped bytes hold a multi-byte
// sequence (so asciiOnly is false). Blocks with 4- to 6-byte sequences are
// left to the walk.
size_t utf8Prefix(const uint8_t* p, size_t n, size_t from, bool& sawSequence);

// The counts of DetectLineEnding over a prefix: CR bytes, LF bytes and CRs
// that pair (followed by LF, or by 00 0A 00). Returns the length of the
// prefix counted, which leaves at least three bytes after it for the last
// CRs' look-ahead.
size_t countLineBreaks(const uint8_t* p, size_t n, uint64_t& crs, uint64_t& lfs, uint64_t& pairs);

} // namespace detectorscan
