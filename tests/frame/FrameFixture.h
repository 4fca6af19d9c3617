#pragma once

#include "CMainFrame.h"
#include "CommandActions.h"
#include "CommandRouter.h"
#include "ViewTestSupport.h"

#include <QAction>
#include <QMenu>

// A frame with its view over a temporary registry and scripted message boxes.
class FrameFixture : public ::testing::Test {
  protected:
    void TearDown() override { frame.reset(); }

    // Settings to write before the frame exists go first.
    void createFrame(std::function<bool()> isRecentPlatform = [] { return false; }) {
        frame = std::make_unique<CMainFrame>(
            FrameServices{*settings, messages, router, std::move(isRecentPlatform)});
        view = new CEditer(env.services(), env.documents->services());
        frame->setView(view);
        router.setTargets({view, frame.get()});
        view->OnInitialUpdate();
    }

    void showFrame(QSize size = {}) {
        createFrame();
        if (size.isValid())
            frame->resize(size);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    }

    static QStringList texts(const QMenu* menu) { return menuTexts(menu); }
    static QAction* actionFor(const QMenu* menu, int id) {
        for (QAction* action : menu->actions()) {
            if (CommandActions::commandId(action) == id)
                return action;
            if (action->menu()) {
                if (QAction* found = actionFor(action->menu(), id))
                    return found;
            }
        }
        return nullptr;
    }
    static QMenu* subMenu(const QMenu* menu, const QString& title) {
        for (QAction* action : menu->actions()) {
            if (action->menu() && action->text() == title)
                return action->menu();
        }
        return nullptr;
    }

    ViewEnvironment env;
    Settings* settings = env.settings;
    ScriptedMessageService& messages = env.messages;
    CommandRouter router;
    std::unique_ptr<CMainFrame> frame;
    CEditer* view = nullptr;
};
