#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

// Helpers shared by the fuzz targets: the first input byte often picks a
// variant, the rest is the data.
namespace fuzz {

inline QByteArray bytes(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// Arbitrary UTF-16 from the input bytes, lone surrogates included.
inline QString utf16(const uint8_t* data, size_t size) {
    return QString(reinterpret_cast<const QChar*>(data), static_cast<qsizetype>(size / 2));
}

// Stops the run with a crash report when a property fails.
inline void check(bool condition) {
    if (!condition)
        __builtin_trap();
}

} // namespace fuzz
