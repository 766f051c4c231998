#include "report/dialogs/TqxDictForm.h"

#include "report/dialogs/DictionaryAliasTab.h"
#include "report/dialogs/ExpressionNames.h"
#include "report/dialogs/ExpressionPickers.h"
#include "report/dialogs/ReportCatalogue.h"
#include "report/dialogs/TqxComboEdit.h"
#include "report/dialogs/TqxExprForm.h"
#include "report/dialogs/TqxVaredForm.h"
#include "report/dialogs/VariableValue.h"
#include "report/engine/TqxReport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tovren::dialogs {

namespace {

constexpr int kKindRole = Qt::UserRole;
constexpr int kNameRole = Qt::UserRole + 1;
constexpr int kCategoryNode = 5;
constexpr int kVariableNode = 6;

QString placeholderText()
{
    return QStringLiteral("[无]");
}

QTreeWidgetItem *makeNode(int kind, const QString &name)
{
    auto *node = new QTreeWidgetItem({name});
    node->setData(0, kKindRole, kind);
    node->setData(0, kNameRole, name);
    node->setFlags(node->flags() | Qt::ItemIsEditable);
    if (kind == kCategoryNode) {
        QFont bold = node->font(0);
        bold.setBold(true);
        node->setFont(0, bold);
    }
    return node;
}

} // namespace

TqxDictForm::TqxDictForm(engine::TqxReport &report, const ReportCatalogue &catalogue,
                         PickerMemory &memory, platform::DialogProvider *dialogs, QWidget *parent)
    : QDialog(parent)
    , m_report(report)
    , m_catalogue(catalogue)
    , m_memory(memory)
    , m_dialogs(dialogs)
    , m_variables(report.Dictionary().VariableList)
{
    setWindowTitle(QStringLiteral("数据字典"));
    resize(520, 420);
    m_aliases.Assign(report.Dictionary().AliasList);
    m_sourceAliases.Assign(report.Dictionary().SourceAliasList);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    m_pages->addTab(buildVariableTab(), QStringLiteral("变量"));
    m_fieldTab = new DictionaryAliasTab(
        m_aliases, catalogue.dataSetNames(),
        [this](const QString &dataSet) { return m_catalogue.dataSetFields(dataSet); },
        {QStringLiteral("所有数据集"), QStringLiteral("数据集及字段")}, m_pages);
    m_pages->addTab(m_fieldTab, QStringLiteral("字段别名"));
    m_sourceTab =
        new DictionaryAliasTab(m_sourceAliases, catalogue.reportSourceNames(), {},
                               {QStringLiteral("所有数据源"), QStringLiteral("数据源")}, m_pages);
    m_pages->addTab(m_sourceTab, QStringLiteral("Band 数据源"));

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("确认"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addWidget(buttons);

    fillTree();
    m_tree->setFocus();
}

QWidget *TqxDictForm::buildVariableTab()
{
    auto *tab = new QWidget(this);
    m_tree = new QTreeWidget(tab);
    m_tree->setObjectName(QStringLiteral("VarTree"));
    m_tree->setHeaderHidden(true);
    m_tree->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    m_tree->installEventFilter(this);
    auto *treeLabel = new QLabel(QStringLiteral("变量(&r)"), tab);
    treeLabel->setBuddy(m_tree);

    auto *treeButtons = new QHBoxLayout;
    treeButtons->setSpacing(2);
    const auto addButton = [&](const char *name, const QString &caption,
                               void (TqxDictForm::*command)()) {
        auto *button = new QToolButton(tab);
        button->setObjectName(QString::fromLatin1(name));
        button->setText(caption);
        button->setToolTip(caption);
        treeButtons->addWidget(button);
        connect(button, &QToolButton::clicked, this, command);
    };
    addButton("NewCategoryBtn", QStringLiteral("新建目录"), &TqxDictForm::newCategory);
    addButton("NewVarBtn", QStringLiteral("新建变量"), &TqxDictForm::newVariable);
    addButton("EditBtn", QStringLiteral("编辑"), &TqxDictForm::editSelected);
    addButton("DelBtn", QStringLiteral("删除"), &TqxDictForm::deleteSelected);
    addButton("EditListBtn", QStringLiteral("编辑列表"), &TqxDictForm::editList);
    treeButtons->addStretch();

    m_valueSources = new QComboBox(tab);
    m_valueSources->setObjectName(QStringLiteral("ValCombo"));
    m_valueSources->addItems(m_catalogue.sourceNames());
    m_valueSources->addItem(ExpressionNames::systemCategory());
    m_valueList = new QListWidget(tab);
    m_valueList->setObjectName(QStringLiteral("ValList"));
    auto *valueLabel = new QLabel(QStringLiteral("值(&l)"), tab);
    valueLabel->setBuddy(m_valueSources);

    m_exprBox = new QCheckBox(QStringLiteral("表达式(&x)"), tab);
    m_exprBox->setObjectName(QStringLiteral("ExprCB"));
    m_exprEdit = new TqxComboEdit(tab);
    m_exprEdit->setObjectName(QStringLiteral("ExprEdit"));
    m_exprEdit->setButtonHint(QStringLiteral("插入表达式"));
    m_exprEdit->setEnabled(false);

    auto *layout = new QGridLayout(tab);
    layout->addWidget(treeLabel, 0, 0);
    layout->addWidget(valueLabel, 0, 1);
    layout->addWidget(m_tree, 1, 0, 2, 1);
    layout->addWidget(m_valueSources, 1, 1);
    layout->addWidget(m_valueList, 2, 1);
    layout->addLayout(treeButtons, 3, 0, 1, 2);
    layout->addWidget(m_exprBox, 4, 0, 1, 2);
    layout->addWidget(m_exprEdit, 5, 0, 1, 2);
    layout->setColumnStretch(0, 3);
    layout->setColumnStretch(1, 2);

    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this] { nodeSelected(); });
    connect(m_tree, &QTreeWidget::itemChanged, this,
            [this](QTreeWidgetItem *node) { nodeRenamed(node); });
    connect(m_valueSources, &QComboBox::activated, this, [this] { fillValueList(); });
    connect(m_valueList, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { chooseValueRow(m_valueList->row(item)); });
    connect(m_exprBox, &QCheckBox::clicked, this, &TqxDictForm::setExpressionMode);
    connect(m_exprEdit, &QComboBox::editTextChanged, this, [this](const QString &text) {
        if (!m_updating && m_exprBox->isChecked())
            storeValue(text);
    });
    connect(m_exprEdit, &TqxComboEdit::buttonClicked, this, [this] {
        TqxExprForm builder(m_catalogue, m_memory, this);
        builder.setExpression(m_exprEdit->currentText());
        if (builder.exec() == QDialog::Accepted)
            setExpressionText(builder.expression());
    });
    return tab;
}

void TqxDictForm::fillTree()
{
    m_updating = true;
    m_tree->clear();
    QTreeWidgetItem *category = nullptr;
    for (const DictionaryVariables::Category &entry : m_variables.categories()) {
        category = makeNode(kCategoryNode, entry.name);
        m_tree->addTopLevelItem(category);
        for (const QString &variable : entry.variables)
            category->addChild(makeNode(kVariableNode, variable));
    }
    m_placeholder = m_tree->topLevelItemCount() == 0;
    if (m_placeholder)
        m_tree->addTopLevelItem(new QTreeWidgetItem({placeholderText()}));
    m_tree->setRootIsDecorated(!m_placeholder);
    m_exprBox->setEnabled(!m_placeholder);
    m_tree->expandAll();
    m_updating = false;
    m_tree->setCurrentItem(m_tree->topLevelItem(0));
    nodeSelected();
}

QString TqxDictForm::selectedVariable() const
{
    const QTreeWidgetItem *node = m_tree->currentItem();
    if (!node || node->data(0, kKindRole).toInt() != kVariableNode)
        return {};
    return node->data(0, kNameRole).toString();
}

void TqxDictForm::storeValue(const QString &value)
{
    const QString variable = selectedVariable();
    if (!variable.isEmpty())
        m_variables.setValue(variable, value);
}

void TqxDictForm::nodeSelected()
{
    if (m_updating)
        return;
    const QString variable = selectedVariable();
    m_updating = true;
    m_exprBox->setEnabled(!variable.isEmpty());
    if (variable.isEmpty()) {
        m_exprBox->setChecked(false);
        m_exprEdit->setEditText({});
        m_exprEdit->setEnabled(false);
        m_valueList->clearSelection();
    }
    m_updating = false;
    if (!variable.isEmpty())
        showValue(m_variables.valueOf(variable));
}

void TqxDictForm::fillValueList()
{
    m_valueList->clear();
    m_valueList->addItem(placeholderText());
    const bool system = m_valueSources->currentIndex() == m_valueSources->count() - 1;
    m_valueList->addItems(system ? ExpressionNames::systemVariableCaptions()
                                 : m_catalogue.fieldNames(m_valueSources->currentText()));
}

void TqxDictForm::showValue(const QString &value)
{
    m_updating = true;
    const VariableValue shown = VariableValue::classify(value, m_catalogue);
    int row = 0;
    switch (shown.kind) {
    case VariableValue::Kind::Field:
        m_valueSources->setCurrentIndex(m_valueSources->findText(shown.source));
        fillValueList();
        row = int(m_catalogue.fieldNames(shown.source).indexOf(shown.field)) + 1;
        break;
    case VariableValue::Kind::System:
        m_valueSources->setCurrentIndex(m_valueSources->count() - 1);
        fillValueList();
        row = shown.systemRow;
        break;
    case VariableValue::Kind::Expression:
    case VariableValue::Kind::Empty:
        if (m_valueList->count() == 0)
            fillValueList();
        break;
    }
    m_valueList->setCurrentRow(row);
    const bool expression = shown.kind == VariableValue::Kind::Expression;
    m_exprBox->setChecked(expression);
    m_exprEdit->setEnabled(expression);
    m_exprEdit->setEditText(expression ? shown.expression : QString());
    m_updating = false;
}

void TqxDictForm::chooseValueRow(int row)
{
    if (selectedVariable().isEmpty() || row < 0)
        return;
    m_updating = true;
    m_exprBox->setChecked(false);
    m_exprEdit->setEditText({});
    m_exprEdit->setEnabled(false);
    m_valueList->setCurrentRow(row);
    m_updating = false;
    const bool system = m_valueSources->currentIndex() == m_valueSources->count() - 1;
    if (row == 0)
        storeValue({});
    else if (system)
        storeValue(ExpressionNames::systemVariables().value(row - 1));
    else
        storeValue(VariableValue::fieldValue(m_catalogue, m_valueSources->currentText(),
                                             m_valueList->item(row)->text()));
}

void TqxDictForm::setExpressionMode(bool on)
{
    m_exprBox->setChecked(on);
    m_exprEdit->setEnabled(on);
    m_updating = true;
    m_valueList->setCurrentRow(0);
    m_updating = false;
    if (on) {
        if (!m_tree->hasFocus())
            m_exprEdit->setFocus();
        storeValue(m_exprEdit->currentText());
        return;
    }
    m_exprEdit->setEditText({});
    storeValue({});
}

void TqxDictForm::setExpressionText(const QString &text)
{
    if (!m_exprBox->isChecked())
        setExpressionMode(true);
    m_exprEdit->setEditText(text);
    storeValue(text);
}

void TqxDictForm::newCategory()
{
    const QString name = m_variables.addCategory();
    if (m_placeholder) {
        m_updating = true;
        m_tree->clear();
        m_placeholder = false;
        m_tree->setRootIsDecorated(true);
        m_exprBox->setEnabled(true);
        m_updating = false;
    }
    QTreeWidgetItem *node = makeNode(kCategoryNode, name);
    m_tree->addTopLevelItem(node);
    m_tree->setCurrentItem(node);
    if (isVisible())
        m_tree->editItem(node);
}

void TqxDictForm::newVariable()
{
    QTreeWidgetItem *node = m_tree->currentItem();
    if (m_placeholder || !node) {
        newCategory();
        return;
    }
    QTreeWidgetItem *category = node->parent() ? node->parent() : node;
    const QString name = m_variables.addVariable(category->data(0, kNameRole).toString());
    QTreeWidgetItem *variable = makeNode(kVariableNode, name);
    category->addChild(variable);
    category->setExpanded(true);
    m_tree->setCurrentItem(variable);
    if (isVisible())
        m_tree->editItem(variable);
}

void TqxDictForm::editSelected()
{
    if (!m_placeholder && m_tree->currentItem())
        m_tree->editItem(m_tree->currentItem());
}

void TqxDictForm::deleteSelected()
{
    QTreeWidgetItem *node = m_tree->currentItem();
    if (m_placeholder || !node)
        return;
    const QString name = node->data(0, kNameRole).toString();
    if (node->data(0, kKindRole).toInt() == kCategoryNode)
        m_variables.removeCategory(name);
    else
        m_variables.removeVariable(name);
    delete node;
    if (m_tree->topLevelItemCount() == 0)
        fillTree();
}

void TqxDictForm::nodeRenamed(QTreeWidgetItem *node)
{
    if (m_updating || !node)
        return;
    const QString from = node->data(0, kNameRole).toString();
    const QString to = node->text(0).trimmed();
    const int kind = node->data(0, kKindRole).toInt();
    const bool renamed = kind == kCategoryNode ? m_variables.renameCategory(from, to)
                                               : m_variables.renameVariable(from, to);
    m_updating = true;
    node->setText(0, renamed ? to : from);
    if (renamed)
        node->setData(0, kNameRole, to);
    m_updating = false;
}

void TqxDictForm::editList()
{
    TqxVaredForm editor(m_variables.list(), m_dialogs, this);
    if (editor.exec() == QDialog::Accepted)
        fillTree();
}

bool TqxDictForm::eventFilter(QObject *watched, QEvent *event)
{
    // Keys typed into a label being edited go to its editor, not to the tree.
    if (watched == m_tree && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        switch (key->key()) {
        case Qt::Key_Insert:
            if (modifiers == Qt::ControlModifier || m_placeholder || !m_tree->currentItem())
                newCategory();
            else
                newVariable();
            return true;
        case Qt::Key_Delete:
            deleteSelected();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            editSelected();
            return true;
        case Qt::Key_Escape:
            reject();
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TqxDictForm::done(int result)
{
    if (result == QDialog::Accepted) {
        engine::TqxDataDictionary &dictionary = m_report.Dictionary();
        dictionary.VariableList.Assign(m_variables.list());
        dictionary.AliasList.Assign(m_aliases);
        dictionary.SourceAliasList.Assign(m_sourceAliases);
    }
    QDialog::done(result);
}

} // namespace tovren::dialogs
