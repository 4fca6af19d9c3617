#pragma once

#include "Locale.h"
#include "SettingsTable.h"

#include <QString>
#include <QStringList>
#include <functional>

class ProfileStore;

// Reads and writes the editor's preferences by name through the profile
// store. Each name knows its section and default from the settings table, so
// callers never pass defaults of their own. A name that is not in the table
// is a programming error: it reads as 0 or "" and cannot be written.
class Settings {
  public:
    // installedFontFamilies: the font families of the screen (from the font
    // database in the application); asked only when a face-name default is
    // needed. Without it no preferred face counts as installed.
    Settings(ProfileStore& store, Locale locale,
             std::function<QStringList()> installedFontFamilies = {});

    int getInt(const QString& name) const;
    bool writeInt(const QString& name, int value);
    QString getString(const QString& name) const;
    bool writeString(const QString& name, const QString& value);
    // Deletes the value, so that it reads as its default again.
    bool deleteValue(const QString& name);

    // The table's default for this machine.
    int defaultInt(const QString& name) const;
    QString defaultString(const QString& name) const;
    // The default of FONT1_NAME ... FONT4_NAME.
    QString defaultFaceName() const;

    // Deletes every font value, in the order of
    // settings_table::fontValueNamesInDeletionOrder(), so the fonts return to
    // their defaults. The results of the single deletions are not examined.
    void deleteFontValues();

    ProfileStore& store() const { return store_; }
    const Locale& locale() const { return locale_; }

  private:
    ProfileStore& store_;
    Locale locale_;
    std::function<QStringList()> installedFontFamilies_;
};
