#include "report/platform/DialogProvider.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace tovren::platform {

int matchingFilterIndex(const QString &filters, const QString &fileName)
{
    if (fileName.isEmpty())
        return 0;
    const QString name = QFileInfo(fileName).fileName();
    const QStringList types = filters.split(QStringLiteral(";;"));
    static const QRegularExpression patternList(QStringLiteral("\\(([^)]*)\\)"));
    for (int index = 0; index < types.size(); ++index) {
        const QRegularExpressionMatch match = patternList.match(types[index]);
        if (!match.hasMatch())
            continue;
        const QStringList patterns = match.captured(1).split(u' ', Qt::SkipEmptyParts);
        for (const QString &pattern : patterns) {
            const QRegularExpression wildcard(
                QRegularExpression::wildcardToRegularExpression(pattern),
                QRegularExpression::CaseInsensitiveOption);
            if (wildcard.match(name).hasMatch())
                return index;
        }
    }
    return 0;
}

} // namespace tovren::platform
