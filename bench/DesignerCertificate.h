#pragma once

#include "app/certificate/CertificateTemplate.h"
#include "bench/DesignerBenchRig.h"
#include "report/designer/DesignerDialogs.h"
#include "report/dialogs/BandSourceChoice.h"
#include "report/dialogs/CrossBandSources.h"
#include "report/dialogs/HighlightValues.h"
#include "report/dialogs/InsertFieldsChoice.h"
#include "report/dialogs/PictureEdit.h"
#include "report/engine/TqxComponent.h"
#include "report/engine/TqxReport.h"
#include "report/model/TemplatePageList.h"

namespace tovren::bench {

/// The designer's dialogs, each cancelled at once.
class NoDesignerDialogs : public designer::DesignerDialogs
{
public:
    bool editPageOptions(model::TqxPage &, bool &) override { return false; }
    bool editDesignerOptions(designer::DesignerSettings &) override { return false; }
    bool editReportOptions(engine::TqxReport &) override { return false; }
    std::optional<int> chooseBandType(const model::TqxPage &, bool) override { return {}; }
    std::optional<QString> chooseGalleryTemplate(engine::TqxReport &) override { return {}; }
    std::optional<GalleryDescription> describeGalleryTemplate() override { return {}; }
    void showAbout() override {}
    std::optional<ChosenFont> chooseFont(const QFont &, model::ColorRef) override { return {}; }
    bool editBandSource(dialogs::BandSourceChoice &) override { return false; }
    bool editCrossBandSources(dialogs::CrossBandSources &, const QStringList &,
                              const engine::TqxDataDictionary &) override
    {
        return false;
    }
    std::optional<QString> editGroupCondition(const QString &) override { return {}; }
    bool editPicture(dialogs::PictureEdit &) override { return false; }
    std::optional<dialogs::InsertFieldsChoice>
    chooseFieldsToInsert(const engine::DataSourceListing &) override
    {
        return {};
    }
    bool editChart(chart::TqxChartView &, const std::function<void()> &) override { return false; }
    bool editText(model::TqxView &, const TextEditing &) override { return false; }
    std::optional<QString> buildExpression(engine::TqxReport &, const QString &) override
    {
        return {};
    }
    std::optional<QString> chooseDataField(engine::TqxReport &) override { return {}; }
    bool editDictionary(engine::TqxReport &) override { return false; }
    std::optional<DisplayFormat> editDisplayFormat(const DisplayFormat &) override { return {}; }
    std::optional<dialogs::HighlightValues> editHighlight(const dialogs::HighlightValues &) override
    {
        return {};
    }
    std::optional<QString> editTag(const QString &) override { return {}; }
    std::optional<quint16> editRestrictions(quint16) override { return {}; }
};

/// The built-in certificate as a report of its own, with answers for the designer.
struct CertificateReport
{
    CertificateReport() { app::buildCertificateTemplate(report.Pages(), settings, report.Info); }

    ExactPaper paper;
    engine::TqxComponentRegistry registry;
    engine::TqxComponent form{QStringLiteral("Form1")};
    engine::TqxReport report{QStringLiteral("qxReport1"), &form, registry, &paper};
    model::TemplateSettings settings;
    SilentDialogs dialogs{platform::mrNo};
    NoDesignerDialogs designerDialogs;
};

} // namespace tovren::bench
