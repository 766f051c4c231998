#include "app/ui/MainWindow.h"

#include "app/AppInfo.h"
#include "app/batch/PerRecordPdfExport.h"
#include "app/batch/RecordFileNames.h"
#include "app/certificate/CertificateTemplate.h"
#include "app/certificate/SavedCertificate.h"
#include "app/db/ConnectionSettings.h"
#include "app/db/ControlsSuspension.h"
#include "app/db/DatabaseError.h"
#include "app/db/DbConnection.h"
#include "app/db/DbQuery.h"
#include "app/db/EditConflict.h"
#include "app/db/InfoTable.h"
#include "app/import/BirthDate.h"
#include "app/import/DateText.h"
#include "app/import/SpreadsheetImport.h"
#include "app/import/WorkbookReader.h"
#include "app/reportbridge/MainFormComponents.h"
#include "app/reportbridge/OverflowRecords.h"
#include "app/ui/CalibrationPagePrint.h"
#include "app/ui/DbGridModel.h"
#include "app/ui/DbNavigator.h"
#include "app/ui/DocumentKind.h"
#include "app/ui/RangeStep.h"
#include "app/ui/RecordFinder.h"
#include "app/ui/SqlRunner.h"
#include "report/designer/WidgetDesignerDialogs.h"
#include "report/designer/WidgetDesignerHost.h"
#include "report/dialogs/ReportMessageBoxes.h"
#include "report/dialogs/TqxDialogPageForm.h"
#include "report/dialogs/TqxProgressForm.h"
#include "report/engine/TextOverflowCheck.h"
#include "report/engine/TqxDBDataSet.h"
#include "report/engine/TqxDesignerHost.h"
#include "report/engine/TqxReport.h"
#include "report/model/ReportFormData.h"
#include "report/output/QtPlatformPrinter.h"
#include "report/output/TqxPrinter.h"
#include "report/platform/DataFolders.h"
#include "report/platform/DialogProvider.h"
#include "report/platform/SettingsStore.h"
#include "report/preview/PreviewWindowHost.h"
#include "report/preview/TqxPreviewForm.h"

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScopeGuard>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>
#include <climits>

namespace tovren::app {

namespace {

constexpr int kPanelHeight = 121;
constexpr int kNavigatorHeight = 37;
// The SQL box and its check box follow the window's right edge at their designed distances.
constexpr int kSqlBoxLeft = 104;
constexpr int kResultSetBoxWidth = 113;
constexpr int kResultSetBoxRightMargin = 49;
constexpr int kResultSetBoxGap = 7;
constexpr int kWidestFittedColumnPx = 320;
const QString kWindowSection = QStringLiteral("Form\\TForm1");
const QString kGeometryValue = QStringLiteral("Geometry");
const QString kStoreFileFilter =
    QStringLiteral("数据库文件 (*.db *.sqlite *.sqlite3);;所有文件 (*)");

template<typename Widget>
Widget *place(Widget *widget, int left, int top, int width, int height = -1)
{
    widget->move(left, top);
    widget->resize(width, height > 0 ? height : widget->sizeHint().height());
    return widget;
}

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

TForm1::TForm1(db::TDbConnection &connection, platform::DialogProvider &dialogs, QWidget *parent)
    : QWidget(parent)
    , m_connection(connection)
    , m_dialogs(dialogs)
    , Aqy(std::make_unique<db::TDbQuery>(connection))
    , m_formComponents(std::make_unique<MainFormComponents>(*Aqy, m_components))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(
        QStringLiteral("Tovren v%1 —— 毕业证书打印").arg(QString::fromLatin1(kApplicationVersion)));
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
    // A click on a column title sorts by it, a second click the other way round.
    DBGrid1->horizontalHeader()->setSectionsClickable(true);
    DBGrid1->horizontalHeader()->setSortIndicatorShown(true);
    DBGrid1->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    layout->addWidget(DBGrid1, 1);
    layout->addWidget(createBottomBar());

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(true);
    m_templateLabel = new QLabel(StatusBar1);
    m_templateLabel->setObjectName(QStringLiteral("TemplateLabel"));
    StatusBar1->addPermanentWidget(m_templateLabel);
    RestoreTemplateButton = new QPushButton(QStringLiteral("恢复内置模板..."), StatusBar1);
    RestoreTemplateButton->setObjectName(QStringLiteral("RestoreTemplateButton"));
    RestoreTemplateButton->setFlat(true);
    RestoreTemplateButton->setToolTip(
        QStringLiteral("不再使用在设计器中保存的证书模板, 改用程序内置的 (保存的留作备份)"));
    connect(RestoreTemplateButton, &QPushButton::clicked, this, &TForm1::restoreBuiltInTemplate);
    StatusBar1->addPermanentWidget(RestoreTemplateButton);
    m_storeLabel = new QLabel(StatusBar1);
    m_storeLabel->setObjectName(QStringLiteral("StoreLabel"));
    StatusBar1->addPermanentWidget(m_storeLabel);
    layout->addWidget(StatusBar1);
    setMinimumSize(700, 360);

    connect(m_gridModel, &DbGridModel::editFailed, this, [this](const QString &message) {
        showError(QStringLiteral("无法修改该记录。\n") + message);
    });
    connect(m_gridModel, &DbGridModel::cellEdited, this, &TForm1::offerBirthParts);
    connect(DBGrid1->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
        const Qt::SortOrder order = DBGrid1->horizontalHeader()->sortIndicatorOrder();
        guarded(QStringLiteral("无法排序。"), [&] {
            Aqy->post();
            Aqy->sortBy(section, order);
        });
        DBGrid1->horizontalHeader()->setSortIndicator(section, order);
    });
    connect(DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (!current.isValid() || current.row() == Aqy->recNo())
                    return;
                try {
                    Aqy->moveTo(current.row());
                } catch (const db::ERecordConflict &conflict) {
                    // The clerk stays on the record until its save is settled.
                    followQueryToGrid(Aqy->recNo());
                    settleConflict(conflict);
                } catch (const db::EDatabaseError &error) {
                    showError(QStringLiteral("无法转到该记录。\n") + error.message());
                    followQueryToGrid(Aqy->recNo());
                }
            });
    connect(Aqy.get(), &db::TDbQuery::currentChanged, this, &TForm1::followQueryToGrid);
    connect(Aqy.get(), &db::TDbQuery::resultReset, this, [this] {
        // A new result is in the store's order again, whatever the title's arrow said.
        DBGrid1->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
        followQueryToGrid(Aqy->recNo());
        fitColumns();
        followStoreCount();
    });
    connect(Aqy.get(), &db::TDbQuery::rowInserted, this, &TForm1::followStoreCount);
    connect(Aqy.get(), &db::TDbQuery::rowRemoved, this, &TForm1::followStoreCount);

    FormCreate();
    updateStoreNames();
    updateTemplateName();
}

TForm1::~TForm1()
{
    // The query goes before the child widgets do, and hiding the grid on the way out still asks
    // its model for titles: cut the grid loose from the query first.
    DBGrid1->setModel(nullptr);
}

QWidget *TForm1::createPrintScopeRow(QWidget *panel)
{
    auto *row = new QWidget(panel);
    row->setObjectName(QStringLiteral("PrintScopeRow"));
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(new QLabel(QStringLiteral("打印范围:"), row));
    PrintScopeBox = new QComboBox(row);
    PrintScopeBox->setObjectName(QStringLiteral("PrintScopeBox"));
    PrintScopeBox->addItem(QStringLiteral("按上面的数目"), int(PrintScope::FirstRecords));
    PrintScopeBox->addItem(QStringLiteral("当前记录"), int(PrintScope::CurrentRecord));
    PrintScopeBox->addItem(QStringLiteral("指定的记录"), int(PrintScope::RecordSpan));
    layout->addWidget(PrintScopeBox);

    m_spanControls = new QWidget(row);
    auto *span = new QHBoxLayout(m_spanControls);
    span->setContentsMargins(0, 0, 0, 0);
    span->setSpacing(4);
    SpanFirstBox = new QSpinBox(m_spanControls);
    SpanFirstBox->setObjectName(QStringLiteral("SpanFirstBox"));
    SpanLastBox = new QSpinBox(m_spanControls);
    SpanLastBox->setObjectName(QStringLiteral("SpanLastBox"));
    for (QSpinBox *box : {SpanFirstBox, SpanLastBox}) {
        box->setRange(1, INT_MAX);
        box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 24);
    }
    span->addWidget(new QLabel(QStringLiteral("从第"), m_spanControls));
    span->addWidget(SpanFirstBox);
    span->addWidget(new QLabel(QStringLiteral("条到第"), m_spanControls));
    span->addWidget(SpanLastBox);
    span->addWidget(new QLabel(QStringLiteral("条"), m_spanControls));
    layout->addWidget(m_spanControls);
    m_spanControls->setVisible(false);
    connect(PrintScopeBox, &QComboBox::currentIndexChanged, this, [this] {
        m_spanControls->setVisible(printScope() == PrintScope::RecordSpan);
        SpinEdit1->setEnabled(printScope() == PrintScope::FirstRecords);
    });
    row->move(248, 94);
    row->adjustSize();
    return row;
}

QWidget *TForm1::createBottomBar()
{
    auto *bar = new QWidget(this);
    auto *layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 6, 0);
    layout->setSpacing(6);
    DBNavigator1 = new DbNavigator(*Aqy, m_dialogs, bar);
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    DBNavigator1->setFixedHeight(kNavigatorHeight);
    DBNavigator1->setConflictHandler(
        [this](const db::ERecordConflict &conflict) { settleConflict(conflict); });
    layout->addWidget(DBNavigator1, 1);
    layout->addWidget(new QLabel(QStringLiteral("查找:"), bar));
    FindEdit = new QLineEdit(bar);
    FindEdit->setObjectName(QStringLiteral("FindEdit"));
    FindEdit->setPlaceholderText(QStringLiteral("姓名、学号或身份证号"));
    FindEdit->setToolTip(QStringLiteral("输入姓名或号码, 按回车键转到下一个相符的记录"));
    FindEdit->setMinimumWidth(
        FindEdit->fontMetrics().horizontalAdvance(QStringLiteral("姓名、学号或身份证号")) + 24);
    connect(FindEdit, &QLineEdit::returnPressed, this, &TForm1::findRecord);
    layout->addWidget(FindEdit);
    return bar;
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
    Button5->setToolTip(QStringLiteral("在设计器中修改证书模板, 例如让字段对准预印的表格"));

    StoreButton = place(new QPushButton(QStringLiteral("选择数据库"), panel), 588, 48, 100, 25);
    StoreButton->setObjectName(QStringLiteral("StoreButton"));
    StoreButton->setToolTip(QStringLiteral("换用另一个数据库, 以后启动时也用它"));
    auto *storeMenu = new QMenu(StoreButton);
    storeMenu->addAction(QStringLiteral("打开数据库文件..."), this, &TForm1::chooseStoreFile);
    storeMenu->addAction(QStringLiteral("连接数据库服务器..."), this, &TForm1::chooseStoreServer);
    StoreButton->setMenu(storeMenu);

    CheckBox2 = place(new QCheckBox(QStringLiteral("显示中文字段名"), panel), 8, 99, 225, 17);
    CheckBox2->setObjectName(QStringLiteral("CheckBox2"));
    createPrintScopeRow(panel);

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
    connect(Button5, &QPushButton::clicked, this, &TForm1::Button5Click);
    connect(Button6, &QPushButton::clicked, this, &TForm1::Button6Click);
    connect(Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
    return panel;
}

void TForm1::showError(const QString &message)
{
    m_dialogs.messageBox(message, QString::fromLatin1(kApplicationTitle), platform::mb_IconError);
}

void TForm1::guarded(const QString &failure, const std::function<void()> &action)
{
    try {
        action();
    } catch (const db::ERecordConflict &conflict) {
        settleConflict(conflict);
    } catch (const db::EDatabaseError &error) {
        showError(failure + u'\n' + error.message());
    } catch (const std::exception &error) {
        showError(failure + u'\n' + QString::fromUtf8(error.what()));
    }
}

void TForm1::settleConflict(const db::ERecordConflict &refusal)
{
    // A deleted record leaves nothing to save over: the message says what the clerk can do.
    if (refusal.recordDeleted() || refusal.fields().empty()) {
        showError(QStringLiteral("无法保存记录。\n") + refusal.message());
        return;
    }
    std::optional<db::ERecordConflict> pending = refusal;
    while (pending) {
        db::EditConflict conflict(*Aqy, *pending);
        pending.reset();
        RecordConflictDialog::Choice choice = RecordConflictDialog::Choice::Undecided;
        if (m_conflictChooser) {
            choice = m_conflictChooser(conflict);
        } else {
            RecordConflictDialog dialog(conflict, this);
            dialog.exec();
            choice = dialog.choice();
        }
        try {
            switch (choice) {
            case RecordConflictDialog::Choice::KeepMine:
                conflict.keepMine();
                showStatus(QStringLiteral("已保存您输入的值"));
                break;
            case RecordConflictDialog::Choice::TakeTheirs:
                conflict.takeTheirs();
                showStatus(QStringLiteral("已采用其他用户的值"));
                break;
            case RecordConflictDialog::Choice::Undecided:
                showStatus(QStringLiteral("记录没有保存: 您输入的值仍在编辑中"));
                break;
            }
        } catch (const db::ERecordConflict &again) {
            // Yet another desk got in between: settle that one the same way.
            if (again.recordDeleted() || again.fields().empty()) {
                showError(QStringLiteral("无法保存记录。\n") + again.message());
                break;
            }
            pending = again;
        } catch (const db::EDatabaseError &error) {
            showError(QStringLiteral("无法保存记录。\n") + error.message());
            break;
        }
    }
    DBNavigator1->updateButtons();
}

void TForm1::showStatus(const QString &message)
{
    StatusBar1->showMessage(message);
}

QString TForm1::statusMessage() const
{
    return StatusBar1->currentMessage();
}

QString TForm1::storeText() const
{
    return m_storeLabel->text();
}

QString TForm1::templateText() const
{
    return m_templateLabel->text();
}

void TForm1::updateTemplateName()
{
    // The report is read on the first print or design; until then the saved certificate beside
    // the store is what it will read.
    const SavedCertificate saved(m_connection.spec().sqlitePath());
    QString name;
    QString path = saved.path();
    if (m_report && m_report->FileName != saved.path()) {
        path = m_report->FileName;
        name = QStringLiteral("模板文件 %1").arg(QFileInfo(path).fileName());
    } else if (m_savedTemplateUnreadable) {
        name = QStringLiteral("内置 (%1 无法读入)").arg(QFileInfo(path).fileName());
    } else if (saved.exists()) {
        name = QStringLiteral("保存的 %1").arg(QFileInfo(path).fileName());
    } else {
        name = QStringLiteral("内置");
    }
    m_templateLabel->setText(QStringLiteral("证书模板: %1").arg(name));
    m_templateLabel->setToolTip(QDir::toNativeSeparators(path));
}

void TForm1::restoreBuiltInTemplate()
{
    const SavedCertificate saved(m_connection.spec().sqlitePath());
    const QString question =
        saved.exists()
            ? QStringLiteral("恢复内置的证书模板吗?\n\n保存的证书模板 %1 将改名为 %2 留作备份, "
                             "以后打印和以后启动都使用内置的模板。")
                  .arg(QDir::toNativeSeparators(saved.path()),
                       QFileInfo(saved.path()).fileName() + QStringLiteral(".bak"))
            : QStringLiteral("恢复内置的证书模板吗?\n\n在设计器中所做而没有保存的修改将不再使用。");
    if (m_dialogs.messageBox(question, QStringLiteral("恢复内置模板"),
                             platform::mb_YesNo | platform::mb_IconQuestion) != platform::mrYes)
        return;
    QString error;
    if (!saved.restoreBuiltIn(&error)) {
        showError(QStringLiteral("无法恢复内置的证书模板。\n") + error);
        return;
    }
    // With the saved file moved aside, loading reads the built-in certificate.
    if (m_report)
        saved.load(*m_report);
    m_savedTemplateUnreadable = false;
    updateTemplateName();
    showStatus(QStringLiteral("已恢复内置的证书模板"));
}

void TForm1::updateStoreNames()
{
    const db::ConnectionSpec &spec = m_connection.spec();
    const QString shortName = spec.kind() == db::ConnectionSpec::Kind::Sqlite
                                  ? QFileInfo(spec.sqlitePath()).fileName()
                                  : spec.displayName();
    setWindowTitle(QStringLiteral("Tovren v%1 —— 毕业证书打印 - %2")
                       .arg(QString::fromLatin1(kApplicationVersion), shortName));
    m_storeLabel->setText(QStringLiteral("数据库: %1%2")
                              .arg(spec.displayName(), m_connection.isOpen()
                                                           ? QString()
                                                           : QStringLiteral(" (没有打开)")));
}

void TForm1::followStoreCount()
{
    if (!Aqy->isActive())
        return;
    const qsizetype count = Aqy->recordCount();
    if (m_syncedCount >= 0 && count != m_syncedCount)
        SpinEdit1->setValue(followRecordCount(SpinEdit1->value(), m_syncedCount, count));
    if (m_shownOnce)
        m_syncedCount = count;
}

void TForm1::fitColumns()
{
    if (!Aqy->isActive() || Aqy->fieldCount() == 0)
        return;
    // Measures the rows near the top only, so a hundred thousand rows cost nothing more.
    DBGrid1->horizontalHeader()->setResizeContentsPrecision(200);
    DBGrid1->resizeColumnsToContents();
    for (int column = 0; column < Aqy->fieldCount(); ++column) {
        if (DBGrid1->columnWidth(column) > kWidestFittedColumnPx)
            DBGrid1->setColumnWidth(column, kWidestFittedColumnPx);
    }
}

void TForm1::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (!Edit1)
        return;
    const int resultSetLeft = width() - kResultSetBoxRightMargin - kResultSetBoxWidth;
    CheckBox1->move(resultSetLeft, CheckBox1->y());
    Edit1->resize(std::max(200, resultSetLeft - kResultSetBoxGap - kSqlBoxLeft), Edit1->height());
}

void TForm1::findRecord()
{
    const QString text = FindEdit->text().trimmed();
    if (text.isEmpty() || !Aqy->isActive())
        return;
    const qsizetype row = RecordFinder(*Aqy).findNext(text, Aqy->recNo());
    if (row < 0) {
        showStatus(QStringLiteral("没有找到 \"%1\"").arg(text));
        return;
    }
    guarded(QStringLiteral("无法转到找到的记录。"), [&] { Aqy->moveTo(row); });
    showStatus(QStringLiteral("找到 \"%1\": 第 %2 条").arg(text).arg(row + 1));
}

bool TForm1::switchStore(const db::ConnectionSpec &spec)
{
    bool switched = false;
    guarded(QStringLiteral("无法换用数据库 %1。").arg(spec.displayName()), [&] {
        Aqy->post();
        Aqy->close();
        const auto reopen = qScopeGuard([this] {
            try {
                if (m_connection.isOpen())
                    Aqy->open();
            } catch (const db::EDatabaseError &) {
                // The grid stays empty; the message about the store says why.
            }
            DBNavigator1->updateButtons();
            updateStoreNames();
            updateTemplateName();
        });
        m_connection.switchTo(spec);
        Aqy->setSql(QString::fromLatin1(db::InfoTable::kBrowseSql));
        switched = true;
    });
    if (switched) {
        m_syncedCount = -1;
        if (Aqy->isActive())
            SpinEdit1->setValue(int(std::min<qsizetype>(Aqy->recordCount(), INT_MAX)));
        m_syncedCount = Aqy->isActive() ? Aqy->recordCount() : -1;
        if (m_settings)
            db::rememberConnection(m_connection.spec(), *m_settings);
        showStatus(QStringLiteral("已打开数据库 %1").arg(m_connection.spec().displayName()));
    }
    return switched;
}

void TForm1::chooseStoreFile()
{
    const QString fileName = m_dialogs.openFileName(QStringLiteral("选择数据库"), kStoreFileFilter);
    if (fileName.isEmpty())
        return;
    guarded(QStringLiteral("无法换用数据库 %1。").arg(fileName),
            [&] { switchStore(db::ConnectionSpec::parse(fileName)); });
}

void TForm1::chooseStoreServer()
{
    const QString current = m_connection.spec().kind() == db::ConnectionSpec::Kind::PostgreSql
                                ? m_connection.spec().toText()
                                : QStringLiteral("postgresql://用户:密码@服务器:5432/数据库");
    const std::optional<QString> typed = m_dialogs.inputText(
        QStringLiteral("连接数据库服务器"),
        QStringLiteral("服务器地址 (postgresql://用户:密码@服务器:端口/数据库):"), current);
    if (!typed || typed->trimmed().isEmpty())
        return;
    guarded(QStringLiteral("无法连接数据库服务器。"),
            [&] { switchStore(db::ConnectionSpec::parse(typed->trimmed())); });
}

void TForm1::offerBirthParts(int column)
{
    if (Aqy->field(column).fieldName().compare(QLatin1String("Birth"), Qt::CaseInsensitive) != 0)
        return;
    db::TDbField *parts[] = {Aqy->findField(QStringLiteral("BirthYear")),
                             Aqy->findField(QStringLiteral("BirthMonth")),
                             Aqy->findField(QStringLiteral("BirthDay"))};
    if (!parts[0] || !parts[1] || !parts[2])
        return;
    const QString text = Aqy->field(column).asString().trimmed();
    const std::optional<QDate> date = import::textToDate(text);
    if (!date)
        return; // the certificate's parts stay as they were; a wrong date is the clerk's to see
    const import::BirthPart kinds[] = {import::BirthPart::Year, import::BirthPart::Month,
                                       import::BirthPart::Day};
    bool differs = false;
    for (int i = 0; i < 3; ++i)
        differs |= parts[i]->asString() != import::birthPartText(*date, kinds[i], true);
    if (!differs)
        return;
    const int answer = m_dialogs.messageBox(
        QStringLiteral(
            "出生日期已改为 %1。\n证书上印的出生年、月、日也要随之改为 %2 年 %3 月 %4 日吗?")
            .arg(text, import::birthPartText(*date, kinds[0], true),
                 import::birthPartText(*date, kinds[1], true),
                 import::birthPartText(*date, kinds[2], true)),
        QStringLiteral("确认"), platform::mb_YesNo | platform::mb_IconQuestion);
    if (answer != platform::mrYes)
        return;
    guarded(QStringLiteral("无法修改出生年、月、日。"), [&] {
        for (int i = 0; i < 3; ++i)
            parts[i]->setAsString(import::birthPartText(*date, kinds[i], true));
    });
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
        showError(error.message() + QStringLiteral("\n\n可以用 \"选择数据库\" 换用另一个数据库, "
                                                   "或在问题解决后按导航栏的 \"刷新\" 再试。"));
    }
    DBNavigator1->updateButtons();
}

void TForm1::FormShow()
{
    if (Aqy->isActive())
        SpinEdit1->setValue(int(std::min<qsizetype>(Aqy->recordCount(), INT_MAX)));
    m_syncedCount = Aqy->isActive() ? Aqy->recordCount() : -1;
    const SavedCertificate saved(m_connection.spec().sqlitePath());
    if (saved.exists())
        showStatus(QStringLiteral("使用保存的证书模板 %1").arg(saved.path()));
}

void TForm1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        FormShow();
        fitColumns();
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
    if (m_settings)
        m_settings->writeString(kWindowSection, kGeometryValue,
                                QString::fromLatin1(saveGeometry().toBase64()));
    QWidget::closeEvent(event);
}

void TForm1::Button1Click()
{
    SqlRunner runner(
        *Aqy, [this] { return CheckBox1->isChecked(); },
        [this](const QString &question) {
            return m_dialogs.messageBox(question, QStringLiteral("确认"),
                                        platform::mb_YesNo | platform::mb_IconWarning) ==
                   platform::mrYes;
        });
    guarded(QStringLiteral("SQL 语句执行失败。"), [&] {
        Aqy->post();
        const SqlRunResult result = runner.run(Edit1->text());
        switch (result.kind) {
        case SqlRunResult::Kind::Rows:
            SpinEdit1->setValue(int(std::min<qsizetype>(result.rowCount, INT_MAX)));
            m_syncedCount = result.rowCount;
            showStatus(QStringLiteral("查询返回 %1 条记录").arg(result.rowCount));
            break;
        case SqlRunResult::Kind::Command:
            showStatus(result.rowsAffected >= 0
                           ? QStringLiteral("语句已执行, 影响了 %1 条记录; 表中现有 %2 条记录")
                                 .arg(result.rowsAffected)
                                 .arg(result.rowCount)
                           : QStringLiteral("语句已执行; 表中现有 %1 条记录").arg(result.rowCount));
            break;
        case SqlRunResult::Kind::Declined:
            showStatus(QStringLiteral("语句没有执行"));
            break;
        }
    });
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
    if (m_settings) {
        const QByteArray geometry = QByteArray::fromBase64(
            m_settings->readString(kWindowSection, kGeometryValue, QString()).toLatin1());
        if (!geometry.isEmpty())
            restoreGeometry(geometry);
    }
}

PrintScope TForm1::printScope() const
{
    return PrintScope(PrintScopeBox->currentData().toInt());
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
    m_report->setDialogs(&m_dialogs);
    progressWindow().attachTo(*m_report);
    m_dialogPageHost = std::make_unique<dialogs::WidgetDialogPageHost>(this);
    m_report->setDialogPageHost(m_dialogPageHost.get());
    m_previewHost = std::make_unique<preview::PreviewWindowHost>(*m_printer, m_dialogs, this);
    m_previewHost->setOpener(m_previewOpener);
    m_previewHost->setSettingsStore(m_settings);
    // The calibration page outlines the fields of the template as the clerk has it now.
    m_previewHost->setCalibrationPagePrinter(
        [this] { CalibrationPagePrint(*m_printer, m_dialogs).print(m_report->templateBytes()); });
    m_previewHost->setRecordFilesExport(
        [this](const QString &folder) { return writeRecordFiles(folder); });
    m_previewRegistration = std::make_unique<engine::TqxPreviewRegistration>(*m_previewHost);
    m_designerDialogs =
        designer::makeWidgetDesignerDialogs(*m_printer, m_dialogs, m_settings, this);
    m_designerHost = std::make_unique<designer::WidgetDesignerHost>(m_dialogs, *m_designerDialogs,
                                                                    m_settings, this);
    m_designerHost->setRecoveryFolder(platform::DataFolders::userDir(QStringLiteral("recovery")));
    m_designerHost->setRunner(m_designerRunner);
    m_designerRegistration = std::make_unique<engine::TqxDesignerRegistration>(*m_designerHost);
    m_previewHost->setPageEditor(m_designerHost.get());

    // The window reads its template once; the designer changes it in place, and every later
    // print uses what the clerk designed. A certificate the clerk saved comes first.
    const SavedCertificate saved(m_connection.spec().sqlitePath());
    m_savedTemplateUnreadable = saved.load(*m_report) == SavedCertificate::Loaded::SavedUnreadable;
    if (m_savedTemplateUnreadable)
        showStatus(
            QStringLiteral("保存的证书模板 %1 无法读入, 使用内置的证书模板").arg(saved.path()));
    updateTemplateName();
    return *m_report;
}

void TForm1::setDesignerRunner(DesignerRunner runner)
{
    m_designerRunner = std::move(runner);
    if (m_designerHost)
        m_designerHost->setRunner(m_designerRunner);
}

void TForm1::Button5Click()
{
    guarded(QStringLiteral("无法打开报表设计器。"), [this] { designCertificate(); });
}

void TForm1::designCertificate()
{
    applyRangeStep();
    engine::TqxReport &report = certificateReport();
    report.OpenDesigner();
    // Saving from the designer writes the certificate the next start reads.
    const SavedCertificate saved(m_connection.spec().sqlitePath());
    if (saved.exists() && report.FileName == saved.path())
        m_savedTemplateUnreadable = false;
    updateTemplateName();
    if (report.DesignChanged)
        showStatus(QStringLiteral("证书模板已修改, 以后打印将使用修改后的模板"));
}

void TForm1::openDocument(const QString &fileName)
{
    const QString shown = QDir::toNativeSeparators(fileName);
    if (!QFileInfo(fileName).isFile()) {
        showError(QStringLiteral("找不到文件 %1。").arg(shown));
        return;
    }
    switch (documentKind(fileName)) {
    case DocumentKind::Template:
        guarded(QStringLiteral("无法在设计器中打开 %1。").arg(shown),
                [&] { designTemplateFile(fileName); });
        break;
    case DocumentKind::PreparedReport:
        guarded(QStringLiteral("无法预览 %1。").arg(shown), [&] { previewPagesFile(fileName); });
        break;
    case DocumentKind::None:
        showError(QStringLiteral("无法打开 %1: 只能打开报表模板 (.qxf) 和准备好的报表 (.qxp)。")
                      .arg(shown));
        break;
    }
}

void TForm1::designTemplateFile(const QString &fileName)
{
    engine::TqxReport &report = certificateReport();
    const QByteArray previous = report.templateBytes();
    const QString previousName = report.FileName;
    const bool loaded = report.LoadTemplate(fileName);
    const model::TemplateReadResult result = report.lastReadResult();
    // Missing add-in classes were named by the reader; the rest of the template is still worth
    // designing. Anything worse leaves the certificate as it was, so the next print is not blank.
    if (!loaded || (result != model::TemplateReadResult::Loaded &&
                    result != model::TemplateReadResult::MissingClasses)) {
        QBuffer buffer;
        buffer.setData(previous);
        buffer.open(QIODevice::ReadOnly);
        report.ReadTemplate(buffer);
        report.FileName = previousName;
        if (!loaded)
            showError(QStringLiteral("无法读取文件 %1。").arg(QDir::toNativeSeparators(fileName)));
        return;
    }
    applyRangeStep();
    report.OpenDesigner();
    updateTemplateName();
    showStatus(QStringLiteral("以后打印将使用模板 %1").arg(QFileInfo(report.FileName).fileName()));
}

void TForm1::previewPagesFile(const QString &fileName)
{
    engine::TqxReport &report = certificateReport();
    // The report names a damaged file itself.
    if (!report.LoadPagesFile(fileName))
        return;
    // A closed preview leaves the report with no prepared pages, as after a print run.
    const auto cleared = qScopeGuard([&] { report.EMFPages().Clear(); });
    if (report.PreviewPages() == engine::TqxPreviewOutcome::NoPages)
        showError(QStringLiteral("文件 %1 中没有页。").arg(QDir::toNativeSeparators(fileName)));
}

void TForm1::Button4Click()
{
    guarded(QStringLiteral("无法打印证书。"), [this] { printCertificates(); });
    DBNavigator1->updateButtons();
}

void TForm1::printCertificates()
{
    if (!Aqy->isActive()) {
        showError(QStringLiteral("数据库没有打开, 没有可打印的证书。\n"
                                 "请先用 \"选择数据库\" 打开数据库, 或按 \"刷新\" 再试。"));
        return;
    }
    Aqy->post(); // a record being edited is printed as the clerk typed it
    if (Aqy->recordCount() == 0) {
        // The report would still make one blank certificate from an empty query.
        showError(QStringLiteral("查询中没有记录, 没有可打印的证书。"));
        return;
    }
    std::optional<RecordSpan> span;
    switch (printScope()) {
    case PrintScope::FirstRecords:
        break;
    case PrintScope::CurrentRecord:
        span = recordSpan(Aqy->recNo() + 1, Aqy->recNo() + 1, Aqy->recordCount());
        break;
    case PrintScope::RecordSpan:
        span = recordSpan(SpanFirstBox->value(), SpanLastBox->value(), Aqy->recordCount());
        if (!span) {
            showError(QStringLiteral("第 %1 条到第 %2 条之间没有记录 (查询中共有 %3 条记录)。")
                          .arg(SpanFirstBox->value())
                          .arg(SpanLastBox->value())
                          .arg(Aqy->recordCount()));
            return;
        }
        break;
    }
    if (printScope() != PrintScope::FirstRecords && !span) {
        showError(QStringLiteral("没有当前记录, 没有可打印的证书。"));
        return;
    }

    engine::TqxReport &report = certificateReport();
    if (report.Pages().Count() == 0) {
        showError(QStringLiteral("证书模板中没有页, 无法打印。"));
        return;
    }

    const qsizetype clerkRow = Aqy->recNo();
    engine::TqxPreviewOutcome outcome = engine::TqxPreviewOutcome::NoPages;
    bool declined = false;
    {
        // The grid stays on the clerk's record while the report walks the query, and comes
        // back to it afterwards, whatever the build did.
        const db::ControlsSuspension frozen(*Aqy);
        const auto backToClerksRecord = qScopeGuard([&] {
            if (clerkRow >= 0 && clerkRow < Aqy->recordCount() && Aqy->recNo() != clerkRow) {
                try {
                    Aqy->moveTo(clerkRow);
                } catch (const db::EDatabaseError &) {
                    // The grid shows whichever record the query is on.
                }
            }
        });
        engine::TqxDBDataSet &source = reportDataSet();
        if (span) {
            Aqy->moveTo(span->firstRow);
            applyRecordSpan(*span, source);
            report.ExpectedPageCount = int(std::min<qsizetype>(span->count, INT_MAX));
        } else {
            applyRangeStep();
            const qsizetype count = Aqy->recordCount();
            report.ExpectedPageCount =
                int(std::min<qsizetype>(source.rangeEnd() == engine::reCount
                                            ? std::min<qsizetype>(source.rangeEndCount(), count)
                                            : count,
                                        INT_MAX));
        }
        // The range starts at the first record, or at the one the query stands on.
        const qsizetype firstShownRow = source.rangeBegin() == engine::rbFirst ? 0 : Aqy->recNo();
        // What a build would cut off is said before a form is spent; the clerk may go on.
        const bool complete = report.BuildPages();
        declined = complete && !acceptTextOverflows(report, firstShownRow);
        if (!declined) {
            m_previewRecords = RecordSpan{firstShownRow, report.ExpectedPageCount};
            const auto shown = qScopeGuard([this] { m_previewRecords.reset(); });
            outcome = report.PreviewPages();
        }
    }
    const bool cancelled = report.BuildCancelled();
    const int built = int(report.EMFPages().Count());
    // A failed build has shown its message and a cancelled one was the person's choice; a build
    // that ran through and made no page must not pass for a print.
    const bool silentlyEmpty = !declined && outcome == engine::TqxPreviewOutcome::NoPages &&
                               report.lastMessage().isEmpty() && !report.StopRequested;
    // A closed preview leaves the report with no prepared pages.
    report.EMFPages().Clear();
    if (declined)
        showStatus(QStringLiteral("未打印: 有内容超出了框, 请先修改数据或模板"));
    else if (silentlyEmpty)
        showError(QStringLiteral("报表没有生成任何页, 没有可打印的证书。"));
    else if (cancelled)
        showStatus(QStringLiteral("已取消: 只生成了 %1 / %2 张证书")
                       .arg(built)
                       .arg(report.ExpectedPageCount));
    else if (outcome == engine::TqxPreviewOutcome::Shown)
        showStatus(QStringLiteral("已生成 %1 张证书").arg(built));
}

bool TForm1::writeRecordFiles(const QString &folder)
{
    if (!m_previewRecords || m_previewRecords->count <= 0 || !m_report) {
        showError(QStringLiteral("这些页不是刚从数据库的记录生成的, 无法按记录写成 PDF 文件。"));
        return false;
    }
    QStringList written;
    try {
        const HourglassCursor hourglass;
        // Named as `tovren build --pdf-each` names them, so a record gets the same file either way.
        const QStringList names =
            recordFileNames(*Aqy, defaultRecordNameExpression(), QStringLiteral(".pdf"))
                .mid(m_previewRecords->firstRow, m_previewRecords->count);
        // A report of its own: the preview keeps showing the pages it has.
        engine::TqxReport exporter(QStringLiteral("qxReport1"), &m_formComponents->form(),
                                   m_components, m_printer.get());
        QBuffer stream;
        stream.setData(m_report->templateBytes());
        stream.open(QIODevice::ReadOnly);
        exporter.ReadTemplate(stream);
        exporter.Title = m_report->Title;
        PerRecordPdfExport each(exporter, reportDataSet(), *Aqy);
        written = each.write(folder, names, m_previewRecords->firstRow);
    } catch (const std::exception &error) {
        showError(QStringLiteral("没有写入 PDF 文件。\n") + QString::fromUtf8(error.what()));
        return false;
    }
    m_dialogs.messageBox(QStringLiteral("已在 %1 中写入 %2 个 PDF 文件, 每条记录一个。")
                             .arg(QDir::toNativeSeparators(folder))
                             .arg(written.size()),
                         QString::fromLatin1(kApplicationTitle),
                         platform::mb_Ok | platform::mb_IconInformation);
    return true;
}

bool TForm1::acceptTextOverflows(engine::TqxReport &report, qsizetype firstRecordRow)
{
    constexpr qsizetype kListedLines = 15;
    std::vector<engine::TextOverflow> overflows = engine::findTextOverflows(report.EMFPages());
    if (overflows.empty())
        return true;
    nameOverflowRecords(overflows, report, firstRecordRow, report.ExpectedPageCount);
    QStringList lines = engine::describeTextOverflows(overflows);
    if (lines.size() > kListedLines) {
        const qsizetype more = lines.size() - kListedLines;
        lines.resize(kListedLines);
        lines << QStringLiteral("……还有 %1 处").arg(more);
    }
    const QString question =
        QStringLiteral("有 %1 处内容放不下它的框, 印在证书上会被截断:\n\n%2\n\n仍要继续打印吗?")
            .arg(overflows.size())
            .arg(lines.join(u'\n'));
    return m_dialogs.messageBox(question, QStringLiteral("内容超出"),
                                platform::mb_YesNo | platform::mb_IconWarning) == platform::mrYes;
}

void TForm1::CheckBox2Click()
{
    guarded(QStringLiteral("无法切换字段名的显示。"), [this] {
        Aqy->post();
        Aqy->close();
        if (CheckBox2->isChecked())
            Aqy->setAfterOpen(db::InfoTable::applyDisplayLabels);
        else
            Aqy->setAfterOpen({});
        Aqy->open();
    });
    DBNavigator1->updateButtons();
}

} // namespace tovren::app

namespace tovren::app {

void TForm1::Button6Click()
{
    if (m_importing)
        return;
    if (!Aqy->isActive()) {
        showError(QStringLiteral("数据库没有打开, 无法导入数据。\n"
                                 "请先用 \"选择数据库\" 打开数据库, 或按 \"刷新\" 再试。"));
        return;
    }
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
    guarded(QStringLiteral("无法填充出生年、月、日。"),
            [this] { import::fillBirthDateParts(*Aqy); });
    DBNavigator1->updateButtons();
}

void TForm1::Button3Click()
{
    if (!Aqy->isActive())
        return;
    guarded(QStringLiteral("无法读取出生日期。"), [this] {
        m_dialogs.messageBox(import::describeBirthDate(*Aqy), windowTitle(), platform::mb_Ok);
    });
}

} // namespace tovren::app
