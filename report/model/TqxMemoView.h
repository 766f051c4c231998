#pragma once

#include "report/model/BracketExpansion.h"
#include "report/model/CanvasTextFont.h"
#include "report/model/TextMeasurer.h"
#include "report/model/TqxView.h"

#include <QFont>
#include <vector>

namespace tovren::model {

class TqxBandView;

/// One text line as the text object places it on the canvas: the cell's top-left corner for
/// horizontal text, the start of the upward baseline cell for turned text.
struct PlacedTextLine
{
    QString text;
    QPointF origin;
    /// Extra canvas pixels after every blank of a justified line.
    double blankExtraPx = 0;
    bool turned = false;
    /// The object's frame bits that apply to this line when it is exported on its own.
    quint16 frameBits = 0;
};

/// The text object: lines of text in one font whose bracketed parts are expressions, wrapped
/// to the object's width and drawn with alignment, rotation, spacing and justification.
///
/// It measures the height its text needs (CalcHeight) so bands can stretch, and with
/// OutputStage 2 it prints only the lines that fit and keeps the rest for the next page.
/// Wrapping always happens at scale 1, so preview and print break lines where the built page
/// did. Evaluation failures of the highlight condition only cancel the highlight.
class TqxMemoView : public TqxStretcheable
{
public:
    static constexpr quint16 kWordWrapFlag = 2;
    static constexpr quint16 kWordBreakFlag = 4;
    static constexpr quint16 kAutoWidthFlag = 8;
    static constexpr quint16 kTextOnlyFlag = 16;
    static constexpr quint16 kSuppressFlag = 32;
    static constexpr quint16 kHideZerosFlag = 64;
    static constexpr quint16 kUnderlinesFlag = 128;
    static constexpr quint16 kRTLReadingFlag = 256;

    static constexpr qint32 kHorizontalMask = 3;
    static constexpr qint32 kAlignRight = 1;
    static constexpr qint32 kAlignCenter = 2;
    static constexpr qint32 kAlignJustify = 3;
    static constexpr qint32 kTurned = 4;
    static constexpr qint32 kVerticalMask = 24;
    static constexpr qint32 kAlignMiddle = 8;
    static constexpr qint32 kAlignBottom = 16;

    enum Stage { NormalOutput = 0, HeightCalculated = 1, SplitOutput = 2 };

    TqxMemoView();

    // TqxObject
    void SetPropertyValue(const QString &name, const script::Variant &value) override;
    script::Variant GetPropertyValue(const QString &name) override;
    script::Variant CallMethod(const QString &name, const script::Variant &p1,
                               const script::Variant &p2, const script::Variant &p3) override;
    void RegisterProperties() override;

    // TqxView
    void LoadFromBlob(const std::optional<QByteArray> &blob) override;
    void Draw(QPainter &painter) override;
    void ReadRecord(RecordReader &reader) override;
    void WriteRecord(RecordWriter &writer) override;
    QString className() const override { return QStringLiteral("TqxMemoView"); }
    void AddXmlAttributes(XmlAttributes &attributes) const override;

    // TqxStretcheable
    DesignPixels CalcHeight() override;
    DesignPixels MinimumHeight() override;
    DesignPixels RemainderHeight() override;

    /// Writes the object into a prepared page: kind byte and prepared-page record, unless
    /// Suppress finds the same text as last time. Bottom and top band alignment move the
    /// object against @p printingBand when one is given. Leaves OutputStage at 0.
    void PrintToStream(RecordWriter &writer, const TqxBandView *printingBand = nullptr) override;
    /// Rebuilds ExpandedText from Memo with every bracket replaced by its value.
    void ExpandText();
    /// The display text of one bracket: the report's value resolution when one is installed,
    /// otherwise the evaluator and this object's display format.
    QString bracketText(const QString &bracket) const;
    /// The width the text needs including frame and gaps, in design pixels.
    DesignPixels CalcTextWidth();

    bool flag(quint16 bit) const { return Flags & bit; }
    void setFlag(quint16 bit, bool on) { Flags = on ? (Flags | bit) : (Flags & ~bit); }
    bool turned() const { return Alignment & kTurned; }

    /// The lines of the last drawing with their places; the export filter's input.
    const std::vector<PlacedTextLine> &placedLines() const { return m_placedLines; }
    /// The lines WrapText produced last (the shared wrap list is reused by every object).
    const QStringList &wrappedLines() const { return m_wrapped; }

    QFont Font;
    ColorRef FontColor = clBlack;
    quint8 FontCharset = 1;
    qint32 Alignment = 0;
    quint16 HighlightFontStyle = 2;
    ColorRef HighlightFontColor = clBlack;
    ColorRef HighlightFillColor = clWhite;
    QString HighlightCondition;
    DesignPixels LineSpacing = 2;
    DesignPixels CharSpacing = 0;

    int OutputStage = NormalOutput;
    DesignPixels TextHeight = 0;
    DesignPixels LineHeight = 0;
    int LinesDrawn = 0;
    bool PreWrapped = false;
    QString LastPrintedText;
    bool SplitPrinting = false;
    bool ExportMode = false;

private:
    class Highlight;

    void WrapText();
    void DrawTextLines(QPainter &painter);
    /// Places the lines of ExpandedText for the current drawing state without painting;
    /// counts LinesDrawn.
    void LayoutTextLines(const CanvasTextFont &face);
    QRect textClip() const;
    void DrawUnderlines(QPainter &painter);
    void placeHorizontalLines(const QRect &clip, int step, const CanvasTextFont &face);
    void placeTurnedLines(int step, const CanvasTextFont &face);
    void paintPlacedLines(QPainter &painter, const QRect &clip, const CanvasTextFont &face) const;
    /// The font lines are drawn in on @p painter's device.
    CanvasTextFont canvasFont(const QPainter &painter) const;
    /// Substitutes the text after the builder's before-print step, as CalcHeight and
    /// PrintToStream both do.
    void prepareOutputText();
    void runObjectScript();
    bool designing() const;
    int lineWidthPx(const CanvasTextFont &face, const QString &text) const;
    /// Line @p index of Memo split at its brackets, split again only when the line changes.
    const BracketedText &bracketedLine(qsizetype index);

    QStringList m_wrapped;
    std::vector<PlacedTextLine> m_placedLines;
    /// Each Memo line split at its brackets, with the line it was split from.
    std::vector<std::pair<QString, BracketedText>> m_bracketedLines;
};

} // namespace tovren::model
