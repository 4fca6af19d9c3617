#pragma once

#include <cstdint>

// A file time: 100-nanosecond intervals since 1601-01-01 UTC.
using FILETIME = uint64_t;

namespace filetime {

// 100-nanosecond intervals between 1601-01-01 and 1970-01-01.
constexpr int64_t kEpochDifference = 116444736000000000LL;

// A time before 1601 becomes 0.
constexpr FILETIME fromUnix(int64_t seconds, int64_t nanoseconds) {
    const int64_t ticks = seconds * 10000000LL + nanoseconds / 100 + kEpochDifference;
    return ticks < 0 ? 0 : FILETIME(ticks);
}

constexpr int64_t toUnixMsecs(FILETIME time) {
    return (int64_t(time) - kEpochDifference) / 10000;
}

} // namespace filetime
