#pragma once

#include <QDialog>
#include <functional>
#include <optional>

class QLabel;
class QListWidget;
class QTreeWidget;

namespace tovren::dialogs {

class ReportCatalogue;
class TqxComboEdit;

/// The choices the pickers remember from one opening to the next, for as long as the designer
/// that owns them is open.
struct PickerMemory
{
    QString category;
    QString dataSource;
};

/// The data field picker ("插入数据字段"): the data sources on the left, the fields of the chosen
/// one on the right. After OK, chosenField() is source."field", or empty when no field was
/// selected.
class TqxFieldsForm : public QDialog
{
    Q_OBJECT
public:
    TqxFieldsForm(const ReportCatalogue &catalogue, PickerMemory &memory,
                  QWidget *parent = nullptr);

    QString chosenField() const { return m_chosen; }
    QListWidget *sourceList() const { return m_sources; }
    QListWidget *fieldList() const { return m_fields; }
    void selectSource(int row);

    void done(int result) override;

private:
    const ReportCatalogue &m_catalogue;
    PickerMemory &m_memory;
    QListWidget *m_sources;
    QListWidget *m_fields;
    QString m_chosen;
};

/// The variable picker ("变量"): the dictionary's categories and the system variables. After
/// OK, chosenVariable() is the variable's name, or a system variable's expression name.
class TqxVarForm : public QDialog
{
    Q_OBJECT
public:
    TqxVarForm(const ReportCatalogue &catalogue, PickerMemory &memory, QWidget *parent = nullptr);

    QString chosenVariable() const { return m_chosen; }
    QListWidget *categoryList() const { return m_categories; }
    QListWidget *variableList() const { return m_variables; }
    void selectCategory(int row);

    void done(int result) override;

private:
    bool systemCategoryShown() const;

    const ReportCatalogue &m_catalogue;
    PickerMemory &m_memory;
    QListWidget *m_categories;
    QListWidget *m_variables;
    QString m_chosen;
};

/// The function picker ("可用函数"): categories in a tree under "所有函数", the functions of
/// the chosen one, and the chosen function's signature and description.
class TqxFuncForm : public QDialog
{
    Q_OBJECT
public:
    explicit TqxFuncForm(const ReportCatalogue &catalogue, QWidget *parent = nullptr);

    QString selectedFunction() const;
    /// The signature of the selected function, as shown in bold.
    QString signature() const;
    QString description() const;
    QTreeWidget *categoryTree() const { return m_tree; }
    QListWidget *functionList() const { return m_functions; }
    void selectFunction(const QString &name);

private:
    void fillFunctions();
    void showFunction();

    const ReportCatalogue &m_catalogue;
    QTreeWidget *m_tree;
    QListWidget *m_functions;
    QLabel *m_signature;
    QLabel *m_description;
};

/// The argument dialog ("函数参数"): one box per argument the signature asks for (at most
/// three), each with a button that builds its expression. callText() is the call after OK.
class TqxFuncArgForm : public QDialog
{
    Q_OBJECT
public:
    /// @p buildExpression opens a nested expression builder on the box's text and gives back
    /// its text, or nothing when cancelled.
    TqxFuncArgForm(const QString &name, const QString &signature, const QString &description,
                   std::function<std::optional<QString>(const QString &)> buildExpression,
                   QWidget *parent = nullptr);

    int argumentBoxes() const;
    TqxComboEdit *argumentBox(int index) const { return m_boxes.at(index); }
    QString callText() const { return m_callText; }

    void done(int result) override;

private:
    QString m_name;
    QList<TqxComboEdit *> m_boxes;
    QList<QLabel *> m_labels;
    QString m_callText;
};

} // namespace tovren::dialogs
