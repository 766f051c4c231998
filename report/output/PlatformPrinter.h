#pragma once

#include "report/model/Units.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace tovren::output {

/// The sheet settings of a printer, in the platform's device-mode terms.
struct DeviceMode
{
    enum Field : quint32 {
        Orientation = 1,
        PaperSize = 2,
        PaperLength = 4,
        PaperWidth = 8,
        Copies = 0x100,
        DefaultSource = 0x200,
    };
    static constexpr int kPortrait = 1;
    static constexpr int kLandscape = 2;

    /// Which of the fields below the driver honours.
    quint32 fields = Orientation | PaperSize | Copies | DefaultSource;
    int orientation = kPortrait;
    int paperSize = 9;
    model::TenthsMm paperLength = 0;
    model::TenthsMm paperWidth = 0;
    int copies = 1;
    int defaultSource = 0;
};

/// Physical sheet and printable area as the device reports them, in its own dots.
struct DeviceGeometry
{
    model::DevicePixels physicalWidth = 0;
    model::DevicePixels physicalHeight = 0;
    model::DevicePixels physicalOffsetX = 0;
    model::DevicePixels physicalOffsetY = 0;
    model::DevicePixels printableWidth = 0;
    model::DevicePixels printableHeight = 0;
    int dotsPerInchX = 300;
    int dotsPerInchY = 300;
};

struct PaperEntry
{
    int code = 0;
    QString name;
};

struct BinEntry
{
    int code = 0;
    QString name;
};

/// What the printer layer needs of the platform's printer service: the printer list, the
/// device mode of the current printer, what it supports and its geometry.
///
/// Lists are as long as the device reports; nothing is truncated to fixed buffers.
class PlatformPrinter
{
public:
    virtual ~PlatformPrinter() = default;

    virtual QStringList printerNames() const = 0;
    virtual int currentIndex() const = 0;
    virtual void setCurrentIndex(int index) = 0;
    /// A document is open on the printer.
    virtual bool isPrinting() const = 0;

    /// The current printer's settings, or nothing when they cannot be read.
    virtual std::optional<DeviceMode> readDeviceMode() = 0;
    virtual void writeDeviceMode(const DeviceMode &mode) = 0;
    virtual QList<PaperEntry> papers() const = 0;
    virtual QList<BinEntry> bins() const = 0;
    virtual DeviceGeometry geometry() const = 0;
};

} // namespace tovren::output
