#pragma once

#include "report/script/TqxVariables.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace tovren::dialogs {

/// The dictionary editor's working copy of the variable list and what its variable tab does to
/// it: categories are entries whose name starts with a blank, each followed by its variables.
///
/// New names are always unique: "Category" or "Variable" with the smallest free number.
class DictionaryVariables
{
public:
    struct Category
    {
        QString name;
        QStringList variables;
    };

    explicit DictionaryVariables(const script::TqxVariables &variables);

    const script::TqxVariables &list() const { return m_list; }
    script::TqxVariables &list() { return m_list; }
    /// The categories in order with their variables; entries before the first header are not
    /// part of any category and are left out.
    std::vector<Category> categories() const;

    /// Appends a new, empty category and gives its name.
    QString addCategory();
    /// Adds a new variable as the last one of @p category and gives its name.
    QString addVariable(const QString &category);
    /// Removes the category with all its variables.
    void removeCategory(const QString &category);
    void removeVariable(const QString &variable);
    /// Renames in place; false (nothing changed) when another entry has the new name.
    bool renameCategory(const QString &from, const QString &to);
    bool renameVariable(const QString &from, const QString &to);

    QString valueOf(const QString &variable) const;
    void setValue(const QString &variable, const QString &value);

    static QString headerKey(const QString &category) { return u' ' + category; }
    static bool isHeader(const QString &key) { return key.startsWith(u' '); }

private:
    QString uniqueName(const QString &stem, const QString &keyPrefix) const;
    /// Index of the entry after the last variable of the category that starts at @p header.
    qsizetype endOfCategory(qsizetype header) const;
    bool renameEntry(const QString &fromKey, const QString &toKey);

    script::TqxVariables m_list;
};

} // namespace tovren::dialogs
