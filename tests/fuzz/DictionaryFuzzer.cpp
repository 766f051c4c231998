// Feeds arbitrary bytes to the data dictionary reader as a .qxd file. A damaged file must raise
// ERecordFormat and leave the dictionary as it was; one that reads must survive being written
// and read back with the same variables, aliases and data-set aliases.

#include "report/engine/TqxDataDictionary.h"
#include "report/model/RecordStream.h"

#include <QBuffer>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

using tovren::engine::TqxDataDictionary;

bool sameLists(const tovren::script::TqxVariables &a, const tovren::script::TqxVariables &b)
{
    if (a.count() != b.count())
        return false;
    for (qsizetype i = 0; i < a.count(); ++i) {
        if (a.nameAt(i) != b.nameAt(i) || a.valueAt(i).toString() != b.valueAt(i).toString())
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QBuffer file;
    file.setData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    file.open(QIODevice::ReadOnly);
    TqxDataDictionary dictionary;
    dictionary.SetVariable(QStringLiteral("Kept"), tovren::script::Variant(QStringLiteral("1")));
    try {
        tovren::model::RecordReader reader(file);
        reader.readByte();
        dictionary.ReadFromStream(reader);
    } catch (const tovren::model::ERecordFormat &) {
        if (dictionary.VariableList.count() != 1)
            std::abort(); // a damaged file must not cost the dictionary its variables
        return 0;
    }

    QBuffer written;
    written.open(QIODevice::WriteOnly);
    tovren::model::RecordWriter writer(written);
    writer.writeByte(TqxDataDictionary::fileVersion);
    dictionary.WriteToStream(writer);
    written.close();
    written.open(QIODevice::ReadOnly);
    TqxDataDictionary again;
    tovren::model::RecordReader reader(written);
    reader.readByte();
    again.ReadFromStream(reader);
    if (!sameLists(again.VariableList, dictionary.VariableList) ||
        !sameLists(again.AliasList, dictionary.AliasList) ||
        !sameLists(again.SourceAliasList, dictionary.SourceAliasList))
        std::abort();
    return 0;
}
