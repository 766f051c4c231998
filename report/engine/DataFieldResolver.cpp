#include "report/engine/DataFieldResolver.h"

#include "report/engine/EngineErrors.h"
#include "report/engine/TqxDBDataSet.h"
#include "report/engine/TqxRecordSet.h"

namespace tovren::engine {

namespace {

TqxRecordSet *recordSetOf(TqxComponent *component)
{
    if (auto *recordSet = qobject_cast<TqxRecordSet *>(component))
        return recordSet;
    if (auto *dataSource = qobject_cast<TqxDataSource *>(component))
        return dataSource->dataSet();
    if (auto *reportSource = qobject_cast<TqxDBDataSet *>(component))
        return reportSource->effectiveDataSet();
    return nullptr;
}

} // namespace

std::optional<DataFieldName> DataFieldName::parse(const QString &text)
{
    const QString trimmed = text.trimmed();
    qsizetype dot = -1;
    QString field;
    // A quoted field name may hold dots of its own: Aqy."No. of pupils".
    if (trimmed.endsWith(u'"') && trimmed.size() > 1) {
        const qsizetype open = trimmed.lastIndexOf(u'"', trimmed.size() - 2);
        if (open > 0 && trimmed[open - 1] == u'.') {
            dot = open - 1;
            field = trimmed.mid(open + 1, trimmed.size() - open - 2);
        }
    }
    if (dot < 0) {
        dot = trimmed.lastIndexOf(u'.');
        field = trimmed.mid(dot + 1);
    }
    if (dot <= 0 || field.isEmpty())
        return std::nullopt;
    return DataFieldName{trimmed.left(dot), field};
}

DataFieldReference ComponentFieldResolver::resolveField(const QString &text) const
{
    const std::optional<DataFieldName> name = DataFieldName::parse(text);
    if (!name)
        return {};
    TqxRecordSet *dataSet = nullptr;
    try {
        dataSet = recordSetOf(m_lookup.find(name->source));
    } catch (const EReportError &) {
        return {};
    }
    if (!dataSet || !dataSet->isActive())
        return {};
    return {dataSet, dataSet->fieldIndex(name->field)};
}

} // namespace tovren::engine
