#pragma once

#include "CommandIds.h"

#include <QElapsedTimer>
#include <QList>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <map>

class QAbstractButton;
class QHBoxLayout;
class QLineEdit;

// What the find bar and the replace bar have in common: controls with the
// dialog templates' ids, the two "Aa" buttons of which one shows the match
// case state, the command buttons that can be hidden, and the keys handled
// inside the bar before its controls see them.
class SearchBar : public QWidget {
    Q_OBJECT
  public:
    // The delayed search after Enter: a one-shot timer with the bar's timer
    // id, started when Enter is pressed in a text box; a second Enter within
    // the double-press time cancels it.
    static constexpr int kEnterTimerId = cmd::timer::BAR_DELAYED_SEARCH;
    static constexpr int kDoublePressMs = 300;
    static constexpr int kEnterDelayMs = cmd::timer::BAR_DELAYED_SEARCH_MS;

    QWidget* control(int id) const;
    // The control that has the keyboard focus in this bar, or nullptr.
    QWidget* focusedControl() const;

    bool matchCase() const { return matchCase_; }
    void setMatchCase(bool on);
    bool showCommandButtons() const { return showButtons_; }
    void setShowCommandButtons(bool on);

    // The box of the search text (1002 or 1163).
    virtual QLineEdit* searchTextBox() const = 0;
    // The text box that has the focus (or had it until a menu opened), or nullptr.
    QLineEdit* activeTextBox() const;

    // Puts the focus back after one of the bar's commands: on the control
    // that last had it when the command came from a key, else on the text
    // box that last had it (the search text box when none did).
    void restoreFocus(bool fromKey);
    // The button showing the match case state.
    QAbstractButton* visibleCaseButton() const;

    // Takes the button texts and tooltips of the current interface language.
    void retranslate();

    bool isEnterSearchPending() const { return enterTimer_.isActive(); }
    int enterTimerId() const { return enterTimer_.property("timerId").toInt(); }

  signals:
    // A button was pressed, or a key or the delayed Enter asks for a command.
    void commandRequested(int id);
    // The bar gives the focus back to the edit control.
    void focusEditorRequested();

  protected:
    // dialogId: the bar's dialog template, whose texts its buttons show.
    SearchBar(int dialogId, int caseOnId, int caseOffId, QWidget* parent);

    // Adds a control in the order of the bar's layout and focus navigation;
    // a button shows its text of the bar's dialog template.
    void addTextBox(int id, QLineEdit* box);
    void addButton(int id, int command);
    void finishLayout();

    // Commands of the arrow keys and of the delayed Enter search.
    virtual int findPreviousCommand() const = 0;
    virtual int findNextCommand() const = 0;
    virtual int enterCommand() const = 0;

    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool handleKeyPress(QWidget* control, QKeyEvent* event);
    bool handleKeyRelease(QWidget* control, QKeyEvent* event);
    bool moveFocusSideways(QWidget* control, int step);
    void onEnterInTextBox();
    // The bar's private focus message: the focus leaves the bar for the editor.
    void postFocusMessage();
    void updateButtonVisibility();
    QList<QWidget*> visibleControls() const;
    bool isTextBox(QWidget* control) const;

    int dialogId_;
    int caseOnId_;
    int caseOffId_;
    bool matchCase_ = false;
    bool showButtons_ = true;
    QHBoxLayout* layout_;
    std::map<int, QWidget*> controls_;
    QList<QWidget*> order_;
    QList<QLineEdit*> textBoxes_;
    QList<QAbstractButton*> buttons_;
    QPointer<QWidget> lastFocus_;
    QPointer<QLineEdit> lastTextBox_;
    QTimer enterTimer_;
    QElapsedTimer lastEnter_;
};
