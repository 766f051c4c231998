#include "report/designer/TqxReportDesigner.h"

namespace tovren::designer {

namespace {

// The open designer; a page-edit designer opened from a preview of the designer's own report
// stands in front of the whole-report one until it closes.
QPointer<TqxReportDesigner> &activeDesigner()
{
    static QPointer<TqxReportDesigner> designer;
    return designer;
}

} // namespace

TqxReportDesigner::TqxReportDesigner(bool wholeReport, QWidget *parent)
    : QMainWindow(parent)
    , WholeReport(wholeReport)
    , m_previous(activeDesigner())
{
    activeDesigner() = this;
}

TqxReportDesigner::~TqxReportDesigner()
{
    if (activeDesigner() == this)
        activeDesigner() = m_previous;
}

TqxReportDesigner *TqxReportDesigner::active()
{
    return activeDesigner();
}

QString bracketedExpression(const QString &built)
{
    if (built.isEmpty())
        return built;
    const bool onePair =
        built.startsWith(u'[') && built.endsWith(u']') && built.indexOf(u'[', 1) < 0;
    return onePair ? built : u'[' + built + u']';
}

} // namespace tovren::designer
