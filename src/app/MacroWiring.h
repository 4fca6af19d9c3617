#pragma once

class CEditer;
class CMainFrame;
class QCoreApplication;

// Connects the view's macro commands to the rest of the window: the steps
// the find and replace bars record, the idle pass that shows playback on the
// command bar, and the application-wide key state the player asks before it
// starts (kept by the frame, watching every event of `app`).
void connectMacros(QCoreApplication& app, CMainFrame& frame, CEditer& view);
