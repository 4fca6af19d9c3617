#pragma once

#include "CommandRouter.h"

#include <QObject>
#include <QString>

class FindBar;
class QLineEdit;
class QWidget;
class ReplaceBar;
class SearchBar;
class SearchBarHost;
class Settings;

// The macro steps that find and replace commands record; the values are
// those of MacroCommand (FindUp 5, FindDown 6, Replace 7, ReplaceAll 8).
enum class SearchStep { FindUp = 5, FindDown = 6, Replace = 7, ReplaceAll = 8 };

// Owns the find bar and the replace bar and runs their commands: showing
// them (at most one at a time), find next and previous, replace, replace
// all, their options, soft keys and the edit commands of their text boxes.
// The frame docks the two bars at the bottom of its window, adds
// commandTarget() to its command routing, switches its soft keys to
// softKeyMenu() and calls storeSettings() when it closes.
class SearchBarController : public QObject {
    Q_OBJECT
  public:
    // Creates both bars as children of `parent` with the stored options;
    // each is shown when its visibility setting says so.
    SearchBarController(Settings& settings, SearchBarHost& host, QWidget* parent);
    ~SearchBarController() override;

    FindBar* findBar() const { return findBar_; }
    ReplaceBar* replaceBar() const { return replaceBar_; }
    bool isFindBarShown() const;
    bool isReplaceBarShown() const;

    // The command target of the bars' commands (frame level). While a bar's
    // text box has the focus it also claims cut, copy and paste (57635,
    // 57634, 57637) and runs them on that box; otherwise it leaves them to
    // the view.
    CommandTarget& commandTarget() { return target_; }
    // Runs one command through the bars' own routing; true when handled.
    bool execute(int id);
    CommandState query(int id);

    // The soft-key menu while a bar is shown (147 for the find bar, 164 for
    // the replace bar), 0 when the frame's own soft keys apply.
    int softKeyMenu() const;
    // The left soft key's text of the find bar: "次を検索" or "前を検索".
    QString findSoftKeyLabel() const;
    // Both bars take the texts of the current interface language.
    void retranslate();

    // The text box of a bar that has the keyboard focus, or nullptr. Cut,
    // copy and paste of the view act on it instead of the edit control.
    QLineEdit* focusedTextBox() const;

    // Writes the bars' visibility and options to the settings.
    void storeSettings();

  signals:
    // A bar was shown or hidden: the soft keys change to softKeyMenu().
    void softKeyMenuChanged(int menuId);
    // The find bar's direction changed, and with it its soft key's text.
    void findSoftKeyLabelChanged(const QString& label);
    // The one place where find and replace commands record their macro step:
    // `command` is a SearchStep value, `text` the search text (for replace
    // steps the search text, CR LF and the replacement text), `param` 1 when
    // the search matched case. The macro recorder connects here and appends
    // the step while it records.
    void macroStepRecorded(int command, const QString& text, int param);

  private:
    // The bars' command map, plus cut, copy and paste while a text box has the focus.
    class Target : public CommandTarget {
      public:
        explicit Target(SearchBarController& owner) : owner_(owner) {}
        bool onCommand(int id) override;
        bool onUpdateCommand(int id, CommandState& state) override;

      private:
        SearchBarController& owner_;
    };

    void bindCommands();
    void bindEditCommands(SearchBar* bar, int cut, int copy, int paste, int undo, int selectAll,
                          int clear);
    void showBar(SearchBar* bar, const QString& selection);
    void hideBar(SearchBar* bar);
    void find(bool backward);
    void reverseDirection();
    void replaceFindNext();
    void replaceStep();
    void replaceAll();
    void setMatchCase(SearchBar* bar, bool on);
    void closeBar(SearchBar* bar);
    QLineEdit* editTarget(SearchBar* bar) const;
    void recordMacroStep(SearchStep step, const QString& text, bool matchCase);

    Settings& settings_;
    SearchBarHost& host_;
    FindBar* findBar_;
    ReplaceBar* replaceBar_;
    CommandMap commands_;
    Target target_{*this};
};
