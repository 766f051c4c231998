#pragma once

#include <QDialog>
#include <functional>

namespace tovren::dialogs {

class TqxComboEdit;

/// The condition of a group header: an expression typed in, or built with the expression
/// builder behind the box's button.
class TqxGroupEditorForm : public QDialog
{
    Q_OBJECT
public:
    /// @p pickExpression opens the expression builder on a text and gives back what was built,
    /// or an empty text when nothing was; the typed condition then stays.
    TqxGroupEditorForm(const QString &condition,
                       std::function<QString(const QString &)> pickExpression,
                       QWidget *parent = nullptr);

    QString condition() const;

private:
    TqxComboEdit *m_condition;
    std::function<QString(const QString &)> m_pickExpression;
};

} // namespace tovren::dialogs
