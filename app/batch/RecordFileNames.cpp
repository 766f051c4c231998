#include "app/batch/RecordFileNames.h"

#include "app/batch/SafeFileName.h"
#include "app/db/DbQuery.h"
#include "app/reportbridge/RecordEvaluator.h"
#include "report/model/BracketExpansion.h"

#include <QScopeGuard>
#include <stdexcept>

namespace tovren::app {

QString defaultRecordNameExpression()
{
    return QStringLiteral("[Aqy.\"StudID\"]_[Aqy.\"Name\"]");
}

QStringList recordFileNames(db::TDbQuery &query, const QString &expression, const QString &suffix)
{
    if (expression.trimmed().isEmpty())
        throw std::runtime_error("文件名表达式是空的");
    RecordEvaluator evaluator(query);
    const qsizetype savedRow = query.recNo();
    const auto restore = qScopeGuard([&] {
        if (savedRow >= 0 && savedRow < query.recordCount())
            query.moveTo(savedRow);
    });
    UniqueFileNames unique;
    QStringList names;
    names.reserve(query.recordCount());
    for (qsizetype row = 0; row < query.recordCount(); ++row) {
        query.moveTo(row);
        const QString recordNumber = QString::number(row + 1);
        QString text;
        try {
            text = model::ExpandBrackets(expression, [&](const QString &bracket) {
                return evaluator.evaluate(u'[' + bracket + u']').toString();
            });
        } catch (const std::exception &error) {
            throw std::runtime_error(
                QStringLiteral("第 %1 条记录的文件名无法计算 (表达式 %2): %3")
                    .arg(recordNumber, expression, QString::fromUtf8(error.what()))
                    .toStdString());
        }
        names << unique.claim(safeFileName(text, QStringLiteral("记录%1").arg(recordNumber)),
                              suffix);
    }
    return names;
}

} // namespace tovren::app
