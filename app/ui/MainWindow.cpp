#include "app/ui/MainWindow.h"

#include "app/AppInfo.h"
#include "app/certificate/CertificateTemplate.h"
#include "app/db/DatabaseError.h"
#include "app/db/DbConnection.h"
#include "app/db/DbQuery.h"
#include "app/db/InfoTable.h"
#include "app/import/BirthDate.h"
#include "app/import/SpreadsheetImport.h"
#include "app/import/WorkbookReader.h"
#include "app/reportbridge/MainFormComponents.h"
#include "app/ui/DbGridModel.h"
#include "app/ui/DbNavigator.h"
#include "app/ui/RangeStep.h"
#include "app/ui/SqlRunner.h"
#include "report/dialogs/ReportMessageBoxes.h"
#include "report/dialogs/TqxDialogPageForm.h"
#include "report/dialogs/TqxProgressForm.h"
#include "report/engine/TqxDBDataSet.h"
#include "report/engine/TqxReport.h"
#include "report/model/ReportFormData.h"
#include "report/output/QtPlatformPrinter.h"
#include "report/output/TqxPrinter.h"
#include "report/platform/DialogProvider.h"
#include "report/preview/PreviewWindowHost.h"
#include "report/preview/TqxPreviewForm.h"

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>
#include <climits>

namespace tovren::app {

namespace {

constexpr int kPanelHeight = 121;
constexpr int kNavigatorHeight = 37;

template<typename Widget>
Widget *place(Widget *widget, int left, int top, int width, int height = -1)
{
    widget->move(left, top);
    widget->resize(width, height > 0 ? height : widget->sizeHint().height());
    return widget;
}

} // namespace

TForm1::TForm1(db::TDbConnection &connection, platform::DialogProvider &dialogs, QWidget *parent)
    : QWidget(parent)
    , m_connection(connection)
    , m_dialogs(dialogs)
    , Aqy(std::make_unique<db::TDbQuery>(connection))
    , m_formComponents(std::make_unique<MainFormComponents>(*Aqy, m_components))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Tovren v0.2 —— 毕业证书打印"));
    setGeometry(196, 121, 810, 480);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    setFont(font);

    Aqy->setObjectName(QStringLiteral("Aqy"));
    Aqy->setSql(QString::fromLatin1(db::InfoTable::kBrowseSql));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(createPanel());

    DBGrid1 = new QTableView(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    m_gridModel = new DbGridModel(*Aqy, DBGrid1);
    DBGrid1->setModel(m_gridModel);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectItems);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    // Fixed row heights let a table of a hundred thousand rows scroll without measuring rows.
    DBGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    DBGrid1->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    DBGrid1->verticalHeader()->setFixedWidth(18);
    DBGrid1->horizontalHeader()->setDefaultSectionSize(90);
    layout->addWidget(DBGrid1, 1);

    DBNavigator1 = new DbNavigator(*Aqy, m_dialogs, this);
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    DBNavigator1->setFixedHeight(kNavigatorHeight);
    layout->addWidget(DBNavigator1);

    connect(m_gridModel, &DbGridModel::editFailed, this, &TForm1::showError);
    connect(DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (!current.isValid() || current.row() == Aqy->recNo())
                    return;
                try {
                    Aqy->moveTo(current.row());
                } catch (const db::EDatabaseError &error) {
                    showError(error.message());
                    followQueryToGrid(Aqy->recNo());
                }
            });
    connect(Aqy.get(), &db::TDbQuery::currentChanged, this, &TForm1::followQueryToGrid);
    connect(Aqy.get(), &db::TDbQuery::resultReset, this,
            [this] { followQueryToGrid(Aqy->recNo()); });

    FormCreate();
}

TForm1::~TForm1()
{
    // The query goes before the child widgets do, and hiding the grid on the way out still asks
    // its model for titles: cut the grid loose from the query first.
    DBGrid1->setModel(nullptr);
}

QWidget *TForm1::createPanel()
{
    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFixedHeight(kPanelHeight);

    Button1 = place(new QPushButton(QStringLiteral("执行SQL"), panel), 16, 16, 75, 25);
    Button1->setObjectName(QStringLiteral("Button1"));
    Edit1 = place(new QLineEdit(QString::fromLatin1(db::InfoTable::kBrowseSql), panel), 104, 16,
                  537, 21);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    CheckBox1 = place(new QCheckBox(QStringLiteral("返回结果集"), panel), 648, 21, 113, 17);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));

    Label1 = place(new QLabel(QStringLiteral("打印多少个记录:"), panel), 8, 53, 97, 13);
    Label1->setObjectName(QStringLiteral("Label1"));
    SpinEdit1 = place(new QSpinBox(panel), 106, 48, 81, 22);
    SpinEdit1->setObjectName(QStringLiteral("SpinEdit1"));
    // The box has no bounds at all: negative numbers are allowed and mean "keep the last range".
    SpinEdit1->setRange(INT_MIN, INT_MAX);
    SpinEdit1->setValue(5);

    Button4 = place(new QPushButton(QStringLiteral("预览 && 打印"), panel), 208, 48, 100, 25);
    Button4->setObjectName(QStringLiteral("Button4"));
    Button5 = place(new QPushButton(QStringLiteral("报表设计"), panel), 328, 48, 100, 25);
    Button5->setObjectName(QStringLiteral("Button5"));
    Button6 =
        place(new QPushButton(QStringLiteral("从Excel模板导入数据"), panel), 448, 48, 120, 25);
    Button6->setObjectName(QStringLiteral("Button6"));
    // Designing arrives with the report designer.
    Button5->setEnabled(false);
    Button5->setToolTip(QStringLiteral("此版本尚未提供该功能"));

    CheckBox2 = place(new QCheckBox(QStringLiteral("显示中文字段名"), panel), 8, 99, 225, 17);
    CheckBox2->setObjectName(QStringLiteral("CheckBox2"));

    Button2 = place(new QPushButton(QStringLiteral("填充空白字段"), panel), 688, 88, 89, 25);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button3 = place(new QPushButton(QStringLiteral("测试"), panel), 688, 72, 75, 25);
    Button3->setObjectName(QStringLiteral("Button3"));
    for (QPushButton *hidden : {Button2, Button3}) {
        hidden->setVisible(false);
        hidden->setEnabled(false);
    }

    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(Edit1, &QLineEdit::returnPressed, this, &TForm1::Button1Click);
    connect(CheckBox2, &QCheckBox::clicked, this, &TForm1::CheckBox2Click);
    connect(Button4, &QPushButton::clicked, this, &TForm1::Button4Click);
    connect(Button6, &QPushButton::clicked, this, &TForm1::Button6Click);
    connect(Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
    return panel;
}

void TForm1::showError(const QString &message)
{
    m_dialogs.messageBox(message, QString::fromLatin1(kApplicationTitle), platform::mb_IconError);
}

void TForm1::followQueryToGrid(qsizetype row)
{
    if (row < 0 || row >= m_gridModel->rowCount())
        return;
    const QModelIndex current = DBGrid1->currentIndex();
    if (current.isValid() && current.row() == row)
        return;
    const QModelIndex target =
        m_gridModel->index(int(row), current.isValid() ? current.column() : 0);
    DBGrid1->setCurrentIndex(target);
    DBGrid1->scrollTo(target);
}

void TForm1::FormCreate()
{
    try {
        m_connection.open();
        Aqy->open();
    } catch (const db::EDatabaseError &error) {
        showError(error.message());
    }
    DBNavigator1->updateButtons();
}

void TForm1::FormShow()
{
    if (Aqy->isActive())
        SpinEdit1->setValue(int(std::min<qsizetype>(Aqy->recordCount(), INT_MAX)));
}

void TForm1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        FormShow();
    }
}

void TForm1::closeEvent(QCloseEvent *event)
{
    if (m_importing) {
        // The import loop still runs on this window's query; it must finish first.
        event->ignore();
        return;
    }
    // A record still being edited is written before the window goes; if that fails the person
    // decides whether to drop the change or stay.
    try {
        Aqy->post();
    } catch (const db::EDatabaseError &error) {
        const int answer = m_dialogs.messageBox(
            error.message() + QStringLiteral("\n\n放弃修改并退出吗?"), QStringLiteral("确认"),
            platform::mb_YesNo | platform::mb_IconQuestion);
        if (answer != platform::mrYes) {
            event->ignore();
            return;
        }
        Aqy->cancel();
    }
    QWidget::closeEvent(event);
}

void TForm1::Button1Click()
{
    SqlRunner runner(
        *Aqy, [this] { return CheckBox1->isChecked(); },
        [this](qsizetype count) { SpinEdit1->setValue(int(std::min<qsizetype>(count, INT_MAX))); });
    try {
        Aqy->post();
        runner.run(Edit1->text());
    } catch (const db::EDatabaseError &error) {
        showError(error.message());
    }
    DBNavigator1->updateButtons();
}

engine::TqxDBDataSet &TForm1::reportDataSet()
{
    return m_formComponents->reportDataSet();
}

void TForm1::applyRangeStep()
{
    applyRecordCountText(SpinEdit1->text(), reportDataSet());
}

dialogs::TqxProgressForm &TForm1::progressWindow()
{
    if (!m_progressForm)
        m_progressForm = new dialogs::TqxProgressForm(this);
    return *m_progressForm;
}

void TForm1::setPreviewOpener(PreviewOpener opener)
{
    m_previewOpener = std::move(opener);
    if (m_previewHost)
        m_previewHost->setOpener(m_previewOpener);
}

void TForm1::setSettingsStore(platform::SettingsStore *settings)
{
    m_settings = settings;
    if (m_previewHost)
        m_previewHost->setSettingsStore(settings);
}

engine::TqxReport &TForm1::certificateReport()
{
    if (m_report)
        return *m_report;
    m_platformPrinter = std::make_unique<output::QtPlatformPrinter>();
    m_printer = std::make_unique<output::TqxPrinter>();
    m_printer->initialize(m_platformPrinter.get());
    m_report = std::make_unique<engine::TqxReport>(
        QStringLiteral("qxReport1"), &m_formComponents->form(), m_components, m_printer.get());
    m_reportMessages = std::make_unique<dialogs::ReportMessageBoxes>(m_dialogs);
    m_report->setMessages(m_reportMessages.get());
    progressWindow().attachTo(*m_report);
    m_dialogPageHost = std::make_unique<dialogs::WidgetDialogPageHost>(this);
    m_report->setDialogPageHost(m_dialogPageHost.get());
    m_previewHost = std::make_unique<preview::PreviewWindowHost>(*m_printer, m_dialogs, this);
    m_previewHost->setOpener(m_previewOpener);
    m_previewHost->setSettingsStore(m_settings);
    m_previewRegistration = std::make_unique<engine::TqxPreviewRegistration>(*m_previewHost);
    return *m_report;
}

void TForm1::Button4Click()
{
    applyRangeStep();
    if (Aqy->isActive() && Aqy->recordCount() == 0) {
        // The report would still make one blank certificate from an empty query.
        showError(QStringLiteral("查询中没有记录, 没有可打印的证书。"));
        return;
    }
    engine::TqxReport &report = certificateReport();
    const std::optional<QByteArray> stream =
        model::readReportFormData(certificateReportForm(), true);
    QBuffer buffer;
    buffer.setData(stream.value_or(QByteArray()));
    buffer.open(QIODevice::ReadOnly);
    try {
        report.ReadTemplate(buffer);
    } catch (const std::exception &error) {
        showError(QString::fromUtf8(error.what()));
        return;
    }
    if (report.Pages().Count() == 0) {
        showError(QStringLiteral("模板中没有页"));
        return;
    }
    const engine::TqxPreviewOutcome outcome = report.BuildAndPreview();
    // A failed build has shown its message and a cancelled one was the person's choice; a build
    // that ran through and made no page must not pass for a print.
    const bool silentlyEmpty = outcome == engine::TqxPreviewOutcome::NoPages &&
                               report.lastMessage().isEmpty() && !report.StopRequested;
    // A closed preview leaves the report with no prepared pages.
    report.EMFPages().Clear();
    if (silentlyEmpty)
        showError(QStringLiteral("报表没有生成任何页, 没有可打印的证书。"));
}

void TForm1::CheckBox2Click()
{
    try {
        Aqy->post();
        Aqy->close();
        if (CheckBox2->isChecked())
            Aqy->setAfterOpen(db::InfoTable::applyDisplayLabels);
        else
            Aqy->setAfterOpen({});
        Aqy->open();
    } catch (const db::EDatabaseError &error) {
        showError(error.message());
    }
    DBNavigator1->updateButtons();
}

} // namespace tovren::app

namespace tovren::app {

namespace {

/// Shows the hourglass for the lifetime of the guard, restoring the cursor on every path.
class HourglassCursor
{
public:
    HourglassCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~HourglassCursor() { QApplication::restoreOverrideCursor(); }
    HourglassCursor(const HourglassCursor &) = delete;
    HourglassCursor &operator=(const HourglassCursor &) = delete;
};

} // namespace

void TForm1::Button6Click()
{
    if (m_importing || !Aqy->isActive())
        return;
    const QString fileName =
        m_dialogs.openFileName(QStringLiteral("打开"), QString::fromUtf8(kImportFilter));
    if (!fileName.isEmpty())
        importWorkbook(fileName);
}

void TForm1::importWorkbook(const QString &fileName)
{
    if (m_importing || !Aqy->isActive())
        return;
    m_importing = true;
    QString failure;
    std::optional<import::ImportSummary> summary;
    try {
        std::optional<HourglassCursor> hourglass(std::in_place);
        const import::SheetData sheet = import::WorkbookReader::read(fileName);
        const auto keepPainting = [] { QCoreApplication::processEvents(); };
        import::SpreadsheetImport importer(*Aqy, sheet, fileName, keepPainting);
        import::DuplicateRows duplicates = import::DuplicateRows::Add;
        int answer = 0;
        if (importer.duplicateRows() > 0) {
            hourglass.reset();
            answer = m_dialogs.choose(
                importer.duplicateQuestion(), windowTitle(),
                {QStringLiteral("跳过"), QStringLiteral("更新"), QStringLiteral("增加")});
            const import::DuplicateRows answers[] = {import::DuplicateRows::Skip,
                                                     import::DuplicateRows::Update,
                                                     import::DuplicateRows::Add};
            if (answer >= 0 && answer < int(std::size(answers)))
                duplicates = answers[answer];
            hourglass.emplace();
        }
        if (answer >= 0)
            summary = importer.run(duplicates);
    } catch (const std::exception &error) {
        failure = QString::fromUtf8(error.what());
    }
    m_importing = false;
    DBNavigator1->updateButtons();
    if (!failure.isEmpty()) {
        showError(failure);
        return;
    }
    if (!summary)
        return; // the person cancelled the question about rows already there
    m_dialogs.messageBox(summary->text(), windowTitle(),
                         platform::mb_Ok | platform::mb_IconInformation);
    SpinEdit1->setValue(int(std::min<qsizetype>(Aqy->recordCount(), INT_MAX)));
}

void TForm1::Button2Click()
{
    try {
        import::fillBirthDateParts(*Aqy);
    } catch (const db::EDatabaseError &error) {
        showError(error.message());
    }
    DBNavigator1->updateButtons();
}

void TForm1::Button3Click()
{
    if (!Aqy->isActive())
        return;
    try {
        m_dialogs.messageBox(import::describeBirthDate(*Aqy), windowTitle(), platform::mb_Ok);
    } catch (const db::EDatabaseError &error) {
        showError(error.message());
    }
}

} // namespace tovren::app
