#pragma once

#include <QRect>
#include <QString>

namespace tovren::platform {
class SettingsStore;
}

namespace tovren::output {

/// How far one printer's output lands from where it is designed, as the clerk reads it off a
/// calibration page laid over a blank form: a shift in millimetres and a scale in per cent.
///
/// It belongs to the printer, never to a template: it moves what is sent to that printer (or
/// written to a PDF for it) and leaves the pages themselves alone.
struct PrinterCalibration
{
    static constexpr double kMaxOffsetMm = 20;
    static constexpr double kMinScalePercent = 90;
    static constexpr double kMaxScalePercent = 110;

    double offsetXMm = 0; ///< positive moves the print right
    double offsetYMm = 0; ///< positive moves the print down
    double scalePercent = 100;

    bool isIdentity() const { return offsetXMm == 0 && offsetYMm == 0 && scalePercent == 100; }
    /// Why these values are refused, in Chinese and naming the first field out of range;
    /// empty when they are acceptable.
    QString problem() const;
    /// @p pageDevicePixels, the rectangle a page is drawn into on a device of @p dotsPerInch,
    /// scaled about its top-left corner and then shifted.
    QRect apply(const QRect &pageDevicePixels, int dotsPerInch) const;
};

/// The calibrations of every printer, kept in the settings store by printer name; a printer that
/// has gone away keeps its values for when it comes back.
class PrinterCalibrations
{
public:
    explicit PrinterCalibrations(platform::SettingsStore &settings);

    /// The printer's calibration; no shift and 100 % when none was stored, or when what is
    /// stored is out of range (a hand-edited store never moves a print by a metre).
    PrinterCalibration read(const QString &printerName) const;
    /// Stores @p calibration; refuses values out of range with the reason, storing nothing.
    QString write(const QString &printerName, const PrinterCalibration &calibration);

private:
    platform::SettingsStore &m_settings;
};

} // namespace tovren::output
