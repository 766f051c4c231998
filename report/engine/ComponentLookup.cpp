#include "report/engine/ComponentLookup.h"

namespace tovren::engine {

void TqxComponentRegistry::registerForm(TqxComponent &form)
{
    if (!m_forms.contains(&form))
        m_forms.append(&form);
}

void TqxComponentRegistry::unregisterForm(const TqxComponent &form)
{
    m_forms.removeIf([&form](const QPointer<TqxComponent> &entry) { return entry == &form; });
}

TqxComponent *TqxComponentRegistry::findForm(QStringView name) const
{
    for (const QPointer<TqxComponent> &form : m_forms) {
        if (form && form->name().compare(name, Qt::CaseInsensitive) == 0)
            return form;
    }
    return nullptr;
}

TqxComponent *TqxComponentLookup::find(const QString &name) const
{
    const QStringList parts = name.split(u'.');
    const auto missing = [&name] { return EClassNotFound(QStringLiteral("Missing ") + name); };
    switch (parts.size()) {
    case 1:
        return m_owner ? m_owner->findComponent(name) : nullptr;
    case 2:
    case 3: {
        const TqxComponent *container = m_registry.findForm(parts[0]);
        if (!container)
            throw missing();
        if (parts.size() == 3) {
            container = container->findComponent(parts[1]);
            if (!container)
                throw missing();
        }
        return container->findComponent(parts.last());
    }
    default:
        throw missing();
    }
}

} // namespace tovren::engine
