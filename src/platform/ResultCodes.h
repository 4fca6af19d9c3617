#pragma once

#include <cstdint>

// 32-bit result codes shared by the converters, the file operations and the
// dialogs: 0 is success; 0x2000xxxx argument and resource errors; 0x2001xxxx
// an item not done while an operation goes on; 0x2002xxxx the user's decisions.
using RESULT = uint32_t;

namespace rc {
constexpr RESULT SUCCESS = 0;
constexpr RESULT INVALID_ARGUMENT = 0x20000002;
constexpr RESULT OUT_OF_MEMORY = 0x20000004;
constexpr RESULT CONVERSION_EMPTY = 0x20000013;
} // namespace rc
