#include "report/designer/ObjectSnapshot.h"

#include "report/model/ObjectRecord.h"
#include "report/model/ObjectRegistry.h"
#include "report/model/RecordStream.h"
#include "report/model/RunState.h"
#include "report/model/TqxGlobals.h"
#include "report/model/TqxView.h"
#include "report/script/Variant.h"

#include <QBuffer>

namespace tovren::designer {

namespace {

std::unique_ptr<model::TqxView> create(quint8 kind, const QString &className)
{
    auto view = model::TqxGlobals::instance().objects.CreateObjectByKind(kind, className);
    if (!view)
        throw model::ERecordFormat("剪贴板中的对象种类无法识别");
    return view;
}

/// Reads a template record into @p view as a template of the current version is read.
void readRecord(model::TqxView &view, const QByteArray &record)
{
    QBuffer buffer;
    buffer.setData(record);
    buffer.open(QIODevice::ReadOnly);
    model::RecordReader reader(buffer, model::kCurrentStreamVersion);
    const model::RecordModeScope design(view, 0);
    const int savedVersion = model::runState().loadingVersion;
    model::runState().loadingVersion = model::kCurrentStreamVersion;
    try {
        view.ReadRecord(reader);
    } catch (...) {
        model::runState().loadingVersion = savedVersion;
        throw;
    }
    model::runState().loadingVersion = savedVersion;
}

} // namespace

ObjectSnapshot ObjectSnapshot::of(model::TqxView &view)
{
    ObjectSnapshot snapshot;
    snapshot.m_kind = view.ObjectKind;
    snapshot.m_className = view.className();
    snapshot.m_objectId = view.ObjectId;
    QBuffer buffer(&snapshot.m_record);
    buffer.open(QIODevice::WriteOnly);
    model::RecordWriter writer(buffer);
    const model::RecordModeScope design(view, 0);
    view.WriteRecord(writer);
    return snapshot;
}

std::unique_ptr<model::TqxView> ObjectSnapshot::rebuild(bool keepObjectId) const
{
    std::unique_ptr<model::TqxView> view = create(m_kind, m_className);
    readRecord(*view, m_record);
    if (keepObjectId)
        view->ObjectId = m_objectId;
    view->SetPropertyValue(QStringLiteral("Name"), script::Variant(view->Name));
    return view;
}

void ObjectSnapshot::restoreInto(model::TqxView &view) const
{
    const bool selected = view.Selected;
    readRecord(view, m_record);
    view.Selected = selected;
    view.SetPropertyValue(QStringLiteral("Name"), script::Variant(view.Name));
}

QByteArray ObjectSnapshot::clipboardStream() const
{
    QByteArray stream;
    QBuffer buffer(&stream);
    buffer.open(QIODevice::WriteOnly);
    model::RecordWriter writer(buffer);
    writer.writeByte(m_kind);
    writer.writeStr(m_className);
    writer.writeBytes(m_record);
    return stream;
}

ObjectSnapshot ObjectSnapshot::fromClipboardStream(const QByteArray &stream)
{
    QBuffer buffer;
    buffer.setData(stream);
    buffer.open(QIODevice::ReadOnly);
    model::RecordReader reader(buffer, model::kCurrentStreamVersion);
    ObjectSnapshot snapshot;
    snapshot.m_kind = reader.readByte();
    snapshot.m_className = reader.readStr();
    snapshot.m_record = stream.mid(reader.pos());
    // Reading the record into a throw-away object proves it whole before anyone relies on it.
    std::unique_ptr<model::TqxView> probe = create(snapshot.m_kind, snapshot.m_className);
    readRecord(*probe, snapshot.m_record);
    snapshot.m_objectId = probe->ObjectId;
    return snapshot;
}

} // namespace tovren::designer
