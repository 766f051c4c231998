#include "report/model/TemplateBlockHandler.h"

#include "report/model/RecordStream.h"

namespace tovren::model {

namespace {

constexpr quint16 kDictionaryMarker = 0xFFFE; // word -2

TemplateBlockHandler::NamedValues readNamedValues(RecordReader &reader)
{
    const qint32 count = reader.readInt();
    if (count < 0)
        throw ERecordFormat("数据字典中的数目为负数");
    // Every pair takes bytes, so a corrupt count ends at the stream's end; nothing is
    // reserved from it.
    TemplateBlockHandler::NamedValues values;
    for (qint32 i = 0; i < count; ++i) {
        QString name = reader.readStr();
        QString value = reader.readStr();
        values.append({std::move(name), std::move(value)});
    }
    return values;
}

void writeNamedValues(RecordWriter &writer, const TemplateBlockHandler::NamedValues &values)
{
    writer.writeInt(static_cast<qint32>(values.size()));
    for (const auto &[name, value] : values) {
        writer.writeStr(name);
        writer.writeStr(value);
    }
}

} // namespace

void TemplateBlockHandler::clearDictionary()
{
    m_variables.clear();
    m_fieldAliases.clear();
    m_bandDataSources.clear();
}

void TemplateBlockHandler::readDictionary(RecordReader &reader)
{
    if (reader.readWord() != kDictionaryMarker)
        throw ERecordFormat("数据字典块缺少其标记");
    NamedValues variables = readNamedValues(reader);
    NamedValues aliases = readNamedValues(reader);
    NamedValues sources = readNamedValues(reader);
    m_variables = std::move(variables);
    m_fieldAliases = std::move(aliases);
    m_bandDataSources = std::move(sources);
}

void TemplateBlockHandler::writeDictionary(RecordWriter &writer) const
{
    writer.writeWord(kDictionaryMarker);
    writeNamedValues(writer, m_variables);
    writeNamedValues(writer, m_fieldAliases);
    writeNamedValues(writer, m_bandDataSources);
}

bool TemplateBlockHandler::readExtension(RecordReader &reader)
{
    Q_UNUSED(reader);
    return false;
}

} // namespace tovren::model
