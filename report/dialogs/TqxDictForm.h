#pragma once

#include "report/dialogs/DictionaryVariables.h"
#include "report/script/TqxVariables.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QListWidget;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace tovren::engine {
class TqxReport;
}
namespace tovren::platform {
class DialogProvider;
}

namespace tovren::dialogs {

class DictionaryAliasTab;
class ReportCatalogue;
class TqxComboEdit;
struct PickerMemory;

/// The dictionary editor ("数据字典"): the report's variables under their categories with
/// their values, the aliases of data sets and fields, and the aliases of report data sources.
///
/// It works on copies of the dictionary's three lists; OK writes them back, Cancel leaves the
/// dictionary as it was.
class TqxDictForm : public QDialog
{
    Q_OBJECT
public:
    /// Nothing given is owned; all must outlive the dialog. @p dialogs may be none.
    TqxDictForm(engine::TqxReport &report, const ReportCatalogue &catalogue, PickerMemory &memory,
                platform::DialogProvider *dialogs, QWidget *parent = nullptr);

    const DictionaryVariables &workVariables() const { return m_variables; }
    const script::TqxVariables &workAliases() const { return m_aliases; }
    const script::TqxVariables &workSourceAliases() const { return m_sourceAliases; }

    QTreeWidget *variableTree() const { return m_tree; }
    QComboBox *valueSources() const { return m_valueSources; }
    QListWidget *valueList() const { return m_valueList; }
    QCheckBox *expressionBox() const { return m_exprBox; }
    TqxComboEdit *expressionEdit() const { return m_exprEdit; }
    DictionaryAliasTab *fieldAliasTab() const { return m_fieldTab; }
    DictionaryAliasTab *sourceAliasTab() const { return m_sourceTab; }
    bool placeholderMode() const { return m_placeholder; }

    void newCategory();
    void newVariable();
    void editSelected();
    void deleteSelected();
    void editList();
    /// The value list's row @p row chosen for the selected variable.
    void chooseValueRow(int row);
    void setExpressionMode(bool on);
    void setExpressionText(const QString &text);

    void done(int result) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildVariableTab();
    void fillTree();
    void fillValueList();
    void nodeSelected();
    void showValue(const QString &value);
    void nodeRenamed(QTreeWidgetItem *node);
    void storeValue(const QString &value);
    QString selectedVariable() const;

    engine::TqxReport &m_report;
    const ReportCatalogue &m_catalogue;
    PickerMemory &m_memory;
    platform::DialogProvider *m_dialogs;
    DictionaryVariables m_variables;
    script::TqxVariables m_aliases;
    script::TqxVariables m_sourceAliases;
    bool m_updating = false;
    bool m_placeholder = false;

    QTabWidget *m_pages = nullptr;
    QTreeWidget *m_tree = nullptr;
    QComboBox *m_valueSources = nullptr;
    QListWidget *m_valueList = nullptr;
    QCheckBox *m_exprBox = nullptr;
    TqxComboEdit *m_exprEdit = nullptr;
    DictionaryAliasTab *m_fieldTab = nullptr;
    DictionaryAliasTab *m_sourceTab = nullptr;
};

} // namespace tovren::dialogs
