#include "QsdIconProxy.h"

#include "QsdFileListModel.h"
#include "QsdIcons.h"

#include <QApplication>
#include <QPalette>

QVariant QsdIconProxy::data(const QModelIndex& index, int role) const {
    if (role == Qt::DecorationRole && index.column() == 0)
        return qsdicons::fileIcon(
            QIdentityProxyModel::data(index, QsdFileListModel::IconClassRole).toInt());
    if (role == Qt::ForegroundRole &&
        QIdentityProxyModel::data(index, QsdFileListModel::CutRole).toBool())
        return QApplication::palette().brush(QPalette::Disabled, QPalette::Text);
    return QIdentityProxyModel::data(index, role);
}
