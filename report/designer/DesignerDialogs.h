#pragma once

#include "report/dialogs/HighlightValues.h"
#include "report/dialogs/InsertFieldsChoice.h"
#include "report/model/ColorRef.h"
#include "report/model/PictureGraphic.h"

#include <QFont>
#include <QStringList>
#include <functional>
#include <optional>

namespace tovren::dialogs {
struct BandSourceChoice;
class CrossBandSources;
struct PictureEdit;
} // namespace tovren::dialogs
namespace tovren::chart {
class TqxChartView;
}
namespace tovren::engine {
class DataSourceListing;
class TqxDataDictionary;
class TqxReport;
} // namespace tovren::engine
namespace tovren::model {
class TqxPage;
class TqxView;
} // namespace tovren::model

namespace tovren::designer {

struct DesignerSettings;

/// The designer's own modal dialogs, each of which reads what it shows from the model and writes
/// back only when the person confirms. The window opens them through this interface, so tests
/// answer them without windows.
class DesignerDialogs
{
public:
    /// A gallery template's description and picture, as the person gave them.
    struct GalleryDescription
    {
        QStringList description;
        model::PictureGraphic picture;
    };

    virtual ~DesignerDialogs() = default;

    /// Page options of @p page; @p unlimitedHeight is the designer's tall-canvas option, shown
    /// in the same dialog. True when accepted and written back.
    virtual bool editPageOptions(model::TqxPage &page, bool &unlimitedHeight) = 0;
    /// True when accepted and written back into @p settings.
    virtual bool editDesignerOptions(DesignerSettings &settings) = 0;
    /// Report options, with the password confirmation; true when accepted and written back.
    virtual bool editReportOptions(engine::TqxReport &report) = 0;
    /// The band type to insert on @p page, or nothing when cancelled.
    virtual std::optional<int> chooseBandType(const model::TqxPage &page, bool subReportPage) = 0;
    /// The gallery template chosen for a new report, as a file name.
    virtual std::optional<QString> chooseGalleryTemplate(engine::TqxReport &report) = 0;
    virtual std::optional<GalleryDescription> describeGalleryTemplate() = 0;
    virtual void showAbout() = 0;

    /// A font and its colour, as the font dialog gives them back.
    struct ChosenFont
    {
        QFont font;
        model::ColorRef colour = model::clBlack;
    };
    /// The font dialog starting on @p font in @p colour; nothing when cancelled.
    virtual std::optional<ChosenFont> chooseFont(const QFont &font, model::ColorRef colour) = 0;

    /// A data band's source, edited in @p choice; true when accepted.
    virtual bool editBandSource(dialogs::BandSourceChoice &choice) = 0;
    /// A cross band's sources per band, edited in @p sources; true when accepted.
    /// @p reportSources are the report data sources as listed.
    virtual bool editCrossBandSources(dialogs::CrossBandSources &sources,
                                      const QStringList &reportSources,
                                      const engine::TqxDataDictionary &dictionary) = 0;
    /// A group header's condition; nothing when cancelled.
    virtual std::optional<QString> editGroupCondition(const QString &condition) = 0;
    /// A picture object's graphic and fit, edited in @p edit; true when accepted.
    virtual bool editPicture(dialogs::PictureEdit &edit) = 0;
    /// The data set, fields and layout to insert; nothing when cancelled.
    virtual std::optional<dialogs::InsertFieldsChoice>
    chooseFieldsToInsert(const engine::DataSourceListing &listing) = 0;
    /// The chart editor on @p chart; on OK @p beforeChange runs, then the options are written
    /// back. True when they were.
    virtual bool editChart(chart::TqxChartView &chart,
                           const std::function<void()> &beforeChange) = 0;
    /// What the text editor calls back into the designer.
    struct TextEditing
    {
        /// Which kind of editor: with the highlighting script pane or the plain one.
        bool syntaxHighlight = true;
        std::function<QString()> pickExpression;
        std::function<QString()> pickDatabaseField;
        std::function<void()> prepareUndoStep;
    };
    /// The text editor on @p view's text and script; true when confirmed and written back.
    virtual bool editText(model::TqxView &view, const TextEditing &editing) = 0;
    /// The expression builder starting on @p text; its text, or nothing when cancelled.
    virtual std::optional<QString> buildExpression(engine::TqxReport &report,
                                                   const QString &text) = 0;
    /// The data field picker; source."field", or nothing when cancelled or none was chosen.
    virtual std::optional<QString> chooseDataField(engine::TqxReport &report) = 0;
    /// The dictionary editor; true when accepted and written back into the report.
    virtual bool editDictionary(engine::TqxReport &report) = 0;
    /// A display format code with its custom pattern.
    struct DisplayFormat
    {
        qint32 code = 0;
        QString customFormat;
    };
    /// The display format dialog starting on @p format; nothing when cancelled.
    virtual std::optional<DisplayFormat> editDisplayFormat(const DisplayFormat &format) = 0;
    /// The highlight dialog starting on @p highlight; nothing when cancelled.
    virtual std::optional<dialogs::HighlightValues>
    editHighlight(const dialogs::HighlightValues &highlight) = 0;
    /// The additional attributes (tag) dialog; nothing when cancelled.
    virtual std::optional<QString> editTag(const QString &tag) = 0;
    /// The restrictions dialog on @p restrictions; nothing when cancelled.
    virtual std::optional<quint16> editRestrictions(quint16 restrictions) = 0;
};

} // namespace tovren::designer
