#include "report/script/TqxInstalledFunctions.h"

#include "report/platform/StringTable.h"

#include <algorithm>

namespace tovren::script {

QString categoryText(FunctionCategory category)
{
    return platform::LoadLibraryString(static_cast<int>(category));
}

void TqxInstalledFunctions::AddFunctionDescription(std::type_index library, const QString &name,
                                                   const QString &category,
                                                   const QString &description)
{
    if (category.isEmpty())
        return;
    const bool known =
        std::any_of(m_descriptions.begin(), m_descriptions.end(),
                    [&name](const TqxFunctionDesc &desc) { return desc.name == name; });
    if (!known)
        m_descriptions.push_back({library, name, category, description});
}

QString TqxInstalledFunctions::descriptionOf(const QString &name) const
{
    for (const TqxFunctionDesc &desc : m_descriptions) {
        if (desc.name.compare(name, Qt::CaseInsensitive) == 0)
            return desc.description;
    }
    return {};
}

QStringList TqxInstalledFunctions::categories() const
{
    QStringList result;
    for (const TqxFunctionDesc &desc : m_descriptions) {
        if (!result.contains(desc.category))
            result << desc.category;
    }
    result.sort();
    return result;
}

QStringList TqxInstalledFunctions::functionsOf(const QString &category) const
{
    const bool all = category.isEmpty() || category == categoryText(FunctionCategory::AllFunctions);
    QStringList result;
    for (const TqxFunctionDesc &desc : m_descriptions) {
        if (all || desc.category == category)
            result << desc.name;
    }
    result.sort();
    return result;
}

void TqxInstalledFunctions::removeLibrary(std::type_index library)
{
    std::erase_if(m_descriptions,
                  [library](const TqxFunctionDesc &desc) { return desc.library == library; });
}

} // namespace tovren::script
