#pragma once

#include "MacroKeyInjector.h"
#include "MacroPlayer.h"

#include <functional>

class MacroPlayView;
class CTextEdit;
class KeyState;
class MessageService;

// The view as the macro player drives it: keys go to the edit control that
// is shown, the message pump is the event loop, and the steps run through
// the view's own search, insert-string, document and clipboard operations.
class ViewMacroPlayer : public MacroPlayTarget {
  public:
    ViewMacroPlayer(MacroPlayView& view, MessageService& messages);

    // The application's key state (none: every key counts as released).
    void setKeyState(const KeyState* keyState) { keyState_ = keyState; }
    // The application's idle pass; without one, pending events are handled.
    void setIdlePass(std::function<void()> idle) { idle_ = std::move(idle); }

    void sendKey(int virtualKey, bool down) override;
    void typeText(const QString& text) override;
    void pumpMessages() override;
    void sleep(int milliseconds, const bool& playing) override;

    bool isKeyDown(int virtualKey) const override;
    void waitForEvents(int milliseconds) override;
    void repaint() override;
    void runIdle() override;

    std::pair<int, int> selection() const override;
    void setSelection(int start, int end) override;
    void scrollCaret() override;
    int textLength() const override;
    int lineCount() const override;
    int lineFromChar(int index) const override;
    int lineIndex(int line) const override;
    int lineLength(int index) const override;
    int firstVisibleLine() const override;
    bool isEditEnabled() const override;
    void setEditEnabled(bool enabled) override;
    void focusEdit() override;

    void insertString(const QString& insertText, const std::optional<QString>& endText) override;
    void find(const QString& text, bool up, bool matchCase) override;
    void replaceNext(const QString& findText, const QString& replaceText, bool matchCase) override;
    void replaceAll(const QString& findText, const QString& replaceText, bool matchCase) override;
    void newFile(bool ask) override;
    void open(const QString& path, bool ask) override;
    void saveCopy(const QString& path) override;
    void saveAs() override;
    void cut() override;
    void copy() override;
    void paste() override;

  private:
    CTextEdit& edit() const;
    // The question before the text is discarded; false when the step is skipped.
    bool offerSave(const QString& abandonText);

    MacroPlayView& view_;
    MessageService& messages_;
    const KeyState* keyState_ = nullptr;
    std::function<void()> idle_;
    MacroKeyInjector keys_;
};

// The part of a typed text that fits into `room` characters of the edit
// control, never splitting a CR LF or a surrogate pair.
QString macroTextFittingRoom(const QString& text, int room);
