#pragma once

#include <QIdentityProxyModel>

namespace tovren::app {

/// Shows the size column of the toolkit's file dialog as a Chinese desktop does ("12 KB",
/// "3.4 MB", "512 字节"), where the toolkit's own column says "MiB" whatever the language.
class FileSizeColumnProxy : public QIdentityProxyModel
{
    Q_OBJECT
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex &index, int role) const override;

    static QString sizeText(qint64 bytes);
};

} // namespace tovren::app
