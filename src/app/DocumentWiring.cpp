#include "DocumentWiring.h"

#include "CEditer.h"
#include "CEditorApp.h"
#include "CMainFrame.h"
#include "CommandActions.h"
#include "CommandIds.h"
#include "EditCommands.h"
#include "EditerDocument.h"
#include "RecentFileList.h"
#include "SearchBarController.h"

#include <QPointer>

void connectDocuments(CEditorApp& app, CMainFrame& frame, CEditer& view, RecentFileList& recent) {
    QPointer<CEditer> viewPtr(&view);
    view.document().setRecentFileAdder(
        [&app](const QString& path) { app.AddToRecentFileList(path); });
    frame.setSaveBeforeDiscard(
        [viewPtr] { return viewPtr && viewPtr->document().SaveBeforeDiscard(); });
    frame.setOutsideChangeCheck([viewPtr] {
        if (viewPtr)
            viewPtr->document().CheckOutsideChange();
    });
    view.editCommands().setBarTextBoxProvider(
        [&frame] { return frame.searchBars() ? frame.searchBars()->focusedTextBox() : nullptr; });
    recent.setOpener([&app](const QString& path) -> std::optional<bool> {
        CEditer* active = app.activeView();
        if (!active)
            return std::nullopt;
        return active->OpenFileByPath(path);
    });
    frame.commandActions().setDynamicItems(cmd::ID_FILE_MRU_FILE1,
                                           [&recent] { return recent.menuItems(); });
    app.router().addTarget(&recent);
}
