#include "report/designer/ObjectEditors.h"

#include "report/designer/DesignerDialogs.h"
#include "report/designer/ObjectRestrictions.h"
#include "report/dialogs/BandSourceChoice.h"
#include "report/dialogs/CrossBandSources.h"
#include "report/dialogs/PictureEdit.h"
#include "report/engine/DataSourceListing.h"
#include "report/engine/TqxReport.h"
#include "report/model/BandType.h"
#include "report/model/TqxBandView.h"
#include "report/model/TqxPictureView.h"

namespace tovren::designer {

ObjectEditors::ObjectEditors(DesignerDialogs &dialogs, engine::TqxReport &report,
                             std::function<void()> recordEditStep)
    : m_dialogs(dialogs)
    , m_report(report)
    , m_recordEditStep(std::move(recordEditStep))
{}

void ObjectEditors::change(const std::function<void()> &edit)
{
    if (m_recordEditStep)
        m_recordEditStep();
    edit();
}

ObjectEditors::Outcome ObjectEditors::open(model::TqxView &view, const model::TqxPage &page)
{
    if (!mayEditContents(view))
        return Outcome::NoEditor;
    if (view.ObjectKind == model::okBand)
        return editBand(view, page);
    if (auto *picture = dynamic_cast<model::TqxPictureView *>(&view)) {
        dialogs::PictureEdit edit = dialogs::PictureEdit::of(*picture);
        if (!m_dialogs.editPicture(edit))
            return Outcome::Cancelled;
        change([&] { edit.applyTo(*picture); });
        return Outcome::Changed;
    }
    return Outcome::NoEditor;
}

ObjectEditors::Outcome ObjectEditors::editBand(model::TqxView &view, const model::TqxPage &page)
{
    auto &band = static_cast<model::TqxBandView &>(view);
    const engine::TqxDataDictionary &dictionary = m_report.Dictionary();
    const QStringList reportSources = engine::DataSourceListing(m_report).ReportSourceNames();
    switch (band.bandType()) {
    case model::btMasterData:
    case model::btDetailData:
    case model::btSubDetailData: {
        dialogs::BandSourceChoice choice =
            dialogs::BandSourceChoice::fromStored(band.CustomFormat, reportSources, dictionary);
        if (!m_dialogs.editBandSource(choice))
            return Outcome::Cancelled;
        change([&] { band.CustomFormat = choice.storedText(dictionary); });
        return Outcome::Changed;
    }
    case model::btCrossData: {
        dialogs::CrossBandSources sources =
            dialogs::CrossBandSources::fromStored(band.CustomFormat, page);
        // With no band to feed there is nothing to edit.
        if (sources.isEmpty() ||
            !m_dialogs.editCrossBandSources(sources, reportSources, dictionary))
            return Outcome::Cancelled;
        change([&] { band.CustomFormat = sources.storedText(); });
        return Outcome::Changed;
    }
    case model::btGroupHeader: {
        const std::optional<QString> condition = m_dialogs.editGroupCondition(band.CustomFormat);
        if (!condition)
            return Outcome::Cancelled;
        change([&] { band.CustomFormat = *condition; });
        return Outcome::Changed;
    }
    default:
        return Outcome::NoEditor;
    }
}

} // namespace tovren::designer
