#pragma once

#include "SettingsContext.h"

#include <QString>
#include <QWidget>
#include <optional>
#include <vector>

class QLineEdit;

// One page of the settings sheet. A page reads its values when it is made,
// creates its controls the first time its tab is shown, and takes part in
// OK only once created:
//   OnKillActive  reads the controls when the page is left or OK is pressed;
//                 false keeps the page (the page has said why);
//   check         refuses values that may not be written (says why, focuses
//                 the field); nothing is written while any page refuses;
//   OnApply       writes the values, once every created page passed check;
//   OnReset       runs when the sheet is cancelled.
class SettingsPage : public QWidget {
    Q_OBJECT
  public:
    // The tab text is the caption of the page's dialog, in the current language.
    SettingsPage(SettingsContext& context, int dialogId);

    int dialogId() const { return dialogId_; }
    const QString& tabText() const { return tabText_; }
    bool isCreated() const { return created_; }
    // Creates the controls and runs OnInitDialog, the first time only.
    void ensureCreated();

    virtual bool OnKillActive();
    virtual bool check() { return true; }
    virtual void OnApply() = 0;
    virtual void OnReset() {}
    // Adds what the view and the frame must take over.
    virtual void report(SettingsOutcome&) const {}

  protected:
    virtual void createControls() = 0;
    virtual void OnInitDialog() {}
    virtual void readControls() {}

    // An edit bound to an integer: OnKillActive refuses it while it holds no number.
    void bindInteger(QLineEdit* edit) { integerEdits_.push_back(edit); }
    static std::optional<int> integerIn(const QLineEdit* edit);
    // A message box of the sheet, captioned with the application's name.
    int message(const QString& text, uint32_t style);
    int message(uint32_t stringId, const QString& fallback, uint32_t style);
    void focusField(QWidget* field);
    // The text of one of this page's controls, in the current language.
    QString dialogText(int controlId) const;
    // Names a control by its resource id, which is how tests and the sheet find it.
    template <class W> static W* withId(W* widget, int id) {
        widget->setObjectName(QString::number(id));
        return widget;
    }

    SettingsContext& context_;

  private:
    int dialogId_;
    QString tabText_;
    bool created_ = false;
    std::vector<QLineEdit*> integerEdits_;
};
