#include "report/designer/DesignerActions.h"

#include <QAction>
#include <QFile>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>

// The icons live in this library's resources, which a program links in only when asked.
static void initDesignerIcons()
{
    Q_INIT_RESOURCE(icons);
}

namespace tovren::designer {

DesignerActions::DesignerActions(QObject *parent)
    : QObject(parent)
{
    const QKeySequence none;
    const Spec specs[] = {
        // File
        {"N23", "新建(&N)...", QKeySequence(Qt::CTRL | Qt::Key_N), nullptr, nullptr, -1},
        {"FileBtn1", "新建报表", none, "FileBtn1", "新建报表", 40},
        {"N19", "打开(&O)...", QKeySequence(Qt::CTRL | Qt::Key_O), "FileBtn2", "打开报表", 41},
        {"N20", "保存(&S)", QKeySequence(Qt::CTRL | Qt::Key_S), "FileBtn3", "保存报表", 42},
        {"N17", "保存(&a)...", none, nullptr, nullptr, -1},
        {"N42", "数据字典(&D)...", none, nullptr, nullptr, -1},
        {"N8", "报表设置(&R)...", none, nullptr, nullptr, -1},
        {"N25", "页面设置(&P)...", none, "PgB3", "页选项", 54},
        {"FormImageSet", "设置表格底图(&G)...", none, nullptr, nullptr, -1},
        {"FormImageClear", "清除表格底图(&L)", none, nullptr, nullptr, -1},
        {"N39", "预览(&V)", QKeySequence(Qt::CTRL | Qt::Key_P), "FileBtn4", "预览报表", 43},
        {"N10", "退出(&x)", none, "ExitB", "关闭设计器", 58},
        // Edit
        {"N46", "取消(&Undo)", QKeySequence(Qt::CTRL | Qt::Key_Z), "UndoB", "取消最后一次操作", 47},
        {"N48", "重做(&Redo)", QKeySequence(Qt::CTRL | Qt::Key_Y), "RedoB", "重做取消的操作", 48},
        {"N11", "剪切(&U)", QKeySequence(Qt::CTRL | Qt::Key_X), "CutB", "剪切", 44},
        {"N12", "复制(&C)", QKeySequence(Qt::CTRL | Qt::Key_C), "CopyB", "复制", 45},
        {"N13", "粘贴(&P)", QKeySequence(Qt::CTRL | Qt::Key_V), "PstB", "粘贴", 46},
        {"N27", "删除(&D)", none, nullptr, nullptr, -1},
        {"N28", "全选(&a)", QKeySequence(Qt::CTRL | Qt::Key_A), "SelAllB", "全选", 51},
        {"N36", "编辑(&E)...", none, nullptr, nullptr, -1},
        {"N29", "添加页(&A)", none, "PgB1", "添加页", 52},
        {"N15", "添加对话框(&f)", none, "PgB4", "添加对话框", 70},
        {"N30", "删除页(&R)", none, "PgB2", "删除页", 53},
        {"N32", "放到最前面(&f)", none, "ZB1", "放在最前面", 49},
        {"N33", "放到最后面(&b)", none, "ZB2", "放到最后面", 50},
        // Tools
        {"N14", "选项(&O)...", none, nullptr, nullptr, -1},
        // Help
        {"N22", "帮助内容(&H)", QKeySequence(Qt::Key_F1), nullptr, nullptr, -1},
        {"N35", "帮助工具(&t)", QKeySequence(Qt::SHIFT | Qt::Key_F1), "HelpBtn", "显示帮助", 0},
        {"N34", "关于(&A)...", none, nullptr, nullptr, -1},
        // Buttons without a menu item
        {"GB1", "栅格", none, "GB1", "栅格", 55},
        {"GB2", "栅格对齐", none, "GB2", "栅格对齐", 56},
        {"GB3", "匹配栅格", none, "GB3", "匹配栅格", 57},
    };
    for (const Spec &spec : specs)
        add(spec);
    // The delete item shows the key that deletes, which the window's keyboard table handles.
    action(QStringLiteral("N27"))->setText(QStringLiteral("删除(&D)\tDel"));
    action(QStringLiteral("N10"))->setIconText(QStringLiteral("关闭"));
    action(QStringLiteral("N23"))->setIcon(icon(QStringLiteral("FileBtn1")));
    action(QStringLiteral("GB1"))->setCheckable(true);
    action(QStringLiteral("GB2"))->setCheckable(true);
    alias("FileBtn2", "N19");
    alias("FileBtn3", "N20");
    alias("PgB3", "N25");
    alias("N44", "N25");
    alias("FileBtn4", "N39");
    alias("ExitB", "N10");
    alias("UndoB", "N46");
    alias("RedoB", "N48");
    alias("CutB", "N11");
    alias("N2", "N11");
    alias("CopyB", "N12");
    alias("N1", "N12");
    alias("PstB", "N13");
    alias("N3", "N13");
    alias("N5", "N27");
    alias("SelAllB", "N28");
    alias("N16", "N28");
    alias("N6", "N36");
    alias("PgB1", "N29");
    alias("N41", "N29");
    alias("PgB4", "N15");
    alias("N45", "N15");
    alias("PgB2", "N30");
    alias("N43", "N30");
    alias("ZB1", "N32");
    alias("ZB2", "N33");
    alias("HelpBtn", "N35");
}

QIcon DesignerActions::icon(const QString &buttonName)
{
    static const bool initialised = (initDesignerIcons(), true);
    Q_UNUSED(initialised);
    const QString path = QStringLiteral(":/designer/icons/%1.svg").arg(buttonName);
    return QFile::exists(path) ? QIcon(path) : QIcon();
}

QAction *DesignerActions::add(const Spec &spec)
{
    auto *created = new QAction(QString::fromUtf8(spec.caption), this);
    created->setObjectName(QString::fromLatin1(spec.name));
    if (!spec.shortcut.isEmpty()) {
        created->setShortcut(spec.shortcut);
        created->setShortcutContext(Qt::WindowShortcut);
    }
    if (spec.buttonName) {
        created->setIcon(icon(QString::fromLatin1(spec.buttonName)));
        created->setToolTip(QString::fromUtf8(spec.hint));
    }
    created->setData(spec.tag);
    m_actions.insert(created->objectName(), created);
    return created;
}

void DesignerActions::alias(const char *name, const char *existing)
{
    m_actions.insert(QString::fromLatin1(name), action(QString::fromLatin1(existing)));
}

int DesignerActions::tagOf(const QAction *action)
{
    bool ok = false;
    const int tag = action ? action->data().toInt(&ok) : -1;
    return ok ? tag : -1;
}

void DesignerActions::buildMenuBar(QMenuBar &bar)
{
    const auto addItems = [this](QMenu *menu, std::initializer_list<const char *> names) {
        for (const char *name : names) {
            if (!name)
                menu->addSeparator();
            else
                menu->addAction(action(QString::fromLatin1(name)));
        }
    };
    QMenu *file = bar.addMenu(QStringLiteral("文件(&F)"));
    file->setObjectName(QStringLiteral("FileMenu"));
    addItems(file, {"N23", "N19", "N20", "N17", nullptr, "N42", nullptr, "N8", "N25",
                    "FormImageSet", "FormImageClear", "N39", nullptr, "N10"});
    QMenu *edit = bar.addMenu(QStringLiteral("编辑(&E)"));
    edit->setObjectName(QStringLiteral("EditMenu"));
    addItems(edit, {"N46", "N48", nullptr, "N11", "N12", "N13", "N27", "N28", "N36", nullptr, "N29",
                    "N15", "N30", nullptr, "N32", "N33"});
    QMenu *tools = bar.addMenu(QStringLiteral("工具(&T)"));
    tools->setObjectName(QStringLiteral("ToolMenu"));
    m_toolBarsMenu = tools->addMenu(QStringLiteral("工具栏(&T)"));
    m_toolBarsMenu->setObjectName(QStringLiteral("N37"));
    m_toolboxMenu = tools->addMenu(QStringLiteral("工具箱(&l)"));
    m_toolboxMenu->setObjectName(QStringLiteral("MastMenu"));
    m_toolboxMenu->setEnabled(false);
    addItems(tools, {"N14"});
    QMenu *help = bar.addMenu(QStringLiteral("?"));
    help->setObjectName(QStringLiteral("HelpMenu"));
    addItems(help, {"N22", "N35", nullptr, "N34"});
}

QList<QAction *> DesignerActions::canvasMenuActions() const
{
    QList<QAction *> actions;
    for (const char *name : {"N2", "N1", "N3", "N5", "N16"})
        actions.append(action(QString::fromLatin1(name)));
    return actions;
}

QList<QAction *> DesignerActions::tabMenuActions() const
{
    QList<QAction *> actions;
    for (const char *name : {"N41", "N45", "N43", "N44", "FormImageSet", "FormImageClear"})
        actions.append(action(QString::fromLatin1(name)));
    return actions;
}

} // namespace tovren::designer
