#include "report/engine/TextOverflowCheck.h"

#include "report/engine/TqxEMFPages.h"
#include "report/model/RunState.h"
#include "report/model/TqxGlobals.h"
#include "report/model/TqxMemoView.h"

#include <QHash>
#include <QPainter>
#include <QScopeGuard>
#include <optional>

namespace tovren::engine {

namespace {

// Half a pixel of slack: advances are fractional, and a line that measures a hair wider than
// its box still prints whole.
constexpr double kWidthSlackPx = 0.5;

QString joinedText(const model::TqxMemoView &memo)
{
    QString text = memo.Memo.join(QString());
    text.remove(QChar(1)); // end-of-paragraph marks
    return text;
}

/// Lays every text object of a page out at scale 1, as the drawing does, and compares the
/// lines with the box.
///
/// Most texts of a form are the same on every page (labels, a school's name, a date), and an
/// object made from the same record bytes lays out the same way, so each distinct record is laid
/// out once.
class OverflowFinder
{
public:
    explicit OverflowFinder(std::vector<TextOverflow> &found)
        : m_found(found)
    {}

    void beginPage() { ++m_pageNumber; }

    void inspect(PreparedRecord &record)
    {
        // Only texts are cut; an add-in may be one.
        if (record.kind() != model::okText && record.kind() != model::okAddIn)
            return;
        const QByteArrayView bytes = record.bytes();
        auto known = m_cuts.constFind(QByteArray::fromRawData(bytes.data(), bytes.size()));
        if (known == m_cuts.constEnd()) {
            if (m_cuts.size() >= kMaxRememberedRecords)
                m_cuts.clear();
            known = m_cuts.insert(bytes.toByteArray(), cutOf(record.object()));
        }
        if (*known) {
            const auto &memo = static_cast<const model::TqxMemoView &>(record.object());
            m_found.push_back({m_pageNumber, memo.Name, joinedText(memo), **known, {}, {}});
        }
    }

private:
    // Values seen on one page only (names, numbers) fill the memory and are forgotten with it
    // now and then; what repeats is laid out again once each time.
    static constexpr qsizetype kMaxRememberedRecords = 4096;

    /// How @p view's text is cut, if it is a text that can be.
    static std::optional<TextOverflow::Cut> cutOf(model::TqxView &view)
    {
        auto *memo = dynamic_cast<model::TqxMemoView *>(&view);
        // A text that stretched with its band carries its grown height on the page, so it is
        // measured like any other.
        if (!memo || !memo->Visible || memo->turned() ||
            memo->flag(model::TqxMemoView::kAutoWidthFlag) || memo->Memo.isEmpty())
            return std::nullopt;
        if (fitsOnOneLine(*memo))
            return std::nullopt;
        return layOut(*memo);
    }

    /// Whether the text is one line no wider than its box: it is then laid out as that one
    /// line, wrapped or not, and nothing of it is cut. Most values are, and skip the layout.
    static bool fitsOnOneLine(const model::TqxMemoView &memo)
    {
        if (memo.Memo.size() != 1)
            return false;
        const QString &line = memo.Memo.front();
        // Line breaks and the marks of wrapped text are left to the layout.
        if (std::any_of(line.begin(), line.end(), [](QChar c) { return c.unicode() < 0x20; }))
            return false;
        const int available = memo.Width - 2 * memo.unitScaleGapX();
        return model::TqxGlobals::instance().textMeasurer.width(
                   model::layoutFont(memo.Font), memo.CharSpacing, line) <= available;
    }

    static std::optional<TextOverflow::Cut> layOut(model::TqxMemoView &memo)
    {
        QPainter canvas(&model::TqxGlobals::instance().textMeasurer.canvas());
        memo.Transform = model::DrawTransform{};
        memo.DrawingToPrinter = false;
        memo.Draw(canvas);
        return cutOfLaidOut(memo);
    }

    static std::optional<TextOverflow::Cut> cutOfLaidOut(const model::TqxMemoView &memo)
    {
        const std::vector<model::PlacedTextLine> &lines = memo.placedLines();
        if (lines.empty())
            return std::nullopt;
        const int lineHeight = memo.LineSpacing + model::layoutPixelHeight(memo.Font);
        // The split rule of the builder: a line fits when its whole step lies above the clip's
        // bottom, which is one pixel above the box's.
        const double clipBottom = memo.Top + memo.Height - 1;
        int fitting = 0;
        for (const model::PlacedTextLine &line : lines) {
            if (line.origin.y() + lineHeight > clipBottom)
                break;
            ++fitting;
        }
        if (lines.size() > std::max<std::size_t>(1, fitting))
            return TextOverflow::Cut::Height;
        const QFont font = model::layoutFont(memo.Font);
        const double available = memo.Width - 2 * memo.GapX;
        model::TextMeasurer &measurer = model::TqxGlobals::instance().textMeasurer;
        for (const model::PlacedTextLine &line : lines) {
            if (measurer.width(font, memo.CharSpacing, line.text) > available + kWidthSlackPx)
                return TextOverflow::Cut::Width;
        }
        return std::nullopt;
    }

    std::vector<TextOverflow> &m_found;
    QHash<QByteArray, std::optional<TextOverflow::Cut>> m_cuts;
    int m_pageNumber = 0;
};

} // namespace

std::vector<TextOverflow> findTextOverflows(TqxEMFPages &pages)
{
    model::RunState &run = model::runState();
    const model::DrawingMode savedMode = run.drawingMode;
    const bool savedSuppress = run.suppressDrawing;
    const auto restore = qScopeGuard([&] {
        run.drawingMode = savedMode;
        run.suppressDrawing = savedSuppress;
    });
    run.drawingMode = model::DrawingMode::Output;
    run.suppressDrawing = true; // lay out, paint nothing

    std::vector<TextOverflow> found;
    OverflowFinder finder(found);
    for (qsizetype i = 0; i < pages.Count(); ++i) {
        finder.beginPage();
        pages.VisitPageRecords(i, [&](PreparedRecord &record) { finder.inspect(record); });
    }
    return found;
}

QStringList describeTextOverflows(const std::vector<TextOverflow> &overflows)
{
    QStringList lines;
    for (const TextOverflow &overflow : overflows) {
        const QString what = overflow.cut == TextOverflow::Cut::Height
                                 ? QStringLiteral("超出了框的高度 (折行后放不下)")
                                 : QStringLiteral("超出了框的宽度");
        const QString where =
            overflow.record.isEmpty()
                ? QStringLiteral("第 %1 页 %2").arg(overflow.pageNumber).arg(overflow.objectName)
            : overflow.field.isEmpty()
                ? QStringLiteral("%1, %2").arg(overflow.record, overflow.objectName)
                : QStringLiteral("%1, %2 (%3)")
                      .arg(overflow.record, overflow.field, overflow.objectName);
        lines << QStringLiteral("%1: \"%2\" %3, 印出来会被截断").arg(where, overflow.text, what);
    }
    return lines;
}

} // namespace tovren::engine
