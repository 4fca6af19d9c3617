#include "AppFixture.h"
#include "CEditer.h"
#include "CMainFrame.h"
#include "CommandIds.h"
#include "ViewMacroCommands.h"
#include "WaitFor.h"

// The whole editor: the macro loaded at start-up puts its TOOLTIP on the
// command bar's play button, and the macro commands are routed to the view.
using MacroInTheEditor = AppFixture;

TEST_F(MacroInTheEditor, StartupMacroTooltipReachesThePlayButton) {
    const QString macroPath = files.write("startup.mcr", "TOOLTIP \"Paste twice\"\nPASTE\nPASTE\n");
    ASSERT_TRUE(profile.settings().writeInt(QStringLiteral("LOAD_DAFAULT_MACRO"), 1));
    ASSERT_TRUE(
        profile.settings().writeString(QStringLiteral("DEFAULT_MACRO_FILE_NAME"), macroPath));
    const auto app = makeApp();
    ASSERT_TRUE(app->InitInstance());
    CMainFrame* frame = app->mainFrame();
    ASSERT_NE(frame, nullptr);
    const QString before = frame->buttonTooltip(cmd::ID_MACRO_PLAY);
    EXPECT_NE(before, QStringLiteral("Paste twice"));

    TAVLO_TRY_COMPARE(frame->buttonTooltip(cmd::ID_MACRO_PLAY), QStringLiteral("Paste twice"));
    EXPECT_EQ(app->activeView()->macroCommands().macro().steps.size(), 2u);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_TRUE(app->router().query(cmd::ID_MACRO_LOAD).enabled);
    EXPECT_TRUE(app->router().query(cmd::ID_MACRO_SAVE).enabled);
    EXPECT_EQ(app->ExitInstance(), 0);
}
