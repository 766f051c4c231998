#pragma once

#include "app/certificate/CertificateTemplate.h"
#include "report/chart/TqxChartView.h"
#include "report/designer/DesignerDialogs.h"
#include "report/designer/DesignerSettings.h"
#include "report/designer/TqxDesignerForm.h"
#include "report/dialogs/BandSourceChoice.h"
#include "report/dialogs/ChartFormValues.h"
#include "report/dialogs/CrossBandSources.h"
#include "report/dialogs/InsertFieldsChoice.h"
#include "report/dialogs/PictureEdit.h"
#include "report/engine/TqxComponent.h"
#include "report/engine/TqxReport.h"
#include "report/model/TemplatePageList.h"
#include "report/platform/SettingsStore.h"
#include "tests/report/designer/CanvasFixture.h"
#include "tests/support/ScriptedDialogs.h"

#include <QTemporaryDir>
#include <deque>

namespace tovren::test {

/// The designer's own dialogs, answered from queues and counted.
class ScriptedDesignerDialogs : public designer::DesignerDialogs
{
public:
    /// Each page options request takes the front answer; none left answers Cancel.
    std::deque<bool> pageOptionsAnswers;
    std::function<void(model::TqxPage &)> pageOptionsEdit;
    std::optional<designer::DesignerSettings> designerOptions;
    std::optional<int> bandType;
    std::optional<QString> galleryChoice;
    std::optional<GalleryDescription> galleryDescription;
    int pageOptionsShown = 0;
    int aboutShown = 0;

    bool editPageOptions(model::TqxPage &page, bool &) override
    {
        ++pageOptionsShown;
        if (pageOptionsAnswers.empty())
            return false;
        const bool accepted = pageOptionsAnswers.front();
        pageOptionsAnswers.pop_front();
        if (accepted && pageOptionsEdit)
            pageOptionsEdit(page);
        return accepted;
    }
    bool editDesignerOptions(designer::DesignerSettings &settings) override
    {
        if (!designerOptions)
            return false;
        settings = *designerOptions;
        return true;
    }
    bool editReportOptions(engine::TqxReport &) override { return false; }
    std::optional<int> chooseBandType(const model::TqxPage &, bool) override { return bandType; }
    std::optional<QString> chooseGalleryTemplate(engine::TqxReport &) override
    {
        return galleryChoice;
    }
    std::optional<GalleryDescription> describeGalleryTemplate() override
    {
        return galleryDescription;
    }
    void showAbout() override { ++aboutShown; }
    std::optional<ChosenFont> chooseFont(const QFont &, model::ColorRef) override
    {
        return chosenFont;
    }
    std::optional<ChosenFont> chosenFont;

    /// The editors below answer Cancel unless an answer is given; what they were shown is kept.
    std::function<bool(dialogs::BandSourceChoice &)> bandSourceAnswer;
    std::optional<dialogs::BandSourceChoice> bandSourceShown;
    bool editBandSource(dialogs::BandSourceChoice &choice) override
    {
        bandSourceShown = choice;
        return bandSourceAnswer && bandSourceAnswer(choice);
    }
    std::function<bool(dialogs::CrossBandSources &)> crossBandAnswer;
    int crossBandShown = 0;
    bool editCrossBandSources(dialogs::CrossBandSources &sources, const QStringList &,
                              const engine::TqxDataDictionary &) override
    {
        ++crossBandShown;
        return crossBandAnswer && crossBandAnswer(sources);
    }
    std::optional<QString> groupCondition;
    std::optional<QString> editGroupCondition(const QString &) override { return groupCondition; }
    std::function<bool(dialogs::PictureEdit &)> pictureAnswer;
    bool editPicture(dialogs::PictureEdit &edit) override
    {
        return pictureAnswer && pictureAnswer(edit);
    }
    std::optional<dialogs::InsertFieldsChoice> fieldsToInsert;
    std::optional<dialogs::InsertFieldsChoice>
    chooseFieldsToInsert(const engine::DataSourceListing &) override
    {
        return fieldsToInsert;
    }
    /// The chart editor's answer: the values confirmed, or nothing for Cancel.
    bool editChart(chart::TqxChartView &chart, const std::function<void()> &beforeChange) override
    {
        ++chartEditorOpened;
        if (!chartAnswer || !chartAnswer->topCount())
            return false;
        beforeChange();
        return chartAnswer->applyTo(chart);
    }
    std::optional<dialogs::ChartFormValues> chartAnswer;
    int chartEditorOpened = 0;
    /// The text editor's answer: changes the object as a person would, then confirms.
    std::function<bool(model::TqxView &, const TextEditing &)> textEdit;
    std::optional<QString> builtExpression;
    std::optional<QString> chosenField;
    /// Applied to the report when the dictionary editor is confirmed; none cancels.
    std::function<void(engine::TqxReport &)> dictionaryEdit;
    int textEditorShown = 0;

    bool editText(model::TqxView &view, const TextEditing &editing) override
    {
        ++textEditorShown;
        return textEdit && textEdit(view, editing);
    }
    std::optional<QString> buildExpression(engine::TqxReport &, const QString &) override
    {
        return builtExpression;
    }
    std::optional<QString> chooseDataField(engine::TqxReport &) override { return chosenField; }
    bool editDictionary(engine::TqxReport &report) override
    {
        if (!dictionaryEdit)
            return false;
        dictionaryEdit(report);
        return true;
    }
    std::optional<DisplayFormat> editDisplayFormat(const DisplayFormat &format) override
    {
        formatShown = format;
        return formatAnswer;
    }
    std::optional<dialogs::HighlightValues>
    editHighlight(const dialogs::HighlightValues &highlight) override
    {
        highlightShown = highlight;
        return highlightAnswer;
    }
    std::optional<QString> editTag(const QString &) override { return tagAnswer; }
    std::optional<quint16> editRestrictions(quint16) override { return restrictionsAnswer; }
    std::optional<DisplayFormat> formatShown;
    std::optional<DisplayFormat> formatAnswer;
    std::optional<dialogs::HighlightValues> highlightShown;
    std::optional<dialogs::HighlightValues> highlightAnswer;
    std::optional<QString> tagAnswer;
    std::optional<quint16> restrictionsAnswer;
};

/// A report holding the certificate template, with what a designer window needs around it.
class DesignerTest : public ::testing::Test
{
protected:
    DesignerTest() { app::buildCertificateTemplate(report.Pages(), templateSettings, report.Info); }

    std::unique_ptr<designer::TqxDesignerForm> openDesigner(bool wholeReport = true)
    {
        designer::TqxDesignerForm::Services services;
        services.dialogs = &dialogs;
        services.designerDialogs = &designerDialogs;
        services.settings = &settings;
        services.recoveryFolder = dir.filePath(QStringLiteral("recovery"));
        auto window = std::make_unique<designer::TqxDesignerForm>(report, wholeReport, services);
        window->resize(1100, 800);
        return window;
    }
    QString path(const char *name) const { return dir.filePath(QString::fromUtf8(name)); }

    QTemporaryDir dir;
    CanvasPaper paper;
    engine::TqxComponentRegistry registry;
    engine::TqxComponent form{QStringLiteral("Form1")};
    engine::TqxReport report{QStringLiteral("qxReport1"), &form, registry, &paper};
    model::TemplateSettings templateSettings;
    ScriptedDialogs dialogs;
    ScriptedDesignerDialogs designerDialogs;
    platform::SettingsStore settings{dir.filePath(QStringLiteral("settings.ini")),
                                     QStringLiteral("Tovren")};
};

} // namespace tovren::test
