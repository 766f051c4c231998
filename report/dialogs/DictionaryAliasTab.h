#pragma once

#include <QWidget>
#include <functional>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace tovren::script {
class TqxVariables;
}

namespace tovren::dialogs {

/// One alias tab of the dictionary editor: the names not offered under aliases in a list, the
/// ones that are in a tree with their aliases, and the buttons that move names between them.
/// With a field lister, data sets open to their fields, which may get an alias or be hidden.
///
/// It edits the alias list it is given (the dialog's working copy) and nothing else. A field
/// entry is written under source."field"; entries in the bare source.field form are read too
/// and replaced when the field is edited.
class DictionaryAliasTab : public QWidget
{
    Q_OBJECT
public:
    using FieldLister = std::function<QStringList(const QString &dataSet)>;

    struct Captions
    {
        QString listTitle;
        QString treeRoot;
    };

    /// @p aliases must outlive the tab; @p fieldsOf is empty for a tab without fields.
    DictionaryAliasTab(script::TqxVariables &aliases, const QStringList &allNames,
                       FieldLister fieldsOf, const Captions &captions, QWidget *parent = nullptr);

    QListWidget *availableList() const { return m_list; }
    QTreeWidget *aliasTree() const { return m_tree; }
    QLineEdit *aliasEdit() const { return m_aliasEdit; }
    /// "从列表中排除字段(&x)"; none on a tab without fields.
    QCheckBox *hideBox() const { return m_hideBox; }

    void moveSelectedIn();
    void moveSelectedOut();
    void moveAllIn();
    void moveAllOut();
    /// Gives the current node @p alias (the alias box's text when it is left).
    void applyAlias(const QString &alias);
    /// Hides or shows again the current field.
    void setFieldHidden(bool hidden);
    /// Opens a data set node to its fields.
    void expandDataSet(QTreeWidgetItem *node);

private:
    enum NodeKind { RootNode = 0, DataSetNode = 1, FieldNode = 2, PlaceholderNode = 3 };

    QTreeWidgetItem *root() const;
    QTreeWidgetItem *addDataSetNode(const QString &name);
    void labelNode(QTreeWidgetItem *node) const;
    void showCurrent();
    void addToList(const QString &name);
    QString fieldAlias(const QString &dataSet, const QString &field, bool *present) const;
    void removeFieldEntry(const QString &dataSet, const QString &field);

    script::TqxVariables &m_aliases;
    FieldLister m_fieldsOf;
    QListWidget *m_list;
    QTreeWidget *m_tree;
    QLineEdit *m_aliasEdit;
    QCheckBox *m_hideBox = nullptr;
    bool m_updating = false;
};

} // namespace tovren::dialogs
