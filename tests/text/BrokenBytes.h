#pragma once

#include <QByteArray>
#include <iterator>
#include <random>
#include <string_view>

// Byte strings made of the pieces broken files are made of, in random order.
namespace brokenbytes {

using namespace std::string_view_literals;

// Valid characters of each set and the ways they break: cut characters,
// bytes a code page can't read, lone breaks, user-defined and IBM extension
// codes, half-width katakana, escape sequences, surrogates and marks.
// clang-format off
inline constexpr std::string_view kPieces[] = {
    "a"sv, "\r"sv, "\n"sv, "\r\n"sv, "\t"sv, "\\"sv, "~"sv, "\x1b"sv, "\x1b$B"sv, "\x1b(B"sv,
    "\x1b(I"sv, "\x1b$"sv, "\x1b(Z"sv, "\x1b$@"sv, "\x1b&@\x1b$B"sv, "\x1b$(D"sv, "\x1b(J"sv,
    "$\""sv, "1"sv, "\x82\xa0"sv, "\x88\x9f"sv, "\xb1"sv, "\xb6\xde"sv, "\x85\x40"sv, "\x82"sv,
    "\x80"sv, "\xa0"sv, "\xfd"sv, "\xfe"sv, "\xff"sv, "\xa4\xa2"sv, "\x8e\xb1"sv, "\x8e\x41"sv,
    "\x8e"sv, "\x8f\xa1\xa1"sv, "\x8f"sv, "\xa4"sv, "\xf5\xa1"sv, "\xfe\xfe"sv, "\xe3\x81\x82"sv,
    "\xe3\x81"sv, "\xc3\xa9"sv, "\xc3"sv, "\xe2\x80\x94"sv, "\xc0\x80"sv, "\xe0\x80\x80"sv,
    "\xed\xa0\x80"sv, "\xed\xb0\x80"sv, "\xed\xa0\x80\xed\xb0\x80"sv, "\xf0\x9f\x98\x80"sv,
    "\xf0\x9f\x98"sv, "\xf4\x8f\xb8\x80"sv, "\xf4\x90\x80\x80"sv, "\xf8\x88\x80\x80\x80"sv,
    "\xbf"sv, "\xef\xbb\xbf"sv, "\xff\xfe"sv, "\xfe\xff"sv, "\xff\xdb\x41\xde"sv, "\x00\xd8"sv,
    "\xdb\xff\xde\x41"sv, "\x87\x40"sv, "\xfa\x40"sv, "\xfa\x5c"sv, "\xed\x40"sv, "\xfb\xfc"sv,
    "\xf0\x40"sv, "\xad\xa1"sv, "\0"sv,
};
// clang-format on

// Up to 14 pieces.
inline QByteArray crafted(std::mt19937& rng) {
    QByteArray bytes;
    const int count = std::uniform_int_distribution<int>(0, 14)(rng);
    for (int k = 0; k < count; ++k) {
        const std::string_view piece =
            kPieces[std::uniform_int_distribution<size_t>(0, std::size(kPieces) - 1)(rng)];
        bytes.append(piece.data(), qsizetype(piece.size()));
    }
    return bytes;
}

// Up to 24 bytes of any value.
inline QByteArray randomBytes(std::mt19937& rng) {
    QByteArray bytes(std::uniform_int_distribution<int>(0, 24)(rng), Qt::Uninitialized);
    for (char& c : bytes)
        c = static_cast<char>(rng());
    return bytes;
}

} // namespace brokenbytes
