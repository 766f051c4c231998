#include "app/ui/FileSizeColumnProxy.h"

#include <QFileSystemModel>
#include <QLocale>

namespace tovren::app {

namespace {
constexpr int kSizeColumn = 1;
}

QString FileSizeColumnProxy::sizeText(qint64 bytes)
{
    if (bytes < 1024)
        return QStringLiteral("%1 字节").arg(bytes);
    const char *const units[] = {"KB", "MB", "GB", "TB"};
    double value = double(bytes) / 1024;
    int unit = 0;
    while (value >= 1024 && unit < 3) {
        value /= 1024;
        ++unit;
    }
    return QStringLiteral("%1 %2").arg(QLocale::c().toString(value, 'f', value < 10 ? 1 : 0),
                                       QLatin1String(units[unit]));
}

QVariant FileSizeColumnProxy::data(const QModelIndex &index, int role) const
{
    if (role == Qt::DisplayRole && index.column() == kSizeColumn) {
        if (const auto *files = qobject_cast<const QFileSystemModel *>(sourceModel())) {
            const QModelIndex source = mapToSource(index);
            if (files->isDir(source))
                return QString();
            return sizeText(files->size(source));
        }
    }
    return QIdentityProxyModel::data(index, role);
}

} // namespace tovren::app
