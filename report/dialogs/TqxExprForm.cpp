#include "report/dialogs/TqxExprForm.h"

#include "report/dialogs/ExpressionNames.h"
#include "report/dialogs/ExpressionPickers.h"
#include "report/dialogs/ReportCatalogue.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tovren::dialogs {

TqxExprForm::TqxExprForm(const ReportCatalogue &catalogue, PickerMemory &memory, QWidget *parent)
    : QDialog(parent)
    , m_catalogue(catalogue)
    , m_memory(memory)
    , m_memo(new QPlainTextEdit(this))
{
    setWindowTitle(QStringLiteral("表达式编辑器"));
    resize(420, 300);
    m_memo->setObjectName(QStringLiteral("ExprMemo"));
    m_memo->installEventFilter(this);

    auto *expressionGroup = new QGroupBox(QStringLiteral("表达式"), this);
    auto *expressionLayout = new QVBoxLayout(expressionGroup);
    expressionLayout->addWidget(m_memo);

    auto *insertGroup = new QGroupBox(QStringLiteral("插入"), this);
    auto *insertLayout = new QGridLayout(insertGroup);
    const auto addPicker = [&](const char *name, const QString &caption, int row,
                               void (TqxExprForm::*command)()) {
        auto *button = new QPushButton(caption, insertGroup);
        button->setObjectName(QString::fromLatin1(name));
        button->setAutoDefault(false);
        insertLayout->addWidget(button, row, 0, 1, 2);
        connect(button, &QPushButton::clicked, this, command);
    };
    addPicker("InsDBBtn", QStringLiteral("字段(&D)..."), 0, &TqxExprForm::chooseField);
    addPicker("InsVarBtn", QStringLiteral("变量(&V)..."), 1, &TqxExprForm::chooseVariable);
    addPicker("InsFuncBtn", QStringLiteral("函数(&F)..."), 2, &TqxExprForm::chooseFunction);
    const QStringList operators{"+", "-",  "*",  "/",   "=",  "<>", ">",
                                "<", ">=", "<=", "And", "Or", "Not"};
    auto *operatorGrid = new QGridLayout;
    operatorGrid->setSpacing(2);
    for (int i = 0; i < operators.size(); ++i) {
        auto *button = new QPushButton(operators.at(i), insertGroup);
        button->setObjectName(QStringLiteral("qxSpeedButton%1").arg(i + 1));
        button->setAutoDefault(false);
        button->setFixedWidth(36);
        operatorGrid->addWidget(button, i / 5, i % 5);
        connect(button, &QPushButton::clicked, this,
                [this, caption = operators.at(i)] { insertOperator(caption); });
    }
    insertLayout->addLayout(operatorGrid, 3, 0, 1, 2);
    insertLayout->setRowStretch(4, 1);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("确认"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *top = new QHBoxLayout;
    top->addWidget(expressionGroup, 1);
    top->addWidget(insertGroup);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(buttons);
    m_memo->setFocus();
}

QString TqxExprForm::expression() const
{
    return m_memo->toPlainText();
}

void TqxExprForm::setExpression(const QString &text)
{
    m_memo->setPlainText(text);
    m_memo->moveCursor(QTextCursor::End);
}

bool TqxExprForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_memo && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        reject();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TqxExprForm::insertText(const QString &text)
{
    m_memo->textCursor().insertText(text);
    m_memo->setFocus();
}

void TqxExprForm::insertOperator(const QString &caption)
{
    insertText(caption + u' ');
}

void TqxExprForm::insertField(const QString &chosenField)
{
    if (!chosenField.isEmpty())
        insertText(ExpressionNames::bracketIfNeeded(chosenField));
}

void TqxExprForm::insertVariable(const QString &chosenVariable)
{
    if (!chosenVariable.isEmpty())
        insertText(ExpressionNames::bracketIfNeeded(chosenVariable));
}

void TqxExprForm::insertFunctionName(const QString &name)
{
    if (!name.isEmpty())
        insertText(ExpressionNames::bracketIfNeeded(name));
}

void TqxExprForm::insertCall(const QString &callText)
{
    insertText(callText);
}

void TqxExprForm::chooseField()
{
    TqxFieldsForm picker(m_catalogue, m_memory, this);
    if (picker.exec() == QDialog::Accepted)
        insertField(picker.chosenField());
}

void TqxExprForm::chooseVariable()
{
    TqxVarForm picker(m_catalogue, m_memory, this);
    if (picker.exec() == QDialog::Accepted)
        insertVariable(picker.chosenVariable());
}

void TqxExprForm::chooseFunction()
{
    TqxFuncForm picker(m_catalogue, this);
    if (picker.exec() != QDialog::Accepted || picker.selectedFunction().isEmpty())
        return;
    const QString name = picker.selectedFunction();
    if (ExpressionNames::argumentCount(picker.signature()) == 0) {
        insertFunctionName(name);
        return;
    }
    const auto nested = [this](const QString &text) -> std::optional<QString> {
        TqxExprForm builder(m_catalogue, m_memory, this);
        builder.setExpression(text);
        if (builder.exec() != QDialog::Accepted)
            return std::nullopt;
        return builder.expression();
    };
    TqxFuncArgForm arguments(name, picker.signature(), picker.description(), nested, this);
    if (arguments.exec() == QDialog::Accepted)
        insertCall(arguments.callText());
}

} // namespace tovren::dialogs
