#pragma once

#include "report/output/PrintParameters.h"
#include "report/output/PrinterCalibration.h"

#include <QString>
#include <functional>

namespace tovren::output {

class PlatformPrinter;
class PrintDevice;
class PrintablePages;
class TqxPrinter;

/// Sends prepared pages to a print device: one print, start to finish.
///
/// It selects the pages and their order from the print parameters, asks the printer layer for
/// each page's sheet, and opens a new document whenever the device cannot change paper inside
/// one. A bad page range fails before any document is opened; a stop request aborts the
/// document after the page being printed. A print that selects no page at all fails, as it
/// leaves no output behind.
class PrintJob
{
public:
    enum class Outcome { Finished, Cancelled, Failed };

    struct Hooks
    {
        /// Told the 1-based number of each page once it is drawn.
        std::function<void(int pageNumber)> progress;
        /// Asked after every page; true stops the print.
        std::function<bool()> stopRequested;
    };

    /// None of the references is owned; all must outlive the job.
    PrintJob(TqxPrinter &printerLayer, PrintablePages &pages, PrintDevice &device);

    /// Re-reads the platform's printer list before printing, keeping the chosen printer.
    void setPlatformPrinter(PlatformPrinter *platform) { m_platform = platform; }

    /// The calibration of the printer this job prints on; it moves every page on the device.
    void setCalibration(const PrinterCalibration &calibration) { m_calibration = calibration; }

    /// Runs the print; @p title names the document ("Untitled" when empty).
    Outcome run(const PrintParameters &parameters, const QString &title, const Hooks &hooks = {});
    /// Why the last run failed.
    QString errorString() const { return m_error; }
    /// Pages sent to the device by the last run, in order, counting each copy sent.
    int pagesSent() const { return m_pagesSent; }

private:
    void refreshPrinterList();
    bool printPage(int index, const PrintParameters &parameters, const QString &title,
                   int deviceCopies);

    TqxPrinter &m_layer;
    PrintablePages &m_pages;
    PrintDevice &m_device;
    PlatformPrinter *m_platform = nullptr;
    PrinterCalibration m_calibration;
    bool m_documentOpen = false;
    int m_pagesSent = 0;
    QString m_error;
};

} // namespace tovren::output
