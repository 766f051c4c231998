#include "report/preview/PreviewPageSetup.h"

#include "report/engine/TqxReport.h"

#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPrinter>
#include <cmath>

namespace tovren::preview {

namespace {

// Design pixels to hundredths of a millimetre and back, in whole steps as stored.
int hundredthsMm(int designPixels)
{
    return designPixels * 500 / 18;
}

int designPixels(int hundredthsMm)
{
    return hundredthsMm * 18 / 500;
}

} // namespace

PageSetupChoice PreviewPageSetup::initialChoice(const engine::TqxEMFPages &pages)
{
    PageSetupChoice choice;
    if (pages.Count() == 0)
        return choice;
    const engine::TqxPreparedPage &first = pages.Page(0);
    choice.sheet = model::SheetRequest{first.paperSize, first.paperWidth, first.paperHeight,
                                       first.bin, first.orientation != 0};
    choice.margins =
        QMargins(hundredthsMm(first.margins.left), hundredthsMm(first.margins.top),
                 hundredthsMm(first.margins.right), hundredthsMm(first.margins.bottom));
    return choice;
}

void PreviewPageSetup::apply(engine::TqxReport &report, const PageSetupChoice &choice)
{
    model::TqxPages &templatePages = report.Pages();
    for (qsizetype i = 0; i < templatePages.Count(); ++i) {
        model::TqxPage &page = *templatePages.page(i);
        if (page.PageType != model::TqxPage::ptReport)
            continue;
        page.Margins = model::PageMargins{
            designPixels(choice.margins.left()), designPixels(choice.margins.top()),
            designPixels(choice.margins.right()), designPixels(choice.margins.bottom())};
        model::SheetRequest sheet = choice.sheet;
        if (sheet.width <= 0 || sheet.height <= 0) {
            sheet.width = page.PaperWidth;
            sheet.height = page.PaperHeight;
        }
        page.ChangePaper(sheet);
    }
}

std::optional<PageSetupChoice> PreviewPageSetup::askWithDialog(const PageSetupChoice &initial,
                                                               QWidget *parent)
{
    QPrinter printer;
    const QSizeF portraitMm(std::min(initial.sheet.width, initial.sheet.height) / 10.0,
                            std::max(initial.sheet.width, initial.sheet.height) / 10.0);
    const QPageSize::PageSizeId known = QPageSize::id(initial.sheet.paperCode);
    const QPageSize size = (known != QPageSize::Custom || portraitMm.isEmpty())
                               ? QPageSize(known)
                               : QPageSize(portraitMm, QPageSize::Millimeter);
    const QMarginsF marginsMm(initial.margins.left() / 100.0, initial.margins.top() / 100.0,
                              initial.margins.right() / 100.0, initial.margins.bottom() / 100.0);
    printer.setPageLayout(
        QPageLayout(size, initial.sheet.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                    marginsMm, QPageLayout::Millimeter));
    QPageSetupDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;

    const QPageLayout chosen = printer.pageLayout();
    PageSetupChoice choice;
    const bool landscape = chosen.orientation() == QPageLayout::Landscape;
    const QSizeF mm = chosen.pageSize().size(QPageSize::Millimeter);
    const int code = chosen.pageSize().windowsId();
    choice.sheet.paperCode = code > 0 ? code : model::SheetRequest::kCustomPaperCode;
    choice.sheet.width = int(std::lround((landscape ? mm.height() : mm.width()) * 10));
    choice.sheet.height = int(std::lround((landscape ? mm.width() : mm.height()) * 10));
    choice.sheet.bin = initial.sheet.bin;
    choice.sheet.landscape = landscape;
    const QMarginsF m = chosen.margins(QPageLayout::Millimeter);
    choice.margins =
        QMargins(int(std::lround(m.left() * 100)), int(std::lround(m.top() * 100)),
                 int(std::lround(m.right() * 100)), int(std::lround(m.bottom() * 100)));
    return choice;
}

} // namespace tovren::preview
