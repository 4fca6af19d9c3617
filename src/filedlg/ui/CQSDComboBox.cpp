#include "CQSDComboBox.h"

#include <QAbstractItemView>

bool CQSDComboBox::isDroppedDown() const {
    return view() && view()->isVisible();
}

void CQSDComboBox::mousePressEvent(QMouseEvent* event) {
    emit penDown();
    QComboBox::mousePressEvent(event);
}
