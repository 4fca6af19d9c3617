#pragma once

#include "Macro.h"

#include <optional>

#include <QString>

// The modifier keys down when a recorded event happened.
struct MacroModifiers {
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
};

// Turns the user's keys and commands into steps of the macro while a
// recording runs. Starting clears the macro; stopping merges typed
// characters into strings (MacroCoalesce). The recording flag is the view's,
// which its edit controls look at too.
class MacroRecorder {
  public:
    MacroRecorder(Macro& macro, bool& recording) : macro_(macro), recording_(recording) {}

    bool isRecording() const { return recording_; }
    void start();
    void stop();

    // MacroRecordKey for a key-down: the keys Right, Down, Delete, Left, Up,
    // Backspace, End and Home (virtual keys) record a TYPE step; Shift and
    // Ctrl go with it except for Backspace and Delete. Other keys record nothing.
    void recordKeyDown(int virtualKey, MacroModifiers modifiers);
    // MacroRecordKey for a typed character: a quoted TYPE step with CR as
    // "\n", TAB as "\t", a backslash and a double quote escaped; other
    // characters below 32 record nothing. Ctrl and Alt go with it.
    void recordCharacter(QChar c, MacroModifiers modifiers);
    // MacroRecordCommand: a step with the code, text and param, and the
    // modifiers unless the caller skips them.
    void recordCommand(MacroCommand command, const QString& text, int param,
                       std::optional<MacroModifiers> modifiers);

  private:
    Macro& macro_;
    bool& recording_;
};

// The stored text of a recorded OPEN or SAVE path: every backslash doubled,
// so that playing gives the path back. Nothing for a path that no macro line
// can hold (a double quote or a line break would end or split the line).
std::optional<QString> macroRecordedPath(const QString& path);
