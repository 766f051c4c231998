#include "report/model/ObjectRecord.h"

#include "report/model/RecordStream.h"
#include "report/model/TqxGlobals.h"
#include "report/model/TqxView.h"

namespace tovren::model {

namespace {

// Template records use mode 0, the view's default; only prepared records set it.
constexpr quint8 kPreparedMode = 1;

} // namespace

QString storedClassName(const TqxView &view)
{
    return view.ObjectKind == okAddIn ? view.className() : QString();
}

QString canonicalAddInClassName(const QString &stored)
{
    const QString upper = stored.toUpper();
    if (upper == u"TQXBDELOOKUPCONTROL" || upper == u"TQXIBXLOOKUPCONTROL")
        return QStringLiteral("TqxDBLookupControl");
    return stored;
}

bool isFramedTextClass(const QString &stored)
{
    return stored.toUpper() == u"TQXFRAMEDMEMOVIEW";
}

RecordModeScope::RecordModeScope(TqxView &view, quint8 mode)
    : m_view(view)
    , m_saved(view.RecordMode)
{
    m_view.RecordMode = mode;
}

RecordModeScope::~RecordModeScope()
{
    m_view.RecordMode = m_saved;
}

void writePreparedObject(RecordWriter &writer, TqxView &view)
{
    writer.beginObjectRecord(view.ObjectKind);
    if (view.ObjectKind == okAddIn)
        writer.writeStr(view.className());
    const RecordModeScope prepared(view, kPreparedMode);
    view.WriteRecord(writer);
}

std::unique_ptr<TqxView> readPreparedObject(RecordReader &reader)
{
    const quint8 kind = reader.readByte();
    QString className;
    if (kind == okAddIn)
        className = canonicalAddInClassName(reader.readStr());
    const bool framedText = kind == okAddIn && isFramedTextClass(className);
    std::unique_ptr<TqxView> view = TqxGlobals::instance().objects.CreateObjectByKind(
        framedText ? quint8(okText) : kind, className);
    if (!view)
        throw ERecordFormat("预备页记录的种类不能生成对象");
    view->RecordMode = kPreparedMode;
    view->ReadRecord(reader);
    if (framedText)
        reader.readBytes(kFramedTextTrailerBytes);
    return view;
}

} // namespace tovren::model
