#include "report/output/PrinterSwitch.h"

#include "report/model/TqxPages.h"
#include "report/output/TqxPrinter.h"
#include "report/platform/DialogProvider.h"
#include "report/platform/StringTable.h"

namespace tovren::output {

namespace {

constexpr int kErrorCaption = 55206;

void relayPages(model::TqxPages &pages)
{
    for (qsizetype i = 0; i < pages.Count(); ++i) {
        model::TqxPage &page = *pages.page(i);
        // Pages store the default source as 0xFFFF; asking for it is -1.
        const int bin = (page.PaperBin & 0xFFFF) == model::TqxPage::kDefaultBin
                            ? model::SheetRequest::kDefaultBin
                            : page.PaperBin;
        page.ChangePaper(model::SheetRequest{page.PaperSize, page.PaperWidth, page.PaperHeight, bin,
                                             page.Orientation != 0});
    }
}

} // namespace

bool SwitchPrinter(TqxPrinter &layer, model::TqxPages &templatePages, int oldIndex, int newIndex,
                   platform::DialogProvider &dialogs, QString &rememberedPrinterName)
{
    layer.SelectPrinter(newIndex);
    // The layer falls back to the virtual printer when a device cannot be read; that is how a
    // refused printer shows here.
    const bool switched = layer.activeIndex() == newIndex;
    if (switched) {
        rememberedPrinterName = layer.printerNames().value(layer.activeIndex());
        layer.setPaperCode(-1); // the next sheet request must apply
        relayPages(templatePages);
        return true;
    }
    dialogs.messageBox(QString::fromUtf8("所选打印机错误"),
                       platform::LoadLibraryString(kErrorCaption), platform::mb_IconError);
    layer.SelectPrinter(oldIndex);
    rememberedPrinterName = layer.printerNames().value(layer.activeIndex());
    relayPages(templatePages);
    return false;
}

} // namespace tovren::output
