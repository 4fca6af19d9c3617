#pragma once

#include "ProfileStore.h"
#include "Registry.h"
#include "Settings.h"

#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

// The program's keys under HKEY_CURRENT_USER.
inline const QString kAppKey = QStringLiteral("Software\\Orvane\\Tavlo Text Editor");
inline const QString kSettingsKey = kAppKey + QStringLiteral("\\SETTINGS");

// A registry database of its own in a temporary folder, the editor's profile
// over it (company key "Orvane") and the settings read from it: what a fresh
// installation starts with.
class TempProfile {
  public:
    explicit TempProfile(std::function<QStringList()> fontFamilies = {}) {
        registry_ = std::make_unique<Registry>(dir_.filePath(QStringLiteral("registry.sqlite")));
        store_ = std::make_unique<ProfileStore>(*registry_);
        store_->SetRegistryKey(QStringLiteral("Orvane"));
        settings_ = std::make_unique<Settings>(*store_, Locale(0x0411, 0x0411), fontFamilies);
    }

    QString folder() const { return dir_.path(); }
    Registry& registry() { return *registry_; }
    ProfileStore& store() { return *store_; }
    Settings& settings() { return *settings_; }

    // The names of a key's sub-keys (with a trailing "\\") and values under
    // HKEY_CURRENT_USER, or {"<missing>"}.
    QStringList keyContents(const QString& path) {
        RegKey key;
        if (registry_->RegOpenKeyEx(HKEY_CURRENT_USER, path, &key) != reg::ERROR_SUCCESS)
            return {QStringLiteral("<missing>")};
        QStringList names;
        QString name;
        for (uint32_t i = 0; registry_->RegEnumKeyEx(key, i, &name) == reg::ERROR_SUCCESS; ++i)
            names << name + QLatin1Char('\\');
        for (uint32_t i = 0; registry_->RegEnumValue(key, i, &name, nullptr, nullptr, nullptr) ==
                             reg::ERROR_SUCCESS;
             ++i)
            names << name;
        return names;
    }
    // The bytes (and type) of a value under HKEY_CURRENT_USER, or "<no key>",
    // "<no value>".
    QByteArray rawValue(const QString& path, const QString& name, uint32_t* type = nullptr) {
        RegKey key;
        if (registry_->RegOpenKeyEx(HKEY_CURRENT_USER, path, &key) != reg::ERROR_SUCCESS)
            return "<no key>";
        uint32_t size = 0;
        if (registry_->RegQueryValueEx(key, name, type, nullptr, &size) != reg::ERROR_SUCCESS)
            return "<no value>";
        QByteArray data(int(size), '\0');
        registry_->RegQueryValueEx(key, name, nullptr, data.data(), &size);
        return data;
    }
    void setRaw(const QString& path, const QString& name, uint32_t type, const QByteArray& data) {
        RegKey key;
        ASSERT_EQ(registry_->RegCreateKeyEx(HKEY_CURRENT_USER, path, &key), reg::ERROR_SUCCESS);
        ASSERT_EQ(
            registry_->RegSetValueEx(key, name, type, data.constData(), uint32_t(data.size())),
            reg::ERROR_SUCCESS);
    }

  private:
    QTemporaryDir dir_;
    std::unique_ptr<Registry> registry_;
    std::unique_ptr<ProfileStore> store_;
    std::unique_ptr<Settings> settings_;
};
