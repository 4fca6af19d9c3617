#pragma once

#include "CommandRouter.h"
#include "SettingsContext.h"

#include <functional>

class CEditer;
class SettingsSheet;

// What the main frame takes over after the settings sheet closed with OK.
struct SettingsFrameHooks {
    std::function<void(bool longDelay)> setLongDelay;
    std::function<void(bool visible)> setSoftKeyBarVisible;
    // Builds the command bar and soft-key menus again (the exit command moved).
    std::function<void()> rebuildMenus;
};

// Command 32892 "設定(&T)...": opens the settings sheet over the view and,
// after OK, has the view and the frame take the new values at once: the tab
// width, the tap-and-hold delay, the macro folder, the fonts and their menu
// labels, the colours, the soft keys and menu layout, the title and the
// insert strings. The sheet is disabled while a macro plays.
class SettingsCommand : public CommandTarget {
  public:
    SettingsCommand(SettingsContext context, CEditer& view, SettingsFrameHooks frame);

    // Opens the sheet; true when it closed with OK.
    bool run();
    // Applies what the pages reported, in the order the view and the frame
    // expect it.
    void applyOutcome(const SettingsOutcome& outcome);

    // Replaces the sheet's modal run (tests work the sheet through it).
    void setSheetRunner(std::function<int(SettingsSheet&)> run) { run_ = std::move(run); }

    bool onCommand(int id) override;
    bool onUpdateCommand(int id, CommandState& state) override;

  private:
    SettingsContext context_;
    CEditer& view_;
    SettingsFrameHooks frame_;
    std::function<int(SettingsSheet&)> run_;
};
