#pragma once

#include "MacroRunner.h"

#include <QString>
#include <optional>

class MessageService;

// The editor as the player sees it: the keyboard of the step runner, the key
// state and the operations that perform the steps the runner hands back.
// Indices are those of the edit control (CR LF counts as two characters).
class MacroPlayTarget : public MacroKeyboard {
  public:
    // Whether a virtual key is down right now (the asynchronous key state).
    virtual bool isKeyDown(int virtualKey) const = 0;
    // Handles events for up to the milliseconds, returning earlier when one came.
    virtual void waitForEvents(int milliseconds) = 0;
    // Repaints the view after the release message.
    virtual void repaint() = 0;
    // The application's idle pass: menus and buttons show the new state.
    virtual void runIdle() = 0;

    // The edit buffer of the edit control that is shown.
    virtual std::pair<int, int> selection() const = 0;
    virtual void setSelection(int start, int end) = 0;
    virtual void scrollCaret() = 0;
    virtual int textLength() const = 0;
    virtual int lineCount() const = 0;
    virtual int lineFromChar(int index) const = 0;
    virtual int lineIndex(int line) const = 0;
    // The length of the line holding the character, without its line break.
    virtual int lineLength(int index) const = 0;
    virtual int firstVisibleLine() const = 0;
    virtual bool isEditEnabled() const = 0;
    virtual void setEditEnabled(bool enabled) = 0;
    virtual void focusEdit() = 0;

    // The editor's own operations.
    virtual void insertString(const QString& insertText, const std::optional<QString>& endText) = 0;
    virtual void find(const QString& text, bool up, bool matchCase) = 0;
    // Searches downwards in replace mode and replaces a match it selects.
    virtual void replaceNext(const QString& findText, const QString& replaceText,
                             bool matchCase) = 0;
    virtual void replaceAll(const QString& findText, const QString& replaceText,
                            bool matchCase) = 0;
    // NEWFILE and OPEN; `ask` when the user is asked about unsaved changes.
    virtual void newFile(bool ask) = 0;
    virtual void open(const QString& path, bool ask) = 0;
    // SAVE with a path: the text goes there in the document's character set
    // and line ending; the document keeps its own name.
    virtual void saveCopy(const QString& path) = 0;
    virtual void saveAs() = 0;
    virtual void cut() = 0;
    virtual void copy() = 0;
    virtual void paste() = 0;
};

// "マクロの実行を中止しますか？"
QString macroStopQuestionText();

// MacroPlay: waits until Ctrl, Shift, Alt and P are released, then plays a
// copy of the macro (nothing the commands run meanwhile can change it) until
// its end or a confirmed stop. `playing` is the view's playing flag; the stop
// command clears it. Relative OPEN and SAVE paths resolve against the
// macro's source folder. Held keys are released and the edit control is enabled again at the end.
void MacroPlay(const Macro& macro, MacroPlayTarget& target, bool& playing, MessageService& messages,
               void* owner = nullptr);

// The single steps that only move the selection, as MacroPlay performs them.
void macroSelect(MacroPlayTarget& target, int param);
void macroUnselect(MacroPlayTarget& target, int param);
void macroGoto(MacroPlayTarget& target, const QString& text, int param);
