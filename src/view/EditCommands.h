#pragma once

#include "CommandRouter.h"
#include "ViewServices.h"

#include <QString>
#include <functional>

class EditBuffer;
class JumpDialog;
class QLineEdit;
class ViewHost;

// The view's commands on the text: undo, cut, copy, paste, select all, jump
// to a line and help. Cut, copy and paste act on the find or replace bar's
// text box while it has the focus.
class EditCommands : public CommandTarget {
  public:
    EditCommands(EditBuffer& buffer, ViewHost& view, ViewServices services);

    // The bar's text box that has the focus, or nullptr (set by the frame's owner).
    void setBarTextBoxProvider(std::function<QLineEdit*()> provider) {
        barTextBox_ = std::move(provider);
    }
    // Replaces the modal run of the jump dialog (tests script it).
    void setJumpRunner(std::function<int(JumpDialog&)> run) { runJump_ = std::move(run); }
    // Replaces the opening of the help page (tests record it); returns success.
    void setHelpOpener(std::function<bool(const QString& url)> open) {
        openHelp_ = std::move(open);
    }

    void OnJump();
    // The target line after OK: it stands fourth from the top where possible.
    void JumpTo(int targetLine);
    void OnHelp();
    // The installed help page, or empty when it can't be found.
    static QString helpFilePath();
    static QString helpUrl();

    bool onCommand(int id) override;
    bool onUpdateCommand(int id, CommandState& state) override;

  private:
    QLineEdit* barTextBox() const;
    void afterEdit();

    EditBuffer& buffer_;
    ViewHost& view_;
    ViewServices services_;
    std::function<QLineEdit*()> barTextBox_;
    std::function<int(JumpDialog&)> runJump_;
    std::function<bool(const QString&)> openHelp_;
};
