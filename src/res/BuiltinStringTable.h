#pragma once

#include <cstdint>
#include <span>

namespace res {

// One entry of the program's own string table.
struct StringEntry {
    uint32_t id;
    const char16_t* text;
};

// The whole built-in table, sorted by id, each id once.
std::span<const StringEntry> builtinStringEntries();

} // namespace res
