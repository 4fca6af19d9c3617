#pragma once

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

// A source of numbered strings: the program's own table, or one that a UI
// language library provides in its place.
class ResourceSource {
public:
    virtual ~ResourceSource() = default;
    virtual std::optional<QString> loadString(uint32_t id) const = 0;
};

// The program's own string table: every numbered string and message text.
class BuiltinStrings : public ResourceSource {
public:
    std::optional<QString> loadString(uint32_t id) const override;
};

namespace res {
// Loads a string from the current source. Absent ids give std::nullopt; a
// fallback text is the caller's business.
std::optional<QString> loadString(uint32_t id);
// The string, or the fallback when it can't be loaded.
QString loadString(uint32_t id, const QString& fallback);
// Replaces the current source (nullptr restores the built-in table).
void setResourceSource(std::shared_ptr<const ResourceSource> source);
} // namespace res
