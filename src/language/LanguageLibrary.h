#pragma once

#include "DynamicLibrary.h"
#include "Locale.h"
#include "ResourceSources.h"

#include <QString>
#include <cstdint>
#include <memory>

namespace language {

constexpr uint32_t kAcceptedVersion = 584;
constexpr uint32_t RESULT_OK = 0;
constexpr uint32_t RESULT_NO_PATH = 0x2001000B;
constexpr uint32_t RESULT_NOT_A_LIBRARY = 0x20000017;

struct Validation {
    uint32_t result = RESULT_NO_PATH;
    uint32_t version = 0;
    LANGID languageId = 0;
    QString name; // the library's language, named in the wanted language
    // A library the editor accepts: it validates and is made for this version.
    bool accepted() const { return result == RESULT_OK && version == kAcceptedVersion; }
};

// Loads the library, reads its information block and the name of its
// language in `wanted`, and releases it again.
Validation Validate(const QString& path, LANGID wanted);

} // namespace language

// A language library loaded to supply the user interface's resources. Texts
// it lacks come from the program's own resources.
class LibraryResourceSource : public TranslatedResourceSource {
  public:
    // Null when the file can't be loaded.
    static std::shared_ptr<LibraryResourceSource> load(const QString& path);

    std::optional<QString> loadString(uint32_t id) const override;
    std::optional<QString> loadMenuText(int menuId, int key) const override;
    std::optional<QString> loadDialogText(int dialogId, int controlId) const override;

    // GetLanguageID of the library, 0 when it lacks the export.
    LANGID languageId() const;
    const QString& path() const { return library_.path(); }

  private:
    LibraryResourceSource() = default;
    mutable DynamicLibrary library_;
};

// The language of a resource source: 0x0411 for none and for the program's
// own resources, else the library's GetLanguageID.
LANGID LanguageIdOf(const ResourceSource* source);
