#include "report/dialogs/DictionaryAliasTab.h"

#include "report/dialogs/ReportCatalogue.h"
#include "report/script/TqxVariables.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tovren::dialogs {

namespace {

constexpr int kKindRole = Qt::UserRole;
constexpr int kNameRole = Qt::UserRole + 1;
constexpr int kHiddenRole = Qt::UserRole + 2;

QString placeholderText()
{
    return QStringLiteral("[无]");
}

} // namespace

DictionaryAliasTab::DictionaryAliasTab(script::TqxVariables &aliases, const QStringList &allNames,
                                       FieldLister fieldsOf, const Captions &captions,
                                       QWidget *parent)
    : QWidget(parent)
    , m_aliases(aliases)
    , m_fieldsOf(std::move(fieldsOf))
    , m_list(new QListWidget(this))
    , m_tree(new QTreeWidget(this))
    , m_aliasEdit(new QLineEdit(this))
{
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setSortingEnabled(true);
    m_tree->setHeaderHidden(true);

    auto *buttons = new QVBoxLayout;
    buttons->addStretch();
    const auto addButton = [&](const QString &caption, void (DictionaryAliasTab::*command)()) {
        auto *button = new QToolButton(this);
        button->setText(caption);
        button->setFixedWidth(32);
        buttons->addWidget(button);
        connect(button, &QToolButton::clicked, this, command);
    };
    addButton(QStringLiteral(">"), &DictionaryAliasTab::moveSelectedIn);
    addButton(QStringLiteral("<"), &DictionaryAliasTab::moveSelectedOut);
    addButton(QStringLiteral(">>"), &DictionaryAliasTab::moveAllIn);
    addButton(QStringLiteral("<<"), &DictionaryAliasTab::moveAllOut);
    buttons->addStretch();

    auto *appearance = new QGroupBox(QStringLiteral("外观(&A)"), this);
    auto *appearanceLayout = new QGridLayout(appearance);
    auto *aliasLabel = new QLabel(QStringLiteral("别名(&l)"), appearance);
    aliasLabel->setBuddy(m_aliasEdit);
    appearanceLayout->addWidget(aliasLabel, 0, 0);
    appearanceLayout->addWidget(m_aliasEdit, 0, 1);
    if (m_fieldsOf) {
        m_hideBox = new QCheckBox(QStringLiteral("从列表中排除字段(&x)"), appearance);
        appearanceLayout->addWidget(m_hideBox, 1, 0, 1, 2);
        connect(m_hideBox, &QCheckBox::clicked, this, &DictionaryAliasTab::setFieldHidden);
    }

    auto *layout = new QGridLayout(this);
    layout->addWidget(new QLabel(captions.listTitle, this), 0, 0);
    layout->addWidget(m_list, 1, 0);
    layout->addLayout(buttons, 1, 1);
    layout->addWidget(m_tree, 1, 2);
    layout->addWidget(appearance, 2, 0, 1, 3);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(2, 1);

    auto *rootNode = new QTreeWidgetItem(m_tree, {captions.treeRoot});
    rootNode->setData(0, kKindRole, RootNode);
    for (const QString &name : allNames) {
        if (m_aliases.count() > 0 && m_aliases.contains(name))
            addDataSetNode(name);
        else
            addToList(name);
    }
    rootNode->setExpanded(true);
    m_tree->setCurrentItem(rootNode);

    connect(m_list, &QListWidget::itemDoubleClicked, this, &DictionaryAliasTab::moveSelectedIn);
    connect(m_tree, &QTreeWidget::itemExpanded, this, &DictionaryAliasTab::expandDataSet);
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this] { showCurrent(); });
    connect(m_aliasEdit, &QLineEdit::textEdited, this,
            [this](const QString &text) { applyAlias(text); });
    showCurrent();
}

QTreeWidgetItem *DictionaryAliasTab::root() const
{
    return m_tree->topLevelItem(0);
}

void DictionaryAliasTab::addToList(const QString &name)
{
    m_list->addItem(name);
}

QTreeWidgetItem *DictionaryAliasTab::addDataSetNode(const QString &name)
{
    auto *node = new QTreeWidgetItem(root());
    node->setData(0, kKindRole, DataSetNode);
    node->setData(0, kNameRole, name);
    labelNode(node);
    if (m_fieldsOf) {
        auto *placeholder = new QTreeWidgetItem(node, {placeholderText()});
        placeholder->setData(0, kKindRole, PlaceholderNode);
    }
    return node;
}

QString DictionaryAliasTab::fieldAlias(const QString &dataSet, const QString &field,
                                       bool *present) const
{
    const qsizetype entry = FieldAliasKeys::find(m_aliases, dataSet, field);
    *present = entry >= 0;
    return *present ? m_aliases.valueAt(entry).toString() : QString();
}

void DictionaryAliasTab::labelNode(QTreeWidgetItem *node) const
{
    const QString name = node->data(0, kNameRole).toString();
    QString alias;
    if (node->data(0, kKindRole).toInt() == DataSetNode) {
        alias = m_aliases.value(name).toString();
    } else {
        bool present = false;
        alias = fieldAlias(node->parent()->data(0, kNameRole).toString(), name, &present);
        node->setData(0, kHiddenRole, present && alias.isEmpty());
    }
    node->setText(0, alias.isEmpty() ? name : name + QStringLiteral(" {") + alias + u'}');
    if (node->data(0, kHiddenRole).toBool())
        node->setForeground(0, QColor(Qt::gray));
    else
        node->setData(0, Qt::ForegroundRole, QVariant());
}

void DictionaryAliasTab::expandDataSet(QTreeWidgetItem *node)
{
    if (!node || node->data(0, kKindRole).toInt() != DataSetNode || node->childCount() == 0 ||
        node->child(node->childCount() - 1)->data(0, kKindRole).toInt() != PlaceholderNode)
        return;
    qDeleteAll(node->takeChildren());
    QStringList fields = m_fieldsOf(node->data(0, kNameRole).toString());
    fields.sort(Qt::CaseInsensitive);
    for (const QString &field : fields) {
        auto *child = new QTreeWidgetItem(node);
        child->setData(0, kKindRole, FieldNode);
        child->setData(0, kNameRole, field);
        labelNode(child);
    }
    node->setExpanded(true);
}

void DictionaryAliasTab::showCurrent()
{
    const QTreeWidgetItem *node = m_tree->currentItem();
    const int kind = node ? node->data(0, kKindRole).toInt() : RootNode;
    const bool named = kind == DataSetNode || kind == FieldNode;
    m_updating = true;
    QString alias;
    if (kind == DataSetNode) {
        alias = m_aliases.value(node->data(0, kNameRole).toString()).toString();
    } else if (kind == FieldNode) {
        bool present = false;
        alias = fieldAlias(node->parent()->data(0, kNameRole).toString(),
                           node->data(0, kNameRole).toString(), &present);
    }
    m_aliasEdit->setText(alias);
    m_aliasEdit->setEnabled(named);
    if (m_hideBox) {
        m_hideBox->setEnabled(kind == FieldNode);
        m_hideBox->setChecked(kind == FieldNode && node->data(0, kHiddenRole).toBool());
    }
    m_updating = false;
}

void DictionaryAliasTab::removeFieldEntry(const QString &dataSet, const QString &field)
{
    for (qsizetype entry = FieldAliasKeys::find(m_aliases, dataSet, field); entry >= 0;
         entry = FieldAliasKeys::find(m_aliases, dataSet, field))
        m_aliases.removeAt(entry);
}

void DictionaryAliasTab::applyAlias(const QString &alias)
{
    QTreeWidgetItem *node = m_tree->currentItem();
    if (m_updating || !node)
        return;
    const QString name = node->data(0, kNameRole).toString();
    switch (node->data(0, kKindRole).toInt()) {
    case DataSetNode:
        m_aliases.setValue(name, script::Variant(alias));
        break;
    case FieldNode: {
        const QString dataSet = node->parent()->data(0, kNameRole).toString();
        removeFieldEntry(dataSet, name);
        // An empty alias would hide the field; clearing the box only takes the alias away.
        if (!alias.isEmpty())
            m_aliases.setValue(FieldAliasKeys::key(dataSet, name), script::Variant(alias));
        break;
    }
    default:
        return;
    }
    labelNode(node);
    if (m_hideBox) {
        m_updating = true;
        m_hideBox->setChecked(node->data(0, kHiddenRole).toBool());
        m_updating = false;
    }
}

void DictionaryAliasTab::setFieldHidden(bool hidden)
{
    QTreeWidgetItem *node = m_tree->currentItem();
    if (m_updating || !node || node->data(0, kKindRole).toInt() != FieldNode)
        return;
    const QString dataSet = node->parent()->data(0, kNameRole).toString();
    const QString field = node->data(0, kNameRole).toString();
    removeFieldEntry(dataSet, field);
    if (hidden)
        m_aliases.setValue(FieldAliasKeys::key(dataSet, field), script::Variant(QString()));
    labelNode(node);
    showCurrent();
}

void DictionaryAliasTab::moveSelectedIn()
{
    const QList<QListWidgetItem *> selected = m_list->selectedItems();
    if (selected.isEmpty())
        return;
    const int oldRow = m_list->row(selected.first());
    for (QListWidgetItem *item : selected) {
        const QString name = item->text();
        m_aliases.setValue(name, script::Variant(QString()));
        addDataSetNode(name);
        delete item;
    }
    m_tree->setCurrentItem(root());
    if (m_list->count() > 0)
        m_list->setCurrentRow(std::min(oldRow, m_list->count() - 1));
}

void DictionaryAliasTab::moveSelectedOut()
{
    QTreeWidgetItem *node = m_tree->currentItem();
    if (!node || node->data(0, kKindRole).toInt() != DataSetNode)
        return;
    const QString name = node->data(0, kNameRole).toString();
    for (qsizetype i = m_aliases.count() - 1; i >= 0; --i) {
        if (FieldAliasKeys::isFieldKey(m_aliases.nameAt(i), name))
            m_aliases.removeAt(i);
    }
    m_aliases.removeAt(m_aliases.indexOf(name));
    addToList(name);
    delete node;
    m_tree->setCurrentItem(root());
}

void DictionaryAliasTab::moveAllIn()
{
    m_list->selectAll();
    moveSelectedIn();
}

void DictionaryAliasTab::moveAllOut()
{
    QTreeWidgetItem *rootNode = root();
    while (rootNode->childCount() > 0) {
        m_tree->setCurrentItem(rootNode->child(0));
        moveSelectedOut();
    }
    m_aliases.Clear();
    m_tree->setCurrentItem(rootNode);
}

} // namespace tovren::dialogs
