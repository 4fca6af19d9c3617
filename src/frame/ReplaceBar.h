#pragma once

#include "SearchBar.h"

// The replace bar (dialog bar 211): search and replacement text, find next,
// replace, replace all, match case and close.
class ReplaceBar : public SearchBar {
    Q_OBJECT
  public:
    explicit ReplaceBar(QWidget* parent = nullptr);

    QLineEdit* searchTextBox() const override { return find_; }
    QLineEdit* replaceTextBox() const { return replace_; }
    QString searchText() const;
    QString replaceText() const;
    void setSearchText(const QString& text);

  protected:
    int findPreviousCommand() const override;
    int findNextCommand() const override;
    int enterCommand() const override;

  private:
    QLineEdit* find_;
    QLineEdit* replace_;
};
