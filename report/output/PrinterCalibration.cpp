#include "report/output/PrinterCalibration.h"

#include "report/platform/SettingsStore.h"

#include <QUrl>
#include <cmath>

namespace tovren::output {

namespace {

const QString kSection = QStringLiteral("PrinterCalibration");
constexpr double kMmPerInch = 25.4;
// Stored as integers in hundredths, as every other value of the store is an integer or text.
constexpr double kStoredUnitsPerMm = 100;
constexpr double kStoredUnitsPerPercent = 100;

// Printer names are network paths with backslashes; they must not turn into sub-sections.
QString keyOf(const QString &printerName, const char *value)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(printerName)) + u'.' +
           QString::fromLatin1(value);
}

} // namespace

QString PrinterCalibration::problem() const
{
    // The message names the field, so the clerk knows which of the three to correct.
    const auto offsetProblem = [](const QString &field, double mm) -> QString {
        if (std::isfinite(mm) && std::abs(mm) <= kMaxOffsetMm)
            return {};
        return QStringLiteral("%1要在 -%2 到 %2 毫米之间").arg(field).arg(kMaxOffsetMm);
    };
    if (QString refused = offsetProblem(QStringLiteral("水平偏移"), offsetXMm); !refused.isEmpty())
        return refused;
    if (QString refused = offsetProblem(QStringLiteral("垂直偏移"), offsetYMm); !refused.isEmpty())
        return refused;
    if (!std::isfinite(scalePercent) || scalePercent < kMinScalePercent ||
        scalePercent > kMaxScalePercent)
        return QStringLiteral("缩放要在 %1% 到 %2% 之间")
            .arg(kMinScalePercent)
            .arg(kMaxScalePercent);
    return {};
}

QRect PrinterCalibration::apply(const QRect &page, int dotsPerInch) const
{
    const double scale = scalePercent / 100;
    const double dx = offsetXMm / kMmPerInch * dotsPerInch;
    const double dy = offsetYMm / kMmPerInch * dotsPerInch;
    return QRect(int(std::lround(page.left() + dx)), int(std::lround(page.top() + dy)),
                 int(std::lround(page.width() * scale)), int(std::lround(page.height() * scale)));
}

PrinterCalibrations::PrinterCalibrations(platform::SettingsStore &settings)
    : m_settings(settings)
{}

PrinterCalibration PrinterCalibrations::read(const QString &printerName) const
{
    PrinterCalibration stored;
    stored.offsetXMm =
        m_settings.readInteger(kSection, keyOf(printerName, "OffsetX"), 0) / kStoredUnitsPerMm;
    stored.offsetYMm =
        m_settings.readInteger(kSection, keyOf(printerName, "OffsetY"), 0) / kStoredUnitsPerMm;
    stored.scalePercent = m_settings.readInteger(kSection, keyOf(printerName, "Scale"),
                                                 100 * kStoredUnitsPerPercent) /
                          kStoredUnitsPerPercent;
    return stored.problem().isEmpty() ? stored : PrinterCalibration{};
}

QString PrinterCalibrations::write(const QString &printerName,
                                   const PrinterCalibration &calibration)
{
    const QString problem = calibration.problem();
    if (!problem.isEmpty())
        return problem;
    m_settings.writeInteger(kSection, keyOf(printerName, "OffsetX"),
                            int(std::lround(calibration.offsetXMm * kStoredUnitsPerMm)));
    m_settings.writeInteger(kSection, keyOf(printerName, "OffsetY"),
                            int(std::lround(calibration.offsetYMm * kStoredUnitsPerMm)));
    m_settings.writeInteger(kSection, keyOf(printerName, "Scale"),
                            int(std::lround(calibration.scalePercent * kStoredUnitsPerPercent)));
    m_settings.sync();
    return {};
}

} // namespace tovren::output
