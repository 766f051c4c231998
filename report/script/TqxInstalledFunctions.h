#pragma once

#include "report/script/FunctionCategory.h"

#include <QString>
#include <QStringList>
#include <typeindex>
#include <vector>

namespace tovren::script {

/// One function as the expression builder lists it: "signature/description" under a category.
struct TqxFunctionDesc
{
    std::type_index library;
    QString name;
    QString category;
    QString description;
};

/// The descriptions of every function the installed libraries offer, in registration order.
///
/// A name is described once: a second description of the same name (compared exactly) is
/// ignored, as is one without a category. Descriptions belong to the library class that added
/// them and go when it is removed.
class TqxInstalledFunctions
{
public:
    void AddFunctionDescription(std::type_index library, const QString &name,
                                const QString &category, const QString &description);
    /// The description of @p name (ignoring case), or "".
    QString descriptionOf(const QString &name) const;
    /// The distinct categories, sorted.
    QStringList categories() const;
    /// The sorted names of @p category; all names for "" or the all-functions category.
    QStringList functionsOf(const QString &category) const;
    void removeLibrary(std::type_index library);

    const std::vector<TqxFunctionDesc> &descriptions() const { return m_descriptions; }

private:
    std::vector<TqxFunctionDesc> m_descriptions;
};

} // namespace tovren::script
