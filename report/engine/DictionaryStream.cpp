#include "report/engine/EngineErrors.h"
#include "report/engine/TqxDataDictionary.h"
#include "report/model/RecordStream.h"
#include "report/platform/TextCodec.h"

#include <QFile>
#include <QHash>
#include <QSaveFile>

namespace tovren::engine {

using script::Variant;

namespace {

constexpr qint16 markerWithPruning = -1;
constexpr qint16 currentMarker = -2;

enum OldDefinitionKind : quint8 { OldDataField = 1, OldSystemOrExpression = 2 };

void writeList(model::RecordWriter &writer, const script::TqxVariables &list)
{
    writer.writeInt(static_cast<qint32>(list.count()));
    for (qsizetype i = 0; i < list.count(); ++i) {
        writer.writeStr(list.nameAt(i));
        writer.writeStr(list.valueAt(i).toString());
    }
}

void readList(model::RecordReader &reader, script::TqxVariables &list)
{
    const qint32 count = reader.readInt();
    if (count < 0)
        throw model::ERecordFormat("数据字典中的条目数为负数");
    for (qint32 i = 0; i < count; ++i) {
        const QString name = reader.readStr();
        list.setValue(name, Variant(reader.readStr()));
    }
}

QString readShortString(model::RecordReader &reader)
{
    const quint8 length = reader.readByte();
    return platform::decode8Bit(reader.readBytes(length));
}

QString oldSystemVariable(qint32 number)
{
    static const QStringList names{
        QStringLiteral("PAGE#"),      QString(),
        QStringLiteral("DATE"),       QStringLiteral("TIME"),
        QStringLiteral("LINE#"),      QStringLiteral("LINETHROUGH#"),
        QStringLiteral("COLUMN#"),    QStringLiteral("CURRENT#"),
        QStringLiteral("TOTALPAGES"), QStringLiteral("REPORTCOMMENT"),
        QStringLiteral("REPORTNAME"), QStringLiteral("REPORTAUTOR"),
        QStringLiteral("VMAJOR"),     QStringLiteral("VMINOR"),
        QStringLiteral("VRELEASE"),   QStringLiteral("VBUILD"),
        QStringLiteral("REPORTDATE"), QStringLiteral("REPORTLASTCHANGE"),
    };
    return names.value(number);
}

/// The form written before the lists were stored as named values: typed definitions, then the
/// display order as a list of lines.
void readOldForm(model::RecordReader &reader, script::TqxVariables &variables)
{
    const qint32 count = reader.readInt();
    if (count < 0)
        throw model::ERecordFormat("数据字典中的定义数为负数");
    QHash<QString, QString> definitions;
    for (qint32 i = 0; i < count; ++i) {
        const quint8 kind = reader.readByte();
        const qint32 number = reader.readInt();
        const QString source = readShortString(reader);
        const QString field = readShortString(reader);
        const QString name = readShortString(reader);
        QString value;
        if (kind == OldDataField)
            value = source + QStringLiteral(".\"") + field + u'"';
        else if (kind == OldSystemOrExpression)
            value = number == 1 ? field : oldSystemVariable(number);
        definitions.insert(QStringLiteral(" ") + name, value);
    }
    for (const QString &line : reader.readStrList()) {
        if (!line.isEmpty() && !line.startsWith(u' '))
            variables.setValue(line, Variant(QString()));
        else
            variables.setValue(line, Variant(definitions.value(line)));
    }
}

/// Older lists marked variables with the leading space and left categories bare.
void toggleOldMarking(script::TqxVariables &variables)
{
    if (variables.count() == 0)
        return;
    const QString first = variables.nameAt(0);
    if (first.isEmpty() || first.startsWith(u' '))
        return;
    script::TqxVariables toggled;
    for (qsizetype i = 0; i < variables.count(); ++i) {
        const QString name = variables.nameAt(i);
        toggled.setValue(name.startsWith(u' ') ? name.mid(1) : QStringLiteral(" ") + name,
                         variables.valueAt(i));
    }
    variables = toggled;
}

void removeEmptyAliases(script::TqxVariables &list, const DataFieldResolver *existingFields)
{
    for (qsizetype i = list.count() - 1; i >= 0; --i) {
        if (!list.valueAt(i).toString().isEmpty())
            continue;
        if (existingFields && existingFields->resolveField(list.nameAt(i)))
            continue;
        list.removeAt(i);
    }
}

} // namespace

void TqxDataDictionary::WriteToStream(model::RecordWriter &writer) const
{
    writer.writeWord(static_cast<quint16>(currentMarker));
    writeList(writer, VariableList);
    writeList(writer, AliasList);
    writeList(writer, SourceAliasList);
}

void TqxDataDictionary::ReadFromStream(model::RecordReader &reader,
                                       const DataFieldResolver *existingFields)
{
    // Read into fresh lists so that a damaged block leaves the dictionary untouched.
    script::TqxVariables variables;
    script::TqxVariables aliases;
    script::TqxVariables sourceAliases;
    const auto marker = static_cast<qint16>(reader.readWord());
    if (marker == markerWithPruning || marker == currentMarker) {
        readList(reader, variables);
        readList(reader, aliases);
        readList(reader, sourceAliases);
    } else {
        reader.seek(reader.pos() - 2);
        readOldForm(reader, variables);
    }
    toggleOldMarking(variables);
    if (marker == markerWithPruning) {
        // Without the fields at hand only the report-source aliases can be judged.
        if (existingFields)
            removeEmptyAliases(aliases, existingFields);
        removeEmptyAliases(sourceAliases, nullptr);
    }
    VariableList = variables;
    AliasList = aliases;
    SourceAliasList = sourceAliases;
    HiddenSources.clear();
    ClearCache();
}

void TqxDataDictionary::LoadFile(const QString &fileName, const DataFieldResolver *existingFields)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EReportError(QStringLiteral("无法打开数据字典文件 ") + fileName);
    try {
        model::RecordReader reader(file);
        reader.readByte(); // the version byte; the block carries its own marker
        ReadFromStream(reader, existingFields);
    } catch (const model::ERecordFormat &) {
        throw EReportError(QStringLiteral("数据字典文件已损坏: ") + fileName);
    }
}

void TqxDataDictionary::SaveFile(const QString &fileName) const
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw EReportError(QStringLiteral("无法写入数据字典文件 ") + fileName);
    model::RecordWriter writer(file);
    writer.writeByte(fileVersion);
    WriteToStream(writer);
    if (!file.commit())
        throw EReportError(QStringLiteral("无法写入数据字典文件 ") + fileName);
}

} // namespace tovren::engine
