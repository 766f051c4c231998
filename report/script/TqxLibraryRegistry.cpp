#include "report/script/TqxLibraryRegistry.h"

#include <algorithm>

namespace tovren::script {

namespace {

std::type_index classOf(const TqxFunctionLibrary &library)
{
    return std::type_index(typeid(library));
}

} // namespace

bool TqxLibraryRegistry::registerLibrary(std::unique_ptr<TqxFunctionLibrary> library)
{
    if (!library || count() >= maximumLibraries)
        return false;
    const std::type_index libraryClass = classOf(*library);
    const bool present =
        std::any_of(m_libraries.begin(), m_libraries.end(),
                    [&](const auto &entry) { return classOf(*entry) == libraryClass; });
    if (present)
        return false;
    library->describeFunctions(m_descriptions);
    m_libraries.push_back(std::move(library));
    return true;
}

void TqxLibraryRegistry::unregisterLibrary(std::type_index libraryClass)
{
    m_descriptions.removeLibrary(libraryClass);
    std::erase_if(m_libraries,
                  [libraryClass](const auto &entry) { return classOf(*entry) == libraryClass; });
}

bool TqxLibraryRegistry::dispatch(const QString &name, const QString &p1, const QString &p2,
                                  const QString &p3, Variant &value) const
{
    return std::any_of(m_libraries.begin(), m_libraries.end(), [&](const auto &library) {
        return library->HandleFunction(name, p1, p2, p3, value);
    });
}

} // namespace tovren::script
