#pragma once

#include <QFrame>

class QToolButton;

// The file select dialog's soft keys (menu 137): "OK" on the left and the
// menu on the right, named by that menu in the current interface language.
class QsdSoftKeys : public QFrame {
    Q_OBJECT
  public:
    explicit QsdSoftKeys(QWidget* parent);

    QToolButton* okKey() const { return ok_; }
    QToolButton* menuKey() const { return menu_; }

  private:
    QToolButton* ok_;
    QToolButton* menu_;
};
