#include "report/model/ReportFormData.h"

#include "report/model/RecordStream.h"

#include <QBuffer>

namespace tovren::model {

QByteArray writeReportFormData(bool storeInForm, const QByteArray &templateStream)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    RecordWriter writer(buffer);
    writer.writeInt(kCurrentStreamVersion);
    if (storeInForm) {
        writer.writeInt(static_cast<qint32>(templateStream.size()));
        writer.writeBytes(templateStream);
    }
    return buffer.data();
}

std::optional<QByteArray> readReportFormData(const QByteArray &formData, bool storeInForm)
{
    QBuffer buffer;
    buffer.setData(formData);
    buffer.open(QIODevice::ReadOnly);
    RecordReader reader(buffer);
    reader.readInt(); // the writer's version; the stream carries its own
    if (!storeInForm)
        return std::nullopt;
    const qint32 count = reader.readInt();
    if (count < 0 || count > buffer.size() - buffer.pos())
        throw ERecordFormat("窗体数据的长度超出了数据末尾");
    return reader.readBytes(count);
}

} // namespace tovren::model
