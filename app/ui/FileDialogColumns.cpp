#include "app/ui/FileDialogColumns.h"

#include <QFileSystemModel>
#include <QLocale>

namespace tovren::app {

namespace {
constexpr int kSizeColumn = 1;
constexpr int kTypeColumn = 2;
constexpr int kDateColumn = 3;
} // namespace

QString FileDialogColumns::sizeText(qint64 bytes)
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

QString FileDialogColumns::typeText(const QFileInfo &file)
{
    if (file.isDir())
        return QStringLiteral("文件夹");
    const QString suffix = file.suffix();
    return suffix.isEmpty() ? QStringLiteral("文件") : suffix.toUpper() + QStringLiteral(" 文件");
}

QVariant FileDialogColumns::data(const QModelIndex &index, int role) const
{
    const auto *files = qobject_cast<const QFileSystemModel *>(sourceModel());
    if (role != Qt::DisplayRole || !files)
        return QIdentityProxyModel::data(index, role);
    const QModelIndex source = mapToSource(index);
    switch (index.column()) {
    case kSizeColumn:
        return files->isDir(source) ? QString() : sizeText(files->size(source));
    case kTypeColumn:
        return typeText(files->fileInfo(source));
    case kDateColumn:
        return files->lastModified(source).toString(QStringLiteral("yyyy/M/d HH:mm"));
    default:
        return QIdentityProxyModel::data(index, role);
    }
}

} // namespace tovren::app
