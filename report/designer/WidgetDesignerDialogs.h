#pragma once

#include "report/designer/DesignerDialogs.h"
#include "report/dialogs/ExpressionPickers.h"

#include <QPointer>
#include <memory>

class QWidget;

namespace tovren::dialogs {
class TqxTextEditorBase;
}

namespace tovren::output {
class TqxPrinter;
}
namespace tovren::platform {
class DialogProvider;
class SettingsStore;
} // namespace tovren::platform

namespace tovren::designer {

/// The designer's dialogs as real windows: page, designer and report options, the band type
/// chooser, the template gallery and the about box. Each reads its values from the model,
/// shows its window modally over the window that is active and writes back only on OK.
class WidgetDesignerDialogs : public DesignerDialogs
{
public:
    /// Nothing given is owned; all must outlive the dialogs. @p settings may be none.
    WidgetDesignerDialogs(output::TqxPrinter &printer, platform::DialogProvider &dialogs,
                          platform::SettingsStore *settings, QWidget *parent);
    ~WidgetDesignerDialogs() override;

    bool editPageOptions(model::TqxPage &page, bool &unlimitedHeight) override;
    bool editDesignerOptions(DesignerSettings &settings) override;
    bool editReportOptions(engine::TqxReport &report) override;
    std::optional<int> chooseBandType(const model::TqxPage &page, bool subReportPage) override;
    std::optional<QString> chooseGalleryTemplate(engine::TqxReport &report) override;
    std::optional<GalleryDescription> describeGalleryTemplate() override;
    void showAbout() override;
    std::optional<ChosenFont> chooseFont(const QFont &font, model::ColorRef colour) override;
    bool editBandSource(dialogs::BandSourceChoice &choice) override;
    bool editCrossBandSources(dialogs::CrossBandSources &sources, const QStringList &reportSources,
                              const engine::TqxDataDictionary &dictionary) override;
    std::optional<QString> editGroupCondition(const QString &condition) override;
    bool editPicture(dialogs::PictureEdit &edit) override;
    std::optional<dialogs::InsertFieldsChoice>
    chooseFieldsToInsert(const engine::DataSourceListing &listing) override;
    bool editChart(chart::TqxChartView &chart, const std::function<void()> &beforeChange) override;
    bool editText(model::TqxView &view, const TextEditing &editing) override;
    std::optional<QString> buildExpression(engine::TqxReport &report, const QString &text) override;
    std::optional<QString> chooseDataField(engine::TqxReport &report) override;
    bool editDictionary(engine::TqxReport &report) override;
    std::optional<DisplayFormat> editDisplayFormat(const DisplayFormat &format) override;
    std::optional<dialogs::HighlightValues>
    editHighlight(const dialogs::HighlightValues &highlight) override;
    std::optional<QString> editTag(const QString &tag) override;
    std::optional<quint16> editRestrictions(quint16 restrictions) override;

private:
    QWidget *owner() const;

    output::TqxPrinter &m_printer;
    platform::DialogProvider &m_dialogs;
    platform::SettingsStore *m_settings;
    QPointer<QWidget> m_parent;
    /// One text editor is kept, so its pane layout stays from edit to edit; it is made again
    /// when the kind changes.
    QPointer<dialogs::TqxTextEditorBase> m_textEditor;
    bool m_textEditorHighlights = true;
    dialogs::PickerMemory m_pickerMemory;
};

/// The dialogs the program's designer uses.
std::unique_ptr<DesignerDialogs> makeWidgetDesignerDialogs(output::TqxPrinter &printer,
                                                           platform::DialogProvider &dialogs,
                                                           platform::SettingsStore *settings,
                                                           QWidget *parent);

} // namespace tovren::designer
