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

// Fills one argument into a message text the way the device's wsprintf does:
// the first "%s" (or "%d", "%ld", "%02d", "%2d", ...) takes the argument, with
// its width and zero padding; "%%" and other conversion fields are left for the
// following calls. Texts with several numbers take one call per number, in
// order. A format without a matching conversion field comes back unchanged.
QString substitute(QString format, const QString& s);
QString substitute(QString format, int number);
} // namespace res
