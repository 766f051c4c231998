#include "app/ui/CalibrationPagePrint.h"

#include "app/certificate/CalibrationPage.h"
#include "report/engine/ComponentLookup.h"
#include "report/engine/TqxReport.h"
#include "report/output/PrintDevice.h"
#include "report/output/PrintJob.h"
#include "report/output/TqxPrinter.h"
#include "report/platform/DialogProvider.h"
#include "report/preview/EmfPagesPrintSource.h"
#include "report/preview/PrintDestination.h"

#include <QBuffer>

namespace tovren::app {

namespace {
const QString kTitle = QStringLiteral("校准页");
}

CalibrationPagePrint::CalibrationPagePrint(output::TqxPrinter &printerLayer,
                                           platform::DialogProvider &dialogs)
    : m_layer(printerLayer)
    , m_dialogs(dialogs)
{}

void CalibrationPagePrint::showError(const QString &text)
{
    m_dialogs.messageBox(text, kTitle, platform::mb_Ok | platform::mb_IconError);
}

bool CalibrationPagePrint::print(const QByteArray &templateBytes)
{
    engine::TqxComponentRegistry registry;
    engine::TqxReport report(QStringLiteral("qxReport1"), nullptr, registry, &m_layer);
    report.ShowProgress = false;
    QBuffer stream;
    stream.setData(templateBytes);
    stream.open(QIODevice::ReadOnly);
    report.ReadTemplate(stream);
    if (!makeCalibrationPage(report)) {
        showError(QStringLiteral("证书模板中没有页, 无法打印校准页。"));
        return false;
    }
    const std::unique_ptr<output::PrintDevice> device =
        preview::PrintDestination(m_layer, m_dialogs).open(kTitle);
    if (!device)
        return false;
    preview::EmfPagesPrintSource source(report.EMFPages());
    output::PrintJob job(m_layer, source, *device);
    if (job.run(output::PrintParameters{}, kTitle) != output::PrintJob::Outcome::Finished) {
        showError(QStringLiteral("校准页没有打印出来。\n") + job.errorString());
        return false;
    }
    return true;
}

} // namespace tovren::app
