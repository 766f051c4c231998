#include "report/dialogs/ExpressionPickers.h"

#include "report/dialogs/ExpressionNames.h"
#include "report/dialogs/ReportCatalogue.h"
#include "report/dialogs/TqxComboEdit.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tovren::dialogs {

namespace {

QDialogButtonBox *okCancelButtons(QDialog *dialog)
{
    auto *buttons = new QDialogButtonBox(dialog);
    buttons->addButton(QStringLiteral("确认"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

int rowOf(const QListWidget &list, const QString &text)
{
    const QList<QListWidgetItem *> found = list.findItems(text, Qt::MatchFixedString);
    return found.isEmpty() ? -1 : list.row(found.first());
}

} // namespace

// ---- field picker

TqxFieldsForm::TqxFieldsForm(const ReportCatalogue &catalogue, PickerMemory &memory,
                             QWidget *parent)
    : QDialog(parent)
    , m_catalogue(catalogue)
    , m_memory(memory)
    , m_sources(new QListWidget(this))
    , m_fields(new QListWidget(this))
{
    setWindowTitle(QStringLiteral("插入数据字段"));
    resize(410, 193);
    m_sources->setObjectName(QStringLiteral("DatasetsLB"));
    m_fields->setObjectName(QStringLiteral("FieldsLB"));
    auto *lists = new QHBoxLayout;
    lists->addWidget(m_sources);
    lists->addWidget(m_fields);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addWidget(okCancelButtons(this));

    m_sources->addItems(catalogue.sourceNames());
    connect(m_sources, &QListWidget::currentRowChanged, this, &TqxFieldsForm::selectSource);
    connect(m_fields, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    if (m_sources->count() > 0) {
        const int remembered = rowOf(*m_sources, memory.dataSource);
        m_sources->setCurrentRow(remembered >= 0 ? remembered : 0);
    }
}

void TqxFieldsForm::selectSource(int row)
{
    if (m_sources->currentRow() != row)
        m_sources->setCurrentRow(row);
    m_fields->clear();
    if (row >= 0)
        m_fields->addItems(m_catalogue.fieldNames(m_sources->item(row)->text()));
}

void TqxFieldsForm::done(int result)
{
    const QListWidgetItem *source = m_sources->currentItem();
    if (source)
        m_memory.dataSource = source->text();
    m_chosen.clear();
    const QListWidgetItem *field = m_fields->currentItem();
    if (result == QDialog::Accepted && source && field)
        m_chosen = ExpressionNames::fieldReference(source->text(), field->text());
    QDialog::done(result);
}

// ---- variable picker

TqxVarForm::TqxVarForm(const ReportCatalogue &catalogue, PickerMemory &memory, QWidget *parent)
    : QDialog(parent)
    , m_catalogue(catalogue)
    , m_memory(memory)
    , m_categories(new QListWidget(this))
    , m_variables(new QListWidget(this))
{
    setWindowTitle(QStringLiteral("变量"));
    resize(410, 220);
    m_categories->setObjectName(QStringLiteral("CategoryLB"));
    m_variables->setObjectName(QStringLiteral("VarLB"));
    auto *lists = new QHBoxLayout;
    lists->addWidget(m_categories);
    lists->addWidget(m_variables);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addWidget(okCancelButtons(this));

    m_categories->addItems(catalogue.categories());
    m_categories->addItem(ExpressionNames::systemCategory());
    connect(m_categories, &QListWidget::currentRowChanged, this, &TqxVarForm::selectCategory);
    connect(m_variables, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    const int remembered = rowOf(*m_categories, memory.category);
    m_categories->setCurrentRow(remembered >= 0 ? remembered : 0);
}

bool TqxVarForm::systemCategoryShown() const
{
    return m_categories->currentRow() == m_categories->count() - 1;
}

void TqxVarForm::selectCategory(int row)
{
    if (m_categories->currentRow() != row)
        m_categories->setCurrentRow(row);
    m_variables->clear();
    if (row < 0)
        return;
    m_variables->addItems(systemCategoryShown()
                              ? ExpressionNames::systemVariableCaptions()
                              : m_catalogue.categoryVariables(m_categories->item(row)->text()));
    m_variables->setCurrentRow(0);
}

void TqxVarForm::done(int result)
{
    if (const QListWidgetItem *category = m_categories->currentItem())
        m_memory.category = category->text();
    m_chosen.clear();
    if (result == QDialog::Accepted) {
        if (systemCategoryShown()) {
            const int row = std::max(0, m_variables->currentRow());
            m_chosen = ExpressionNames::systemVariables().value(row);
        } else if (const QListWidgetItem *variable = m_variables->currentItem()) {
            m_chosen = variable->text();
        }
    }
    QDialog::done(result);
}

// ---- function picker

TqxFuncForm::TqxFuncForm(const ReportCatalogue &catalogue, QWidget *parent)
    : QDialog(parent)
    , m_catalogue(catalogue)
    , m_tree(new QTreeWidget(this))
    , m_functions(new QListWidget(this))
    , m_signature(new QLabel(this))
    , m_description(new QLabel(this))
{
    setWindowTitle(QStringLiteral("可用函数"));
    resize(460, 300);
    m_tree->setObjectName(QStringLiteral("Tree1"));
    m_tree->setHeaderHidden(true);
    m_functions->setObjectName(QStringLiteral("FuncLB"));
    m_signature->setObjectName(QStringLiteral("FuncLabel"));
    QFont bold = m_signature->font();
    bold.setBold(true);
    m_signature->setFont(bold);
    m_signature->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_description->setObjectName(QStringLiteral("DescrLabel"));
    m_description->setWordWrap(true);
    m_description->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_description->setMinimumHeight(48);

    auto *root = new QTreeWidgetItem(m_tree, {QStringLiteral("所有函数")});
    for (const QString &category : catalogue.functions().categories())
        new QTreeWidgetItem(root, {category});
    m_tree->expandAll();

    auto *lists = new QHBoxLayout;
    lists->addWidget(m_tree, 2);
    lists->addWidget(m_functions, 3);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addWidget(m_signature);
    layout->addWidget(m_description);
    layout->addWidget(okCancelButtons(this));

    connect(m_tree, &QTreeWidget::currentItemChanged, this, &TqxFuncForm::fillFunctions);
    connect(m_functions, &QListWidget::currentRowChanged, this, &TqxFuncForm::showFunction);
    connect(m_functions, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    m_tree->setCurrentItem(root);
}

void TqxFuncForm::fillFunctions()
{
    const QTreeWidgetItem *node = m_tree->currentItem();
    const bool all = !node || !node->parent();
    m_functions->clear();
    m_functions->addItems(m_catalogue.functions().functionsOf(all ? QString() : node->text(0)));
    m_functions->setCurrentRow(0);
    showFunction();
}

void TqxFuncForm::showFunction()
{
    const auto described = ExpressionNames::FunctionDescription::parse(
        m_catalogue.functions().descriptionOf(selectedFunction()));
    m_signature->setText(described.signature);
    m_description->setText(described.description);
}

QString TqxFuncForm::selectedFunction() const
{
    const QListWidgetItem *item = m_functions->currentItem();
    return item ? item->text() : QString();
}

QString TqxFuncForm::signature() const
{
    return m_signature->text();
}

QString TqxFuncForm::description() const
{
    return m_description->text();
}

void TqxFuncForm::selectFunction(const QString &name)
{
    m_tree->setCurrentItem(m_tree->topLevelItem(0));
    const int row = rowOf(*m_functions, name);
    if (row >= 0)
        m_functions->setCurrentRow(row);
}

// ---- argument dialog

TqxFuncArgForm::TqxFuncArgForm(
    const QString &name, const QString &signature, const QString &description,
    std::function<std::optional<QString>(const QString &)> buildExpression, QWidget *parent)
    : QDialog(parent)
    , m_name(name)
{
    setWindowTitle(QStringLiteral("函数参数"));
    resize(400, 230);
    auto *layout = new QVBoxLayout(this);
    auto *signatureLabel = new QLabel(signature, this);
    QFont bold = signatureLabel->font();
    bold.setBold(true);
    signatureLabel->setFont(bold);
    layout->addWidget(signatureLabel);
    auto *descriptionLabel = new QLabel(description, this);
    descriptionLabel->setWordWrap(true);
    layout->addWidget(descriptionLabel);

    const int shown = std::max(1, ExpressionNames::argumentCount(signature));
    for (int i = 0; i < 3; ++i) {
        auto *label = new QLabel(QStringLiteral("参数 &%1").arg(i + 1), this);
        auto *box = new TqxComboEdit(this);
        box->setObjectName(QStringLiteral("ArgEdit%1").arg(i + 1));
        box->setButtonHint(QStringLiteral("插入表达式"));
        label->setBuddy(box);
        connect(box, &TqxComboEdit::buttonClicked, this, [box, buildExpression] {
            if (!buildExpression)
                return;
            if (const std::optional<QString> built = buildExpression(box->currentText()))
                box->setEditText(*built);
        });
        label->setVisible(i < shown);
        box->setVisible(i < shown);
        layout->addWidget(label);
        layout->addWidget(box);
        m_labels.append(label);
        m_boxes.append(box);
    }
    layout->addStretch();
    layout->addWidget(okCancelButtons(this));
}

int TqxFuncArgForm::argumentBoxes() const
{
    return int(std::count_if(m_boxes.cbegin(), m_boxes.cend(),
                             [this](const TqxComboEdit *box) { return box->isVisibleTo(this); }));
}

void TqxFuncArgForm::done(int result)
{
    QStringList arguments;
    for (const TqxComboEdit *box : m_boxes)
        arguments.append(box->currentText());
    m_callText = ExpressionNames::callText(m_name, arguments);
    QDialog::done(result);
}

} // namespace tovren::dialogs
