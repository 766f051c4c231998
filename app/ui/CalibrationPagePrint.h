#pragma once

#include <QByteArray>
#include <QString>

namespace tovren::output {
class TqxPrinter;
}
namespace tovren::platform {
class DialogProvider;
}

namespace tovren::app {

/// Prints the calibration page of a certificate template on the printer active in the printer
/// layer, as `tovren calibrate --page` does: without the printer's calibration, since the page
/// shows where the printer puts things by itself. The virtual printer writes it into a PDF file
/// the clerk names.
///
/// It works on a report of its own, so the pages of a preview that is open stay as they are.
/// Neither reference is owned; both must outlive the object.
class CalibrationPagePrint
{
public:
    CalibrationPagePrint(output::TqxPrinter &printerLayer, platform::DialogProvider &dialogs);

    /// Prints the page for the template in @p templateBytes; says through the dialogs what
    /// failed. False when nothing was printed (also when the clerk named no file).
    bool print(const QByteArray &templateBytes);

private:
    void showError(const QString &text);

    output::TqxPrinter &m_layer;
    platform::DialogProvider &m_dialogs;
};

} // namespace tovren::app
