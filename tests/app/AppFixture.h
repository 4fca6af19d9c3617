#pragma once

#include "CEditorApp.h"
#include "Clock.h"
#include "MessageService.h"
#include "PosixFileSystem.h"
#include "TempFiles.h"
#include "TempProfile.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <memory>

// What an editor started inside a test needs: a profile of its own (settings
// written there before the start are read by the editor), a private runtime
// folder for the lock and the hand-over channel, a folder for files,
// scripted message boxes and a fixed clock.
class AppFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(QDir().mkpath(runtime()));
        QFile::setPermissions(runtime(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QString runtime() const { return profile.folder() + QStringLiteral("/run"); }
    Registry& registry() { return profile.registry(); }
    std::unique_ptr<CEditorApp> makeApp(const QString& commandLine = QString()) {
        return std::make_unique<CEditorApp>(
            AppServices{registry(), messages, clock, fileSystem, Locale(0x0411, 0x0411), runtime()},
            commandLine);
    }

    TempProfile profile;
    TempFiles files;
    ScriptedMessageService messages;
    PosixFileSystem fileSystem;
    FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(9, 0))};
};
