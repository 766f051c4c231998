// Splitting a band over pages: objects that start in the space left are written there, text
// that runs past the bottom is cut after its last whole line and continues on the next page.
#include "report/engine/BuildRunState.h"
#include "report/engine/EngineErrors.h"
#include "report/engine/PageEngine.h"
#include "report/engine/TqxReport.h"
#include "report/model/LineWrapper.h"
#include "report/model/RunState.h"
#include "report/model/StyleConstants.h"
#include "report/model/TextMeasurer.h"
#include "report/model/TqxMemoView.h"
#include "report/model/TqxPage.h"
#include "report/model/Units.h"
#include "report/script/EvaluationError.h"

namespace tovren::engine {

using model::DesignPixels;
using model::TqxMemoView;
using model::TqxView;

namespace {

/// A forced break asks for more room than any page has.
constexpr DesignPixels kForcedBreakHeight = 10000;

/// One object of the band while it is split: where it stands relative to the band's top on the
/// page being filled (negative once its upper part has gone on earlier pages) and how tall it is.
struct SplitPiece
{
    TqxView *view = nullptr;
    model::TqxStretcheable *stretchable = nullptr;
    TqxMemoView *memo = nullptr;
    DesignPixels savedTop = 0;
    DesignPixels savedHeight = 0;
    DesignPixels top = 0;
    DesignPixels height = 0;
    bool done = false;
    bool drawAtEnd = false;
    /// Its text has been substituted and wrapped, so later parts print the lines left over.
    bool started = false;

    DesignPixels bottom() const { return top + height; }
};

/// Text lines that are still to be printed; blank paragraph marks alone do not count.
bool hasLinesLeft(const TqxMemoView &memo)
{
    for (const QString &line : memo.ExpandedText) {
        QString text = line;
        text.remove(model::kEndOfParagraph);
        if (!text.trimmed().isEmpty())
            return true;
    }
    return false;
}

/// The first pass writes nothing, except while a band is split: the lines a split uses up must
/// be the ones the final pass will use.
class WritingWhileSplit
{
public:
    WritingWhileSplit()
        : m_saved(std::exchange(model::runState().suppressDrawing, false))
    {}
    ~WritingWhileSplit() { model::runState().suppressDrawing = m_saved; }
    WritingWhileSplit(const WritingWhileSplit &) = delete;
    WritingWhileSplit &operator=(const WritingWhileSplit &) = delete;

private:
    bool m_saved;
};

/// Gives every object of the band its geometry back, however the split ends.
class SplitPieces
{
public:
    explicit SplitPieces(const std::vector<TqxView *> &objects)
    {
        for (TqxView *view : objects) {
            SplitPiece piece;
            piece.view = view;
            piece.stretchable = dynamic_cast<model::TqxStretcheable *>(view);
            piece.memo = dynamic_cast<TqxMemoView *>(view);
            piece.savedTop = piece.top = view->Top;
            piece.savedHeight = piece.height = view->Height;
            piece.started = piece.memo && piece.memo->OutputStage == TqxMemoView::HeightCalculated;
            m_pieces.push_back(piece);
        }
    }
    ~SplitPieces()
    {
        for (const SplitPiece &piece : m_pieces) {
            piece.view->Top = piece.savedTop;
            piece.view->Height = piece.savedHeight;
            if (piece.memo)
                piece.memo->OutputStage = TqxMemoView::NormalOutput;
        }
    }
    SplitPieces(const SplitPieces &) = delete;
    SplitPieces &operator=(const SplitPieces &) = delete;

    std::vector<SplitPiece> &pieces() { return m_pieces; }
    bool allDone() const
    {
        return std::all_of(m_pieces.begin(), m_pieces.end(),
                           [](const SplitPiece &piece) { return piece.done; });
    }

    /// Moves down by @p distance every other piece that starts at or below @p above's bottom
    /// and whose left edge lies within its width: the text above has grown into them.
    void pushBelow(const SplitPiece &above, DesignPixels distance)
    {
        if (distance == 0)
            return;
        const DesignPixels left = above.view->Left;
        const DesignPixels right = left + above.view->Width;
        for (SplitPiece &piece : m_pieces) {
            if (&piece == &above || piece.done)
                continue;
            const DesignPixels pieceLeft = piece.view->Left;
            if (piece.top >= above.bottom() && pieceLeft >= left && pieceLeft <= right)
                piece.top += distance;
        }
    }

private:
    std::vector<SplitPiece> m_pieces;
};

/// The part of a cut at @p height that holds no whole line.
DesignPixels remainderAt(SplitPiece &piece, DesignPixels height)
{
    piece.view->Height = height;
    const DesignPixels remainder = piece.stretchable->RemainderHeight();
    piece.view->Height = piece.height;
    return remainder;
}

/// The height the lines a started text still holds need, with its gaps and frame.
DesignPixels linesHeight(const SplitPiece &piece)
{
    if (!piece.memo || !piece.started)
        return 0;
    const TqxMemoView &memo = *piece.memo;
    const DesignPixels lineHeight = memo.LineSpacing + model::layoutPixelHeight(memo.Font);
    return static_cast<DesignPixels>(memo.ExpandedText.size()) * lineHeight + 2 * memo.GapY +
           model::roundHalfEven(2 * memo.FrameWidth);
}

DesignPixels minimumAt(SplitPiece &piece, DesignPixels height)
{
    piece.view->Height = height;
    const DesignPixels minimum = piece.stretchable->MinimumHeight();
    piece.view->Height = piece.height;
    return minimum;
}

} // namespace

void PageEngine::outputSplit(TqxBand &b)
{
    // Cells of cross bands are written by the cross output, not here.
    std::vector<TqxView *> objects;
    for (TqxView *view : b.Objects) {
        if (!isCell(b, *view))
            objects.push_back(view);
    }
    SplitPieces split(objects);
    for (SplitPiece &piece : split.pieces()) {
        if (piece.view->BandAlign == model::baBottom)
            piece.top = b.MeasuredHeight - piece.height;
    }

    // Substitutes and wraps a text before its first part is printed line by line.
    const auto prepare = [&](SplitPiece &piece) {
        if (!piece.memo || piece.started)
            return true;
        try {
            model::runState().currentObject = piece.view;
            piece.memo->CalcHeight();
        } catch (const script::EvaluationError &error) {
            m_report.ReportEvaluationError(error.message());
            return false;
        }
        piece.started = true;
        return true;
    };
    // Writes one piece at (top, height) relative to the band; a text that has started prints
    // the whole lines that fit and keeps the rest.
    const auto write = [&](SplitPiece &piece, DesignPixels top, DesignPixels height) {
        TqxView &view = *piece.view;
        view.Top = top;
        view.Height = height;
        if (piece.memo && piece.started)
            piece.memo->OutputStage = TqxMemoView::SplitOutput;
        const WritingWhileSplit writing;
        OutputObject(b, view);
        view.Top = piece.savedTop;
        view.Height = piece.height;
    };

    if (!CheckFit(b, b.Top, b.OutputHeight, true)) {
        outputObjects(b);
        CurY = b.Top + b.OutputHeight;
        return;
    }

    DesignPixels outputHeight = 0;
    // Below a page header a fresh page starts lower than its top edge; what counts is that no
    // later page can offer more room than this one.
    bool freshPage = b.Top <= m_page.TopEdge();
    while (!split.allDone() && !stopRequested()) {
        const DesignPixels space = BottomLimit - columnFooterHeight() - b.Top - 2;
        const bool atPageTop = freshPage;
        // With no room at all, even on a fresh page, nothing would ever be written.
        if (space <= 0 && atPageTop)
            throw EReportError(bandDoesNotFitMessage());
        bool progress = false;
        DesignPixels lastBottom = 0;
        for (SplitPiece &piece : split.pieces()) {
            if (piece.done || stopRequested())
                continue;
            if (piece.top >= space) {
                progress = true; // it comes nearer by a page
                continue;
            }
            if (piece.top >= 0) {
                if (piece.bottom() <= space) {
                    write(piece, piece.top, piece.height);
                    lastBottom = std::max(lastBottom, piece.bottom());
                    piece.done = true;
                    progress = true;
                } else if (piece.stretchable) {
                    const DesignPixels cut = space - piece.top + 1;
                    const DesignPixels remainder = remainderAt(piece, cut);
                    if (minimumAt(piece, cut) < cut) {
                        if (!prepare(piece))
                            return;
                        write(piece, piece.top, cut);
                        lastBottom = std::max(lastBottom, piece.top + cut);
                        progress = true;
                    }
                    split.pushBelow(piece, remainder);
                    piece.height += remainder;
                } else {
                    piece.top = space;
                }
                continue;
            }
            // Continued from an earlier page.
            if (!prepare(piece))
                return;
            if (piece.memo && !hasLinesLeft(*piece.memo)) {
                piece.done = true;
                continue;
            }
            const DesignPixels rest = std::max(piece.bottom(), linesHeight(piece));
            if (rest <= space) {
                if (piece.view->stretched()) {
                    piece.drawAtEnd = true;
                } else {
                    write(piece, 0, rest);
                }
                lastBottom = std::max(lastBottom, rest);
                piece.done = true;
                progress = true;
            } else {
                const qsizetype linesBefore = piece.memo ? piece.memo->ExpandedText.size() : 0;
                write(piece, 0, space);
                lastBottom = std::max(lastBottom, space);
                const DesignPixels remainder = piece.stretchable ? remainderAt(piece, space) : 0;
                split.pushBelow(piece, remainder);
                piece.height += remainder;
                // Either lines were used up or the part still to come got shorter.
                progress = progress || remainder < space ||
                           (piece.memo && piece.memo->ExpandedText.size() < linesBefore);
            }
        }
        outputHeight = lastBottom;
        // A band that starts below the space left (a full page) has nothing used up there;
        // its objects keep their places on the next page.
        const DesignPixels used = std::max<DesignPixels>(space, 0);
        for (SplitPiece &piece : split.pieces()) {
            if (!piece.done)
                piece.top -= used;
        }
        if (split.allDone() || stopRequested())
            break;
        // A page on which nothing can be written would be followed by the same page for ever.
        if (!progress && atPageTop)
            throw EReportError(bandDoesNotFitMessage());
        CheckFit(b, CurY, kForcedBreakHeight);
        b.Top = CurY;
        freshPage = true;
    }

    b.OutputHeight = outputHeight;
    for (SplitPiece &piece : split.pieces()) {
        if (piece.drawAtEnd && !stopRequested())
            write(piece, 0, outputHeight);
    }
    CurY = b.Top + outputHeight;
}

} // namespace tovren::engine
