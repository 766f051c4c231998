#include "report/dialogs/PageOptions.h"

#include "report/model/TqxPage.h"

#include <cmath>
#include <limits>
#include <optional>

namespace tovren::dialogs {

using model::DesignPixels;
using model::SheetRequest;
using model::TenthsMm;

namespace {

constexpr int kFallbackPaperCode = 9; // A4
// The ruler's scale: 18 design pixels to 5 mm.
constexpr double kDesignPixelsPerMm = 18.0 / 5.0;
constexpr double kTenthsMmPerMm = 10.0;

/// The number typed in a box; "," and "." both separate the decimals, since people type the
/// separator their keyboard's locale gives them.
std::optional<double> parseDecimal(const QString &text)
{
    QString normalised = text.trimmed();
    normalised.replace(u',', u'.');
    bool ok = false;
    const double value = normalised.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

/// @p millimetres times @p unitsPerMm, rounded as stored coordinates are; nothing when the
/// text is no number or the result does not fit a stored integer.
std::optional<qint32> parseScaled(const QString &millimetres, double unitsPerMm)
{
    const std::optional<double> value = parseDecimal(millimetres);
    if (!value)
        return std::nullopt;
    const double scaled = *value * unitsPerMm;
    if (std::abs(scaled) > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return model::roundHalfEven(scaled);
}

QString designPixelsAsMm(DesignPixels pixels)
{
    return PageOptions::millimetreText(pixels / kDesignPixelsPerMm);
}

int positionOf(const QList<int> &codes, int code, int whenAbsent)
{
    const qsizetype index = codes.indexOf(code);
    return index >= 0 ? int(index) : whenAbsent;
}

} // namespace

QString PageOptions::millimetreText(double millimetres)
{
    return QString::number(millimetres, 'g', 4);
}

PageOptions PageOptions::fromPage(const model::TqxPage &page, bool unlimitedHeight,
                                  const QList<int> &paperCodes, const QList<int> &binCodes)
{
    PageOptions options;
    options.printToPrevPage = page.PrintToPrevPage;
    options.stretchToPrintable = !page.UseMargins;
    options.unlimitedHeight = unlimitedHeight;
    options.landscape = page.Orientation != 0;
    // A paper the printer does not list shows as the last entry, the custom size.
    options.paperIndex = positionOf(paperCodes, page.PaperSize, int(paperCodes.size()) - 1);
    const int bin = (page.PaperBin & 0xFFFF) == model::TqxPage::kDefaultBin
                        ? model::TqxPage::kDefaultBin
                        : page.PaperBin;
    options.binIndex = positionOf(binCodes, bin, 0);
    if (page.PaperSize == SheetRequest::kCustomPaperCode) {
        options.paperWidthMm = millimetreText(page.PaperWidth / kTenthsMmPerMm);
        options.paperHeightMm = millimetreText(page.PaperHeight / kTenthsMmPerMm);
    }
    options.leftMarginMm = designPixelsAsMm(page.Margins.left);
    options.topMarginMm = designPixelsAsMm(page.Margins.top);
    options.rightMarginMm = designPixelsAsMm(page.Margins.right);
    options.bottomMarginMm = designPixelsAsMm(page.Margins.bottom);
    options.columnGapMm = designPixelsAsMm(page.ColGap);
    options.columnCount = QString::number(page.ColCount);
    return options;
}

QString PageOptions::columnCountError() const
{
    bool ok = false;
    const int count = columnCount.trimmed().toInt(&ok);
    if (ok && count >= 0)
        return {};
    const QString rule = QStringLiteral("栏数须是不小于 0 的整数。");
    if (columnCount.trimmed().isEmpty())
        return QStringLiteral("请填写栏数。") + rule;
    return QStringLiteral("“%1”不是有效的栏数。").arg(columnCount.trimmed()) + rule;
}

bool PageOptions::applyTo(model::TqxPage &page, const QList<int> &paperCodes,
                          const QList<int> &binCodes) const
{
    if (!columnCountError().isEmpty())
        return false;

    page.PrintToPrevPage = printToPrevPage;
    page.UseMargins = !stretchToPrintable;

    SheetRequest sheet;
    sheet.paperCode = paperCodes.value(paperIndex, kFallbackPaperCode);
    sheet.width = page.PaperWidth;
    sheet.height = page.PaperHeight;
    sheet.landscape = landscape;
    if (sheet.paperCode == SheetRequest::kCustomPaperCode) {
        const std::optional<TenthsMm> width = parseScaled(paperWidthMm, kTenthsMmPerMm);
        const std::optional<TenthsMm> height = parseScaled(paperHeightMm, kTenthsMmPerMm);
        if (width && height) {
            sheet.width = *width;
            sheet.height = *height;
        } else {
            sheet.paperCode = kFallbackPaperCode;
        }
    }

    const std::optional<DesignPixels> left = parseScaled(leftMarginMm, kDesignPixelsPerMm);
    const std::optional<DesignPixels> top = parseScaled(topMarginMm, kDesignPixelsPerMm);
    const std::optional<DesignPixels> right = parseScaled(rightMarginMm, kDesignPixelsPerMm);
    const std::optional<DesignPixels> bottom = parseScaled(bottomMarginMm, kDesignPixelsPerMm);
    const std::optional<DesignPixels> gap = parseScaled(columnGapMm, kDesignPixelsPerMm);
    if (left && top && right && bottom && gap) {
        page.Margins = model::PageMargins{*left, *top, *right, *bottom};
        page.ColGap = *gap;
    } else {
        page.Margins = model::PageMargins{};
        page.ColGap = 0;
    }
    page.ColCount = columnCount.trimmed().toInt();

    // Pages keep the printer's default source as 0xFFFF; asking for it is -1.
    const int bin = binCodes.value(binIndex, model::TqxPage::kDefaultBin);
    sheet.bin = (bin & 0xFFFF) == model::TqxPage::kDefaultBin ? SheetRequest::kDefaultBin : bin;
    page.ChangePaper(sheet);
    return true;
}

} // namespace tovren::dialogs
