#pragma once

#include <QString>
#include <vector>

// The identity of a macro step. The numbers are stored in memory and shown to
// the user by the player, so they never change.
enum class MacroCommand : int {
    Version = 0,
    Tooltip = 1,
    Explain = 2,
    Type = 3,
    Markup = 4,
    FindUp = 5,
    FindDown = 6,
    Replace = 7,
    ReplaceAll = 8,
    NewFile = 9,
    Open = 10,
    Save = 11,
    Copy = 12,
    Cut = 13,
    Paste = 14,
    Lock = 15,
    Unlock = 16,
    Select = 17,
    Unselect = 18,
    Sleep = 19,
    Goto = 20,
    EnableWindow = 21,
    SetFocus = 22,
    Stopped = 23,
    End = 24,
    Unknown = 25,
};

// One step of a keyboard macro; what text and param hold depends on the command.
struct MacroStep {
    MacroCommand command = MacroCommand::Unknown;
    QString text;
    int param = 0;
    bool ctrl = false;
    bool shift = false;
    bool alt = false;

    bool operator==(const MacroStep&) const = default;
};

// The keyboard macro a view holds for its whole life.
class Macro {
  public:
    int versionMajor = 1;
    int versionMinor = 0;
    // Folder of the last macro file loaded or saved, ending in "/".
    QString lastFolder;
    bool ctrlHeld = false;
    bool shiftHeld = false;
    bool altHeld = false;
    std::vector<MacroStep> steps;
    bool hasError = false;
    // The loader's error and warning lines, each ending in CR LF.
    QString report;
    QString explanation;
    QString tooltip;
    // Folder of the file the macro was loaded from, ending in "/"; relative
    // OPEN and SAVE paths resolve against it. Empty for a recorded macro.
    QString sourceFolder;

    // Empties the macro for a new load or recording; the last folder stays.
    void clear();
};

// The folder part of a path, up to and including its last "/"; empty when the
// path has none.
QString macroFolderOf(const QString& path);
