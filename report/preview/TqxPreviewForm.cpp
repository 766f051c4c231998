#include "report/preview/TqxPreviewForm.h"

#include "report/dialogs/TqxPrintForm.h"
#include "report/engine/PdfExportFilter.h"
#include "report/engine/TqxReport.h"
#include "report/output/PrintJob.h"
#include "report/output/PrinterPrintDevice.h"
#include "report/output/TqxPrinter.h"
#include "report/platform/DialogProvider.h"
#include "report/platform/MessageBox.h"
#include "report/platform/StringTable.h"
#include "report/preview/EmfPagesPrintSource.h"
#include "report/preview/PreviewPageView.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

namespace tovren::preview {

namespace {

constexpr int kPreviewCaption = 55207;
constexpr int kErrorCaption = 55206;

const QString kReportFileFilter = QStringLiteral("Report 文件 (*.qxp);;PDF (*.pdf)");

struct ZoomChoice
{
    const char *text;
    ZoomMode mode;
    double factor;
};

const ZoomChoice kZoomChoices[] = {
    {"200%", ZoomMode::Fixed, 2.0},       {"150%", ZoomMode::Fixed, 1.5},
    {"100%", ZoomMode::Fixed, 1.0},       {"75%", ZoomMode::Fixed, 0.75},
    {"50%", ZoomMode::Fixed, 0.5},        {"25%", ZoomMode::Fixed, 0.25},
    {"10%", ZoomMode::Fixed, 0.1},        {"页宽(&P)", ZoomMode::PageWidth, 0},
    {"全页(&W)", ZoomMode::WholePage, 0}, {"双页(&T)", ZoomMode::TwoPages, 0},
};

QToolButton *makeButton(QWidget *parent, const QString &text, const QString &hint)
{
    auto *button = new QToolButton(parent);
    button->setText(text);
    button->setToolTip(hint);
    button->setAutoRaise(true);
    return button;
}

} // namespace

TqxPreviewForm::TqxPreviewForm(engine::TqxReport &report, output::TqxPrinter &printerLayer,
                               platform::DialogProvider &dialogs, QWidget *parent)
    : QDialog(parent)
    , m_report(report)
    , m_printerLayer(printerLayer)
    , m_dialogs(dialogs)
{
    const QString caption = platform::LoadLibraryString(kPreviewCaption);
    setWindowTitle(report.Title.isEmpty() ? caption
                                          : caption + QStringLiteral(" - ") + report.Title);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    buildToolBar();
    m_scrollArea = new QScrollArea(this);
    m_view = new PreviewPageView(m_report.EMFPages());
    m_scrollArea->setWidget(m_view);
    m_scrollArea->setWidgetResizable(true);
    m_scrollArea->setBackgroundRole(QPalette::Dark);
    layout->addWidget(m_scrollArea, 1);
    resize(800, 600);
    layOutPages();
    updatePageLabel();
}

TqxPreviewForm::~TqxPreviewForm()
{
    m_view->releaseAllPages();
}

void TqxPreviewForm::buildToolBar()
{
    auto *bar = new QWidget(this);
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 2, 4, 2);

    m_zoomButton = makeButton(bar, QStringLiteral("100%"), QStringLiteral("放缩"));
    m_zoomButton->setPopupMode(QToolButton::InstantPopup);
    auto *zoomMenu = new QMenu(m_zoomButton);
    for (const ZoomChoice &choice : kZoomChoices) {
        const ZoomMode mode = choice.mode;
        const double factor = choice.factor;
        zoomMenu->addAction(QString::fromUtf8(choice.text), this, [this, mode, factor] {
            if (mode == ZoomMode::Fixed)
                setZoomFactor(factor);
            else
                setZoomMode(mode);
        });
    }
    m_zoomButton->setMenu(zoomMenu);
    row->addWidget(m_zoomButton);

    auto *save = makeButton(bar, QStringLiteral("保存"), QStringLiteral("保存报表"));
    save->setObjectName(QStringLiteral("SaveBtn"));
    connect(save, &QToolButton::clicked, this, &TqxPreviewForm::savePages);
    row->addWidget(save);
    auto *print = makeButton(bar, QStringLiteral("打印"), QStringLiteral("打印报表"));
    print->setObjectName(QStringLiteral("PrintBtn"));
    connect(print, &QToolButton::clicked, this, &TqxPreviewForm::printPages);
    row->addWidget(print);

    const struct
    {
        const char *text;
        void (TqxPreviewForm::*slot)();
    } navigation[] = {{"|<", &TqxPreviewForm::firstPage},
                      {"<", &TqxPreviewForm::priorPage},
                      {">", &TqxPreviewForm::nextPage},
                      {">|", &TqxPreviewForm::lastPage}};
    for (const auto &step : navigation) {
        auto *button = makeButton(bar, QString::fromLatin1(step.text), QString());
        connect(button, &QToolButton::clicked, this, step.slot);
        row->addWidget(button);
    }
    m_pageLabel = new QLabel(bar);
    m_pageLabel->setMinimumWidth(77);
    row->addWidget(m_pageLabel);
    row->addStretch(1);

    auto *exit = makeButton(bar, QStringLiteral("关闭"), QStringLiteral("关闭预览"));
    exit->setObjectName(QStringLiteral("ExitBtn"));
    connect(exit, &QToolButton::clicked, this, &QDialog::accept);
    row->addWidget(exit);
    static_cast<QVBoxLayout *>(QDialog::layout())->addWidget(bar);
}

int TqxPreviewForm::pageCount() const
{
    return static_cast<int>(m_report.EMFPages().Count());
}

QString TqxPreviewForm::pageLabelText() const
{
    return m_pageLabel->text();
}

QList<QRect> TqxPreviewForm::pageRects() const
{
    return m_view->pageLayout().pageRects;
}

void TqxPreviewForm::firstPage()
{
    goToPage(1);
}

void TqxPreviewForm::priorPage()
{
    goToPage(m_currentPage - 1);
}

void TqxPreviewForm::nextPage()
{
    goToPage(m_currentPage + 1);
}

void TqxPreviewForm::lastPage()
{
    goToPage(pageCount());
}

void TqxPreviewForm::goToPage(int pageNumber)
{
    if (pageCount() == 0)
        return;
    m_currentPage = std::clamp(pageNumber, 1, pageCount());
    updatePageLabel();
    const QList<QRect> rects = pageRects();
    if (m_currentPage - 1 < rects.size())
        m_scrollArea->verticalScrollBar()->setValue(rects[m_currentPage - 1].top() - 10);
}

void TqxPreviewForm::setZoomMode(ZoomMode mode)
{
    m_zoomMode = mode;
    m_view->releaseAllPages();
    layOutPages();
}

void TqxPreviewForm::setZoomFactor(double factor)
{
    if (!(factor > 0))
        return;
    m_scale = factor;
    setZoomMode(ZoomMode::Fixed);
}

void TqxPreviewForm::layOutPages()
{
    if (!m_view)
        return; // a resize can arrive while the window is still being built
    engine::TqxEMFPages &pages = m_report.EMFPages();
    QList<QSize> sizes;
    for (qsizetype i = 0; i < pages.Count(); ++i) {
        const model::TqxPageMetrics &metrics = pages.Page(i).metrics;
        sizes.append(QSize(metrics.PaperWidthPx, metrics.PaperHeightPx));
    }
    const PreviewLayout::Result placed = PreviewLayout::layOut(
        sizes, m_currentPage - 1, m_scrollArea->viewport()->size(), m_zoomMode, m_scale);
    m_scale = placed.scale;
    m_zoomButton->setText(QString::number(std::lround(m_scale * 100)) + u'%');
    m_view->setPagePlaces(placed);
}

void TqxPreviewForm::updatePageLabel()
{
    m_pageLabel->setText(pageCount() == 0
                             ? QString()
                             : QStringLiteral("页 %1/%2").arg(m_currentPage).arg(pageCount()));
}

void TqxPreviewForm::keyPressEvent(QKeyEvent *event)
{
    const bool control = event->modifiers().testFlag(Qt::ControlModifier);
    if (event->key() == Qt::Key_Escape) {
        // Closing the preview is a normal end, not a cancel.
        accept();
        return;
    }
    if (!control) {
        QDialog::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_PageUp:
        priorPage();
        break;
    case Qt::Key_PageDown:
        nextPage();
        break;
    case Qt::Key_Home:
        m_scrollArea->verticalScrollBar()->setValue(0);
        break;
    case Qt::Key_End:
        lastPage();
        break;
    case Qt::Key_S:
        savePages();
        break;
    case Qt::Key_P:
        printPages();
        break;
    default:
        break;
    }
    event->accept();
}

void TqxPreviewForm::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    layOutPages();
}

void TqxPreviewForm::closeEvent(QCloseEvent *event)
{
    m_view->releaseAllPages();
    QDialog::closeEvent(event);
}

void TqxPreviewForm::showError(const QString &text)
{
    m_dialogs.messageBox(text, platform::LoadLibraryString(kErrorCaption),
                         platform::mb_Ok | platform::mb_IconError);
}

bool TqxPreviewForm::savePages()
{
    if (pageCount() == 0)
        return false;
    const QString chosen =
        m_dialogs.saveFileName(QStringLiteral("保存报表"), kReportFileFilter, m_report.Title);
    if (chosen.isEmpty())
        return false;
    const QFileInfo info(chosen);
    bool saved = false;
    if (info.suffix().compare(QStringLiteral("pdf"), Qt::CaseInsensitive) == 0) {
        engine::PdfExportFilter filter;
        saved = m_report.ExportPages(filter, chosen);
    } else {
        const QString qxpName =
            info.dir().filePath(info.completeBaseName() + QStringLiteral(".qxp"));
        saved = m_report.SavePagesFile(qxpName);
    }
    m_view->releaseAllPages();
    m_view->update();
    if (!saved)
        showError(m_report.lastMessage());
    return saved;
}

bool TqxPreviewForm::printPages()
{
    if (pageCount() == 0)
        return false;
    dialogs::TqxPrintForm dialog(m_printerLayer, m_dialogs, this);
    dialog.setCopies(m_report.DefaultCopies);
    dialog.setCollate(m_report.DefaultCollate);
    dialog.setCurrentPage(m_currentPage);
    dialog.setPageCount(pageCount());
    if (dialog.exec() != QDialog::Accepted)
        return false;

    std::unique_ptr<output::PrintDevice> device;
    if (m_deviceFactory) {
        device = m_deviceFactory();
    } else {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        if (!m_printerLayer.isVirtualActive())
            m_printer->setPrinterName(
                m_printerLayer.printerNames().value(m_printerLayer.activeIndex()));
        device = std::make_unique<output::PrinterPrintDevice>(*m_printer);
    }
    if (!device) {
        showError(QStringLiteral("没有可用的打印机"));
        return false;
    }
    m_view->releaseAllPages();
    EmfPagesPrintSource source(m_report.EMFPages());
    output::PrintJob job(m_printerLayer, source, *device);
    const output::PrintJob::Outcome outcome = job.run(dialog.printParameters(), m_report.Title);
    m_view->update();
    if (outcome == output::PrintJob::Outcome::Failed)
        showError(job.errorString());
    return outcome == output::PrintJob::Outcome::Finished;
}

} // namespace tovren::preview
