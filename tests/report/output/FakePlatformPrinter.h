#pragma once

#include "report/output/PlatformPrinter.h"

namespace tovren::output::testing {

/// A printer service whose answers the test sets; written device modes are kept and read back,
/// as a driver that accepts every setting would.
class FakePlatformPrinter : public PlatformPrinter
{
public:
    QStringList printerNames() const override { return names; }
    int currentIndex() const override { return current; }
    void setCurrentIndex(int index) override { current = index; }
    bool isPrinting() const override { return printing; }
    std::optional<DeviceMode> readDeviceMode() override
    {
        if (!readable)
            return std::nullopt;
        return mode;
    }
    void writeDeviceMode(const DeviceMode &written) override
    {
        mode = written;
        ++writeCount;
    }
    QList<PaperEntry> papers() const override { return paperList; }
    QList<BinEntry> bins() const override { return binList; }
    DeviceGeometry geometry() const override { return deviceGeometry; }

    QStringList names;
    int current = 0;
    bool printing = false;
    bool readable = true;
    DeviceMode mode;
    int writeCount = 0;
    QList<PaperEntry> paperList;
    QList<BinEntry> binList;
    DeviceGeometry deviceGeometry;
};

} // namespace tovren::output::testing
