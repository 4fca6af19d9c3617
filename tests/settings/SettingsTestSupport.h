#pragma once

#include "ProfileStore.h"
#include "Registry.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// A fresh registry database per test.
class RegistryFixture : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    Registry registry{dir.filePath(QStringLiteral("registry.sqlite"))};

    // The names of the values and sub-keys of a key, or {"<missing>"}.
    QStringList contents(const QString& path) {
        RegKey key;
        if (registry.RegOpenKeyEx(HKEY_CURRENT_USER, path, &key) != reg::ERROR_SUCCESS)
            return {QStringLiteral("<missing>")};
        QStringList names;
        QString name;
        for (uint32_t i = 0; registry.RegEnumKeyEx(key, i, &name) == reg::ERROR_SUCCESS; ++i)
            names << name + QLatin1Char('\\');
        for (uint32_t i = 0;
             registry.RegEnumValue(key, i, &name, nullptr, nullptr, nullptr) == reg::ERROR_SUCCESS;
             ++i)
            names << name;
        return names;
    }
    QByteArray rawValue(const QString& path, const QString& name, uint32_t* type = nullptr) {
        RegKey key;
        if (registry.RegOpenKeyEx(HKEY_CURRENT_USER, path, &key) != reg::ERROR_SUCCESS)
            return "<no key>";
        uint32_t size = 0;
        if (registry.RegQueryValueEx(key, name, type, nullptr, &size) != reg::ERROR_SUCCESS)
            return "<no value>";
        QByteArray data(int(size), '\0');
        registry.RegQueryValueEx(key, name, nullptr, data.data(), &size);
        return data;
    }
    void setRaw(const QString& path, const QString& name, uint32_t type, const QByteArray& data) {
        RegKey key;
        ASSERT_EQ(registry.RegCreateKeyEx(HKEY_CURRENT_USER, path, &key), reg::ERROR_SUCCESS);
        ASSERT_EQ(registry.RegSetValueEx(key, name, type, data.constData(), uint32_t(data.size())),
                  reg::ERROR_SUCCESS);
    }
};

inline const QString kApp = QStringLiteral("Software\\Orvane\\Tavlo Text Editor");
inline const QString kSettings = QStringLiteral("Software\\Orvane\\Tavlo Text Editor\\SETTINGS");
