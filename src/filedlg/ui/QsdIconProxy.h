#pragma once

#include <QIdentityProxyModel>

// Adds the images and the dimmed look of cut rows to the file list's model.
class QsdIconProxy : public QIdentityProxyModel {
  public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role) const override;
};
