#pragma once

#include "report/dialogs/HighlightValues.h"
#include "report/model/ColorRef.h"
#include "report/model/PictureGraphic.h"

#include <QFont>
#include <QStringList>
#include <optional>

namespace tovren::engine {
class TqxReport;
}
namespace tovren::model {
class TqxPage;
}

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
