#pragma once

#include "report/model/PictureGraphic.h"

#include <QString>
#include <optional>

namespace tovren::dialogs {

/// Reads a picture the clerk chose for a picture object: BMP, JPEG, PNG or icon files.
///
/// The file is checked before it is decoded: a file that is no picture, is damaged or holds
/// more than kMaxMegapixels is refused with a message naming it. JPEG files keep their own
/// bytes; a PNG file is kept as a bitmap, the kinds a template can store.
class PictureFileReader
{
public:
    static constexpr qint64 kMaxPixels = 50'000'000;

    /// The file's picture, or nothing with the reason in @p error.
    static std::optional<model::PictureGraphic> read(const QString &fileName, QString &error);
    /// @p image as a bitmap graphic (for pictures from a file kind the template cannot keep,
    /// or from the clipboard); nothing for a null image.
    static std::optional<model::PictureGraphic> fromImage(const QImage &image);
    /// The file filter of the picture editor's open dialog.
    static QString fileFilter();
};

} // namespace tovren::dialogs
