#include "report/platform/DataFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tovren::platform {

QString DataFolders::programDir()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    // Before the application object exists only the kernel knows where the executable lies;
    // argv[0] is a bare name when the program was found through PATH.
    const QFileInfo executable(QStringLiteral("/proc/self/exe"));
    return executable.exists() ? QFileInfo(executable.canonicalFilePath()).absolutePath()
                               : QString();
}

QString DataFolders::shippedDir()
{
    return shippedDirFor(programDir());
}

QString DataFolders::shippedDirFor(const QString &programDir)
{
    QStringList candidates;
    if (const QString overridden = qEnvironmentVariable("TOVREN_DATA_DIR"); !overridden.isEmpty())
        candidates.append(overridden);
    // An installed program (PREFIX/bin/tovren) reads PREFIX/share/tovren, even when the source
    // tree it was built from is still on the machine.
    if (!programDir.isEmpty())
        candidates.append(QDir(programDir).filePath(QStringLiteral("../share/tovren")));
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
