#pragma once

#include "StringTable.h"

#include <cstdint>
#include <functional>
#include <memory>

// A resource source that carries menu texts and dialog texts too: the
// translated set of a UI language library. Menu texts go by menu id and the
// item's text key (see res::textKey), dialog texts by dialog id and
// control id (see DialogTexts.h). A text it lacks is the program's own.
class TranslatedResourceSource : public ResourceSource {
  public:
    virtual std::optional<QString> loadMenuText(int menuId, int key) const = 0;
    virtual std::optional<QString> loadDialogText(int dialogId, int controlId) const = 0;
};

namespace res {

// The current source (the built-in one when none was set).
std::shared_ptr<const ResourceSource> resourceSource();
// Counts the replacements of the source, so that menus translated from one
// source are built again after a switch. 0 while the built-in set is used.
uint64_t resourceGeneration();

// Every text of the program's own menus with its menu id and the item's text
// key (res::textKey: a command's id, or kPopupTextKey plus a pop-up's id). The
// menus loaded while a translated source is current take its text for each
// key it has. A command that stands in several pop-ups of one menu comes once
// per place, under the same key.
void forEachBuiltinMenuText(const std::function<void(int menuId, int key, const QString& text)>& fn);

} // namespace res
