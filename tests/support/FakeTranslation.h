#pragma once

#include "ResourceSources.h"

#include <map>
#include <memory>

// A translated resource source made in a test: it holds only the texts put
// into it and gives the program's own for the rest. Installed by install(),
// removed again when the guard goes.
class FakeTranslation : public TranslatedResourceSource {
  public:
    std::map<uint32_t, QString> strings;
    std::map<std::pair<int, int>, QString> menuTexts;   // (menu id, text key)
    std::map<std::pair<int, int>, QString> dialogTexts; // (dialog id, control id)

    std::optional<QString> loadString(uint32_t id) const override {
        if (const auto found = strings.find(id); found != strings.end())
            return found->second;
        return BuiltinStrings().loadString(id);
    }
    std::optional<QString> loadMenuText(int menuId, int key) const override {
        return find(menuTexts, {menuId, key});
    }
    std::optional<QString> loadDialogText(int dialogId, int controlId) const override {
        return find(dialogTexts, {dialogId, controlId});
    }

    struct Guard {
        ~Guard() { res::setResourceSource(nullptr); }
    };
    [[nodiscard]] static Guard install(std::shared_ptr<FakeTranslation> source) {
        res::setResourceSource(std::move(source));
        return {};
    }

  private:
    static std::optional<QString> find(const std::map<std::pair<int, int>, QString>& texts,
                                       std::pair<int, int> key) {
        const auto found = texts.find(key);
        return found == texts.end() ? std::nullopt : std::optional(found->second);
    }
};
