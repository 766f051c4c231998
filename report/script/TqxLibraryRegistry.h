#pragma once

#include "report/script/TqxFunctionLibrary.h"
#include "report/script/TqxInstalledFunctions.h"

#include <memory>
#include <typeindex>
#include <vector>

namespace tovren::script {

/// The function libraries a report asks, in registration order, and their descriptions.
///
/// Each library class is registered once; the registry owns the instances and removes a
/// library's descriptions with it. At most maximumLibraries are kept: registering beyond that is
/// refused instead of overrunning the table.
class TqxLibraryRegistry
{
public:
    static constexpr int maximumLibraries = 64;

    /// Takes @p library; returns false (and drops it) when its class is already registered or the
    /// registry is full.
    bool registerLibrary(std::unique_ptr<TqxFunctionLibrary> library);
    void unregisterLibrary(std::type_index libraryClass);

    /// Asks each library in order; true when one handled @p name and set @p value.
    bool dispatch(const QString &name, const QString &p1, const QString &p2, const QString &p3,
                  Variant &value) const;

    qsizetype count() const { return static_cast<qsizetype>(m_libraries.size()); }
    TqxFunctionLibrary &library(qsizetype index) const { return *m_libraries.at(index); }
    const TqxInstalledFunctions &descriptions() const { return m_descriptions; }
    TqxInstalledFunctions &descriptions() { return m_descriptions; }

private:
    std::vector<std::unique_ptr<TqxFunctionLibrary>> m_libraries;
    TqxInstalledFunctions m_descriptions;
};

} // namespace tovren::script
