#include "report/platform/DataFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tovren::platform {

QString DataFolders::shippedDir()
{
    QStringList candidates;
    if (const QString overridden = qEnvironmentVariable("TOVREN_DATA_DIR"); !overridden.isEmpty())
        candidates.append(overridden);
    if (QCoreApplication::instance()) {
        candidates.append(QDir(QCoreApplication::applicationDirPath())
                              .filePath(QStringLiteral("../share/tovren")));
    }
    candidates.append(QStringLiteral(TOVREN_SOURCE_DATA_DIR));
    for (const QString &candidate : candidates) {
        const QFileInfo folder(candidate);
        if (folder.isDir())
            return folder.canonicalFilePath();
    }
    return {};
}

QString DataFolders::shippedPath(const QString &relative)
{
    const QString root = shippedDir();
    return root.isEmpty() ? QString() : QDir(root).filePath(relative);
}

QString DataFolders::userDir(const QString &purpose)
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (base.isEmpty())
        return {};
    const QString path = QDir(base).filePath(purpose);
    return QDir().mkpath(path) ? path : QString();
}

} // namespace tovren::platform
