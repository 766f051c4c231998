#pragma once

#include <QIcon>
#include <QPixmap>

// The small pictures the dialogs show beside their lists and choices. They are drawn rather
// than shipped, so they stay sharp and need no files.
namespace tovren::dialogs {

/// 18 x 16 pixels: a printer, beside printer names.
QIcon printerIcon();
/// 28 x 32 pixels: a report page with lines of text, the icon of every gallery entry.
QIcon reportPageIcon();
/// A sheet standing upright, or lying, with a letter on it: the orientation pictures of the
/// page options.
QPixmap portraitPicture();
QPixmap landscapePicture();

/// @p image for a picture box of @p box pixels: at its own size when it fits, otherwise
/// shrunk to fit with its proportions kept; an empty image gives an empty pixmap.
QPixmap pixmapWithin(const QImage &image, QSize box);

} // namespace tovren::dialogs
