#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace tovren::dialogs {

class ReportCatalogue;
struct PickerMemory;

/// The expression builder ("表达式编辑器"): an expression typed or put together from operator
/// buttons, data fields, variables and functions. Each insertion replaces the selection; names
/// that are not plain identifiers go in brackets. The caller reads expression() after OK.
class TqxExprForm : public QDialog
{
    Q_OBJECT
public:
    TqxExprForm(const ReportCatalogue &catalogue, PickerMemory &memory, QWidget *parent = nullptr);

    QString expression() const;
    void setExpression(const QString &text);
    QPlainTextEdit *expressionMemo() const { return m_memo; }

    /// What the pickers' choices insert.
    void insertField(const QString &chosenField);
    void insertVariable(const QString &chosenVariable);
    /// A function without arguments goes in by name; a call text as it stands.
    void insertFunctionName(const QString &name);
    void insertCall(const QString &callText);
    void insertOperator(const QString &caption);

    // The buttons, each opening its picker modally.
    void chooseField();
    void chooseVariable();
    void chooseFunction();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void insertText(const QString &text);

    const ReportCatalogue &m_catalogue;
    PickerMemory &m_memory;
    QPlainTextEdit *m_memo;
};

} // namespace tovren::dialogs
