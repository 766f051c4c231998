#pragma once

#include <QString>
#include <functional>
#include <map>
#include <utility>

namespace tovren::model {

class TqxView;

/// Editor dialogs that object classes offer for their own properties, found by class name and
/// property name. The designer's inspector gives a row a "..." button when an editor is
/// registered here for the shown object's class, so an add-in kind (the chart, for one) brings
/// its editor without the designer knowing the class.
///
/// An editor calls @p beforeChange once before it changes the object, so the designer records
/// the undo step first, and returns whether it changed anything.
class PropertyEditors
{
public:
    using Editor = std::function<bool(TqxView &object, const std::function<void()> &beforeChange)>;

    /// Replaces any editor registered for the same class and property.
    void add(const QString &className, const QString &propertyName, Editor editor);
    /// The editor for the property, names compared ignoring case; null when there is none.
    const Editor *find(const QString &className, const QString &propertyName) const;

private:
    std::map<std::pair<QString, QString>, Editor> m_editors;
};

} // namespace tovren::model
