#pragma once

#include <QComboBox>

// The drop-down lists of the file select dialog. A pen-down opens the list
// (as a tap on the field always does) and tells the dialog, which keeps its
// zoom timer waiting while a list is dropped down.
class CQSDComboBox : public QComboBox {
    Q_OBJECT
  public:
    using QComboBox::QComboBox;
    bool isDroppedDown() const;

  signals:
    void penDown();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
};
