#include "app/cli/OutputFile.h"

#include "app/cli/Arguments.h"
#include "report/platform/FileProblems.h"

namespace tovren::cli {

void requireWritableOutput(const QString &path)
{
    const QString problem = platform::writeProblem(path);
    if (!problem.isEmpty())
        throw UsageError(QStringLiteral("无法写入 %1: %2").arg(path, problem));
}

} // namespace tovren::cli
