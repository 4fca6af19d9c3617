#pragma once

class CEditer;
class CEditorApp;
class CMainFrame;
class RecentFileList;

// Connects the document parts once the frame and the view exist: the view's
// recent-file additions, the frame's save-before-close and activation check,
// the bars' text boxes as the clipboard commands' target, and the recent-file
// list's menu items and commands (57616-57631, routed after the application).
void connectDocuments(CEditorApp& app, CMainFrame& frame, CEditer& view, RecentFileList& recent);
