#pragma once

#include <QDialog>
#include <functional>

class QComboBox;
class QDoubleSpinBox;
class QRadioButton;
class QSpinBox;

namespace tovren::output {
class TqxPrinter;
}
namespace tovren::platform {
class DialogProvider;
class SettingsStore;
} // namespace tovren::platform

namespace tovren::dialogs {

/// What the properties dialog needs to offer a printer's calibration. None of it is owned.
struct PrinterCalibrationAccess
{
    /// Where calibrations are kept by printer name; without one the dialog offers none.
    platform::SettingsStore *store = nullptr;
    /// Tells the clerk why values are refused.
    platform::DialogProvider *dialogs = nullptr;
    /// Prints the calibration page on the active printer; without one there is no button.
    std::function<void()> printCalibrationPage;
};

/// The properties of the active printer as the print dialog offers them: paper and
/// orientation, written into the printer when confirmed, and, given a store, the printer's
/// calibration (offsets and scale), stored for that printer when confirmed.
///
/// Calibration values out of range are refused with a message naming the field; the dialog then
/// stays open and neither the calibration nor the sheet is written.
///
/// It serves the virtual printer and the installed printers alike; a report's pages still ask
/// for their own sheet when they are printed, as they do after any driver dialog.
class PrinterPropertiesDialog : public QDialog
{
    Q_OBJECT
public:
    /// @p printerLayer is not owned and must outlive the dialog.
    explicit PrinterPropertiesDialog(output::TqxPrinter &printerLayer, QWidget *parent = nullptr);
    PrinterPropertiesDialog(output::TqxPrinter &printerLayer,
                            const PrinterCalibrationAccess &calibration, QWidget *parent = nullptr);
    ~PrinterPropertiesDialog() override;

    void done(int result) override;

private:
    QWidget *buildCalibrationGroup();
    void paperChosen(int index);
    int chosenPaperCode() const;
    /// Stores the typed calibration; false, having said why, when it is refused.
    bool storeCalibration();

    output::TqxPrinter &m_layer;
    PrinterCalibrationAccess m_calibration;
    QString m_printerName;
    QComboBox *m_paper = nullptr;
    QSpinBox *m_width = nullptr;
    QSpinBox *m_height = nullptr;
    QRadioButton *m_portrait = nullptr;
    QRadioButton *m_landscape = nullptr;
    QDoubleSpinBox *m_offsetXMm = nullptr;
    QDoubleSpinBox *m_offsetYMm = nullptr;
    QDoubleSpinBox *m_scalePercent = nullptr;
};

} // namespace tovren::dialogs
