#pragma once

#include <QFileInfo>
#include <QIdentityProxyModel>

namespace tovren::app {

/// Shows the size, type and date columns of the toolkit's file dialog as a Chinese desktop does
/// ("12 KB", "DB 文件", "2026/12/9 18:46"), where the toolkit's own columns say "MiB", the
/// English type name and the English month whatever the program's language.
class FileDialogColumns : public QIdentityProxyModel
{
    Q_OBJECT
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex &index, int role) const override;

    static QString sizeText(qint64 bytes);
    static QString typeText(const QFileInfo &file);
};

} // namespace tovren::app
