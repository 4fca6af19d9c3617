#include "MacroWiring.h"

#include "CEditer.h"
#include "CMainFrame.h"
#include "KeyState.h"
#include "SearchBarController.h"
#include "ViewMacroCommands.h"

#include <QCoreApplication>
#include <QPointer>

void connectMacros(QCoreApplication& app, CMainFrame& frame, CEditer& view) {
    ViewMacroCommands& macros = view.macroCommands();
    if (SearchBarController* bars = frame.searchBars()) {
        QObject::connect(bars, &SearchBarController::macroStepRecorded, &macros,
                         &ViewMacroCommands::recordSearchStep);
    }
    auto* keyState = new KeyState(&frame);
    keyState->install(&app);
    macros.setKeyState(keyState);
    QPointer<CMainFrame> framePtr(&frame);
    macros.setIdlePass([framePtr] {
        if (framePtr)
            framePtr->updateCommandUi();
    });
}
