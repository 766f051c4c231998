#include "report/model/TqxMemoView.h"

#include "report/model/BracketExpansion.h"
#include "report/model/DisplayFormat.h"
#include "report/model/LineWrapper.h"
#include "report/model/ListMethods.h"
#include "report/model/ObjectRecord.h"
#include "report/model/RecordStream.h"
#include "report/model/RunState.h"
#include "report/model/StyleConstants.h"
#include "report/model/TqxBandView.h"
#include "report/model/TqxGlobals.h"
#include "report/platform/TextCodec.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace tovren::model {

using script::Variant;

namespace {

constexpr DesignPixels kAutoWidthWrapSlack = 100;
const QString kMarkOnlyLine = QString(kEndOfParagraph);

bool isBlank(QChar c)
{
    return c == u' ' || c == QChar(0xA0);
}

QString withoutMarks(QString line)
{
    return line.remove(kEndOfParagraph);
}

bool containsMark(const QStringList &lines)
{
    return std::any_of(lines.begin(), lines.end(),
                       [](const QString &line) { return line.contains(kEndOfParagraph); });
}

TextMeasurer &measurer()
{
    return TqxGlobals::instance().textMeasurer;
}

/// Sets an object's transform to scale 1 for the lifetime of the guard, keeping its offsets,
/// because line breaks must not depend on the zoom of a preview.
class UnitScale
{
public:
    explicit UnitScale(TqxView &view)
        : m_view(view)
        , m_saved(view.Transform)
    {
        m_view.Transform.scaleX = 1.0;
        m_view.Transform.scaleY = 1.0;
    }
    ~UnitScale() { m_view.Transform = m_saved; }
    UnitScale(const UnitScale &) = delete;
    UnitScale &operator=(const UnitScale &) = delete;

private:
    TqxView &m_view;
    DrawTransform m_saved;
};

} // namespace

/// Applies the highlight while its condition holds and undoes it on every way out.
class TqxMemoView::Highlight
{
public:
    explicit Highlight(TqxMemoView &memo)
        : m_memo(memo)
        , m_font(memo.Font)
        , m_fontColor(memo.FontColor)
        , m_fillColor(memo.FillColor)
    {
        if (memo.HighlightCondition.isEmpty())
            return;
        try {
            if (evaluateExpression(memo.HighlightCondition).toDouble() == 0)
                return;
        } catch (const std::exception &) {
            return; // a broken condition means no highlight, never a failed report
        }
        SetFontProperty(memo.Font, memo.FontColor, QStringLiteral("FONT.STYLE"),
                        Variant(int(memo.HighlightFontStyle)));
        memo.FontColor = memo.HighlightFontColor;
        memo.FillColor = memo.HighlightFillColor;
    }
    ~Highlight()
    {
        m_memo.Font = m_font;
        m_memo.FontColor = m_fontColor;
        m_memo.FillColor = m_fillColor;
    }
    Highlight(const Highlight &) = delete;
    Highlight &operator=(const Highlight &) = delete;

private:
    TqxMemoView &m_memo;
    QFont m_font;
    ColorRef m_fontColor;
    ColorRef m_fillColor;
};

TqxMemoView::TqxMemoView()
{
    ObjectKind = okText;
    BaseName = QStringLiteral("Memo");
    Flags = kStretchedFlag | kWordWrapFlag;
    Font = QFont(QStringLiteral("Arial"));
    Font.setPointSizeF(10);
    FontCharset = static_cast<quint8>(TqxGlobals::instance().defaultCharset);
}

bool TqxMemoView::designing() const
{
    return runState().drawingMode == DrawingMode::Designing;
}

// ---- named properties ---------------------------------------------------------------------

namespace {

struct FlagName
{
    const char16_t *name;
    quint16 bit;
};

constexpr FlagName kFlagNames[] = {
    {u"WORDWRAP", TqxMemoView::kWordWrapFlag},     {u"WORDBREAK", TqxMemoView::kWordBreakFlag},
    {u"AUTOWIDTH", TqxMemoView::kAutoWidthFlag},   {u"TEXTONLY", TqxMemoView::kTextOnlyFlag},
    {u"SUPPRESS", TqxMemoView::kSuppressFlag},     {u"HIDEZEROS", TqxMemoView::kHideZerosFlag},
    {u"UNDERLINES", TqxMemoView::kUnderlinesFlag}, {u"RTLREADING", TqxMemoView::kRTLReadingFlag},
};

const FlagName *findFlag(const QString &upper)
{
    for (const FlagName &flag : kFlagNames)
        if (upper == QStringView(flag.name))
            return &flag;
    return nullptr;
}

} // namespace

void TqxMemoView::SetPropertyValue(const QString &name, const Variant &value)
{
    const QString upper = name.toUpper();
    if (SetFontProperty(Font, FontColor, upper, value))
        return;
    if (const FlagName *flagName = findFlag(upper))
        setFlag(flagName->bit, value.toBool());
    else if (upper == u"ALIGNMENT")
        Alignment = static_cast<qint32>(value.toInt64());
    else if (upper == u"LINESPACING")
        LineSpacing = static_cast<qint32>(value.toInt64());
    else if (upper == u"CHARSPACING")
        CharSpacing = static_cast<qint32>(value.toInt64());
    else
        TqxView::SetPropertyValue(name, value);
}

Variant TqxMemoView::GetPropertyValue(const QString &name)
{
    const QString upper = name.toUpper();
    if (upper.startsWith(u"FONT."))
        return GetFontProperty(Font, FontColor, upper);
    if (const FlagName *flagName = findFlag(upper))
        return Variant(flag(flagName->bit));
    if (upper == u"ALIGNMENT")
        return Variant(Alignment);
    if (upper == u"LINESPACING")
        return Variant(LineSpacing);
    if (upper == u"CHARSPACING")
        return Variant(CharSpacing);
    if (upper == u"LINES.COUNT")
        return Variant(static_cast<int>(Memo.size()));
    return TqxView::GetPropertyValue(name);
}

Variant TqxMemoView::CallMethod(const QString &name, const Variant &p1, const Variant &p2,
                                const Variant &p3)
{
    if (name == u"CALCHEIGHT")
        return Variant(CalcHeight());
    const Variant lines = CallListMethod(Memo, name, p1, p2, p3, QStringLiteral("LINES"));
    if (!lines.isEmpty())
        return lines;
    return TqxView::CallMethod(name, p1, p2, p3);
}

void TqxMemoView::RegisterProperties()
{
    TqxView::RegisterProperties();
    for (const char *font : {"Font.Name", "Font.Size", "Font.Style", "Font.Color"})
        addProperty(QString::fromLatin1(font), 0);
    addProperty(QStringLiteral("Font"), pkHasEditor);
    addProperty(QStringLiteral("Alignment"), 0);
    addProperty(QStringLiteral("DisplayFormat"), pkHasEditor);
    addProperty(QStringLiteral("Highlight"), pkHasEditor);
    for (const char *spacing : {"LineSpacing", "CharSpacing", "GapX", "GapY"})
        addProperty(QString::fromLatin1(spacing), pkInteger);
    for (const char *flag :
         {"Stretched", "WordWrap", "WordBreak", "AutoWidth", "TextOnly", "Suppress", "HideZeros"})
        addProperty(QString::fromLatin1(flag), pkBoolean);
    addProperty(QStringLiteral("Lines.Count"), 0);
    addProperty(QStringLiteral("Underlines"), pkBoolean);
    addProperty(QStringLiteral("RTLReading"), pkBoolean);
}

void TqxMemoView::LoadFromBlob(const std::optional<QByteArray> &blob)
{
    ExpandedText = blob ? splitLines(platform::decode8Bit(*blob)) : QStringList();
}

// ---- text substitution ----------------------------------------------------------------------

QString TqxMemoView::bracketText(const QString &bracket) const
{
    if (const auto &resolve = runState().expressionText)
        return resolve(bracket);
    const BracketFormat format = splitBracketFormat(bracket, DisplayFormat, CustomFormat);
    Variant value = evaluateExpression(format.expression);
    const bool numeric = value.isNumber() || value.type() == script::VariantType::Boolean;
    if (flag(kHideZerosFlag) && numeric && value.toDouble() == 0)
        return {};
    return FormatDisplayValue(value, format.code, format.custom);
}

const BracketedText &TqxMemoView::bracketedLine(qsizetype index)
{
    if (m_bracketedLines.size() != static_cast<std::size_t>(Memo.size()))
        m_bracketedLines.resize(Memo.size(), {QString(), BracketedText(QString())});
    auto &[source, split] = m_bracketedLines[index];
    // A line shared with the one split is that line: holding it keeps its text from changing.
    if (!source.isSharedWith(Memo.at(index))) {
        source = Memo.at(index);
        split = BracketedText(source);
    }
    return split;
}

void TqxMemoView::ExpandText()
{
    QStringList expanded;
    const auto valueText = [this](const QString &bracket) { return bracketText(bracket); };
    for (qsizetype i = 0; i < Memo.size(); ++i) {
        const QString &line = Memo.at(i);
        if (line.isEmpty()) {
            expanded << QString();
            continue;
        }
        const QString text = flag(kTextOnlyFlag) ? line : bracketedLine(i).expand(valueText);
        const QStringList lines = splitLines(text);
        if (lines.isEmpty())
            expanded << QString();
        else
            expanded << lines;
    }
    ExpandedText = expanded;
}

void TqxMemoView::runObjectScript()
{
    if (const auto &run = runState().runObjectScript)
        run(*this);
}

void TqxMemoView::prepareOutputText()
{
    ExpandedText = Memo;
    if (const auto &beforePrint = runState().beforePrint) {
        const QStringList before = ExpandedText;
        beforePrint(*this);
        if (ExpandedText != before)
            return;
    }
    ExpandText();
}

// ---- measuring ------------------------------------------------------------------------------

void TqxMemoView::WrapText()
{
    QStringList &wrapList = TqxGlobals::instance().wrapList;
    wrapList.clear();
    const QFont font = layoutFont(Font);
    LineHeight = LineSpacing + layoutPixelHeight(Font);
    const bool vertical = turned();
    const int available = vertical ? Height - 2 * GapY : Width - 2 * GapX;
    const LineWrapper wrapper(measurer(), {font, CharSpacing, available, flag(kWordBreakFlag)});

    const bool designOverflow =
        !vertical && designing() && ExpandedText.size() == 1 &&
        ExpandedText.first().startsWith(u'[') &&
        measurer().width(font, CharSpacing, ExpandedText.first()) > available;
    if (designOverflow) {
        wrapList << ExpandedText.first();
    } else {
        for (const QString &line : std::as_const(ExpandedText)) {
            if (PreWrapped)
                wrapList << line;
            else if (flag(kWordWrapFlag))
                wrapList << wrapper.wrapLine(line);
            else
                wrapList << (vertical ? line : line + kEndOfParagraph);
        }
    }
    const DesignPixels gap = vertical ? GapX : GapY;
    TextHeight = static_cast<DesignPixels>(wrapList.size()) * LineHeight + 2 * gap;
    m_wrapped = wrapList;
}

DesignPixels TqxMemoView::CalcHeight()
{
    OutputStage = HeightCalculated;
    AlignInBand();
    runObjectScript();
    if (!Visible)
        return 0;
    prepareOutputText();
    const Highlight highlight(*this);
    DesignPixels result = 0;
    {
        const UnitScale unitScale(*this);
        QPainter canvas(&measurer().canvas());
        BeginDraw(canvas);
        if (!ExpandedText.isEmpty()) {
            // Text loaded from a prepared page is already wrapped; wrapping it again would
            // move its line breaks.
            PreWrapped = containsMark(ExpandedText);
            WrapText();
            ExpandedText = m_wrapped;
            result = TextHeight;
            if (flag(kSuppressFlag) && joinLines(ExpandedText) == LastPrintedText)
                result = 0;
        }
        EndDraw();
    }
    return result;
}

DesignPixels TqxMemoView::MinimumHeight()
{
    LineHeight = LineSpacing + layoutPixelHeight(Font);
    return roundHalfEven(2 * FrameWidth) + LineHeight + 2 * GapY;
}

DesignPixels TqxMemoView::RemainderHeight()
{
    LineHeight = LineSpacing + layoutPixelHeight(Font);
    const DesignPixels frame = roundHalfEven(2 * FrameWidth);
    // A line spacing that cancels the font height leaves no lines to count.
    const DesignPixels partial = LineHeight > 0 ? (Height - frame - 2 * GapY) % LineHeight : 0;
    return 2 * GapY + frame + partial;
}

DesignPixels TqxMemoView::CalcTextWidth()
{
    const QFont font = layoutFont(Font);
    LayoutPixelsF widest = 0;
    for (const QString &line : std::as_const(Memo))
        widest = std::max(widest, measurer().width(font, CharSpacing, withoutMarks(line)));
    return roundHalfEven(std::ceil(widest) + FrameWidth + 2 * GapX + 1);
}

int TqxMemoView::lineWidthPx(const CanvasTextFont &face, const QString &text) const
{
    const int spacing = roundHalfEven(CharSpacing * Transform.scaleX);
    return static_cast<int>(std::ceil(face.widthPx(spacing, text)));
}

CanvasTextFont TqxMemoView::canvasFont(const QPainter &painter) const
{
    // On paper the font is used as it is; screens take the layout's pixel height.
    if (DrawingToPrinter && painter.device())
        return CanvasTextFont::onPrinter(Font, *painter.device());
    return CanvasTextFont::onScreen(Font, Transform.scaleY);
}

// ---- drawing --------------------------------------------------------------------------------

void TqxMemoView::Draw(QPainter &painter)
{
    const bool output = !designing();
    if (flag(kAutoWidthFlag) && !Memo.isEmpty() && output) {
        const DesignPixels needed = CalcTextWidth();
        if (turned()) {
            Height = needed;
        } else {
            if (Alignment & kAlignRight) // right or justified: the right edge stays put
                Left += Width - needed;
            Width = needed;
        }
    }
    AlignInBand();
    SplitPrinting = false;
    ExpandedText = Memo;
    if (!ExpandedText.isEmpty()) {
        PreWrapped = containsMark(ExpandedText);
        if (ExpandedText.last() == kMarkOnlyLine)
            ExpandedText.removeLast();
        {
            const UnitScale unitScale(*this);
            BeginDraw(painter);
            if (flag(kAutoWidthFlag) && output)
                Width += kAutoWidthWrapSlack;
            WrapText();
        }
        EndDraw();
        ExpandedText = m_wrapped;
    }
    BeginDraw(painter);
    if (!ExportMode) {
        PaintBackground(painter);
        PaintFrame(painter);
        DrawUnderlines(painter);
    }
    if (ExpandedText.isEmpty())
        m_placedLines.clear();
    else
        DrawTextLines(painter);
    EndDraw();
}

void TqxMemoView::DrawUnderlines(QPainter &painter)
{
    if (!flag(kUnderlinesFlag) || runState().suppressDrawing)
        return;
    const double sy = Transform.scaleY;
    const int pixelHeight = layoutPixelHeight(Font, sy);
    const int step = roundHalfEven(LineSpacing * sy) + pixelHeight;
    if (step <= 0)
        return;
    painter.save();
    painter.setPen(
        QPen(toQColor(FrameColor), roundHalfEven(FrameWidth), Qt::SolidLine, Qt::FlatCap));
    for (int i = 0; i < Height / step; ++i) {
        const int y = Top + GapY + step * i + roundHalfEven(2 * sy) + pixelHeight;
        painter.drawLine(Left, y, Left + Width - 1, y);
    }
    painter.restore();
}

QRect TqxMemoView::textClip() const
{
    return CanvasRect{DrawRect.left + 1, DrawRect.top, DrawRect.right - 2, DrawRect.bottom - 1}
        .toQRect();
}

void TqxMemoView::DrawTextLines(QPainter &painter)
{
    const CanvasTextFont face = canvasFont(painter);
    LayoutTextLines(face);
    if (!ExportMode && !runState().suppressDrawing)
        paintPlacedLines(painter, textClip(), face);
}

void TqxMemoView::LayoutTextLines(const CanvasTextFont &face)
{
    const double sx = Transform.scaleX;
    const double sy = Transform.scaleY;
    const QRect clip = textClip();
    m_placedLines.clear();
    TextHeight = roundHalfEven(TextHeight * sy);

    const qint32 savedAlignment = Alignment;
    const DevicePixels savedLeft = Left;
    const DevicePixels savedTop = Top;
    const qint32 vertical = Alignment & kVerticalMask;
    if (vertical) {
        Alignment &= ~kVerticalMask;
        const int rectWidth = DrawRect.right - DrawRect.left;
        const int rectHeight = DrawRect.bottom - DrawRect.top;
        if (turned()) {
            if (vertical == kAlignMiddle)
                Left += (rectWidth - TextHeight) / 2;
            else if (vertical == kAlignBottom)
                Left = DrawRect.right - TextHeight;
        } else if (!SplitPrinting) {
            if (vertical == kAlignMiddle)
                Top += (rectHeight - TextHeight) / 2;
            else if (vertical == kAlignBottom)
                Top = DrawRect.bottom - TextHeight - 1;
        }
    }

    const int pixelHeight = layoutPixelHeight(Font, sy);
    if (turned())
        placeTurnedLines(roundHalfEven(LineSpacing * sx) + pixelHeight, face);
    else
        placeHorizontalLines(clip, roundHalfEven(LineSpacing * sy) + pixelHeight, face);

    Alignment = savedAlignment;
    Left = savedLeft;
    Top = savedTop;
}

void TqxMemoView::placeHorizontalLines(const QRect &clip, int step, const CanvasTextFont &face)
{
    const int rectWidth = DrawRect.right - DrawRect.left;
    const qint32 horizontal = Alignment & kHorizontalMask;
    const bool designOverflow = designing() && ExpandedText.size() == 1 &&
                                ExpandedText.first().startsWith(u'[') &&
                                lineWidthPx(face, ExpandedText.first()) > clip.width();
    const int clipBottom = clip.bottom() + 1;
    int y = Top + GapY;
    LinesDrawn = 0;
    for (const QString &line : std::as_const(ExpandedText)) {
        if (SplitPrinting && clipBottom < y + step)
            break;
        const bool endsParagraph = line.contains(kEndOfParagraph);
        PlacedTextLine placed;
        placed.text = withoutMarks(line);
        const int textWidth = lineWidthPx(face, placed.text);
        int x = Left + GapX;
        if (designOverflow || horizontal == kAlignRight)
            x = Left + rectWidth - GapX - textWidth - 1;
        else if (horizontal == kAlignCenter)
            x = Left + GapX + (rectWidth - 2 * GapX - textWidth) / 2;
        if (horizontal == kAlignJustify && !designOverflow && !endsParagraph) {
            const auto blanks = std::count_if(placed.text.begin(), placed.text.end(), isBlank);
            const int extra = rectWidth - 2 * GapX - textWidth;
            if (blanks > 0 && extra > 0)
                placed.blankExtraPx = double(extra) / double(blanks);
        }
        placed.origin = QPointF(x, y);
        m_placedLines.push_back(placed);
        ++LinesDrawn;
        y += step;
    }
    const quint16 frame = FrameTyp;
    const auto count = m_placedLines.size();
    for (std::size_t i = 0; i < count && count > 1; ++i) {
        quint16 bits = frame;
        if (i != count - 1)
            bits &= ~qxftBottom;
        if (i != 0)
            bits &= ~qxftTop;
        m_placedLines[i].frameBits = bits;
    }
    if (count == 1)
        m_placedLines.front().frameBits = frame;
}

void TqxMemoView::placeTurnedLines(int step, const CanvasTextFont &face)
{
    const int rectHeight = DrawRect.bottom - DrawRect.top;
    const qint32 horizontal = Alignment & kHorizontalMask;
    int x = Left + GapX;
    LinesDrawn = 0;
    for (const QString &line : std::as_const(ExpandedText)) {
        const bool endsParagraph = line.contains(kEndOfParagraph);
        PlacedTextLine placed;
        placed.turned = true;
        placed.frameBits = FrameTyp;
        placed.text = withoutMarks(line);
        const int textWidth = lineWidthPx(face, placed.text);
        int y = DrawRect.bottom - GapY;
        if (horizontal == kAlignRight) {
            y = Top + GapY + textWidth;
        } else if (horizontal == kAlignCenter) {
            y = DrawRect.bottom - GapY - (rectHeight - 2 * GapY - textWidth) / 2 - 1;
        } else if (horizontal == kAlignJustify) {
            y = rectHeight + Top - GapY;
            const auto blanks = std::count_if(placed.text.begin(), placed.text.end(), isBlank);
            const int extra = rectHeight - 2 * GapY - textWidth;
            if (!endsParagraph && blanks > 0 && extra > 0)
                placed.blankExtraPx = double(extra) / double(blanks);
        }
        placed.origin = QPointF(x, y);
        m_placedLines.push_back(placed);
        ++LinesDrawn;
        x += step;
    }
}

void TqxMemoView::paintPlacedLines(QPainter &painter, const QRect &clip,
                                   const CanvasTextFont &face) const
{
    const int spacing = roundHalfEven(CharSpacing * Transform.scaleX);
    const double ascent = face.ascentPx();

    painter.save();
    painter.setClipRect(clip, Qt::IntersectClip);
    painter.setPen(toQColor(FontColor));
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setLayoutDirection(flag(kRTLReadingFlag) ? Qt::RightToLeft : Qt::LeftToRight);
    for (const PlacedTextLine &line : m_placedLines) {
        painter.save();
        painter.translate(line.origin);
        if (line.turned)
            painter.rotate(-90);
        if (line.blankExtraPx <= 0) {
            face.drawText(painter, 0, ascent, line.text, spacing);
        } else {
            // Justification widens the blanks only; the words keep their own spacing.
            double x = 0;
            qsizetype wordStart = 0;
            for (qsizetype i = 0; i <= line.text.size(); ++i) {
                if (i < line.text.size() && !isBlank(line.text[i]))
                    continue;
                const qsizetype end = i < line.text.size() ? i + 1 : i;
                const QString piece = line.text.mid(wordStart, end - wordStart);
                face.drawText(painter, x, ascent, piece, spacing);
                x += face.widthPx(spacing, piece);
                if (i < line.text.size())
                    x += line.blankExtraPx;
                wordStart = end;
            }
        }
        painter.restore();
    }
    painter.restore();
}

// ---- printing into prepared pages -----------------------------------------------------------

void TqxMemoView::PrintToStream(RecordWriter &writer, const TqxBandView *printingBand)
{
    AlignInBand();
    SplitPrinting = true;
    if (OutputStage == NormalOutput) {
        runObjectScript();
        prepareOutputText();
    }
    if (Visible) {
        const Highlight highlight(*this);
        QStringList fullList;
        if (OutputStage == SplitOutput) {
            QPainter canvas(&measurer().canvas());
            BeginDraw(canvas);
            LayoutTextLines(CanvasTextFont::onScreen(Font, Transform.scaleY));
            fullList = ExpandedText;
            ExpandedText = fullList.mid(0, LinesDrawn);
            if (!containsMark(ExpandedText))
                ExpandedText << kMarkOnlyLine;
            EndDraw();
        }
        const QString savedTag = Tag;
        if (Tag.contains(u'[')) {
            const qint32 savedFormat = DisplayFormat;
            DisplayFormat = 0;
            Tag = ExpandBrackets(Tag, [this](const QString &b) { return bracketText(b); });
            DisplayFormat = savedFormat;
        }
        const quint8 savedBandAlign = BandAlign;
        if (printingBand && BandAlign == baBottom)
            Top = printingBand->Top + printingBand->Height - Height;
        else if (printingBand && BandAlign == baTop)
            Top = printingBand->Top;
        if (BandAlign == baWidth)
            BandAlign = baNone; // the band engine has already decided the width
        const QString text = joinLines(ExpandedText);
        if (!(flag(kSuppressFlag) && text == LastPrintedText)) {
            writePreparedObject(writer, *this);
            if (flag(kSuppressFlag))
                LastPrintedText = text;
        }
        if (OutputStage == SplitOutput)
            ExpandedText = fullList.mid(LinesDrawn);
        Tag = savedTag;
        BandAlign = savedBandAlign;
    }
    OutputStage = NormalOutput;
}

} // namespace tovren::model
