#pragma once

#include "LanguageLibrary.h"
#include "Locale.h"

#include <QString>
#include <memory>
#include <vector>

class Settings;

// One row of the list of registered libraries. The built-in row (the
// program's own Japanese resources) has an empty path.
struct LanguageLibraryEntry {
    LANGID languageId = 0;
    QString path;
    QString name;
    bool operator==(const LanguageLibraryEntry&) const = default;
};

// The user-interface language: which resources the program shows, the
// libraries registered under the application key's "Language" sub-key, and
// the font settings kept per language under "Language\<id>".
class UiLanguage {
  public:
    // settings must outlive this object.
    explicit UiLanguage(Settings& settings);

    // The built-in row in the user's language, then every registered library
    // that is accepted, each (language, name) once, in registration order.
    std::vector<LanguageLibraryEntry> ListRegistered(LANGID userLanguage) const;

    // Registers every accepted library in `folder` (value name = file name)
    // that isn't registered yet, and drops registrations whose file is gone.
    void autoRegister(const QString& folder);

    // Makes the library at `path` (trimmed; empty: the program's own
    // resources) the source of every string, menu and dialog loaded from
    // now on. With fonts, the font settings of the old language are kept
    // and those of the new one brought back. False, changing nothing, when
    // the library can't be loaded.
    bool SwitchTo(const QString& path, bool withFonts);

    void SaveFontSnapshot(LANGID id);
    void RestoreFontSnapshot(LANGID id);

    // The language of the current resources (0x0411: the program's own).
    LANGID currentLanguageId() const;
    // The path of the current library, empty for the program's own resources.
    QString currentPath() const;

  private:
    QString languageKeyPath() const;

    Settings& settings_;
    std::shared_ptr<LibraryResourceSource> current_;
};
