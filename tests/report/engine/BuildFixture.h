#pragma once

#include "MemoryRecordSet.h"
#include "report/engine/ComponentLookup.h"
#include "report/engine/TqxBand.h"
#include "report/engine/TqxDBDataSet.h"
#include "report/engine/TqxReport.h"
#include "report/model/BandType.h"
#include "report/model/TqxBandView.h"
#include "report/model/TqxMemoView.h"

#include <QStringList>
#include <cmath>
#include <gtest/gtest.h>

namespace tovren::test {

/// Paper exactly as asked, with no unprintable margin: design pixels straight from tenths of a
/// millimetre.
class ExactPaper : public model::PaperSelector
{
public:
    std::optional<Selection> selectSheet(const model::SheetRequest &request) override
    {
        Selection selection{request, {}};
        const auto px = [](model::TenthsMm tenths) {
            return static_cast<int>(std::lround(tenths / 254.0 * 91.6256157635468));
        };
        selection.metrics.PaperWidthPx = selection.metrics.PrintWidthPx = px(request.width);
        selection.metrics.PaperHeightPx = selection.metrics.PrintHeightPx = px(request.height);
        selection.metrics.DevPaperWidth = selection.metrics.DevPrintWidth = request.width;
        selection.metrics.DevPaperHeight = selection.metrics.DevPrintHeight = request.height;
        return selection;
    }
    int defaultPaperCode() const override { return 9; }
    QStringList paperNames() const override { return {}; }
    QList<int> paperCodes() const override { return {}; }
};

/// A main form with the browse query "Aqy" (rows N = 1, 2, ... and NAME), the report data
/// source "qxDBDataSet1" over it and the report "qxReport1", with helpers that make template
/// pages, bands and text objects in code.
class BuildTest : public ::testing::Test
{
protected:
    explicit BuildTest(int rows = 5)
        : aqy(new MemoryRecordSet(rows, QStringLiteral("Aqy"), &form))
        , dataSet(new engine::TqxDBDataSet(QStringLiteral("qxDBDataSet1"), &form))
        , report(QStringLiteral("qxReport1"), &form, registry, &paper)
    {
        registry.registerForm(form);
        dataSet->setDataSet(aqy);
        report.ShowProgress = false;
    }
    ~BuildTest() override { registry.unregisterForm(form); }

    /// A page of @p heightTenths tenths of a millimetre by 2100, with 0 margins.
    model::TqxPage &addPage(model::TenthsMm heightTenths = 2970)
    {
        model::TqxPage &page = *report.Pages().page(report.Pages().Add());
        page.ChangePaper(model::SheetRequest{256, 2100, heightTenths, -1, false});
        return page;
    }

    model::TqxBandView &addBand(model::TqxPage &page, int type, int top, int height,
                                const QString &name, const QString &source = {})
    {
        auto band = std::make_unique<model::TqxBandView>();
        band->setBandType(type);
        band->Name = name;
        band->SetBounds(0, top, 700, height);
        band->Flags = 0;
        band->CustomFormat = source;
        return static_cast<model::TqxBandView &>(page.addObject(std::move(band)));
    }

    /// A half-height page whose master data band "Data" over qxDBDataSet1 starts a new page
    /// for every record: one prepared page per record, as a certificate report makes.
    model::TqxPage &addPagePerRecord()
    {
        model::TqxPage &page = addPage(1480);
        auto &data = addBand(page, model::btMasterData, 0, 300, QStringLiteral("Data"),
                             QStringLiteral("qxDBDataSet1"));
        data.Flags |= model::TqxBandView::kFormNewPageFlag;
        return page;
    }

    model::TqxMemoView &addText(model::TqxPage &page, int left, int top, const QString &text,
                                const QString &name = {})
    {
        auto memo = std::make_unique<model::TqxMemoView>();
        memo->Name = name.isEmpty() ? QStringLiteral("Memo%1").arg(page.objectCount()) : name;
        memo->SetBounds(left, top, 200, 20);
        memo->Flags = 0;
        memo->Memo = QStringList{text};
        return static_cast<model::TqxMemoView &>(page.addObject(std::move(memo)));
    }

    /// The texts of prepared page @p index, in the order they were written.
    QStringList pageTexts(qsizetype index)
    {
        QStringList texts;
        model::TqxPage &page = report.EMFPages().Unpack(index);
        for (qsizetype i = 0; i < page.objectCount(); ++i)
            texts << page.object(i)->Memo.join(u'\n');
        return texts;
    }

    /// Names of the bands in the order they were output.
    void recordBands()
    {
        report.OnBeginBand = [this](engine::TqxBand &band) {
            if (band.exists())
                bandLog << band.Name;
        };
    }

    ExactPaper paper;
    engine::TqxComponentRegistry registry;
    engine::TqxComponent form{QStringLiteral("Form1")};
    MemoryRecordSet *aqy;
    engine::TqxDBDataSet *dataSet;
    engine::TqxReport report;
    QStringList bandLog;
};

} // namespace tovren::test
