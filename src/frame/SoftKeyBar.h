#pragma once

#include <QWidget>

class QAction;
class QMenu;
class QToolButton;

// The bar with the two soft keys at the bottom of the window: the left key
// runs one command, the right key opens a pop-up menu. The frame gives it
// its own keys (menu 161 or 162); a visible find or replace bar lends it
// theirs.
class SoftKeyBar : public QWidget {
    Q_OBJECT
  public:
    explicit SoftKeyBar(QWidget* parent = nullptr);

    // leftCommand: the action of the left key (its text and enabled state
    // show on the key); rightMenu: the pop-up of the right key, titled by its
    // title. Neither is owned.
    void setKeys(QAction* leftCommand, QMenu* rightMenu);
    QAction* leftCommand() const { return left_; }
    QMenu* rightMenu() const { return right_; }
    QToolButton* leftButton() const { return leftButton_; }
    QToolButton* rightButton() const { return rightButton_; }

    // Compact keys take their natural width at the right end of the bar, as
    // dialog buttons do on a desktop; otherwise each key takes half the bar,
    // as soft keys do on a phone.
    void setCompact(bool compact);
    bool isCompact() const { return compact_; }

    QSize sizeHint() const override;
    // Opens the right key's menu above the key.
    void openRightMenu();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QAction* left_ = nullptr;
    QMenu* right_ = nullptr;
    QToolButton* leftButton_;
    QToolButton* rightButton_;
    bool compact_ = false;
};
