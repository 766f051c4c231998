#include "app/cli/OutputFile.h"

#include "app/cli/Arguments.h"
#include "report/platform/FileProblems.h"

#include <QDir>
#include <QFileInfo>

namespace tovren::cli {

void requireWritableOutput(const QString &path)
{
    const QString problem = platform::writeProblem(path);
    if (!problem.isEmpty())
        throw UsageError(QStringLiteral("无法写入 %1: %2").arg(path, problem));
}

void requireWritableFolder(const QString &folder)
{
    const QFileInfo info(folder);
    if (info.exists() && !info.isDir())
        throw UsageError(QStringLiteral("%1 是一个文件, 不是文件夹").arg(folder));
    // A file inside the folder says whether the folder is open to writing, or can be made.
    const QString probe = QDir(folder).filePath(QStringLiteral(".tovren-probe"));
    const QString problem = platform::writeProblem(info.exists() ? probe : info.absoluteFilePath());
    if (!problem.isEmpty())
        throw UsageError(QStringLiteral("无法写入文件夹 %1: %2").arg(folder, problem));
}

} // namespace tovren::cli
