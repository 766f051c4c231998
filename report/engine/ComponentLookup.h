#pragma once

#include "report/engine/TqxComponent.h"

#include <QList>
#include <QPointer>

namespace tovren::engine {

/// The application-level forms and data modules that reports may name, as in "Form.Component".
///
/// The application registers its forms when it creates them; the registry holds them weakly, so
/// a destroyed form simply stops being found.
class TqxComponentRegistry
{
public:
    void registerForm(TqxComponent &form);
    void unregisterForm(const TqxComponent &form);
    /// The registered form named @p name (ignoring case), or nullptr.
    TqxComponent *findForm(QStringView name) const;

private:
    QList<QPointer<TqxComponent>> m_forms;
};

/// Finds components by the names reports use, relative to the owner of the running report.
///
/// A plain name is a component of the owner; "A.B" is component B of form A; "A.B.C" is
/// component C of component B of form A. A name that cannot be followed (its form or middle part
/// is missing, or it has too many parts) raises EClassNotFound "Missing " plus the name; a final
/// part that is missing gives nullptr.
class TqxComponentLookup
{
public:
    TqxComponentLookup(const TqxComponentRegistry &registry, const TqxComponent *owner)
        : m_registry(registry)
        , m_owner(owner)
    {}

    TqxComponent *find(const QString &name) const;

    /// The component named @p name as a @p T; raises EInvalidCast when it is of another kind.
    template<typename T>
    T *findAs(const QString &name) const;

private:
    const TqxComponentRegistry &m_registry;
    const TqxComponent *m_owner;
};

} // namespace tovren::engine

#include "report/engine/EngineErrors.h"

namespace tovren::engine {

template<typename T>
T *TqxComponentLookup::findAs(const QString &name) const
{
    TqxComponent *const component = find(name);
    if (!component)
        return nullptr;
    T *const typed = qobject_cast<T *>(component);
    if (!typed)
        throw EInvalidCast();
    return typed;
}

} // namespace tovren::engine
