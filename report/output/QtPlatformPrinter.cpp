#include "report/output/QtPlatformPrinter.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinterInfo>
#include <array>

namespace tovren::output {

namespace {

constexpr int kCustomPaper = 256;

// Platform bin numbers of Qt's paper sources, in the order of QPrinter::PaperSource.
constexpr std::array<int, 13> kBinNumbers = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 14, 15};
int binNumber(QPrinter::PaperSource source)
{
    const auto index = static_cast<size_t>(source);
    return index < kBinNumbers.size() ? kBinNumbers[index] : 0;
}

std::optional<QPrinter::PaperSource> paperSourceOfBin(int bin)
{
    for (size_t i = 0; i < kBinNumbers.size(); ++i) {
        if (kBinNumbers[i] == bin)
            return static_cast<QPrinter::PaperSource>(i);
    }
    return std::nullopt;
}

} // namespace

QtPlatformPrinter::QtPlatformPrinter()
    : m_names(QPrinterInfo::availablePrinterNames())
{
    const QString defaultName = QPrinterInfo::defaultPrinterName();
    m_currentIndex = std::max<int>(0, int(m_names.indexOf(defaultName)));
    if (!m_names.isEmpty())
        m_printer = std::make_unique<QPrinter>(
            QPrinterInfo::printerInfo(m_names.at(m_currentIndex)), QPrinter::HighResolution);
}

QtPlatformPrinter::~QtPlatformPrinter() = default;

QStringList QtPlatformPrinter::printerNames() const
{
    return m_names;
}

void QtPlatformPrinter::setCurrentIndex(int index)
{
    if (index < 0 || index >= m_names.size() || index == m_currentIndex)
        return;
    m_currentIndex = index;
    m_printer->setPrinterName(m_names.at(index));
}

bool QtPlatformPrinter::isPrinting() const
{
    return m_printer && m_printer->printerState() == QPrinter::Active;
}

std::optional<DeviceMode> QtPlatformPrinter::readDeviceMode()
{
    if (!m_printer || !m_printer->isValid())
        return std::nullopt;
    const QPageLayout layout = m_printer->pageLayout();
    DeviceMode mode;
    const int windowsId = layout.pageSize().windowsId();
    mode.paperSize = windowsId > 0 ? windowsId : kCustomPaper;
    mode.orientation = layout.orientation() == QPageLayout::Landscape ? DeviceMode::kLandscape
                                                                      : DeviceMode::kPortrait;
    const QSizeF sizeMm = layout.pageSize().size(QPageSize::Millimeter);
    mode.paperWidth = model::roundHalfEven(sizeMm.width() * 10);
    mode.paperLength = model::roundHalfEven(sizeMm.height() * 10);
    mode.copies = m_printer->copyCount();
    mode.defaultSource = binNumber(m_printer->paperSource());
    return mode;
}

void QtPlatformPrinter::writeDeviceMode(const DeviceMode &mode)
{
    if (!m_printer)
        return;
    QPageSize size;
    if (mode.paperSize == kCustomPaper && (mode.fields & DeviceMode::PaperWidth)) {
        size = QPageSize(QSizeF(mode.paperWidth / 10.0, mode.paperLength / 10.0),
                         QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
    } else {
        size = QPageSize(QPageSize::id(mode.paperSize));
    }
    if (size.isValid())
        m_printer->setPageSize(size);
    if (mode.fields & DeviceMode::Orientation)
        m_printer->setPageOrientation(mode.orientation == DeviceMode::kLandscape
                                          ? QPageLayout::Landscape
                                          : QPageLayout::Portrait);
    if (mode.fields & DeviceMode::Copies)
        m_printer->setCopyCount(mode.copies);
    if (mode.fields & DeviceMode::DefaultSource) {
        if (const auto source = paperSourceOfBin(mode.defaultSource))
            m_printer->setPaperSource(*source);
    }
}

QList<PaperEntry> QtPlatformPrinter::papers() const
{
    QList<PaperEntry> papers;
    if (m_names.isEmpty())
        return papers;
    const QPrinterInfo info = QPrinterInfo::printerInfo(m_names.at(m_currentIndex));
    for (const QPageSize &size : info.supportedPageSizes()) {
        const int windowsId = size.windowsId();
        if (windowsId > 0)
            papers.append(PaperEntry{windowsId, size.name()});
    }
    papers.append(PaperEntry{kCustomPaper, QStringLiteral("Custom")});
    return papers;
}

QList<BinEntry> QtPlatformPrinter::bins() const
{
    // Qt enumerates paper sources only on Windows; elsewhere the printer offers its default
    // source alone, which the printer layer always lists.
    return {};
}

DeviceGeometry QtPlatformPrinter::geometry() const
{
    DeviceGeometry geometry;
    if (!m_printer)
        return geometry;
    const int dpi = m_printer->resolution();
    const QPageLayout layout = m_printer->pageLayout();
    const QRect full = layout.fullRectPixels(dpi);
    const QRect paint = layout.paintRectPixels(dpi);
    geometry.physicalWidth = full.width();
    geometry.physicalHeight = full.height();
    geometry.physicalOffsetX = paint.left();
    geometry.physicalOffsetY = paint.top();
    geometry.printableWidth = paint.width();
    geometry.printableHeight = paint.height();
    geometry.dotsPerInchX = dpi;
    geometry.dotsPerInchY = dpi;
    return geometry;
}

} // namespace tovren::output
