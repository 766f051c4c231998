#include "report/preview/PreviewWindowHost.h"

#include "report/engine/TqxReport.h"
#include "report/output/PrintDevice.h"
#include "report/preview/PrintDestination.h"
#include "report/preview/TqxPreviewForm.h"

namespace tovren::preview {

PreviewWindowHost::PreviewWindowHost(output::TqxPrinter &printerLayer,
                                     platform::DialogProvider &dialogs, QWidget *parent)
    : m_printerLayer(printerLayer)
    , m_dialogs(dialogs)
    , m_parent(parent)
{}

void PreviewWindowHost::prepare(TqxPreviewForm &window, const engine::TqxReport &report,
                                const QString &caption) const
{
    window.setWindowTitle(caption);
    window.setSettingsStore(m_settings);
    window.setPageEditor(m_pageEditor);
    window.setCalibrationPagePrinter(m_calibrationPagePrinter);
    window.setRecordFilesExport(m_recordFiles);
    const PrintDestination destination(m_printerLayer, m_dialogs);
    window.setPrintDeviceFactory(
        [destination, title = report.Title] { return destination.open(title); });
}

void PreviewWindowHost::showPreview(engine::TqxReport &report, const QString &caption)
{
    if (report.ModalPreview) {
        TqxPreviewForm window(report, m_printerLayer, m_dialogs, m_parent);
        prepare(window, report, caption);
        if (m_opener)
            m_opener(window);
        else
            window.exec();
        return;
    }
    // A modeless window outlives this call; it goes when it is closed or with its parent.
    auto *window = new TqxPreviewForm(report, m_printerLayer, m_dialogs, m_parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    prepare(*window, report, caption);
    if (m_opener)
        m_opener(*window);
    else
        window->show();
}

} // namespace tovren::preview
