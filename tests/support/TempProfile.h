#pragma once

#include "ProfileStore.h"
#include "Registry.h"
#include "Settings.h"

#include <QTemporaryDir>
#include <functional>
#include <memory>

// A registry database of its own in a temporary folder, the editor's profile
// over it (company key "Orvane") and the settings read from it: what a fresh
// installation starts with. reopen() closes all three and opens them again on
// the same database, as the next start of the program does.
class TempProfile {
  public:
    explicit TempProfile(std::function<QStringList()> fontFamilies = {})
        : fontFamilies_(std::move(fontFamilies)) {
        open();
    }

    QString dbPath() const { return dir_.filePath(QStringLiteral("registry.sqlite")); }
    QString folder() const { return dir_.path(); }
    Registry& registry() { return *registry_; }
    ProfileStore& store() { return *store_; }
    Settings& settings() { return *settings_; }

    void reopen() {
        settings_.reset();
        store_.reset();
        registry_.reset();
        open();
    }

  private:
    void open() {
        registry_ = std::make_unique<Registry>(dbPath());
        store_ = std::make_unique<ProfileStore>(*registry_);
        store_->SetRegistryKey(QStringLiteral("Orvane"));
        settings_ = std::make_unique<Settings>(*store_, Locale(0x0411, 0x0411), fontFamilies_);
    }

    QTemporaryDir dir_;
    std::function<QStringList()> fontFamilies_;
    std::unique_ptr<Registry> registry_;
    std::unique_ptr<ProfileStore> store_;
    std::unique_ptr<Settings> settings_;
};
