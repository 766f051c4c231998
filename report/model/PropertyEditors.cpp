#include "report/model/PropertyEditors.h"

namespace tovren::model {

void PropertyEditors::add(const QString &className, const QString &propertyName, Editor editor)
{
    m_editors[{className.toUpper(), propertyName.toUpper()}] = std::move(editor);
}

const PropertyEditors::Editor *PropertyEditors::find(const QString &className,
                                                     const QString &propertyName) const
{
    const auto it = m_editors.find({className.toUpper(), propertyName.toUpper()});
    return it == m_editors.end() ? nullptr : &it->second;
}

} // namespace tovren::model
