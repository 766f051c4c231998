#pragma once

#include <QImage>
#include <QPoint>

namespace tovren::designer {

/// The small pictures the canvas draws: the marks on objects that carry a script or a
/// highlight condition, and the pencil of the line tool. They are drawn in code once, so the
/// designer ships no image files for them.
class CanvasMarks
{
public:
    CanvasMarks();

    /// Drawn at (Left + 1, Top + 1) on an object whose script is not empty.
    const QImage &scriptMark() const { return m_script; }
    /// Drawn at (Left + 1, Top + 10) on a text object with a highlight condition.
    const QImage &highlightMark() const { return m_highlight; }
    const QImage &pencilCursor() const { return m_pencil; }
    /// The pencil's tip inside pencilCursor().
    QPoint pencilHotSpot() const { return {1, 30}; }

private:
    QImage m_script;
    QImage m_highlight;
    QImage m_pencil;
};

} // namespace tovren::designer
