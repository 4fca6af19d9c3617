#pragma once

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

// A source of the program's resources: the program's own Japanese set, or
// the translated set of a UI language library. Strings go by their string
// id, menu texts by menu id and item number (see res::forEachMenuText),
// dialog texts by dialog id and control id (see DialogTexts.h).
class ResourceSource {
  public:
    virtual ~ResourceSource() = default;
    virtual std::optional<QString> loadString(uint32_t id) const = 0;
    virtual std::optional<QString> loadMenuText(int /*menuId*/, int /*item*/) const {
        return std::nullopt;
    }
    virtual std::optional<QString> loadDialogText(int /*dialogId*/, int /*controlId*/) const {
        return std::nullopt;
    }
};

// The program's own resources: every numbered string and message text, and
// the dialog texts. Its menus are the built-in menu tables themselves.
class BuiltinStrings : public ResourceSource {
  public:
    std::optional<QString> loadString(uint32_t id) const override;
    std::optional<QString> loadDialogText(int dialogId, int controlId) const override;
};

namespace res {
// Loads a string from the current source. Absent ids give std::nullopt; a
// fallback text is the caller's business.
std::optional<QString> loadString(uint32_t id);
// The string, or the fallback when it can't be loaded.
QString loadString(uint32_t id, const QString& fallback);
// Replaces the current source (nullptr restores the built-in table).
void setResourceSource(std::shared_ptr<const ResourceSource> source);
// The current source (the built-in one when none was set).
std::shared_ptr<const ResourceSource> resourceSource();
// Counts the replacements of the source, so that translated menus built from
// one source are rebuilt after a switch. 0 while the built-in set is used.
uint64_t resourceGeneration();

// Fills one argument into a message text the way the device's wsprintf does:
// the first "%s" (or "%d", "%ld", "%02d", "%2d", ...) takes the argument, with
// its width and zero padding; "%%" and other conversion fields are left for the
// following calls. Texts with several numbers take one call per number, in
// order. A format without a matching conversion field comes back unchanged.
QString substitute(QString format, const QString& s);
QString substitute(QString format, int number);
} // namespace res
