#include "report/engine/BuildEnvironment.h"

#include "report/engine/BuildRunState.h"
#include "report/engine/DialogPages.h"
#include "report/engine/PageEngine.h"
#include "report/engine/TqxBand.h"
#include "report/engine/TqxDBDataSet.h"
#include "report/engine/TqxReport.h"
#include "report/model/DisplayFormat.h"
#include "report/model/RunState.h"
#include "report/model/TqxMemoView.h"

namespace tovren::engine {

using script::Variant;

bool BuildEnvironment::resolveBandName(const QString &name, Variant &value)
{
    const TqxBand *band = buildRunState().currentBand;
    const QString upper = name.toUpper();
    if (upper == u"LINE#") {
        value = Variant(band ? band->LineNo : 0);
        return true;
    }
    if (upper == u"LINETHROUGH#") {
        value = Variant(band ? band->LineThroughNo : 0);
        return true;
    }
    if (upper == u"COLUMN#") {
        value = Variant(m_engine ? m_engine->ColumnNo : 1);
        return true;
    }
    if (upper == u"CURRENT#") {
        value = Variant(m_engine ? m_engine->RecordPos : 0);
        return true;
    }
    return false;
}

bool BuildEnvironment::resolveEngineName(const QString &name, Variant &value)
{
    const QString upper = name.toUpper();
    if (upper == u"FINALPASS") {
        value = Variant(m_report.FinalPass);
        return true;
    }
    if (!m_engine)
        return false;
    if (upper == u"CURY") {
        value = Variant(m_engine->CurY);
        return true;
    }
    if (upper == u"FREESPACE") {
        value = Variant(m_engine->BottomLimit - m_engine->CurY);
        return true;
    }
    if (upper == u"PAGEHEIGHT") {
        value = Variant(m_engine->BottomLimit - m_engine->page().TopEdge());
        return true;
    }
    if (upper == u"PAGEWIDTH") {
        value = Variant(m_engine->page().RightEdge() - m_engine->page().LeftEdge());
        return true;
    }
    return false;
}

bool BuildEnvironment::runEngineProcedure(const QString &name, const QString &argument, Variant &)
{
    const QString upper = name.toUpper();
    if (upper == u"STOPREPORT") {
        m_report.StopRequested = true;
        return true;
    }
    TqxBand *band = buildRunState().currentBand;
    if (upper == u"NEWPAGE") {
        if (band)
            ++band->PendingPageBreaks;
        return true;
    }
    if (upper == u"NEWCOLUMN") {
        if (band)
            ++band->PendingColumnBreaks;
        return true;
    }
    if (upper == u"SHOWBAND") {
        if (m_engine)
            m_engine->OutputBandByName(argument);
        return true;
    }
    return false;
}

bool BuildEnvironment::assignEngineName(const QString &name, const Variant &value)
{
    const QString upper = name.toUpper();
    if (upper == u"CURY") {
        if (m_engine) {
            m_engine->CurY = static_cast<model::DesignPixels>(value.toInt64());
            if (TqxBand *band = buildRunState().currentBand)
                band->RestoreY = true;
        }
        return true;
    }
    if (upper == u"MODALRESULT") {
        // Outside a dialog page there is no window to close.
        if (TqxDialogPageWindow *window = buildRunState().dialogWindow)
            window->setModalResult(static_cast<int>(value.toInt64()));
        return true;
    }
    if (upper == u"PROGRESS") {
        // The progress window shows it under the page line; a build without one drops it.
        if (TqxProgressSink *sink = m_report.progressSink();
            sink && m_report.ShowProgress && !m_report.OnProgress)
            sink->setNote(value.toString());
        return true;
    }
    return false;
}

bool BuildEnvironment::aggregateScanRunning() const
{
    return buildRunState().aggregateScan;
}

TqxRecordSet *BuildEnvironment::defaultDataSet() const
{
    for (const TqxBand *band = buildRunState().currentBand; band; band = band->OwnerDataBand) {
        if (const auto *source = qobject_cast<TqxDBDataSet *>(band->dataSet()))
            return source->effectiveDataSet();
        if (!band->OwnerDataBand)
            break;
    }
    if (const auto *source = qobject_cast<TqxDBDataSet *>(m_report.Dataset))
        return source->effectiveDataSet();
    return nullptr;
}

model::TqxView *BuildEnvironment::currentObject() const
{
    return model::runState().currentObject;
}

const model::TqxPages *BuildEnvironment::templatePages() const
{
    return &m_report.Pages();
}

bool BuildEnvironment::currentObjectHidesZeros() const
{
    const auto *memo = dynamic_cast<const model::TqxMemoView *>(currentObject());
    return memo && memo->flag(model::TqxMemoView::kHideZerosFlag);
}

QString BuildEnvironment::formatDisplayValue(const Variant &value,
                                             const QString &inlineFormat) const
{
    const auto *memo = dynamic_cast<const model::TqxMemoView *>(currentObject());
    const qint32 code = memo ? memo->DisplayFormat : 0;
    const QString custom = memo ? memo->CustomFormat : QString();
    if (inlineFormat.isEmpty())
        return model::FormatDisplayValue(value, code, custom);
    const model::BracketFormat format =
        model::splitBracketFormat(QStringLiteral("x #") + inlineFormat, code, custom);
    return model::FormatDisplayValue(value, format.code, format.custom);
}

int BuildEnvironment::pageIndex() const
{
    return buildRunState().pageIndex;
}
int BuildEnvironment::totalPageCount() const
{
    return buildRunState().totalPageCount;
}
double BuildEnvironment::buildDate() const
{
    return buildRunState().buildDate;
}
double BuildEnvironment::buildTime() const
{
    return buildRunState().buildTime;
}
QString BuildEnvironment::reportComment() const
{
    return m_report.Info.comment;
}
QString BuildEnvironment::reportName() const
{
    return m_report.Info.name;
}
QString BuildEnvironment::reportAuthor() const
{
    return m_report.Info.author;
}
QString BuildEnvironment::versionMajor() const
{
    return m_report.Info.versionMajor;
}
QString BuildEnvironment::versionMinor() const
{
    return m_report.Info.versionMinor;
}
QString BuildEnvironment::versionRelease() const
{
    return m_report.Info.versionRelease;
}
QString BuildEnvironment::versionBuild() const
{
    return m_report.Info.versionBuild;
}
double BuildEnvironment::createdAt() const
{
    return m_report.Info.createdAt;
}
double BuildEnvironment::changedAt() const
{
    return m_report.Info.changedAt;
}

} // namespace tovren::engine
