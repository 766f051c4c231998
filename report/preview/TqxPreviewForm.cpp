#include "report/preview/TqxPreviewForm.h"

#include "report/dialogs/TqxPrintForm.h"
#include "report/engine/TqxExportFilter.h"
#include "report/engine/TqxReport.h"
#include "report/output/PrintJob.h"
#include "report/output/PrinterCalibration.h"
#include "report/output/PrinterPrintDevice.h"
#include "report/output/TqxPrinter.h"
#include "report/platform/DialogProvider.h"
#include "report/platform/MessageBox.h"
#include "report/platform/StringTable.h"
#include "report/preview/EmfPagesPrintSource.h"
#include "report/preview/PreviewPageView.h"
#include "report/preview/PreviewPagesFile.h"
#include "report/preview/PreviewPanner.h"
#include "report/preview/PreviewWindowPlacement.h"
#include "report/preview/PreviewZoomMemory.h"
#include "report/preview/PrintProgress.h"

#include <QActionGroup>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>
#include <climits>
#include <cmath>

namespace tovren::preview {

namespace {

constexpr int kPreviewCaption = 55207;
constexpr int kErrorCaption = 55206;
constexpr int kGap = 10;

const QString kReportFileFilter = QStringLiteral("预备报表文件 (*.qxp)");

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

QToolButton *makeButton(QWidget *parent, const QString &name, const QString &text,
                        const QString &hint)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(text);
    button->setToolTip(hint);
    button->setAutoRaise(true);
    // The window takes every key itself; no button may take the focus or a key press.
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

TqxPreviewForm::TqxPreviewForm(engine::TqxReport &report, output::TqxPrinter &printerLayer,
                               platform::DialogProvider &dialogs, QWidget *parent)
    : QDialog(parent)
    , m_report(report)
    , m_printerLayer(printerLayer)
    , m_dialogs(dialogs)
    , m_pageCommands(report, dialogs)
{
    const QString caption = platform::LoadLibraryString(kPreviewCaption);
    setWindowTitle(report.Title.isEmpty() ? caption
                                          : caption + QStringLiteral(" - ") + report.Title);
    setFocusPolicy(Qt::StrongFocus);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildMenu();
    buildToolBar();
    m_view = new PreviewPageView(m_report.EMFPages(), this);
    layout->addWidget(m_view, 1);
    m_panner = new PreviewPanner(*m_view);
    m_panner->setPressHandler([this](const QPoint &point) { return pressPage(point); });
    if (m_report.OnMouseOverObject) {
        m_panner->setHoverHandler([this](const QPoint &point) {
            const int index = m_view->pageAt(point);
            if (index < 0)
                return Qt::ArrowCursor;
            const QRect r = m_view->pageLayout().pageRects[index];
            const QPoint content = point + m_view->scrollPosition() - r.topLeft();
            const QPoint pagePoint(int(std::lround(content.x() / m_scale)),
                                   int(std::lround(content.y() / m_scale)));
            model::TqxView *object = m_report.EMFPages().HitTest(index, pagePoint);
            int cursor = Qt::ArrowCursor;
            if (object)
                m_report.OnMouseOverObject(*object, cursor);
            return static_cast<Qt::CursorShape>(cursor);
        });
    }
    connect(m_panner, &PreviewPanner::doubleClicked, this, &TqxPreviewForm::doubleClickPage);
    connect(m_panner, &PreviewPanner::contextMenuRequested, this, &TqxPreviewForm::showContextMenu);
    connect(m_view, &PreviewPageView::viewportResized, this, &TqxPreviewForm::layOutPages);
    connect(m_view->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &TqxPreviewForm::followScroll);
    resize(800, 600);
    applyButtonSet();
    resetView(true);
}

TqxPreviewForm::~TqxPreviewForm()
{
    m_view->releaseAllPages();
}

void TqxPreviewForm::buildMenu()
{
    m_zoomMenu = new QMenu(this);
    auto *group = new QActionGroup(m_zoomMenu);
    for (const ZoomChoice &choice : kZoomChoices) {
        const ZoomMode mode = choice.mode;
        const double factor = choice.factor;
        QAction *item = m_zoomMenu->addAction(QString::fromUtf8(choice.text), this,
                                              [this, mode, factor] { chooseZoom(mode, factor); });
        item->setCheckable(true);
        item->setActionGroup(group);
        item->setData(mode == ZoomMode::Fixed ? int(std::lround(factor * 100)) : int(mode));
    }
    m_pageCommandItems << m_zoomMenu->addSeparator();
    m_pageCommandItems << m_zoomMenu->addAction(QStringLiteral("编辑页"), this,
                                                &TqxPreviewForm::editPage);
    m_pageCommandItems << m_zoomMenu->addAction(QStringLiteral("增加页"), this,
                                                &TqxPreviewForm::insertPage);
    m_deleteItem =
        m_zoomMenu->addAction(QStringLiteral("删除页"), this, &TqxPreviewForm::deletePage);
    m_pageCommandItems << m_deleteItem;
}

void TqxPreviewForm::buildToolBar()
{
    auto *bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("TPanel"));
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 2, 4, 2);

    m_zoomButton =
        makeButton(bar, QStringLiteral("ZoomBtn"), QStringLiteral("100%"), QStringLiteral("放缩"));
    m_zoomButton->setMinimumWidth(53);
    connect(m_zoomButton, &QToolButton::clicked, this, [this] {
        for (QAction *item : m_pageCommandItems)
            item->setVisible(false);
        m_zoomMenu->popup(m_zoomButton->mapToGlobal(QPoint(0, m_zoomButton->height())));
    });
    row->addWidget(m_zoomButton);

    const struct
    {
        const char *name;
        const char *text;
        const char *hint;
        bool (TqxPreviewForm::*slot)();
    } commands[] = {
        {"LoadBtn", "打开", "打开报表", &TqxPreviewForm::loadPages},
        {"SaveBtn", "保存", "保存报表", &TqxPreviewForm::savePages},
        {"PrintBtn", "打印", "打印报表", &TqxPreviewForm::printPages},
        {"PageSetupBtn", "页面设置", "", &TqxPreviewForm::pageSetup},
        {"FindBtn", "查找", "查找文本", &TqxPreviewForm::findText},
    };
    for (const auto &command : commands) {
        QToolButton *button =
            makeButton(bar, QString::fromLatin1(command.name), QString::fromUtf8(command.text),
                       QString::fromUtf8(command.hint));
        connect(button, &QToolButton::clicked, this, command.slot);
        row->addWidget(button);
    }

    const struct
    {
        const char *text;
        void (TqxPreviewForm::*slot)();
    } navigation[] = {{"|<", &TqxPreviewForm::firstPage},
                      {"<", &TqxPreviewForm::priorPage},
                      {">", &TqxPreviewForm::nextPage},
                      {">|", &TqxPreviewForm::lastPage}};
    for (const auto &step : navigation) {
        auto *button = makeButton(bar, QString(), QString::fromLatin1(step.text), QString());
        connect(button, &QToolButton::clicked, this, step.slot);
        row->addWidget(button);
    }
    // A typed page number and Enter go straight to that page of a long batch.
    m_pageEdit = new QLineEdit(bar);
    m_pageEdit->setObjectName(QStringLiteral("PageEdit"));
    m_pageEdit->setFixedWidth(m_pageEdit->fontMetrics().horizontalAdvance(u'0') * 8 + 10);
    m_pageEdit->setValidator(new QIntValidator(1, INT_MAX, m_pageEdit));
    m_pageEdit->setToolTip(QStringLiteral("输入页号, 按回车键转到该页"));
    // Only a click gives it the keys; the window's own page keys must keep working.
    m_pageEdit->setFocusPolicy(Qt::ClickFocus);
    connect(m_pageEdit, &QLineEdit::returnPressed, this, [this] {
        const int typed = m_pageEdit->text().toInt();
        if (typed >= 1)
            goToPage(std::min(typed, pageCount()));
        setFocus();
    });
    row->addWidget(m_pageEdit);
    m_pageLabel = new QLabel(bar);
    m_pageLabel->setMinimumWidth(77);
    row->addWidget(m_pageLabel);
    addFormImageToggle(*row, *bar);
    row->addStretch(1);

    auto *exit = makeButton(bar, QStringLiteral("ExitBtn"), QStringLiteral("关闭"),
                            QStringLiteral("关闭预览"));
    connect(exit, &QToolButton::clicked, this, &QDialog::accept);
    row->addWidget(exit);
    static_cast<QVBoxLayout *>(QDialog::layout())->addWidget(bar);
}

void TqxPreviewForm::addFormImageToggle(QHBoxLayout &row, QWidget &bar)
{
    m_formImageButton =
        makeButton(&bar, QStringLiteral("FormImageBtn"), QStringLiteral("显示表格底图"),
                   QStringLiteral("在页面下显示表格底图（底图不打印）"));
    m_formImageButton->setCheckable(true);
    connect(m_formImageButton, &QToolButton::toggled, this,
            [this](bool show) { m_view->setShowFormImages(show); });
    row.addWidget(m_formImageButton);
}

void TqxPreviewForm::applyButtonSet()
{
    const engine::TqxPreviewButtons set = m_report.PreviewButtons;
    const struct
    {
        const char *name;
        int button;
    } shown[] = {{"ZoomBtn", engine::pbZoom}, {"LoadBtn", engine::pbLoad},
                 {"SaveBtn", engine::pbSave}, {"PrintBtn", engine::pbPrint},
                 {"FindBtn", engine::pbFind}, {"PageSetupBtn", engine::pbPageSetup},
                 {"ExitBtn", engine::pbExit}};
    for (const auto &entry : shown) {
        if (auto *button = findChild<QToolButton *>(QString::fromLatin1(entry.name)))
            button->setVisible((set & entry.button) != 0);
    }
    const bool printerListed = !m_printerLayer.printerNames().isEmpty();
    findChild<QToolButton *>(QStringLiteral("PrintBtn"))->setEnabled(printerListed);
    findChild<QToolButton *>(QStringLiteral("PageSetupBtn"))->setEnabled(printerListed);

    switch (m_report.InitialZoom) {
    case engine::pzPageWidth:
        PreviewZoomMemory::last().mode = ZoomMode::PageWidth;
        break;
    case engine::pzOnePage:
        PreviewZoomMemory::last().mode = ZoomMode::WholePage;
        break;
    case engine::pzTwoPages:
        PreviewZoomMemory::last().mode = ZoomMode::TwoPages;
        break;
    case engine::pzDefault:
        break;
    }
}

void TqxPreviewForm::setPageEditor(PreviewPageEditor *editor)
{
    m_pageCommands.setEditor(editor);
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

void TqxPreviewForm::resetView(bool toFirstPage)
{
    m_scale = PreviewZoomMemory::last().scale;
    m_zoomMode = PreviewZoomMemory::last().mode;
    if (toFirstPage) {
        m_currentPage = 1;
        m_view->setScrollPosition(QPoint(0, 0));
    }
    m_currentPage = std::clamp(m_currentPage, 1, std::max(1, pageCount()));
    m_lastHit.reset();
    m_view->clearHighlight();
    updatePageLabel();
    layOutPages();
    m_view->releaseAllPages();
    m_deleteItem->setEnabled(pageCount() > 1);
    m_formImageButton->setVisible(m_view->hasFormImages());
    m_view->viewport()->update();
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
    const QScopedValueRollback noFollow(m_followScroll, false);
    m_view->scrollToPage(m_currentPage - 1);
}

void TqxPreviewForm::followScroll()
{
    if (!m_followScroll || pageCount() == 0)
        return;
    const int index = m_view->pageAtTop();
    if (index >= 0 && index + 1 != m_currentPage) {
        m_currentPage = index + 1;
        updatePageLabel();
    }
}

void TqxPreviewForm::chooseZoom(ZoomMode mode, double factor)
{
    if (mode == ZoomMode::Fixed)
        setZoomFactor(factor);
    else
        setZoomMode(mode);
}

void TqxPreviewForm::setZoomMode(ZoomMode mode)
{
    if (pageCount() == 0)
        return;
    m_zoomMode = mode;
    m_view->horizontalScrollBar()->setValue(0);
    m_view->releaseAllPages();
    layOutPages();
    PreviewZoomMemory::last() = {m_scale, m_zoomMode};
}

void TqxPreviewForm::setZoomFactor(double factor)
{
    if (!(factor > 0) || pageCount() == 0)
        return;
    m_scale = factor;
    setZoomMode(ZoomMode::Fixed);
}

void TqxPreviewForm::layOutPages()
{
    if (!m_view || pageCount() == 0) {
        if (m_view)
            m_view->setPagePlaces({});
        return;
    }
    engine::TqxEMFPages &pages = m_report.EMFPages();
    QList<QSize> sizes;
    sizes.reserve(pages.Count());
    for (qsizetype i = 0; i < pages.Count(); ++i) {
        const model::TqxPageMetrics &metrics = pages.Page(i).metrics;
        sizes.append(QSize(metrics.PaperWidthPx, metrics.PaperHeightPx));
    }
    const PreviewLayout::Result placed = PreviewLayout::layOut(
        sizes, m_currentPage - 1, m_view->viewport()->size(), m_zoomMode, m_scale);
    m_scale = placed.scale;
    m_zoomButton->setText(QString::number(std::lround(m_scale * 100)) + u'%');
    const int checked =
        m_zoomMode == ZoomMode::Fixed ? int(std::lround(m_scale * 100)) : int(m_zoomMode);
    for (QAction *item : m_zoomMenu->actions()) {
        if (item->isCheckable())
            item->setChecked(item->data().toInt() == checked);
    }
    m_view->setPagePlaces(placed);
    if (m_lastHit)
        showHit();
    else
        goToPage(m_currentPage);
}

void TqxPreviewForm::updatePageLabel()
{
    if (!m_pageEdit->hasFocus())
        m_pageEdit->setText(pageCount() == 0 ? QString() : QString::number(m_currentPage));
    m_pageLabel->setText(pageCount() == 0
                             ? QString()
                             : QStringLiteral("页 %1/%2").arg(m_currentPage).arg(pageCount()));
}

bool TqxPreviewForm::pressPage(const QPoint &viewportPoint)
{
    const int index = m_view->pageAt(viewportPoint);
    if (index < 0)
        return false;
    if (m_report.OnObjectClick) {
        const QRect r = m_view->pageLayout().pageRects[index];
        const QPoint content = viewportPoint + m_view->scrollPosition() - r.topLeft();
        const QPoint pagePoint(int(std::lround(content.x() / m_scale)),
                               int(std::lround(content.y() / m_scale)));
        if (model::TqxView *object = m_report.EMFPages().HitTest(index, pagePoint)) {
            m_report.OnObjectClick(*object);
            return true;
        }
    }
    m_currentPage = index + 1;
    updatePageLabel();
    return false;
}

void TqxPreviewForm::doubleClickPage(const QPoint &viewportPoint)
{
    const int index = m_view->pageAt(viewportPoint);
    if (index >= 0) {
        m_currentPage = index + 1;
        updatePageLabel();
    }
    if (m_pageCommands.available())
        editPage();
}

void TqxPreviewForm::showContextMenu(const QPoint &globalPoint)
{
    if (pageCount() == 0)
        return;
    const bool commands = m_pageCommands.available();
    for (QAction *item : m_pageCommandItems)
        item->setVisible(commands);
    m_zoomMenu->popup(globalPoint);
}

void TqxPreviewForm::keyPressEvent(QKeyEvent *event)
{
    const bool control = event->modifiers().testFlag(Qt::ControlModifier);
    event->accept();
    if (pageCount() == 0) {
        if (event->key() == Qt::Key_Escape)
            accept();
        return;
    }
    QScrollBar *vertical = m_view->verticalScrollBar();
    QScrollBar *horizontal = m_view->horizontalScrollBar();
    switch (event->key()) {
    case Qt::Key_Up:
        vertical->setValue(vertical->value() - PreviewPageView::kSmallStep);
        return;
    case Qt::Key_Down:
        vertical->setValue(vertical->value() + PreviewPageView::kSmallStep);
        return;
    case Qt::Key_Left:
        horizontal->setValue(horizontal->value() - PreviewPageView::kSmallStep);
        return;
    case Qt::Key_Right:
        horizontal->setValue(horizontal->value() + PreviewPageView::kSmallStep);
        return;
    case Qt::Key_PageUp:
        if (control)
            priorPage();
        else
            vertical->setValue(vertical->value() - PreviewPageView::kLargeStep);
        return;
    case Qt::Key_PageDown:
        if (control)
            nextPage();
        else
            vertical->setValue(vertical->value() + PreviewPageView::kLargeStep);
        return;
    case Qt::Key_Space:
        m_zoomButton->click();
        return;
    case Qt::Key_Escape:
        // Closing the preview is a normal end, not a cancel.
        accept();
        return;
    case Qt::Key_F3:
        if (!control)
            findNext();
        return;
    default:
        break;
    }
    if (!control)
        return;
    switch (event->key()) {
    case Qt::Key_Home:
        vertical->setValue(0);
        break;
    case Qt::Key_End:
        lastPage();
        break;
    case Qt::Key_O:
        loadPages();
        break;
    case Qt::Key_S:
        savePages();
        break;
    case Qt::Key_P:
        if (findChild<QToolButton *>(QStringLiteral("PrintBtn"))->isEnabled())
            printPages();
        break;
    case Qt::Key_F:
        findText();
        break;
    case Qt::Key_E:
        if (m_pageCommands.available())
            editPage();
        break;
    default:
        break;
    }
}

void TqxPreviewForm::showEvent(QShowEvent *event)
{
    if (m_settings && !event->spontaneous())
        PreviewWindowPlacement::restore(*this, *m_settings);
    QDialog::showEvent(event);
}

void TqxPreviewForm::done(int result)
{
    // Every way out (the exit button, Esc, the window's close box) ends here while the window
    // still has its last geometry.
    if (m_settings && isVisible())
        PreviewWindowPlacement::save(*this, *m_settings);
    m_view->releaseAllPages();
    QDialog::done(result);
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

void TqxPreviewForm::showReportFailure()
{
    // A report with a message sink has told the operator already, and a build stopped by the
    // operator or a vetoed export leaves no text: an empty box would explain nothing.
    if (!m_report.messages() && !m_report.lastMessage().isEmpty())
        showError(m_report.lastMessage());
}

bool TqxPreviewForm::findText()
{
    if (pageCount() == 0)
        return false;
    std::optional<PreviewSearchRequest> request;
    if (m_searchDialog) {
        request = m_searchDialog();
    } else {
        TqxPreviewSearchForm dialog(this);
        if (dialog.exec() == QDialog::Accepted)
            request = dialog.request();
    }
    return request && find(*request);
}

bool TqxPreviewForm::find(const PreviewSearchRequest &request)
{
    if (pageCount() == 0)
        return false;
    m_search.setText(request.text, request.matchCase);
    if (request.fromCurrentPage)
        m_search.continueOn(m_currentPage - 1);
    else
        m_search.restartAt(0);
    return continueSearch();
}

bool TqxPreviewForm::findNext()
{
    if (pageCount() == 0 || !m_search.hasText())
        return false;
    m_search.continueOn(m_currentPage - 1);
    return continueSearch();
}

bool TqxPreviewForm::continueSearch()
{
    const std::optional<PreviewSearch::Hit> hit = m_search.findNext(m_report.EMFPages());
    if (!hit)
        return false;
    m_lastHit = hit;
    m_currentPage = hit->pageIndex + 1;
    updatePageLabel();
    showHit();
    return true;
}

void TqxPreviewForm::showHit()
{
    const QRect page = m_view->pageLayout().pageRects.value(m_lastHit->pageIndex);
    const QRect found = m_lastHit->bounds;
    const QRect onScreen(page.left() + int(std::lround(found.left() * m_scale)),
                         page.top() + int(std::lround(found.top() * m_scale)),
                         int(std::lround(found.width() * m_scale)),
                         int(std::lround(found.height() * m_scale)));
    const QSize view = m_view->viewport()->size();
    // Show the page's top-left corner when the text fits in the view from there; otherwise
    // bring the text's far edge just inside the view.
    QPoint position(page.left() - kGap, page.top() - kGap);
    if (onScreen.bottom() - position.y() >= view.height())
        position.setY(onScreen.bottom() + 1 + kGap - view.height());
    if (onScreen.right() - position.x() >= view.width())
        position.setX(onScreen.right() + 1 + kGap - view.width());
    const QScopedValueRollback noFollow(m_followScroll, false);
    m_view->setScrollPosition(position);
    m_view->setHighlight(onScreen);
}

bool TqxPreviewForm::savePages()
{
    if (pageCount() == 0)
        return false;
    QString filters = m_exportFilters.dialogFilter();
    const int recordFilesType = int(filters.count(QStringLiteral(";;"))) + 1;
    if (m_recordFiles)
        filters += QStringLiteral(";;每条记录一个 PDF 文件 (*.pdf)");
    const platform::FileChoice choice =
        m_dialogs.chooseFileToSave(QStringLiteral("保存报表"), filters, m_report.Title, 0);
    const QString chosen = choice.fileName;
    if (chosen.isEmpty())
        return false;
    if (m_recordFiles && choice.filterIndex == recordFilesType) {
        const QString folder = m_dialogs.chooseFolder(
            QStringLiteral("每条记录一个 PDF 文件: 选择文件夹"), QFileInfo(chosen).absolutePath());
        if (folder.isEmpty())
            return false;
        m_view->releaseAllPages();
        const bool written = m_recordFiles(folder);
        m_view->viewport()->update();
        return written;
    }
    bool saved = false;
    if (std::unique_ptr<engine::TqxExportFilter> filter = m_exportFilters.filterFor(chosen)) {
        saved = m_report.ExportPages(*filter, chosen);
    } else {
        const QFileInfo info(chosen);
        const QString qxpName =
            info.dir().filePath(info.completeBaseName() + QStringLiteral(".qxp"));
        saved = m_report.SavePagesFile(qxpName);
    }
    m_view->releaseAllPages();
    m_view->viewport()->update();
    if (!saved)
        showReportFailure();
    return saved;
}

bool TqxPreviewForm::loadPages()
{
    if (pageCount() == 0)
        return false;
    const QString chosen = m_dialogs.openFileName(QStringLiteral("打开报表"), kReportFileFilter);
    if (chosen.isEmpty())
        return false;
    m_view->releaseAllPages();
    if (!PreviewPagesFile::load(m_report, chosen)) {
        showReportFailure();
        m_view->viewport()->update();
        return false;
    }
    resetView(true);
    return true;
}

bool TqxPreviewForm::printPages()
{
    if (pageCount() == 0)
        return false;
    if (m_report.BuildCancelled()) {
        const QString question =
            m_report.ExpectedPageCount > pageCount()
                ? QStringLiteral(
                      "生成已被取消, 这里只有 %1 页, 而不是全部 %2 页。\n仍要打印这些页吗?")
                      .arg(pageCount())
                      .arg(m_report.ExpectedPageCount)
                : QStringLiteral("生成已被取消, 这里只有 %1 页, 不是全部的页。\n仍要打印这些页吗?")
                      .arg(pageCount());
        if (m_dialogs.messageBox(question, QStringLiteral("确认"),
                                 platform::mb_YesNo | platform::mb_IconQuestion) != platform::mrYes)
            return false;
    }
    dialogs::TqxPrintForm dialog(m_printerLayer, m_dialogs, this);
    dialog.setCopies(m_report.DefaultCopies);
    dialog.setCollate(m_report.DefaultCollate);
    dialog.setCurrentPage(m_currentPage);
    dialog.setPageCount(pageCount());
    dialog.setCalibrationAccess({m_settings, &m_dialogs, m_calibrationPagePrinter});
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
    if (!device)
        return false;
    m_view->releaseAllPages();
    EmfPagesPrintSource source(m_report.EMFPages());
    output::PrintJob job(m_printerLayer, source, *device);
    // The printer's calibration moves what it prints; the pages themselves stay as designed.
    if (m_settings)
        job.setCalibration(
            output::PrinterCalibrations(*m_settings)
                .read(m_printerLayer.printerNames().value(m_printerLayer.activeIndex())));
    output::PrintJob::Outcome outcome = output::PrintJob::Outcome::Failed;
    {
        const PrintProgress progress(m_report); // down again before any message
        outcome = job.run(dialog.printParameters(), m_report.Title, progress.hooks());
    }
    resetView(false);
    if (outcome == output::PrintJob::Outcome::Failed)
        showError(job.errorString());
    return outcome == output::PrintJob::Outcome::Finished;
}

bool TqxPreviewForm::pageSetup()
{
    if (pageCount() == 0)
        return false;
    const PageSetupChoice initial = PreviewPageSetup::initialChoice(m_report.EMFPages());
    const std::optional<PageSetupChoice> choice =
        m_pageSetupDialog ? m_pageSetupDialog(initial)
                          : PreviewPageSetup::askWithDialog(initial, m_view);
    if (!choice)
        return false;
    PreviewPageSetup::apply(m_report, *choice);
    m_view->releaseAllPages();
    const bool built = m_report.BuildPages();
    resetView(true);
    if (!built)
        showReportFailure();
    return built;
}

bool TqxPreviewForm::editPage()
{
    if (!m_pageCommands.editPage(m_currentPage - 1))
        return false;
    resetView(false);
    return true;
}

bool TqxPreviewForm::insertPage()
{
    if (!m_pageCommands.insertPage(m_currentPage - 1))
        return false;
    resetView(false);
    return true;
}

bool TqxPreviewForm::deletePage()
{
    if (!m_pageCommands.deletePage(m_currentPage - 1))
        return false;
    resetView(true);
    return true;
}

} // namespace tovren::preview
