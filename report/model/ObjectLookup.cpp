#include "report/model/ObjectLookup.h"

#include "report/model/RecordStream.h"
#include "report/model/TqxPages.h"

#include <QBuffer>

namespace tovren::model {

namespace {

/// The 1-based page number of "PAGEn", or 0 when @p head does not name a page.
int pageNumber(const QString &head)
{
    const QString upper = head.toUpper();
    if (!upper.startsWith(u"PAGE") || upper.size() <= 4 || !upper.at(4).isDigit())
        return 0;
    bool ok = false;
    const int number = upper.mid(4).toInt(&ok);
    return ok ? number : 0;
}

ObjectPath withProperties(TqxObject *object, const QString &propertyPath)
{
    if (object && object->Properties().empty())
        object->RegisterProperties();
    return ObjectPath{object, propertyPath};
}

} // namespace

ObjectPath FindObjectByPath(const QString &path, const TqxPages &pages, TqxView *currentObject)
{
    const qsizetype dot = path.indexOf(u'.');
    if (dot < 0)
        return withProperties(currentObject, path);
    const QString head = path.left(dot);
    const QString rest = path.mid(dot + 1);
    if (const int number = pageNumber(head))
        return withProperties(pages.page(number - 1), rest);
    if (TqxView *view = pages.FindObject(head))
        return withProperties(view, rest);
    if (currentObject) {
        if (currentObject->Properties().empty())
            currentObject->RegisterProperties();
        if (currentObject->findProperty(head))
            return ObjectPath{currentObject, path};
    }
    return {};
}

void copyObject(TqxView &source, TqxView &destination)
{
    destination.Name = source.Name;
    destination.ObjectKind = source.ObjectKind;
    destination.Selected = source.Selected;
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    const quint8 sourceMode = source.RecordMode;
    source.RecordMode = 0;
    RecordWriter writer(buffer);
    source.WriteRecord(writer);
    source.RecordMode = sourceMode;
    buffer.seek(0);
    const quint8 destinationMode = destination.RecordMode;
    destination.RecordMode = 0;
    RecordReader reader(buffer, kCurrentStreamVersion);
    destination.ReadRecord(reader);
    destination.RecordMode = destinationMode;
}

} // namespace tovren::model
