#pragma once

#include "report/preview/PreviewLayout.h"

#include <QDialog>
#include <functional>
#include <memory>

class QLabel;
class QPrinter;
class QScrollArea;
class QToolButton;

namespace tovren::engine {
class TqxReport;
}
namespace tovren::output {
class PrintDevice;
class TqxPrinter;
} // namespace tovren::output
namespace tovren::platform {
class DialogProvider;
}

namespace tovren::preview {

class PreviewPageView;

/// The preview window: shows a report's prepared pages and lets the operator page through
/// them, zoom, print, save them as a prepared-report file or a PDF, and close.
///
/// Every question and error goes through the dialog provider, so the window never blocks on a
/// dialog nobody sees. Closing it releases the loaded objects of every page; the pages stay
/// with the report. Nothing it is given is owned and all must outlive it.
class TqxPreviewForm : public QDialog
{
    Q_OBJECT
public:
    /// Makes the device a confirmed print goes to; null means the print cannot start.
    using PrintDeviceFactory = std::function<std::unique_ptr<output::PrintDevice>()>;

    TqxPreviewForm(engine::TqxReport &report, output::TqxPrinter &printerLayer,
                   platform::DialogProvider &dialogs, QWidget *parent = nullptr);
    ~TqxPreviewForm() override;

    void setPrintDeviceFactory(PrintDeviceFactory factory) { m_deviceFactory = std::move(factory); }

    int currentPage() const { return m_currentPage; }
    int pageCount() const;
    QString pageLabelText() const;
    double scale() const { return m_scale; }
    ZoomMode zoomMode() const { return m_zoomMode; }
    /// Where each page sits in the page view, in page order.
    QList<QRect> pageRects() const;

public slots:
    void firstPage();
    void priorPage();
    void nextPage();
    void lastPage();
    void setZoomMode(tovren::preview::ZoomMode mode);
    /// Fixed zoom; 1.0 shows one report pixel as one screen pixel.
    void setZoomFactor(double factor);
    /// Asks for a file name; a .pdf name exports a PDF, any other is saved as a .qxp file.
    bool savePages();
    /// Runs the print dialog and, when confirmed, prints the chosen pages.
    bool printPages();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildToolBar();
    void goToPage(int pageNumber);
    void layOutPages();
    void updatePageLabel();
    void showError(const QString &text);

    engine::TqxReport &m_report;
    output::TqxPrinter &m_printerLayer;
    platform::DialogProvider &m_dialogs;
    PrintDeviceFactory m_deviceFactory;
    std::unique_ptr<QPrinter> m_printer;
    QScrollArea *m_scrollArea = nullptr;
    PreviewPageView *m_view = nullptr;
    QLabel *m_pageLabel = nullptr;
    QToolButton *m_zoomButton = nullptr;
    int m_currentPage = 1;
    double m_scale = 1.0;
    ZoomMode m_zoomMode = ZoomMode::Fixed;
};

} // namespace tovren::preview
