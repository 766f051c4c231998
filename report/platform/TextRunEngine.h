#pragma once

class QFont;
class QPointF;
class QString;

namespace tovren::platform {

/// A paint engine that takes whole runs of text itself.
///
/// The painter shapes every run before it reaches an engine, which at the enlarged printer
/// fonts costs more than writing the run. An engine that can place a run from the face's own
/// character map and advances offers this instead; text drawing asks the painter's engine for
/// it and falls back to the painter when the engine declines.
class TextRunEngine
{
public:
    virtual ~TextRunEngine() = default;

    /// Draws @p text in @p font with its baseline starting at @p baseline, in the painter's
    /// current coordinates, pen and clip; false when the run needs the painter's shaping (a
    /// character the face lacks, spacing, decorations or a script that joins its letters).
    virtual bool drawTextRun(const QPointF &baseline, const QFont &font, const QString &text) = 0;

protected:
    TextRunEngine() = default;
    TextRunEngine(const TextRunEngine &) = default;
    TextRunEngine &operator=(const TextRunEngine &) = default;
};

} // namespace tovren::platform
