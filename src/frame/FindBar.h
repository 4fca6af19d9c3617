#pragma once

#include "SearchBar.h"

// The find bar (dialog bar 203): the search text, find previous and next,
// match case and close. It also keeps the direction of its soft key.
class FindBar : public SearchBar {
    Q_OBJECT
  public:
    explicit FindBar(QWidget* parent = nullptr);

    QLineEdit* searchTextBox() const override { return text_; }
    QString searchText() const;
    void setSearchText(const QString& text);

    bool isBackward() const { return backward_; }
    void setBackward(bool backward) { backward_ = backward; }
    // "次を検索" or "前を検索" for the left soft key.
    QString softKeyLabel() const;

  protected:
    int findPreviousCommand() const override;
    int findNextCommand() const override;
    int enterCommand() const override;

  private:
    QLineEdit* text_;
    bool backward_ = false;
};
