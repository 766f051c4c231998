#include "report/engine/TqxComponent.h"

namespace tovren::engine {

TqxComponent::TqxComponent(const QString &name, TqxComponent *owner)
    : QObject(owner)
{
    setObjectName(name);
}

TqxComponent *TqxComponent::owner() const
{
    return qobject_cast<TqxComponent *>(parent());
}

TqxComponent *TqxComponent::findComponent(QStringView name) const
{
    if (name.isEmpty())
        return nullptr;
    for (QObject *child : children()) {
        auto *component = qobject_cast<TqxComponent *>(child);
        if (component && component->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return component;
    }
    return nullptr;
}

} // namespace tovren::engine
