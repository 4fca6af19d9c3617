#pragma once

#include "Macro.h"
#include "MacroStepValues.h"

#include <QStringView>

class MessageService;

// What the step runner needs of the editor: the keyboard, the text typed
// without modifiers, the message pump and the clock.
class MacroKeyboard {
  public:
    virtual ~MacroKeyboard() = default;
    // One key event of a virtual key (MacroSendKey), to the edit control.
    virtual void sendKey(int virtualKey, bool down) = 0;
    // Text typed without modifiers: replaces the edit control's selection as
    // one undoable edit, within the control's character limit.
    virtual void typeText(const QString& text) = 0;
    // Handles the events that are waiting.
    virtual void pumpMessages() = 0;
    // Waits the milliseconds while events are handled; returns early once
    // `playing` turns false, so that a stop does not wait for a long SLEEP.
    virtual void sleep(int milliseconds, const bool& playing) = 0;
};

// The virtual key of a TYPE step's key name ("BS", "END", "HOME", "LEFT",
// "UP", "RIGHT", "DOWN", "DEL", compared without regard to case); 0 for none.
int macroKeyNameCode(QStringView name);

// The virtual key a character is typed with when a string is played as key
// presses; 0 for a character without a key.
int macroCharacterKey(QChar c);

// "未知のコマンド(%d)を検出"
QString macroUnknownCommandText(int code);

// MacroRunSteps: performs the steps from `index` on that need only the
// keyboard and the clock (TYPE, LOCK, UNLOCK, SLEEP, VERSION) and returns the
// first step the caller performs (index set to the step after it, `values`
// filled), Stopped (index left at the step not yet performed) when `playing`
// is false before a step, or End (index -1) when no step is left. The held
// flags live in `macro`.
MacroCommand MacroRunSteps(Macro& macro, MacroKeyboard& keyboard, int& index,
                           MacroStepValues& values, const bool& playing, MessageService& messages,
                           void* owner = nullptr);
