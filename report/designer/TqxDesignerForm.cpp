#include "report/designer/TqxDesignerForm.h"

#include "report/chart/TqxChartView.h"
#include "report/designer/ArrangeCommands.h"
#include "report/designer/DesignerActions.h"
#include "report/designer/DesignerDialogs.h"
#include "report/designer/DesignerInspector.h"
#include "report/designer/DesignerStatusBar.h"
#include "report/designer/FieldListWindow.h"
#include "report/designer/FormImageCommand.h"
#include "report/designer/FormattingToolBars.h"
#include "report/designer/GrayedIcon.h"
#include "report/designer/HelpTopics.h"
#include "report/designer/HelpWindow.h"
#include "report/designer/InsertFieldsCommand.h"
#include "report/designer/ObjectClipboard.h"
#include "report/designer/ObjectEditors.h"
#include "report/designer/ObjectMenuItems.h"
#include "report/designer/ObjectOrder.h"
#include "report/designer/ObjectRestrictions.h"
#include "report/designer/PageListCommands.h"
#include "report/designer/PageScrollBox.h"
#include "report/designer/PageTabBar.h"
#include "report/designer/RecoveryCopy.h"
#include "report/designer/StatusBarContent.h"
#include "report/designer/ToolBarPlacement.h"
#include "report/designer/ToolWindowStack.h"
#include "report/designer/TqxDesignerPage.h"
#include "report/designer/TqxPageForm.h"
#include "report/dialogs/DialogPictures.h"
#include "report/dialogs/FormPlacement.h"
#include "report/dialogs/InsertFieldsChoice.h"
#include "report/dialogs/TqxInsFieldsForm.h"
#include "report/dialogs/TqxInspForm.h"
#include "report/engine/BuildRunState.h"
#include "report/engine/DataSourceListing.h"
#include "report/engine/TqxReport.h"
#include "report/model/ObjectRegistry.h"
#include "report/model/RunState.h"
#include "report/model/TqxGlobals.h"
#include "report/model/TqxMemoView.h"
#include "report/model/TqxPages.h"
#include "report/platform/DialogProvider.h"
#include "report/platform/SettingsStore.h"
#include "report/platform/StringTable.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace tovren::designer {

namespace {

const QString kFormClass = QString::fromLatin1(DesignerSettings::kFormClass);
constexpr int kWheelStepPixels = 8;
constexpr int kPageScrollPixels = 200;
/// The text tool bar's highlight button.
constexpr int kHighlightTag = 59;

/// Keys typed into these belong to them, not to the designer's keyboard table.
bool isTextInput(const QWidget *widget)
{
    if (!widget)
        return false;
    if (qobject_cast<const QLineEdit *>(widget) || qobject_cast<const QAbstractSpinBox *>(widget) ||
        qobject_cast<const QPlainTextEdit *>(widget) || qobject_cast<const QTextEdit *>(widget))
        return true;
    const auto *combo = qobject_cast<const QComboBox *>(widget);
    return combo && combo->isEditable();
}

bool isInside(const QObject *object, const QWidget *window)
{
    for (const QObject *up = object; up; up = up->parent()) {
        if (up == window)
            return true;
    }
    return false;
}

} // namespace

TqxDesignerForm::TqxDesignerForm(engine::TqxReport &report, bool wholeReport,
                                 const Services &services, QWidget *parent)
    : TqxReportDesigner(wholeReport, parent)
    , m_report(report)
    , m_services(services)
    , m_document(report, wholeReport)
    , m_actions(new DesignerActions(this))
{
    Q_ASSERT(m_services.dialogs && m_services.designerDialogs);
    if (!m_services.clipboard)
        m_ownClipboard = std::make_unique<ObjectClipboard>();
    m_clipboard = m_services.clipboard ? m_services.clipboard : m_ownClipboard.get();
    setObjectName(kFormClass);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowIcon(DesignerActions::icon(QStringLiteral("Designer")));
    if (m_services.settings)
        m_settings = DesignerSettings::load(*m_services.settings, WholeReport);
    if (WholeReport && !m_services.recoveryFolder.isEmpty())
        m_recovery = std::make_unique<RecoveryCopy>(m_services.recoveryFolder);
    m_recoveryTimer.setInterval(kRecoveryIntervalMs);
    connect(&m_recoveryTimer, &QTimer::timeout, this, &TqxDesignerForm::writeRecoveryCopy);
    buildWindow();
    m_inspector = new DesignerInspector(*this, *m_services.dialogs, *m_services.designerDialogs);
    stackToolWindows();
    connectCommands();
    applyMode();

    // What the window shows when it opens.
    MarkModified(false);
    m_report.DesignChanged = false;
    model::runState().drawingMode = model::DrawingMode::Designing;
    const QStringList families = QFontDatabase::families();
    m_lastFormat.fontName = families.contains(QStringLiteral("Arial")) || families.isEmpty()
                                ? QStringLiteral("Arial")
                                : families.constFirst();
    m_lastFormat.fontSizePoints = 10;
    loadSettings();
    showPage(0);
    updateCaption();
}

TqxDesignerForm::~TqxDesignerForm()
{
    qApp->removeEventFilter(this);
    if (m_services.settings)
        saveSettings();
    if (WholeReport)
        m_report.FileName = m_document.documentName();
    canvas().setPage(nullptr, -1);
    delete m_pageWindow;
}

void TqxDesignerForm::buildWindow()
{
    m_actions->buildMenuBar(*menuBar());
    buildStandardBar();
    buildFormattingBars();
    buildObjectsBar();
    buildToolBarsMenu();
    buildFieldTools();

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_tabs = new PageTabBar(central);
    m_tabs->setObjectName(QStringLiteral("Tab1"));
    m_scrollBox = new PageScrollBox(*this, central);
    m_scrollBox->setObjectName(QStringLiteral("ScrollBox1"));
    m_scrollBox->viewport()->installEventFilter(this);
    m_statusBar = new DesignerStatusBar(central);
    m_statusBar->setObjectName(QStringLiteral("StatusBar1"));
    layout->addWidget(m_tabs);
    layout->addWidget(m_scrollBox, 1);
    layout->addWidget(m_statusBar);
    setCentralWidget(central);
    canvas().setObjectName(QStringLiteral("PageCanvas"));

    m_canvasMenu = new QMenu(this);
    m_canvasMenu->setObjectName(QStringLiteral("Popup1"));
    m_tabMenu = new QMenu(this);
    m_tabMenu->setObjectName(QStringLiteral("Popup2"));
    m_tabMenu->addActions(m_actions->tabMenuActions());
    resize(1000, 720);
}

QToolBar *TqxDesignerForm::addBar(const QString &name, const QString &caption, Qt::ToolBarArea area,
                                  Qt::ToolBarAreas allowed)
{
    auto *bar = new QToolBar(caption, this);
    bar->setObjectName(name);
    bar->setAllowedAreas(allowed);
    bar->setIconSize(QSize(16, 16));
    addToolBar(area, bar);
    m_bars.append(bar);
    return bar;
}

void TqxDesignerForm::buildStandardBar()
{
    QToolBar *bar = addBar(QStringLiteral("Panel2"), QStringLiteral("标准"), Qt::TopToolBarArea,
                           Qt::TopToolBarArea | Qt::BottomToolBarArea);
    const auto add = [&](std::initializer_list<const char *> names) {
        for (const char *name : names) {
            if (!name)
                bar->addSeparator();
            else
                bar->addAction(action(QString::fromLatin1(name)));
        }
    };
    add({"FileBtn1", "FileBtn2", "FileBtn3", "FileBtn4", nullptr,   "CutB", "CopyB",
         "PstB",     nullptr,    "UndoB",    "RedoB",    nullptr,   "ZB1",  "ZB2",
         "SelAllB",  nullptr,    "PgB1",     "PgB2",     "PgB3",    "PgB4", nullptr,
         "GB1",      "GB2",      "GB3",      nullptr,    "HelpBtn", "ExitB"});
    if (auto *exitButton = qobject_cast<QToolButton *>(bar->widgetForAction(action("ExitB"))))
        exitButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    addToolBarBreak(Qt::TopToolBarArea);
}

void TqxDesignerForm::buildFormattingBars()
{
    QToolBar *text = addBar(QStringLiteral("Panel3"), QStringLiteral("文本"), Qt::TopToolBarArea,
                            Qt::TopToolBarArea | Qt::BottomToolBarArea);
    QToolBar *frame = addBar(QStringLiteral("Panel1"), QStringLiteral("矩形"), Qt::TopToolBarArea,
                             Qt::TopToolBarArea | Qt::BottomToolBarArea);
    addBar(QStringLiteral("Panel6"), QStringLiteral("工具"), Qt::TopToolBarArea,
           Qt::AllToolBarAreas);
    QToolBar *alignment = addBar(QStringLiteral("Panel5"), QStringLiteral("对齐方式"),
                                 Qt::RightToolBarArea, Qt::AllToolBarAreas);
    m_formatting = new FormattingToolBars(*text, *frame, *alignment, *this, m_services.recentFonts);
    connect(m_formatting, &FormattingToolBars::colourChosen, this, &TqxDesignerForm::applyColour);
    connect(m_formatting, &FormattingToolBars::fontDialogWanted, this,
            &TqxDesignerForm::openFontDialog);
    connect(m_formatting, &FormattingToolBars::commandChosen, this,
            &TqxDesignerForm::applyFormatting);
    connect(m_formatting, &FormattingToolBars::fontNameChosen, this,
            &TqxDesignerForm::applyFontName);
    connect(m_formatting, &FormattingToolBars::fontSizeChosen, this,
            &TqxDesignerForm::applyFontSize);
    connect(m_formatting, &FormattingToolBars::frameWidthChosen, this,
            &TqxDesignerForm::applyFrameWidth);
    connect(m_formatting, &FormattingToolBars::alignmentChosen, this,
            &TqxDesignerForm::alignSelection);
}

void TqxDesignerForm::buildObjectsBar()
{
    QToolBar *bar = addBar(QStringLiteral("Panel4"), QStringLiteral("对象"), Qt::LeftToolBarArea,
                           Qt::AllToolBarAreas);
    m_objectTools = new QActionGroup(this);
    m_objectTools->setExclusive(true);
    const auto addTool = [&](const QString &name, const QString &hint, int tag, const QIcon &icon) {
        auto *tool = new QAction(icon, hint, m_objectTools);
        tool->setObjectName(name);
        tool->setCheckable(true);
        tool->setData(tag);
        tool->setToolTip(hint);
        bar->addAction(tool);
        return tool;
    };
    const struct
    {
        const char *name;
        const char *hint;
        int tag;
    } tools[] = {
        {"OB1", "选择对象", ObjectTool::kSelect},      {"OB2", "插入矩形对象", ObjectTool::kText},
        {"OB3", "插入 band", ObjectTool::kBand},       {"OB4", "插入图片", ObjectTool::kPicture},
        {"OB5", "插入子报表", ObjectTool::kSubReport}, {"OB6", "画线", ObjectTool::kLine},
    };
    for (const auto &tool : tools) {
        const QString name = QString::fromLatin1(tool.name);
        addTool(name, QString::fromUtf8(tool.hint), tool.tag, DesignerActions::icon(name));
    }
    // Every add-in kind the library knows gets a button of its own.
    const auto &addIns = model::TqxGlobals::instance().objects.addIns();
    for (size_t i = 0; i < addIns.size(); ++i) {
        QString hint = addIns[i].buttonHint;
        bool isNumber = false;
        const int stringId = hint.toInt(&isNumber);
        if (isNumber)
            hint = platform::LoadLibraryString(stringId);
        const QIcon icon(QPixmap::fromImage(addIns[i].buttonBitmap));
        addTool(QStringLiteral("AddIn%1").arg(i), hint, ObjectTool::kFirstAddIn + int(i), icon);
    }
    action(QStringLiteral("OB1"))->setChecked(true);
    connect(m_objectTools, &QActionGroup::triggered, this, &TqxDesignerForm::chooseTool);
}

void TqxDesignerForm::buildToolBarsMenu()
{
    QMenu *menu = m_actions->toolBarsMenu();
    const struct
    {
        const char *name;
        const char *caption;
        const char *bar;
    } entries[] = {
        {"Pan2", "标准(&S)", "Panel2"},       {"Pan3", "文本(&T)", "Panel3"},
        {"Pan1", "矩形(&R)", "Panel1"},       {"Pan4", "对象(&O)", "Panel4"},
        {"Pan6", "对齐工具栏(&A)", "Panel5"}, {"Pan7", "工具箱(&l)", "Panel6"},
    };
    for (const auto &entry : entries) {
        QToolBar *bar = toolBar(QString::fromLatin1(entry.bar));
        auto *toggle = menu->addAction(QString::fromUtf8(entry.caption));
        toggle->setObjectName(QString::fromLatin1(entry.name));
        toggle->setCheckable(true);
        connect(toggle, &QAction::toggled, bar,
                [bar](bool visible) { ToolBarPlacement::ShowBar(*bar, visible); });
    }
    auto *inspectorToggle = menu->addAction(QStringLiteral("对象查看器(&I)"));
    inspectorToggle->setObjectName(QStringLiteral("Pan5"));
    inspectorToggle->setCheckable(true);
    connect(inspectorToggle, &QAction::toggled, this,
            [this](bool visible) { m_inspector->setVisible(visible); });
    // The check marks follow the bars, however they were shown or hidden.
    connect(menu, &QMenu::aboutToShow, this, [this, menu, inspectorToggle] {
        {
            const QSignalBlocker blocker(inspectorToggle);
            inspectorToggle->setChecked(m_inspector->isVisible());
        }
        for (QAction *toggle : menu->actions()) {
            if (toggle == inspectorToggle)
                continue;
            const QString barName = toggle->objectName() == u"Pan6" ? QStringLiteral("Panel5")
                                    : toggle->objectName() == u"Pan7"
                                        ? QStringLiteral("Panel6")
                                        : QStringLiteral("Panel") + toggle->objectName().mid(3);
            if (QToolBar *bar = toolBar(barName)) {
                const QSignalBlocker blocker(toggle);
                toggle->setChecked(ToolBarPlacement::BarVisible(*bar));
            }
        }
    });
}

void TqxDesignerForm::buildFieldTools()
{
    m_fieldList = new FieldListWindow(m_report, m_services.settings, this);
    auto *fieldListToggle = m_actions->toolBarsMenu()->addAction(QStringLiteral("插入数据字段"));
    fieldListToggle->setObjectName(QStringLiteral("Pan8"));
    fieldListToggle->setCheckable(true);
    connect(fieldListToggle, &QAction::toggled, this, [this](bool shown) {
        m_settings.fieldListVisible = shown;
        m_fieldList->setShown(shown);
    });
    connect(this, &TqxDesignerForm::dictionaryChanged, m_fieldList, &FieldListWindow::refresh);
    // The window also closes by itself; the check mark follows it.
    connect(m_fieldList, &FieldListWindow::shownChanged, fieldListToggle,
            [fieldListToggle](bool shown) {
                const QSignalBlocker blocker(fieldListToggle);
                fieldListToggle->setChecked(shown);
            });
    if (!WholeReport)
        return;
    // The first of the extra tools, before any the library registers.
    auto *insertTool = new QAction(dialogs::fieldIcon(), QStringLiteral("插入数据库字段"), this);
    insertTool->setObjectName(QStringLiteral("InsertFieldsTool"));
    insertTool->setData(36);
    connect(insertTool, &QAction::triggered, this, &TqxDesignerForm::insertFields);
    QToolBar *extras = toolBar(QStringLiteral("Panel6"));
    extras->insertAction(extras->actions().value(0), insertTool);
    m_actions->toolboxMenu()->addAction(insertTool);
    m_actions->toolboxMenu()->setEnabled(true);
}

void TqxDesignerForm::stackToolWindows()
{
    dialogs::TqxInspForm &inspector = m_inspector->window();
    auto *stack = new ToolWindowStack(
        *m_scrollBox, inspector, [&inspector] { return inspector.isRolledUp(); },
        [this]() -> QWidget * { return m_fieldList->window(); }, this);
    const auto heightChanged = [stack] { stack->heightChanged(); };
    inspector.HeightChangedHook = heightChanged;
    m_fieldList->setHeightChangedHook(heightChanged);
}

void TqxDesignerForm::insertFields()
{
    if (!DesignedPage || DesignedPage->PageType != model::TqxPage::ptReport)
        return;
    const std::optional<dialogs::InsertFieldsChoice> choice =
        m_services.designerDialogs->chooseFieldsToInsert(engine::DataSourceListing(m_report));
    if (!choice)
        return;
    InsertFieldsCommand command(m_report, m_currentPage, model::TqxGlobals::instance().objects,
                                m_lastFormat, m_settings.gridSize);
    if (command.run(*choice).isEmpty())
        return;
    canvas().stateMachine().selection().setFocusObject(nullptr);
    recordStep(TqxUndoKind::ukInsert);
    afterObjectsChanged();
}

void TqxDesignerForm::connectCommands()
{
    const auto on = [this](const char *name, auto slot) {
        connect(action(QString::fromLatin1(name)), &QAction::triggered, this, slot);
    };
    on("N23", [this] { newFromTemplate(); });
    on("FileBtn1", [this] { newBlankReport(); });
    on("N19", [this] { openReport(); });
    on("N20", [this] { saveReport(); });
    on("N17", [this] { saveReportAs(); });
    on("N8", [this] { editReportOptions(); });
    on("N42", [this] { editDictionary(); });
    on("N25", [this] { editPageOptions(); });
    on("FormImageSet", [this] { chooseFormImage(); });
    on("FormImageClear", [this] { clearFormImage(); });
    on("N39", [this] { previewReport(); });
    on("N10", [this] {
        m_modalResult = kExitResult;
        close();
    });
    on("N46", [this] { undo(); });
    on("N48", [this] { redo(); });
    on("N11", [this] { cutSelection(); });
    on("N12", [this] { copySelection(); });
    on("N13", [this] { paste(); });
    on("N32", [this] { bringToFront(); });
    on("N33", [this] { sendToBack(); });
    on("GB3", [this] { fitToGrid(); });
    on("N27", [this] { deleteSelection(); });
    on("N28", [this] { selectAll(); });
    on("N36", [this] { editSelection(); });
    on("N29", [this] { addPage(); });
    on("N15", [this] { addDialogPage(); });
    on("N30", [this] { deletePage(); });
    on("N14", [this] { editDesignerOptions(); });
    on("N22", [this] { showHelpContents(); });
    on("N35", [this] { startContextHelp(); });
    on("N34", [this] { m_services.designerDialogs->showAbout(); });
    connect(action("GB1"), &QAction::toggled, this, &TqxDesignerForm::setGridShown);
    connect(action("GB2"), &QAction::toggled, this, &TqxDesignerForm::setGridAligned);

    connect(m_tabs, &QTabBar::currentChanged, this, [this](int index) {
        if (index >= 0 && index != m_currentPage)
            showPage(index);
    });
    connect(m_tabs, &PageTabBar::pageMoveRequested, this, &TqxDesignerForm::movePage);
    connect(m_tabs, &PageTabBar::menuRequested, this,
            [this](const QPoint &at) { m_tabMenu->popup(at); });
    connect(m_statusBar, &DesignerStatusBar::unitsPanelDoubleClicked, this,
            [this] { setUnits(nextDesignUnit(m_settings.units)); });
}

void TqxDesignerForm::applyMode()
{
    // A prepared page is edited alone: nothing that concerns files or the page list applies.
    const bool whole = WholeReport;
    for (const char *name :
         {"FileBtn1", "N23", "N19", "N39", "N29", "N30", "N25", "N15", "N42", "N8"}) {
        action(QString::fromLatin1(name))->setEnabled(whole);
    }
    action("OB3")->setEnabled(whole);
    action("OB5")->setEnabled(whole);
}

TqxDesignerPage &TqxDesignerForm::canvas() const
{
    return m_scrollBox->canvas();
}

QAction *TqxDesignerForm::action(const QString &name) const
{
    if (QAction *found = m_actions->action(name))
        return found;
    if (m_objectTools) {
        for (QAction *tool : m_objectTools->actions()) {
            if (tool->objectName() == name)
                return tool;
        }
    }
    return nullptr;
}

QToolBar *TqxDesignerForm::toolBar(const QString &name) const
{
    for (QToolBar *bar : m_bars) {
        if (bar->objectName() == name)
            return bar;
    }
    return nullptr;
}

QList<QToolBar *> TqxDesignerForm::toolBars() const
{
    return m_bars;
}

int TqxDesignerForm::showModal()
{
    setWindowModality(Qt::ApplicationModal);
    show();
    QEventLoop loop;
    connect(this, &TqxDesignerForm::closed, &loop, &QEventLoop::quit);
    loop.exec();
    return m_modalResult;
}

// ---- the designer as the library sees it

bool TqxDesignerForm::IsModified() const
{
    return m_document.isModified();
}

void TqxDesignerForm::MarkModified(bool modified)
{
    m_document.markModified(modified);
    action("N20")->setEnabled(modified);
    if (modified && m_recovery && !m_recoveryTimer.isActive())
        m_recoveryTimer.start();
}

void TqxDesignerForm::PrepareUndoStep()
{
    recordUndoStep(UndoStepKind::Edit);
}

void TqxDesignerForm::preparePageScriptStep()
{
    if (!m_settings.disableUndo && DesignedPage)
        m_undo.recordPageScript(*DesignedPage, m_currentPage);
    MarkModified(true);
    refreshCommands();
}

void TqxDesignerForm::forgetPageSteps()
{
    m_undo.forgetPage(m_currentPage);
    refreshCommands();
}

void TqxDesignerForm::RefreshAfterChange()
{
    canvas().refreshAfterChange();
    updateStatusBar();
    m_inspector->refill();
}

void TqxDesignerForm::RepaintPage()
{
    canvas().update();
}

void TqxDesignerForm::FocusObjectByName(const QString &name)
{
    model::TqxPage *page = DesignedPage;
    model::TqxView *view = page ? page->FindObjectByName(name) : nullptr;
    if (view) {
        canvas().deselectAll();
        canvas().stateMachine().selection().selectOnly(*view);
        canvas().refreshAfterChange();
        selectionChanged();
        return;
    }
    if (name.startsWith(QStringLiteral("Page"), Qt::CaseInsensitive)) {
        bool ok = false;
        const int number = name.mid(4).toInt(&ok);
        if (ok && number >= 1 && number <= m_report.Pages().Count())
            showPage(number - 1);
    }
}

QString TqxDesignerForm::PickDatabaseField(const QString &)
{
    const std::optional<QString> field = m_services.designerDialogs->chooseDataField(m_report);
    return field ? u'[' + *field + u']' : QString();
}

QString TqxDesignerForm::PickExpression(const QString &text)
{
    const std::optional<QString> built =
        m_services.designerDialogs->buildExpression(m_report, text);
    return built ? bracketedExpression(*built) : QString();
}

void TqxDesignerForm::editDictionary()
{
    if (!WholeReport || !m_services.designerDialogs->editDictionary(m_report))
        return;
    MarkModified(true);
    emit dictionaryChanged();
}

// ---- the canvas's host

std::optional<int> TqxDesignerForm::chooseBandType(bool pageIsSubReportTarget)
{
    if (!DesignedPage)
        return std::nullopt;
    return m_services.designerDialogs->chooseBandType(*DesignedPage, pageIsSubReportTarget);
}

void TqxDesignerForm::pressSelectTool()
{
    action("OB1")->setChecked(true);
    m_tool = ObjectTool{};
    m_stickyTool = false;
}

void TqxDesignerForm::recordUndoStep(UndoStepKind kind)
{
    if (m_stepRecorded && kind == UndoStepKind::Delete)
        return; // the command that deletes has recorded its step already
    switch (kind) {
    case UndoStepKind::Insert:
        recordStep(TqxUndoKind::ukInsert);
        break;
    case UndoStepKind::Delete:
        recordStep(TqxUndoKind::ukDelete);
        break;
    case UndoStepKind::Edit:
        recordStep(TqxUndoKind::ukEdit);
        break;
    }
}

void TqxDesignerForm::recordStep(TqxUndoKind kind)
{
    // Every recorded change marks the report, even with undo switched off.
    if (!m_settings.disableUndo && DesignedPage)
        m_undo.record(kind, *DesignedPage, m_currentPage);
    MarkModified(true);
    refreshCommands();
}

void TqxDesignerForm::clearHistories()
{
    m_undo.clear();
    refreshCommands();
}

void TqxDesignerForm::selectionChanged()
{
    refreshCommands();
    updateStatusBar();
    if (m_inspector)
        m_inspector->refill();
}

void TqxDesignerForm::selectionGeometryChanged()
{
    updateStatusBar();
    m_inspector->refill();
}

void TqxDesignerForm::showTrackingRect(const std::optional<TrackingRect> &rect)
{
    m_tracking = rect;
    updateStatusBar();
}

void TqxDesignerForm::openObjectEditor(model::TqxView &view, bool textEditor)
{
    if (auto *chart = dynamic_cast<chart::TqxChartView *>(&view)) {
        editChart(*chart);
        return;
    }
    if (textEditor || view.ObjectKind == model::okText) {
        editObjectText(view);
        return;
    }
    if (!DesignedPage)
        return;
    ObjectEditors editors(*m_services.designerDialogs, m_report,
                          [this] { recordStep(TqxUndoKind::ukEdit); });
    if (editors.open(view, *DesignedPage) == ObjectEditors::Outcome::Changed) {
        RefreshAfterChange();
        return;
    }
}

void TqxDesignerForm::editChart(chart::TqxChartView &chart)
{
    if (!m_services.designerDialogs->editChart(chart, [this] { PrepareUndoStep(); }))
        return;
    MarkModified(true);
    RefreshAfterChange();
}

void TqxDesignerForm::editObjectText(model::TqxView &view)
{
    DesignerDialogs::TextEditing editing;
    editing.syntaxHighlight = m_settings.syntaxHighlight;
    editing.pickExpression = [this] { return PickExpression({}); };
    editing.pickDatabaseField = [this] { return PickDatabaseField({}); };
    editing.prepareUndoStep = [this] { PrepareUndoStep(); };
    if (m_services.designerDialogs->editText(view, editing))
        RefreshAfterChange();
}

void TqxDesignerForm::openContextMenu(const QPoint &globalPosition)
{
    canvasMenu().popup(globalPosition);
}

QMenu &TqxDesignerForm::canvasMenu()
{
    m_canvasMenu->clear();
    m_canvasMenu->addActions(m_actions->canvasMenuActions());
    m_canvasMenu->addSeparator();
    m_canvasMenu->addAction(action("N6"));
    ObjectMenuItems::Dialogs dialogs;
    dialogs.openFont = [this] { openFontDialog(); };
    dialogs.openFormat = [this] { m_inspector->editDisplayFormat(); };
    const std::vector<ObjectMenuItem> items =
        ObjectMenuItems::forSelection(canvas().selection(), dialogs);
    for (const ObjectMenuItem &item : items) {
        if (item.kind == ObjectMenuItem::Kind::Separator) {
            m_canvasMenu->addSeparator();
            continue;
        }
        QAction *entry = m_canvasMenu->addAction(item.caption);
        entry->setEnabled(item.enabled);
        entry->setCheckable(item.kind == ObjectMenuItem::Kind::Check);
        entry->setChecked(item.checked);
        connect(entry, &QAction::triggered, this,
                [this, run = item.run, opensDialog = item.opensDialog] {
                    if (!opensDialog)
                        recordUndoStep(UndoStepKind::Edit);
                    run();
                    RefreshAfterChange();
                });
    }
    return *m_canvasMenu;
}

// ---- enabling and the status bar

int TqxDesignerForm::selectionKind() const
{
    const CanvasSelection &selection = canvas().selection();
    const int clipboard = m_clipboard->isEmpty() ? 0 : 16;
    const int count = selection.count();
    if (count == 0)
        return clipboard;
    if (count > 1)
        return 8 | clipboard;
    const model::TqxView &view = *selection.single();
    if (view.ObjectKind == model::okBand)
        return 1 | clipboard;
    return (view.ObjectKind == model::okText ? 2 : 4) | clipboard;
}

void TqxDesignerForm::refreshCommands()
{
    const int kind = selectionKind() & 15;
    const bool anything = kind != 0;
    const bool reportPage = DesignedPage && DesignedPage->PageType == model::TqxPage::ptReport;
    for (const char *name : {"N27", "N11", "N12", "N32", "N33", "GB3"})
        action(QString::fromLatin1(name))->setEnabled(anything);
    const QMimeData *desktop = QGuiApplication::clipboard()->mimeData();
    action("N13")->setEnabled(!m_clipboard->isEmpty() ||
                              (desktop && desktop->hasFormat(ObjectClipboard::kMimeType)));
    action("N36")->setEnabled(kind == 1 || kind == 2 || kind == 4);
    // A scan belongs to a template page; a prepared page never carries one.
    const bool templatePage = reportPage && WholeReport;
    action("FormImageSet")->setEnabled(templatePage);
    action("FormImageClear")->setEnabled(templatePage && DesignedPage->formImage);
    // A step is undone only on its own page, so the commands say so on the others.
    action("N46")->setEnabled(m_undo.canUndoOn(m_currentPage));
    action("N48")->setEnabled(m_undo.canRedoOn(m_currentPage));
    m_formatting->enable((kind == 2 || kind == 4 || kind == 8) && reportPage,
                         kind == 2 || kind == 8, anything);
    if (DesignedPage) {
        if (const std::optional<FormattingState> state = FormattingState::of(*DesignedPage))
            m_formatting->show(*state);
    }
}

void TqxDesignerForm::updateStatusBar()
{
    StatusBarContent::Input input;
    input.selection = &canvas().selection();
    input.groupBox = &canvas().stateMachine().groupBox();
    input.units = m_settings.units;
    input.insertionToolArmed = !m_tool.isSelect();
    if (m_tracking && m_tracking->isPoint()) {
        // A point is where the mouse is; it is worth showing only when nothing else is.
        if (input.selection->isEmpty() && !input.insertionToolArmed)
            input.mouse = m_tracking->topLeft();
    } else if (m_tracking) {
        input.tracking = m_tracking;
    }
    m_statusBar->setContent(StatusBarContent::compute(input));
}

void TqxDesignerForm::updateCaption()
{
    setWindowTitle(m_document.windowCaption());
}

// ---- pages

void TqxDesignerForm::rebuildTabs()
{
    m_tabs->setCaptions(PageListCommands(m_report.Pages()).tabCaptions(), m_currentPage);
}

void TqxDesignerForm::releasePage()
{
    // Called before the page goes away, so nothing reads it in between.
    canvas().setPage(nullptr, -1);
    DesignedPage = nullptr;
    model::runState().currentPage = nullptr;
}

void TqxDesignerForm::showPage(int index)
{
    model::TqxPages &pages = m_report.Pages();
    if (pages.Count() == 0)
        return;
    m_currentPage = std::clamp(index, 0, int(pages.Count()) - 1);
    DesignedPage = pages.page(m_currentPage);
    model::runState().currentPage = DesignedPage;
    presentPage(*DesignedPage);
    m_scrollBox->horizontalScrollBar()->setValue(0);
    m_scrollBox->verticalScrollBar()->setValue(0);
    canvas().setPage(&pages, m_currentPage);
    rebuildTabs();
    m_tracking.reset();
    selectionChanged();
}

void TqxDesignerForm::presentPage(model::TqxPage &page)
{
    const bool dialogPage = page.PageType == model::TqxPage::ptDialog;
    if (dialogPage && !m_pageWindow) {
        m_pageWindow = new TqxPageForm(this);
        m_pageWindow->setObjectName(QStringLiteral("PageWindow"));
        m_pageWindow->setWindowIcon(windowIcon());
        m_pageWindow->setKeyHandler([this](QKeyEvent *key) { return handleDesignerKey(key); });
        canvas().setParent(m_pageWindow);
        canvas().setAutoFillBackground(true);
        canvas().show();
    } else if (!dialogPage && m_pageWindow) {
        canvas().setParent(m_scrollBox->widget());
        canvas().show();
        delete m_pageWindow;
    }
    if (!m_pageWindow)
        return;
    m_pageWindow->setMoveHook(nullptr);
    m_pageWindow->setGeometry(page.Left, page.Top, page.Width, page.Height);
    m_pageWindow->setWindowTitle(page.Caption);
    QPalette palette = canvas().palette();
    palette.setColor(QPalette::Window, model::toQColor(page.Color));
    canvas().setPalette(palette);
    m_pageWindow->show();
    // Moving or sizing the window moves or sizes the dialog the page becomes.
    m_pageWindow->setMoveHook([this, &page](const QRect &bounds) {
        if (QRect(page.Left, page.Top, page.Width, page.Height) == bounds)
            return;
        page.Left = bounds.x();
        page.Top = bounds.y();
        page.Width = bounds.width();
        page.Height = bounds.height();
        canvas().PlacePage();
        MarkModified(true);
    });
}

void TqxDesignerForm::addPage()
{
    canvas().deselectAll();
    PageListCommands commands(m_report.Pages());
    const qsizetype added = commands.addPage();
    bool unlimitedHeight = m_settings.unlimitedHeight;
    if (m_services.designerDialogs->editPageOptions(*m_report.Pages().page(added),
                                                    unlimitedHeight)) {
        m_settings.unlimitedHeight = unlimitedHeight;
        MarkModified(true);
        showPage(int(added));
    } else {
        m_report.Pages().Delete(added);
        showPage(m_currentPage);
    }
}

void TqxDesignerForm::addDialogPage()
{
    const qsizetype added = PageListCommands(m_report.Pages()).addDialogPage();
    MarkModified(true);
    showPage(int(added));
}

void TqxDesignerForm::deletePage()
{
    if (m_report.Pages().Count() <= 1)
        return;
    if (m_services.dialogs->messageBox(QStringLiteral("删除该页吗?"), QStringLiteral("确认"),
                                       platform::mb_YesNo | platform::mb_IconQuestion) !=
        platform::mrYes)
        return;
    MarkModified(true);
    releasePage();
    PageListCommands(m_report.Pages()).deletePage(m_currentPage);
    clearHistories();
    m_currentPage = 0;
    showPage(0);
}

void TqxDesignerForm::movePage(int from, int to)
{
    if (!PageListCommands(m_report.Pages()).movePage(from, to))
        return;
    clearHistories();
    MarkModified(true);
    // The moved page stays on show, now under its new tab.
    showPage(to);
}

void TqxDesignerForm::editPageOptions()
{
    if (!DesignedPage)
        return;
    bool unlimitedHeight = m_settings.unlimitedHeight;
    if (!m_services.designerDialogs->editPageOptions(*DesignedPage, unlimitedHeight))
        return;
    m_settings.unlimitedHeight = unlimitedHeight;
    MarkModified(true);
    showPage(m_currentPage);
}

void TqxDesignerForm::chooseFormImage()
{
    if (DesignedPage && FormImageCommand(*m_services.dialogs).choose(*DesignedPage))
        formImageChanged();
}

void TqxDesignerForm::clearFormImage()
{
    if (DesignedPage && FormImageCommand(*m_services.dialogs).clear(*DesignedPage))
        formImageChanged();
}

void TqxDesignerForm::formImageChanged()
{
    MarkModified(true);
    refreshCommands();
    RepaintPage();
}

// ---- files

bool TqxDesignerForm::settleUnsavedChanges()
{
    if (!WholeReport || !m_document.isModified())
        return true;
    const int answer =
        m_services.dialogs->messageBox(m_document.saveChangesQuestion(), QStringLiteral("确认"),
                                       platform::mb_YesNoCancel | platform::mb_IconQuestion);
    if (answer == platform::mrCancel)
        return false;
    return answer != platform::mrYes || saveReport();
}

void TqxDesignerForm::afterReportReplaced()
{
    m_fieldList->refresh();
    clearHistories();
    releasePage();
    m_currentPage = 0;
    showPage(0);
    updateCaption();
    action("N20")->setEnabled(m_document.isModified());
}

void TqxDesignerForm::newBlankReport()
{
    if (!settleUnsavedChanges())
        return;
    releasePage();
    m_document.newBlank();
    if (m_recovery)
        m_recovery->discard();
    afterReportReplaced();
}

void TqxDesignerForm::newFromTemplate()
{
    // Taking a gallery template replaces the report, so unsaved changes are settled first.
    if (!settleUnsavedChanges())
        return;
    const std::optional<QString> chosen =
        m_services.designerDialogs->chooseGalleryTemplate(m_report);
    if (!chosen)
        return;
    releasePage();
    m_document.takeGalleryTemplate(*chosen);
    afterReportReplaced();
}

void TqxDesignerForm::openReport()
{
    if (!settleUnsavedChanges())
        return;
    const platform::FileChoice choice = m_services.dialogs->chooseFileToOpen(
        QStringLiteral("打开"), DesignerDocument::openFilters());
    if (choice.fileName.isEmpty())
        return;
    if (choice.filterIndex == 1) {
        if (m_document.openDictionary(choice.fileName))
            MarkModified(true);
        return;
    }
    releasePage();
    const bool opened = m_document.openTemplate(choice.fileName);
    if (opened && m_recovery)
        m_recovery->discard();
    afterReportReplaced();
}

bool TqxDesignerForm::saveReport()
{
    if (m_document.isUntitled())
        return saveReportAs();
    if (!m_document.save())
        return false;
    MarkModified(false);
    if (m_recovery)
        m_recovery->discard();
    updateCaption();
    return true;
}

bool TqxDesignerForm::saveReportAs()
{
    const QString suggested = m_document.isUntitled() ? QString() : m_document.documentName();
    const platform::FileChoice choice = m_services.dialogs->chooseFileToSave(
        QStringLiteral("保存"), DesignerDocument::saveFilters(), suggested, 0);
    if (choice.fileName.isEmpty())
        return false;
    const auto kind = DesignerDocument::SaveKind(std::clamp(choice.filterIndex, 0, 3));
    bool accepted = false;
    if (kind == DesignerDocument::SaveKind::Gallery) {
        const std::optional<DesignerDialogs::GalleryDescription> description =
            m_services.designerDialogs->describeGalleryTemplate();
        accepted =
            description && m_document.saveAsGallery(choice.fileName, description->description,
                                                    description->picture);
        // A gallery template is a copy; the report itself is still unsaved.
        return accepted;
    }
    accepted = m_document.saveAs(kind, choice.fileName);
    if (kind == DesignerDocument::SaveKind::Dictionary)
        return false; // the dictionary alone does not save the report
    if (accepted) {
        MarkModified(false);
        if (m_recovery)
            m_recovery->discard();
        updateCaption();
    }
    return accepted;
}

void TqxDesignerForm::previewReport()
{
    QCoreApplication::processEvents();
    const bool modalPreview = m_report.ModalPreview;
    m_report.ModalPreview = true;
    canvas().deselectAll();
    canvas().setPage(nullptr, -1);
    canvas().setDrawingDisabled(true);
    DesignedPage = nullptr;
    m_inspector->setSuppressed(true);
    // A build reads the template back when it ends, so the canvas takes its page afresh after.
    const auto restore = qScopeGuard([this, modalPreview] {
        m_report.ModalPreview = modalPreview;
        m_report.EMFPages().Clear();
        model::runState().drawingMode = model::DrawingMode::Designing;
        canvas().setDrawingDisabled(false);
        m_inspector->setSuppressed(false);
        showPage(m_currentPage);
        activateWindow();
        QApplication::restoreOverrideCursor();
    });
    const engine::TqxPreviewOutcome outcome = m_report.BuildAndPreview();
    if (outcome == engine::TqxPreviewOutcome::NoPreviewWindow)
        showError(QStringLiteral("没有可用的预览窗口"));
}

// ---- editing

void TqxDesignerForm::selectAll()
{
    canvas().selectAll();
    selectionChanged();
}

void TqxDesignerForm::deleteSelection()
{
    canvas().deleteSelection();
}

void TqxDesignerForm::editSelection()
{
    if (model::TqxView *view = canvas().selection().single())
        openObjectEditor(*view, false);
}

void TqxDesignerForm::afterObjectsChanged()
{
    canvas().refreshAfterChange();
    selectionChanged();
}

void TqxDesignerForm::undo()
{
    if (!DesignedPage || !m_undo.undo(*DesignedPage, m_currentPage))
        return;
    canvas().deselectAll();
    MarkModified(true);
    afterObjectsChanged();
}

void TqxDesignerForm::redo()
{
    if (!DesignedPage || !m_undo.redo(*DesignedPage, m_currentPage))
        return;
    canvas().deselectAll();
    MarkModified(true);
    afterObjectsChanged();
}

void TqxDesignerForm::copySelection()
{
    if (!DesignedPage || canvas().selection().isEmpty())
        return;
    m_clipboard->copySelection(*DesignedPage);
    QGuiApplication::clipboard()->setMimeData(m_clipboard->toMimeData(*DesignedPage));
    refreshCommands();
}

void TqxDesignerForm::cutSelection()
{
    if (!DesignedPage || canvas().selection().isEmpty())
        return;
    recordStep(TqxUndoKind::ukDelete);
    copySelection();
    const QScopedValueRollback<bool> recorded(m_stepRecorded, true);
    canvas().deleteSelection();
    canvas().stateMachine().selection().setFocusObject(nullptr);
    selectionChanged();
}

void TqxDesignerForm::paste()
{
    if (!DesignedPage)
        return;
    QList<QByteArray> streams = m_clipboard->streams();
    // Objects copied in another running copy of the program arrive through the desktop.
    if (const QMimeData *desktop = QGuiApplication::clipboard()->mimeData()) {
        QString problem;
        const std::optional<QList<QByteArray>> offered =
            ObjectClipboard::fromMimeData(*desktop, &problem);
        if (!problem.isEmpty()) {
            showError(problem);
            return;
        }
        if (offered)
            streams = *offered;
    }
    if (streams.isEmpty())
        return;
    const ClipboardPaste::Result result = ClipboardPaste::paste(
        streams, m_report.Pages(), *DesignedPage, canvas().pos(), m_settings.gridSize);
    if (!result.problem.isEmpty()) {
        showError(result.problem);
        return;
    }
    canvas().stateMachine().selection().setFocusObject(nullptr);
    recordStep(TqxUndoKind::ukInsert);
    pageListChanged();
    afterObjectsChanged();
}

void TqxDesignerForm::bringToFront()
{
    if (!DesignedPage || canvas().selection().isEmpty())
        return;
    recordStep(TqxUndoKind::ukReorder);
    ArrangeCommands(*DesignedPage, nullptr, canvas().size()).bringToFront();
    afterObjectsChanged();
}

void TqxDesignerForm::sendToBack()
{
    if (!DesignedPage || canvas().selection().isEmpty())
        return;
    recordStep(TqxUndoKind::ukReorder);
    ArrangeCommands(*DesignedPage, nullptr, canvas().size()).sendToBack();
    afterObjectsChanged();
}

void TqxDesignerForm::fitToGrid()
{
    if (!DesignedPage || canvas().selection().isEmpty())
        return;
    recordStep(TqxUndoKind::ukEdit);
    ArrangeCommands(*DesignedPage, nullptr, canvas().size()).fitToGrid(m_settings.gridSize);
    afterObjectsChanged();
}

void TqxDesignerForm::alignSelection(int button)
{
    if (!DesignedPage || canvas().selection().isEmpty())
        return;
    const CanvasSelection &selection = canvas().selection();
    model::TqxView *reference = selection.focusObject()
                                    ? selection.focusObject()
                                    : DesignedPage->object(selection.lastSelectedIndex());
    recordStep(TqxUndoKind::ukEdit);
    ArrangeCommands(*DesignedPage, reference, canvas().size())
        .align(ArrangeCommands::Alignment(button));
    afterObjectsChanged();
}

void TqxDesignerForm::applyFormatting(int tag)
{
    if (!DesignedPage || canvas().selection().isEmpty())
        return;
    if (tag == kHighlightTag) {
        m_inspector->editHighlight();
        return;
    }
    const auto down = [this](const char *name) {
        return m_formatting->action(QString::fromLatin1(name))->isChecked();
    };
    recordStep(TqxUndoKind::ukEdit);
    SelectionFormatting formatting(*DesignedPage, m_lastFormat);
    switch (tag) {
    case 1:
        formatting.setFrameLine(model::qxftTop, down("FrB1"));
        break;
    case 2:
        formatting.setFrameLine(model::qxftLeft, down("FrB2"));
        break;
    case 3:
        formatting.setFrameLine(model::qxftBottom, down("FrB3"));
        break;
    case 4:
        formatting.setFrameLine(model::qxftRight, down("FrB4"));
        break;
    case 9:
        formatting.setFontStyleBit(model::fsBold, down("FnB1"));
        break;
    case 10:
        formatting.setFontStyleBit(model::fsItalic, down("FnB2"));
        break;
    case 18:
        formatting.setFontStyleBit(model::fsUnderline, down("FnB3"));
        break;
    case 11:
    case 12:
    case 13:
        formatting.setHorizontalAlignment(tag - 11);
        break;
    case 22:
        formatting.setHorizontalAlignment(3);
        break;
    case 14:
        formatting.setRotated(down("AlB4"));
        break;
    case 15:
        formatting.setVerticalAlignment(down("AlB5") ? 1 : down("AlB7") ? 2 : 0);
        break;
    case 20:
        formatting.setAllFrameLines(true);
        break;
    case 21:
        formatting.setAllFrameLines(false);
        break;
    default:
        if (tag >= 25 && tag <= 30)
            formatting.setFrameStyle(tag - 25);
        break;
    }
    afterObjectsChanged();
}

void TqxDesignerForm::applyFontName(const QString &family)
{
    if (!DesignedPage || canvas().selection().isEmpty() || family.isEmpty())
        return;
    recordStep(TqxUndoKind::ukEdit);
    SelectionFormatting(*DesignedPage, m_lastFormat).setFontName(family);
    afterObjectsChanged();
}

void TqxDesignerForm::applyFontSize(const QString &text)
{
    if (!DesignedPage || canvas().selection().isEmpty())
        return;
    if (!SelectionFormatting::parseFontSize(text)) {
        showError(
            QStringLiteral("\"%1\" 不是有效的字体大小, 请输入 1 到 1638 之间的整数。").arg(text));
        refreshCommands();
        return;
    }
    recordStep(TqxUndoKind::ukEdit);
    SelectionFormatting(*DesignedPage, m_lastFormat).setFontSize(text);
    afterObjectsChanged();
}

void TqxDesignerForm::applyFrameWidth(const QString &text)
{
    if (!DesignedPage || canvas().selection().isEmpty())
        return;
    if (!SelectionFormatting::parseFrameWidth(text)) {
        showError(QStringLiteral("\"%1\" 不是有效的框线宽, 请输入一个正数, 例如 1,5。").arg(text));
        refreshCommands();
        return;
    }
    recordStep(TqxUndoKind::ukEdit);
    SelectionFormatting(*DesignedPage, m_lastFormat).setFrameWidth(text);
    afterObjectsChanged();
}

void TqxDesignerForm::applyColour(int tag, model::ColorRef colour)
{
    if (!DesignedPage || canvas().selection().isEmpty())
        return;
    recordStep(TqxUndoKind::ukEdit);
    SelectionFormatting formatting(*DesignedPage, m_lastFormat);
    if (tag == 5)
        formatting.setFillColor(colour);
    else if (tag == 19)
        formatting.setFrameColor(colour);
    else
        formatting.setFontColor(colour);
    afterObjectsChanged();
}

void TqxDesignerForm::openFontDialog()
{
    if (!DesignedPage)
        return;
    model::TqxView *reference = DesignedPage->object(canvas().selection().lastSelectedIndex());
    if (!reference || !reference->Selected || reference->ObjectKind != model::okText ||
        (reference->Restrictions & rsNoEditContents))
        return;
    const auto &text = static_cast<const model::TqxMemoView &>(*reference);
    std::optional<DesignerDialogs::ChosenFont> chosen =
        m_services.designerDialogs->chooseFont(text.Font, text.FontColor);
    if (!chosen)
        return;
    recordStep(TqxUndoKind::ukEdit);
    SelectionFormatting(*DesignedPage, m_lastFormat)
        .applyFontChanges(text.Font, text.FontColor, chosen->font, chosen->colour);
    afterObjectsChanged();
}

// ---- options

void TqxDesignerForm::setUnits(DesignUnit units)
{
    m_settings.units = units;
    updateStatusBar();
    m_inspector->refill();
}

void TqxDesignerForm::setGridShown(bool shown)
{
    m_settings.gridShow = shown;
    const QSignalBlocker blocker(action("GB1"));
    action("GB1")->setChecked(shown);
    canvas().update();
}

void TqxDesignerForm::setGridAligned(bool aligned)
{
    m_settings.gridAlign = aligned;
    const QSignalBlocker blocker(action("GB2"));
    action("GB2")->setChecked(aligned);
}

void TqxDesignerForm::editDesignerOptions()
{
    DesignerSettings edited = m_settings;
    if (!m_services.designerDialogs->editDesignerOptions(edited))
        return;
    const bool lookChanged = edited.grayButtons != m_settings.grayButtons;
    m_settings = edited;
    model::TqxGlobals::instance().showBandTitles = m_settings.bandTitles;
    setGridShown(m_settings.gridShow);
    setGridAligned(m_settings.gridAlign);
    if (lookChanged)
        applyButtonLook();
    showPage(m_currentPage);
    m_inspector->refill();
}

void TqxDesignerForm::editReportOptions()
{
    if (m_services.designerDialogs->editReportOptions(m_report))
        MarkModified(true);
    showPage(m_currentPage);
}

void TqxDesignerForm::applyButtonLook()
{
    for (QToolBar *bar : m_bars) {
        for (QAction *button : bar->actions()) {
            const QIcon colour = button->property("colourIcon").isValid()
                                     ? button->property("colourIcon").value<QIcon>()
                                     : button->icon();
            button->setProperty("colourIcon", colour);
            button->setIcon(m_settings.grayButtons ? grayedUntilHovered(colour) : colour);
        }
    }
}

void TqxDesignerForm::loadSettings()
{
    model::TqxGlobals::instance().showBandTitles = m_settings.bandTitles;
    setGridShown(m_settings.gridShow);
    setGridAligned(m_settings.gridAlign);
    if (m_settings.grayButtons)
        applyButtonLook();
    if (!m_services.settings)
        return;
    ToolBarPlacement::LoadBarPositions(*this, m_bars, *m_services.settings, kFormClass);
    // The extra tools bar has a button only for tools the library registers.
    if (QToolBar *extras = toolBar(QStringLiteral("Panel6"));
        extras && extras->actions().size() < 2)
        extras->hide();
    m_inspector->loadPlacement(*m_services.settings, m_settings.inspectorSplitPixels,
                               m_settings.inspectorVisible);
    dialogs::FormPlacement::restore(*this, *m_services.settings, kFormClass, false);
}

void TqxDesignerForm::saveSettings()
{
    m_settings.inspectorSplitPixels = m_inspector->window().splitPos();
    m_settings.save(*m_services.settings, WholeReport);
    ToolBarPlacement::SaveBarPositions(*this, m_bars, *m_services.settings, kFormClass);
    m_inspector->savePlacement(*m_services.settings);
    dialogs::FormPlacement::save(*this, *m_services.settings, kFormClass);
}

// ---- help

void TqxDesignerForm::showHelpContents()
{
    if (!m_help) {
        m_help = new HelpWindow(this);
        m_help->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_help->showContents();
}

void TqxDesignerForm::startContextHelp()
{
    m_contextHelpArmed = true;
    QApplication::setOverrideCursor(Qt::WhatsThisCursor);
}

void TqxDesignerForm::finishContextHelp(QWidget *target)
{
    m_contextHelpArmed = false;
    QApplication::restoreOverrideCursor();
    auto *button = qobject_cast<QToolButton *>(target);
    QAction *pressed = button ? button->defaultAction() : nullptr;
    if (pressed == action("HelpBtn"))
        return;
    int topic = HelpTopics::topicForControl(0);
    if (pressed && m_objectTools && m_objectTools->actions().contains(pressed))
        topic = HelpTopics::topicForObjectTool(DesignerActions::tagOf(pressed));
    else if (pressed && DesignerActions::tagOf(pressed) >= 0)
        topic = HelpTopics::topicForControl(DesignerActions::tagOf(pressed));
    else if (target && target->property("tag").isValid())
        topic = HelpTopics::topicForControl(target->property("tag").toInt());
    if (!m_help) {
        m_help = new HelpWindow(this);
        m_help->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_help->showTopic(topic);
}

// ---- tools

void TqxDesignerForm::chooseTool(QAction *toolAction)
{
    m_tool = ObjectTool{DesignerActions::tagOf(toolAction)};
    // Shift on the button keeps the tool armed for more than one insertion.
    m_stickyTool =
        !m_tool.isSelect() && (QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier);
    canvas().toolChanged();
    updateStatusBar();
}

// ---- keys, mouse and the window's life

bool TqxDesignerForm::handleDesignerKey(QKeyEvent *key)
{
    const int code = key->key();
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    const bool inText = isTextInput(QApplication::focusWidget());
    const bool anySelected = !canvas().selection().isEmpty();
    switch (code) {
    case Qt::Key_Escape:
        if (canvas().stateMachine().isMouseDown())
            return false;
        pressSelectTool();
        canvas().ResetMouseState();
        canvas().deselectAll();
        canvas().toolChanged();
        selectionChanged();
        return true;
    case Qt::Key_Delete:
        if (modifiers == Qt::ShiftModifier && !inText && action("N11")->isEnabled()) {
            cutSelection();
            return true;
        }
        if (modifiers != Qt::NoModifier || inText || !anySelected)
            return false;
        deleteSelection();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (QApplication::focusWidget() &&
            (QApplication::focusWidget() == m_formatting->fontSizeBox()->lineEdit() ||
             QApplication::focusWidget() == m_formatting->frameWidthBox()->lineEdit())) {
            if (QApplication::focusWidget() == m_formatting->fontSizeBox()->lineEdit())
                applyFontSize(m_formatting->fontSizeBox()->currentText());
            else
                applyFrameWidth(m_formatting->frameWidthBox()->currentText());
            return true;
        }
        if (inText || !canvas().selection().single())
            return false;
        openObjectEditor(*canvas().selection().single(), modifiers & Qt::ControlModifier);
        return true;
    case Qt::Key_F11:
        m_inspector->showAndUnroll();
        return true;
    case Qt::Key_G:
        if (modifiers != Qt::ControlModifier)
            return false;
        setGridShown(!m_settings.gridShow);
        return true;
    case Qt::Key_Insert:
        if (modifiers == Qt::NoModifier && WholeReport && DesignedPage &&
            DesignedPage->PageType == model::TqxPage::ptReport) {
            m_actions->toolBarsMenu()
                ->findChild<QAction *>(QStringLiteral("Pan8"))
                ->setChecked(true);
            m_fieldList->setShown(true);
            return true;
        }
        if (modifiers == Qt::ControlModifier && action("N12")->isEnabled()) {
            copySelection();
            return true;
        }
        if (modifiers == Qt::ShiftModifier && action("N13")->isEnabled()) {
            paste();
            return true;
        }
        return false;
    case Qt::Key_F:
    case Qt::Key_D:
        if (modifiers != Qt::ControlModifier || !anySelected)
            return false;
        applyFormatting(code == Qt::Key_F ? 20 : 21);
        return true;
    case Qt::Key_B:
    case Qt::Key_I:
    case Qt::Key_U: {
        if (modifiers != Qt::ControlModifier || !canvas().selection().single())
            return false;
        const char *button = code == Qt::Key_B ? "FnB1" : code == Qt::Key_I ? "FnB2" : "FnB3";
        QAction *toggle = m_formatting->action(QString::fromLatin1(button));
        toggle->setChecked(!toggle->isChecked());
        applyFormatting(code == Qt::Key_B ? 9 : code == Qt::Key_I ? 10 : 18);
        return true;
    }
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        if (inText)
            return false;
        QScrollBar *bar = m_scrollBox->verticalScrollBar();
        bar->setValue(bar->value() +
                      (code == Qt::Key_PageUp ? -kPageScrollPixels : kPageScrollPixels));
        return true;
    }
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (inText || !anySelected)
            return false;
        QApplication::sendEvent(&canvas(), key);
        return true;
    default:
        if (code >= Qt::Key_1 && code <= Qt::Key_9 && modifiers == Qt::ControlModifier &&
            anySelected) {
            const QString width = QString::number(code - Qt::Key_0);
            m_formatting->frameWidthBox()->setEditText(width);
            applyFrameWidth(width);
            return true;
        }
        return false;
    }
}

bool TqxDesignerForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Wheel && watched == m_scrollBox->viewport()) {
        // A notch scrolls the page by a fixed small step, whatever the desktop's setting.
        auto *wheel = static_cast<QWheelEvent *>(event);
        const int notches = wheel->angleDelta().y() / 120;
        QScrollBar *bar = m_scrollBox->verticalScrollBar();
        bar->setValue(bar->value() - notches * kWheelStepPixels);
        return true;
    }
    if (m_contextHelpArmed && event->type() == QEvent::MouseButtonPress) {
        auto *target = qobject_cast<QWidget *>(watched);
        if (target && (isInside(target, this) || isInside(target, m_pageWindow))) {
            finishContextHelp(target);
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress &&
        (isInside(watched, this) || (m_pageWindow && isInside(watched, m_pageWindow))) &&
        watched != &canvas() && !isInside(watched, &m_inspector->window())) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (handleDesignerKey(key))
            return true;
    }
    return TqxReportDesigner::eventFilter(watched, event);
}

void TqxDesignerForm::showEvent(QShowEvent *event)
{
    TqxReportDesigner::showEvent(event);
    if (!m_firstShow)
        return;
    m_firstShow = false;
    qApp->installEventFilter(this);
    pressSelectTool();
    canvas().PlacePage();
    if (WholeReport && m_settings.fieldListVisible)
        m_actions->toolBarsMenu()->findChild<QAction *>(QStringLiteral("Pan8"))->setChecked(true);
    m_inspector->setVisible(m_settings.inspectorVisible);
    // Asked once the window is on screen, so the question stands in front of it.
    QTimer::singleShot(0, this, &TqxDesignerForm::offerRecoveryCopy);
}

void TqxDesignerForm::closeEvent(QCloseEvent *event)
{
    const int result = m_modalResult;
    m_modalResult = kCloseResult;
    if (!WholeReport || !m_document.isModified()) {
        m_modalResult = result;
    } else {
        const int answer =
            m_services.dialogs->messageBox(m_document.saveChangesQuestion(), QStringLiteral("确认"),
                                           platform::mb_YesNoCancel | platform::mb_IconQuestion);
        if (answer == platform::mrCancel || (answer == platform::mrYes && !saveReport())) {
            event->ignore();
            return;
        }
        m_modalResult = answer == platform::mrYes ? result : kCloseResult;
    }
    m_recoveryTimer.stop();
    if (m_recovery)
        m_recovery->discard();
    if (m_help)
        m_help->close();
    m_settings.inspectorVisible = m_inspector->isVisible();
    event->accept();
    emit closed();
}

// ---- recovery copies

void TqxDesignerForm::writeRecoveryCopy()
{
    if (!m_recovery || !m_document.isModified())
        return;
    m_recovery->write(m_report.templateSnapshot(), m_document.documentName());
}

void TqxDesignerForm::offerRecoveryCopy()
{
    if (!m_recovery)
        return;
    const std::optional<RecoveryCopy::Found> found = m_recovery->findAbandoned();
    if (!found)
        return;
    const QString name =
        found->documentName.isEmpty() || found->documentName == DesignerDocument::kUntitled
            ? QStringLiteral("未命名")
            : found->documentName;
    const int answer = m_services.dialogs->messageBox(
        QStringLiteral("设计器上次没有正常关闭。找到了报表 \"%1\" 未保存的修改 (%2)。\n"
                       "要恢复这些修改吗? 选 \"否\" 将丢弃它们。")
            .arg(name, found->savedAt.toString(QStringLiteral("yyyy/M/d HH:mm"))),
        QStringLiteral("恢复"), platform::mb_YesNo | platform::mb_IconQuestion);
    if (answer != platform::mrYes) {
        RecoveryCopy::remove(*found);
        return;
    }
    QBuffer buffer;
    buffer.setData(found->templateBytes);
    buffer.open(QIODevice::ReadOnly);
    releasePage();
    m_report.ClearReport();
    m_report.ReadTemplate(buffer);
    if (m_report.Pages().Count() == 0)
        PageListCommands(m_report.Pages()).addPage();
    m_document.setDocumentName(found->documentName.isEmpty() ? DesignerDocument::kUntitled
                                                             : found->documentName);
    RecoveryCopy::remove(*found);
    afterReportReplaced();
    MarkModified(true);
}

void TqxDesignerForm::showError(const QString &text)
{
    m_services.dialogs->messageBox(text, QStringLiteral("错误"), platform::mb_IconError);
}

} // namespace tovren::designer
