#pragma once

#include "report/designer/DesignerHost.h"

#include <QFont>
#include <QString>
#include <optional>

namespace tovren::model {
class TqxPage;
class TqxView;
} // namespace tovren::model

namespace tovren::designer {

/// What the text and frame tool bars show for a selection: one object's attributes, the
/// neutral states for several, nothing to change for none.
struct FormattingState
{
    /// Top, left, bottom and right frame lines down.
    bool frameTop = false, frameLeft = false, frameBottom = false, frameRight = false;
    QString frameWidthText = QStringLiteral("1");
    model::ColorRef fillColor = model::clBlack;
    model::ColorRef frameColor = model::clBlack;
    /// Text objects only.
    std::optional<model::ColorRef> fontColor;
    QString fontName;
    QString fontSizeText;
    bool bold = false, italic = false, underline = false;
    /// 0 left, 1 right, 2 centre, 3 width.
    int horizontalAlignment = 0;
    bool rotated = false;
    /// 0 top, 1 centre, 2 bottom.
    int verticalAlignment = 0;

    /// Nothing when nothing is selected (the bars keep what they show).
    static std::optional<FormattingState> of(const model::TqxPage &page);
};

/// The formatting commands of the text and frame tool bars, applied to every selected object
/// that may be modified and is not a band; each also becomes the last-used value that new
/// objects receive. The caller records the undo step before and repaints after.
///
/// Values typed into a box (a font size, a frame width) are checked before anything changes:
/// a text that is no number changes no object.
class SelectionFormatting
{
public:
    SelectionFormatting(model::TqxPage &page, LastUsedFormat &lastUsed)
        : m_page(page)
        , m_lastUsed(lastUsed)
    {}

    /// A frame line by its bit (8 top, 4 left, 2 bottom, 1 right) on or off.
    void setFrameLine(quint16 bit, bool on);
    void setAllFrameLines(bool on);
    void setFrameStyle(int style);
    void setFillColor(model::ColorRef color);
    void setFrameColor(model::ColorRef color);
    /// False, changing nothing, when @p text is no positive number.
    bool setFrameWidth(const QString &text);
    void setFontName(const QString &family);
    /// False, changing nothing, when @p text is no whole number from 1 to 1638.
    bool setFontSize(const QString &text);
    /// One style bit (2 bold, 1 italic, 4 underline) on or off; each object keeps its others.
    void setFontStyleBit(int bit, bool on);
    /// 0 left, 1 right, 2 centre, 3 width.
    void setHorizontalAlignment(int alignment);
    void setRotated(bool rotated);
    /// 0 top, 1 centre, 2 bottom.
    void setVerticalAlignment(int alignment);
    void setFontColor(model::ColorRef color);
    /// What the font dialog changed from @p before (name, size, style, colour) goes to every
    /// selected text object; what it left alone stays as each object has it.
    void applyFontChanges(const QFont &before, model::ColorRef colourBefore, const QFont &after,
                          model::ColorRef colourAfter);

    /// "," or "." as decimal separator; nothing for a text that is no positive number.
    static std::optional<double> parseFrameWidth(const QString &text);
    static std::optional<int> parseFontSize(const QString &text);

private:
    template<typename Change>
    void forEachObject(Change change);
    template<typename Change>
    void forEachText(Change change);

    model::TqxPage &m_page;
    LastUsedFormat &m_lastUsed;
};

} // namespace tovren::designer
