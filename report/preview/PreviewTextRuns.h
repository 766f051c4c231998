#pragma once

#include <QList>
#include <QRect>
#include <QString>

namespace tovren::engine {
class TqxEMFPages;
}

namespace tovren::preview {

/// One text output of a drawn page: its string and where it lands, in page pixels.
struct PreviewTextRun
{
    /// Position of the output among all of the page's drawing operations, counted from 0.
    int record = 0;
    QString text;
    QRect bounds;
};

/// Draws a prepared page at scale 1 onto a recording device and lists its text outputs in
/// drawing order.
///
/// Every drawing operation gets a number, text or not, so a search can resume after a given
/// output even when shapes sit between the texts.
class PreviewTextRuns
{
public:
    /// The page's loaded objects are released afterwards; the page stays as it was otherwise.
    static QList<PreviewTextRun> collect(engine::TqxEMFPages &pages, qsizetype index);
};

} // namespace tovren::preview
