#pragma once

#include "report/model/PictureGraphic.h"

#include <QStringList>

class QIODevice;

namespace tovren::model {
class TemplateBlockHandler;
class TqxPages;
struct TemplateSettings;
} // namespace tovren::model

namespace tovren::engine {

/// The template-gallery file (.qxt) of the new-report dialog: a description, an optional
/// picture and the template pages, which a reader may skip straight to.
///
/// Reading raises model::ERecordFormat for a damaged file; the pages are then whatever the
/// page reader left, so callers read into pages they can throw away.
class GalleryFile
{
public:
    struct Preview
    {
        QStringList description;
        model::PictureGraphic picture;
    };

    static void write(QIODevice &file, const Preview &preview, const model::TqxPages &pages,
                      const model::TemplateSettings &settings,
                      const model::TemplateBlockHandler &blocks);
    static Preview readPreview(QIODevice &file);
    static void readTemplate(QIODevice &file, model::TqxPages &pages,
                             model::TemplateSettings &settings,
                             model::TemplateBlockHandler &blocks);
};

} // namespace tovren::engine
