#include "report/designer/SelectionFormatting.h"

#include "report/designer/ObjectRestrictions.h"
#include "report/model/TqxMemoView.h"
#include "report/model/TqxPage.h"

#include <cmath>

namespace tovren::designer {

namespace {

using model::TqxMemoView;
using model::TqxView;

constexpr quint16 kAllFrameLines = 15;
constexpr int kLargestFontPoints = 1638;

int fontStyleCode(const QFont &font)
{
    return (font.italic() ? model::fsItalic : 0) | (font.bold() ? model::fsBold : 0) |
           (font.underline() ? model::fsUnderline : 0) |
           (font.strikeOut() ? model::fsStrikeOut : 0);
}

void applyFontStyleCode(QFont &font, int code)
{
    font.setItalic(code & model::fsItalic);
    font.setBold(code & model::fsBold);
    font.setUnderline(code & model::fsUnderline);
    font.setStrikeOut(code & model::fsStrikeOut);
}

} // namespace

std::optional<FormattingState> FormattingState::of(const model::TqxPage &page)
{
    const TqxView *single = nullptr;
    int selected = 0;
    for (qsizetype i = 0; i < page.objectCount(); ++i) {
        if (page.object(i)->Selected) {
            single = page.object(i);
            ++selected;
        }
    }
    if (selected == 0)
        return std::nullopt;
    FormattingState state;
    if (selected > 1 || single->ObjectKind == model::okBand)
        return state;
    state.frameTop = single->FrameTyp & model::qxftTop;
    state.frameLeft = single->FrameTyp & model::qxftLeft;
    state.frameBottom = single->FrameTyp & model::qxftBottom;
    state.frameRight = single->FrameTyp & model::qxftRight;
    state.frameWidthText = QString::number(single->FrameWidth, 'g', 2);
    state.fillColor = single->FillColor;
    state.frameColor = single->FrameColor;
    if (single->ObjectKind == model::okText) {
        const auto &text = static_cast<const TqxMemoView &>(*single);
        state.fontColor = text.FontColor;
        state.fontName = text.Font.family();
        state.fontSizeText = QString::number(text.Font.pointSize());
        state.bold = text.Font.bold();
        state.italic = text.Font.italic();
        state.underline = text.Font.underline();
        state.horizontalAlignment = text.Alignment & TqxMemoView::kHorizontalMask;
        state.rotated = text.Alignment & TqxMemoView::kTurned;
        state.verticalAlignment = (text.Alignment & TqxMemoView::kVerticalMask) >> 3;
    }
    return state;
}

template<typename Change>
void SelectionFormatting::forEachObject(Change change)
{
    for (qsizetype i = 0; i < m_page.objectCount(); ++i) {
        TqxView &view = *m_page.object(i);
        if (view.Selected && !(view.Restrictions & rsNoModify) && view.ObjectKind != model::okBand)
            change(view);
    }
}

template<typename Change>
void SelectionFormatting::forEachText(Change change)
{
    forEachObject([&](TqxView &view) {
        if (view.ObjectKind == model::okText)
            change(static_cast<TqxMemoView &>(view));
    });
}

void SelectionFormatting::setFrameLine(quint16 bit, bool on)
{
    forEachObject([&](TqxView &view) {
        view.FrameTyp = on ? (view.FrameTyp | bit) : (view.FrameTyp & ~bit);
    });
}

void SelectionFormatting::setAllFrameLines(bool on)
{
    // Bits above the four lines mean something else and stay as they are.
    forEachObject([&](TqxView &view) {
        view.FrameTyp = on ? (view.FrameTyp | kAllFrameLines) : (view.FrameTyp & 0xFFF0);
    });
    m_lastUsed.frameType = on ? kAllFrameLines : 0;
}

void SelectionFormatting::setFrameStyle(int style)
{
    forEachObject([&](TqxView &view) { view.FrameStyle = quint16(style); });
}

void SelectionFormatting::setFillColor(model::ColorRef color)
{
    forEachObject([&](TqxView &view) { view.FillColor = color; });
    m_lastUsed.fillColor = color;
}

void SelectionFormatting::setFrameColor(model::ColorRef color)
{
    forEachObject([&](TqxView &view) { view.FrameColor = color; });
    m_lastUsed.frameColor = color;
}

std::optional<double> SelectionFormatting::parseFrameWidth(const QString &text)
{
    QString normalised = text.trimmed();
    normalised.replace(u',', u'.');
    bool ok = false;
    const double width = normalised.toDouble(&ok);
    if (!ok || !std::isfinite(width) || width <= 0 || width > 1000)
        return std::nullopt;
    return width;
}

std::optional<int> SelectionFormatting::parseFontSize(const QString &text)
{
    bool ok = false;
    const int size = text.trimmed().toInt(&ok);
    if (!ok || size < 1 || size > kLargestFontPoints)
        return std::nullopt;
    return size;
}

bool SelectionFormatting::setFrameWidth(const QString &text)
{
    const std::optional<double> width = parseFrameWidth(text);
    if (!width)
        return false;
    forEachObject([&](TqxView &view) {
        view.FrameWidth = model::DesignPixelsF(*width);
        if (view.ObjectKind == model::okLine)
            m_lastUsed.lineWidth = model::DesignPixelsF(*width);
        else
            m_lastUsed.frameWidth = model::DesignPixelsF(*width);
    });
    return true;
}

void SelectionFormatting::setFontName(const QString &family)
{
    forEachText([&](TqxMemoView &text) { text.Font.setFamily(family); });
    m_lastUsed.fontName = family;
}

bool SelectionFormatting::setFontSize(const QString &text)
{
    const std::optional<int> size = parseFontSize(text);
    if (!size)
        return false;
    forEachText([&](TqxMemoView &memo) { memo.Font.setPointSize(*size); });
    m_lastUsed.fontSizePoints = *size;
    return true;
}

void SelectionFormatting::setFontStyleBit(int bit, bool on)
{
    forEachText([&](TqxMemoView &text) {
        int code = fontStyleCode(text.Font);
        code = on ? (code | bit) : (code & ~bit);
        applyFontStyleCode(text.Font, code);
        m_lastUsed.fontStyle = code;
    });
}

void SelectionFormatting::setHorizontalAlignment(int alignment)
{
    forEachText([&](TqxMemoView &text) {
        text.Alignment = (text.Alignment & ~TqxMemoView::kHorizontalMask) | (alignment & 3);
        m_lastUsed.alignment = text.Alignment;
    });
}

void SelectionFormatting::setRotated(bool rotated)
{
    forEachText([&](TqxMemoView &text) {
        text.Alignment = rotated ? (text.Alignment | TqxMemoView::kTurned)
                                 : (text.Alignment & ~TqxMemoView::kTurned);
        m_lastUsed.alignment = text.Alignment;
    });
}

void SelectionFormatting::setVerticalAlignment(int alignment)
{
    forEachText([&](TqxMemoView &text) {
        text.Alignment = (text.Alignment & ~TqxMemoView::kVerticalMask) | ((alignment & 3) << 3);
        m_lastUsed.alignment = text.Alignment;
    });
}

void SelectionFormatting::applyFontChanges(const QFont &before, model::ColorRef colourBefore,
                                           const QFont &after, model::ColorRef colourAfter)
{
    forEachText([&](TqxMemoView &text) {
        if (after.family() != before.family())
            text.Font.setFamily(after.family());
        if (after.pointSize() != before.pointSize() && after.pointSize() > 0)
            text.Font.setPointSize(after.pointSize());
        if (fontStyleCode(after) != fontStyleCode(before))
            applyFontStyleCode(text.Font, fontStyleCode(after));
        if (colourAfter != colourBefore)
            text.FontColor = colourAfter;
    });
    if (after.family() != before.family())
        m_lastUsed.fontName = after.family();
    if (after.pointSize() != before.pointSize() && after.pointSize() > 0)
        m_lastUsed.fontSizePoints = after.pointSize();
}

void SelectionFormatting::setFontColor(model::ColorRef color)
{
    forEachText([&](TqxMemoView &text) { text.FontColor = color; });
    m_lastUsed.fontColor = color;
}

} // namespace tovren::designer
