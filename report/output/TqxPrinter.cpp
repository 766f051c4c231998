#include "report/output/TqxPrinter.h"

#include "report/output/PaperTable.h"
#include "report/platform/StringTable.h"

#include <cstdlib>

namespace tovren::output {

using model::DesignPixels;
using model::roundHalfEven;
using model::TenthsMm;

namespace {

constexpr int kVirtualPrinterName = 55007;
constexpr int kDefaultBinName = 55435;
// The virtual printer keeps a fixed unprintable border of 5 mm on every side.
constexpr TenthsMm kVirtualBorder = 50;

bool isDefaultBin(int bin)
{
    return (bin & 0xFFFF) == TqxPrinter::kDefaultBinCode;
}

} // namespace

TqxPrinter::TqxPrinter()
{
    PaperTable(); // names are read from the string table once, at start
    resetBins();
}

void TqxPrinter::resetBins()
{
    m_binCodes = {kDefaultBinCode};
    m_binTitles = {platform::LoadLibraryString(kDefaultBinName)};
}

void TqxPrinter::initialize(PlatformPrinter *platform)
{
    AttachPlatformPrinter(platform);
    m_defaultPaperCode = m_paperCode;
    m_ready = true;
}

void TqxPrinter::AttachPlatformPrinter(PlatformPrinter *platform)
{
    m_printerNames.clear();
    m_activeIndex = 0;
    m_platform = platform;
    const QStringList devices = platform ? platform->printerNames() : QStringList();
    if (!devices.isEmpty()) {
        m_printerNames = devices;
        m_activeIndex = std::clamp(platform->currentIndex(), 0, int(devices.size()) - 1);
    }
    m_printerNames << platform::LoadLibraryString(kVirtualPrinterName);
    m_virtualIndex = int(m_printerNames.size()) - 1;
    if (devices.isEmpty())
        ApplySheet();
    else
        ReadDeviceState();
}

void TqxPrinter::SelectPrinter(int index)
{
    if (index == m_activeIndex || index < 0 || index > m_virtualIndex)
        return;
    m_activeIndex = index;
    if (isVirtualActive()) {
        ApplySheet();
    } else if (m_platform && !m_platform->printerNames().isEmpty()) {
        m_platform->setCurrentIndex(index);
        ReadDeviceState();
    }
}

void TqxPrinter::ReadDeviceState()
{
    const std::optional<DeviceMode> mode =
        m_platform && !isVirtualActive() ? m_platform->readDeviceMode() : std::nullopt;
    const DeviceGeometry geometry = m_platform ? m_platform->geometry() : DeviceGeometry{};
    if (!mode || geometry.dotsPerInchX <= 0 || geometry.dotsPerInchY <= 0) {
        SelectPrinter(m_virtualIndex);
        return;
    }
    m_paperCode = mode->paperSize;
    m_sheetWidth = model::tenthsMmFromDevicePixels(geometry.physicalWidth, geometry.dotsPerInchX);
    m_sheetHeight = model::tenthsMmFromDevicePixels(geometry.physicalHeight, geometry.dotsPerInchY);

    m_paperCodes.clear();
    m_paperTitles.clear();
    for (const PaperEntry &paper : m_platform->papers()) {
        m_paperCodes << paper.code;
        m_paperTitles << paper.name;
    }

    m_binCode = mode->defaultSource;
    resetBins();
    for (const BinEntry &bin : m_platform->bins()) {
        m_binCodes << bin.code;
        m_binTitles << bin.name;
    }
    m_landscape = mode->orientation != DeviceMode::kPortrait;
}

void TqxPrinter::applyVirtualSheet()
{
    m_paperTitles.clear();
    m_paperCodes.clear();
    for (const TPaperInfo &paper : PaperTable()) {
        m_paperTitles << paper.name;
        m_paperCodes << paper.code;
    }
    if (m_paperCode == kCustomPaperCode)
        return;
    if (const TPaperInfo *paper = findPaper(m_paperCode)) {
        m_sheetWidth = m_landscape ? paper->height : paper->width;
        m_sheetHeight = m_landscape ? paper->width : paper->height;
    }
}

void TqxPrinter::ApplySheet()
{
    if (isVirtualActive() || !m_platform) {
        applyVirtualSheet();
        return;
    }
    std::optional<DeviceMode> mode = m_platform->readDeviceMode();
    if (!mode) {
        SelectPrinter(m_virtualIndex);
        return;
    }
    if (m_paperCode == kCustomPaperCode) {
        mode->fields |= DeviceMode::PaperLength | DeviceMode::PaperWidth;
        mode->paperLength = m_sheetHeight;
        mode->paperWidth = m_sheetWidth;
    } else {
        mode->fields &= ~quint32(DeviceMode::PaperLength | DeviceMode::PaperWidth);
    }
    if (mode->fields & DeviceMode::PaperSize)
        mode->paperSize = m_paperCode;
    if (mode->fields & DeviceMode::Orientation)
        mode->orientation = m_landscape ? DeviceMode::kLandscape : DeviceMode::kPortrait;
    // Copies are the print loop's business.
    if (mode->fields & DeviceMode::Copies)
        mode->copies = 1;
    if ((mode->fields & DeviceMode::DefaultSource) && !isDefaultBin(m_binCode))
        mode->defaultSource = m_binCode;
    m_platform->writeDeviceMode(*mode);
    ReadDeviceState();
}

bool TqxPrinter::SheetMatches(int code, TenthsMm width, TenthsMm height, int bin,
                              bool landscape) const
{
    if (code != m_paperCode)
        return false;
    if (code == kCustomPaperCode) {
        return std::abs(m_sheetWidth - width) <= 1 && std::abs(m_sheetHeight - height) <= 1 &&
               landscape == m_landscape;
    }
    return landscape == m_landscape && (bin == m_binCode || isDefaultBin(bin));
}

void TqxPrinter::RequestSheet(int code, TenthsMm width, TenthsMm height, int bin, bool landscape,
                              bool force)
{
    if (m_platform && !isVirtualActive() && m_platform->isPrinting())
        return;
    if (!force && SheetMatches(code, width, height, bin, landscape))
        return;
    m_paperCode = code;
    m_sheetWidth = width;
    m_sheetHeight = height;
    m_binCode = bin;
    m_landscape = landscape;
    ApplySheet();
}

void TqxPrinter::GetPageMetrics(model::TqxPageMetrics &m) const
{
    if (isVirtualActive() || !m_platform) {
        m.PaperWidthPx = model::designPixelsFromTenthsMm(m_sheetWidth);
        m.PaperHeightPx = model::designPixelsFromTenthsMm(m_sheetHeight);
        m.OffsetX = m.OffsetY = model::designPixelsFromTenthsMm(kVirtualBorder);
        m.PrintWidthPx = m.PaperWidthPx - 2 * m.OffsetX;
        m.PrintHeightPx = m.PaperHeightPx - 2 * m.OffsetY;
        return;
    }
    const DeviceGeometry g = m_platform->geometry();
    auto designX = [&](model::DevicePixels v) {
        return model::designPixelsFromDevicePixels(v, g.dotsPerInchX);
    };
    auto designY = [&](model::DevicePixels v) {
        return model::designPixelsFromDevicePixels(v, g.dotsPerInchY);
    };
    m.DevPaperWidth = g.physicalWidth;
    m.PaperWidthPx = designX(g.physicalWidth);
    m.DevPaperHeight = g.physicalHeight;
    m.PaperHeightPx = designY(g.physicalHeight);
    m.DevOffsetX = g.physicalOffsetX;
    m.OffsetX = designX(g.physicalOffsetX);
    m.DevOffsetY = g.physicalOffsetY;
    m.OffsetY = designY(g.physicalOffsetY);
    m.DevPrintWidth = g.printableWidth;
    m.PrintWidthPx = designX(g.printableWidth);
    m.DevPrintHeight = g.printableHeight;
    m.PrintHeightPx = designY(g.printableHeight);
}

qsizetype TqxPrinter::IndexOfPaper(int code) const
{
    const qsizetype index = m_paperCodes.indexOf(code);
    return index >= 0 ? index : m_paperCodes.size() - 1;
}

qsizetype TqxPrinter::IndexOfBin(int code) const
{
    const qsizetype index = m_binCodes.indexOf(code);
    return index >= 0 ? index : 0;
}

std::optional<TqxPrinter::Selection> TqxPrinter::selectSheet(const model::SheetRequest &request)
{
    RequestSheet(request.paperCode, request.width, request.height, request.bin, request.landscape,
                 false);
    // A driver may substitute another paper; the page takes what is in force, as asked.
    Selection selection;
    selection.sheet =
        model::SheetRequest{m_paperCode, m_sheetWidth, m_sheetHeight, m_binCode, m_landscape};
    GetPageMetrics(selection.metrics);
    return selection;
}

} // namespace tovren::output
