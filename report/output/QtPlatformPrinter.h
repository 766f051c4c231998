#pragma once

#include "report/output/PlatformPrinter.h"

#include <QPrinter>
#include <memory>

namespace tovren::output {

/// The platform printer service through Qt: the installed printers (CUPS where present), their
/// paper sizes by the platform's paper numbers, paper sources and page layout.
class QtPlatformPrinter : public PlatformPrinter
{
public:
    QtPlatformPrinter();
    ~QtPlatformPrinter() override;

    QStringList printerNames() const override;
    int currentIndex() const override { return m_currentIndex; }
    void setCurrentIndex(int index) override;
    bool isPrinting() const override;

    std::optional<DeviceMode> readDeviceMode() override;
    void writeDeviceMode(const DeviceMode &mode) override;
    QList<PaperEntry> papers() const override;
    QList<BinEntry> bins() const override;
    DeviceGeometry geometry() const override;

    /// The printer that print jobs draw on; owned here.
    QPrinter &printer() { return *m_printer; }

private:
    QStringList m_names;
    int m_currentIndex = 0;
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace tovren::output
