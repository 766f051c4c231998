#pragma once

#include <QString>

namespace tovren::model {

class TqxObject;
class TqxPages;
class TqxView;

/// An object reached from a script name and the property path left for it to answer.
struct ObjectPath
{
    TqxObject *object = nullptr;
    QString propertyPath;
};

/// Resolves the names scripts use: "Prop" on the current object, "Page2.Prop" on the second
/// page, "Memo1.Prop" on the report's object of that name, and "Font.Name" on the current
/// object when it has a property "Font". The found object's property list is built if empty.
ObjectPath FindObjectByPath(const QString &path, const TqxPages &pages, TqxView *currentObject);

/// Makes @p destination a copy of @p source through the template record, as undo and the
/// clipboard do; the destination also takes the name, kind and selection.
void copyObject(TqxView &source, TqxView &destination);

} // namespace tovren::model
