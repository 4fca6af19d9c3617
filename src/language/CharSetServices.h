#pragma once

#include "CharSet.h"
#include "Locale.h"

#include <QByteArrayView>
#include <QString>
#include <functional>

class Settings;

// The character-set services the loader, the writer and the file dialogs use:
// detection, label lookups and the lists of the "コード" drop-down. Each call
// reads the language library path (the setting UI_LANGUAGE_DLL_PATH), loads
// that library for the one call and releases it; an empty path means the
// program's own behaviour. Failures fall back silently.
class CharSetServices {
  public:
    // libraryPath is asked at every call.
    CharSetServices(std::function<QString()> libraryPath, Locale locale);
    // Reads UI_LANGUAGE_DLL_PATH from settings, which must outlive this object.
    explicit CharSetServices(const Settings& settings);

    struct Detection {
        bool called;    // the library's detector answered
        CharSetId code; // its answer, -1 when not called
    };
    Detection Detect(QByteArrayView bytes) const;

    // The set the loader uses for automatic detection: the library's
    // detector, else the built-in one for the system language; always 1-8.
    CharSetId DetectForLoading(QByteArrayView bytes) const;

    CharSetId CodeFromName(const QString& label) const;
    CharSetId CodeFromListIndex(const QString& list, int index) const;
    // Empty when the configured library can't be loaded.
    QString CodeSetList(bool withAutoDetect) const;

    struct ListIndex {
        bool found;
        int index; // -1 when not found
    };
    ListIndex ListIndexOf(uint32_t reserved, CharSetId code, const QString& list) const;

    // The lists the file dialogs fall back to when CodeSetList is empty.
    static QString fallbackOpenList();
    static QString fallbackSaveList();

  private:
    QString libraryPath() const;

    std::function<QString()> libraryPath_;
    Locale locale_;
};

// The program's own index lookup, with its diagnostic lines.
CharSetServices::ListIndex builtinListIndexOf(CharSetId code, const QString& list);
