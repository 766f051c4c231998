#include "report/preview/PreviewWindowHost.h"

#include "report/engine/TqxReport.h"
#include "report/preview/TqxPreviewForm.h"

namespace tovren::preview {

PreviewWindowHost::PreviewWindowHost(output::TqxPrinter &printerLayer,
                                     platform::DialogProvider &dialogs, QWidget *parent)
    : m_printerLayer(printerLayer)
    , m_dialogs(dialogs)
    , m_parent(parent)
{}

void PreviewWindowHost::showPreview(engine::TqxReport &report, const QString &caption)
{
    if (report.ModalPreview) {
        TqxPreviewForm window(report, m_printerLayer, m_dialogs, m_parent);
        window.setWindowTitle(caption);
        if (m_opener)
            m_opener(window);
        else
            window.exec();
        return;
    }
    // A modeless window outlives this call; it goes when it is closed or with its parent.
    auto *window = new TqxPreviewForm(report, m_printerLayer, m_dialogs, m_parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(caption);
    if (m_opener)
        m_opener(*window);
    else
        window->show();
}

} // namespace tovren::preview
