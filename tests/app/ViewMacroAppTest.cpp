#include "CEditer.h"
#include "CEditorApp.h"
#include "CMainFrame.h"
#include "Clock.h"
#include "CommandIds.h"
#include "MessageService.h"
#include "ProfileStore.h"
#include "Registry.h"
#include "Settings.h"
#include "ViewMacroCommands.h"
#include "WaitFor.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

// The whole editor: the macro loaded at start-up puts its TOOLTIP on the
// command bar's play button, and the macro commands are routed to the view.
TEST(MacroInTheEditor, StartupMacroTooltipReachesThePlayButton) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QDir().mkpath(dir.filePath("run"));
    QFile::setPermissions(dir.filePath("run"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString macroPath = dir.filePath("startup.mcr");
    {
        QFile file(macroPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("TOOLTIP \"Paste twice\"\nPASTE\nPASTE\n");
    }
    Registry registry(dir.filePath("registry.sqlite"));
    {
        ProfileStore store(registry);
        store.SetRegistryKey(QStringLiteral("Orvane"));
        Settings settings(store, Locale(0x0411, 0x0411));
        ASSERT_TRUE(settings.writeInt(QStringLiteral("LOAD_DAFAULT_MACRO"), 1));
        ASSERT_TRUE(settings.writeString(QStringLiteral("DEFAULT_MACRO_FILE_NAME"), macroPath));
    }
    ScriptedMessageService messages;
    FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(9, 0))};
    CEditorApp app(
        AppServices{registry, messages, clock, Locale(0x0411, 0x0411), dir.filePath("run")},
        QString());
    ASSERT_TRUE(app.InitInstance());
    CMainFrame* frame = app.mainFrame();
    ASSERT_NE(frame, nullptr);
    const QString before = frame->buttonTooltip(cmd::ID_MACRO_PLAY);
    EXPECT_NE(before, QStringLiteral("Paste twice"));

    TAVLO_TRY_COMPARE(frame->buttonTooltip(cmd::ID_MACRO_PLAY), QStringLiteral("Paste twice"));
    EXPECT_EQ(app.activeView()->macroCommands().macro().steps.size(), 2u);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_TRUE(app.router().query(cmd::ID_MACRO_LOAD).enabled);
    EXPECT_TRUE(app.router().query(cmd::ID_MACRO_SAVE).enabled);
    app.activeView()->state().macroRecording = true;
    EXPECT_FALSE(app.router().query(cmd::ID_MACRO_LOAD).enabled);
    EXPECT_FALSE(app.router().query(cmd::ID_MACRO_SAVE).enabled);
    app.activeView()->state().macroRecording = false;
    EXPECT_EQ(app.ExitInstance(), 0);
}
