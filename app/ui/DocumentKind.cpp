#include "app/ui/DocumentKind.h"

#include <QFileInfo>

namespace tovren::app {

DocumentKind documentKind(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix();
    if (suffix.compare(u"qxf", Qt::CaseInsensitive) == 0)
        return DocumentKind::Template;
    if (suffix.compare(u"qxp", Qt::CaseInsensitive) == 0)
        return DocumentKind::PreparedReport;
    return DocumentKind::None;
}

} // namespace tovren::app
