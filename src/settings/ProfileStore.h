#pragma once

#include <QString>
#include <optional>

class Registry;

// Named values below HKEY_CURRENT_USER\Software\<company>\Tavlo Text Editor\<section>.
// Every operation opens the keys, does its one query or write and closes them
// again; until SetRegistryKey has been called reads give their default and
// writes fail without touching the registry.
class ProfileStore {
  public:
    explicit ProfileStore(Registry& registry);

    void SetRegistryKey(const QString& companyName);
    bool hasRegistryKey() const { return !company_.isEmpty(); }

    int GetProfileInt(const QString& section, const QString& entry, int defaultValue) const;
    bool WriteProfileInt(const QString& section, const QString& entry, int value);
    QString GetProfileString(const QString& section, const QString& entry,
                             const QString& defaultValue) const;
    // A missing value deletes the entry; a missing entry deletes the whole section key.
    bool WriteProfileString(const QString& section, const std::optional<QString>& entry,
                            const std::optional<QString>& value);

    Registry& registry() const { return registry_; }
    // "Software\Orvane\Tavlo Text Editor", or empty before SetRegistryKey.
    QString applicationKeyPath() const;

  private:
    Registry& registry_;
    QString company_;
};
