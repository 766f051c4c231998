#include "app/reportbridge/OverflowRecords.h"

#include "app/db/InfoTable.h"
#include "report/engine/TextOverflowCheck.h"
#include "report/engine/TqxEMFPages.h"
#include "report/engine/TqxReport.h"
#include "report/model/TqxMemoView.h"
#include "report/model/TqxPage.h"
#include "report/model/TqxPages.h"

#include <QHash>
#include <QRegularExpression>

namespace tovren::app {

namespace {

/// The fields a text object's brackets name, such as City in [Aqy."City"].
QStringList fieldsShownBy(const model::TqxMemoView &memo)
{
    static const QRegularExpression field(QStringLiteral(R"re(\[\s*\w+\s*\.\s*"([^"]+)"\s*\])re"));
    QStringList fields;
    for (const QString &line : memo.Memo) {
        for (const QRegularExpressionMatch &match : field.globalMatch(line))
            fields << match.captured(1);
    }
    return fields;
}

QString titled(const QString &fieldName)
{
    const QString label = db::InfoTable::labelFor(fieldName);
    return label.isEmpty() ? fieldName : label;
}

QString shownText(model::TqxPage &page, const QString &objectName)
{
    const auto *memo = dynamic_cast<const model::TqxMemoView *>(page.FindObjectByName(objectName));
    return memo ? memo->Memo.join(QString()).remove(QChar(1)).trimmed() : QString();
}

} // namespace

void nameOverflowRecords(std::vector<engine::TextOverflow> &overflows, engine::TqxReport &report,
                         qsizetype firstRecordRow, qsizetype recordCount)
{
    if (overflows.empty() || report.Pages().Count() == 0 ||
        report.EMFPages().Count() != recordCount)
        return;
    // Which template object shows which field, and which ones show who the graduate is.
    QHash<QString, QStringList> fieldsOf;
    QString studentNumberObject;
    QString nameObject;
    const model::TqxPage &form = *report.Pages().page(0);
    for (qsizetype i = 0; i < form.objectCount(); ++i) {
        const auto *memo = dynamic_cast<const model::TqxMemoView *>(form.object(i));
        if (!memo)
            continue;
        const QStringList fields = fieldsShownBy(*memo);
        fieldsOf.insert(memo->Name, fields);
        if (fields == QStringList{QStringLiteral("StudID")} && studentNumberObject.isEmpty())
            studentNumberObject = memo->Name;
        if (fields == QStringList{QStringLiteral("Name")} && nameObject.isEmpty())
            nameObject = memo->Name;
    }

    engine::TqxEMFPages &pages = report.EMFPages();
    for (engine::TextOverflow &overflow : overflows) {
        const qsizetype index = overflow.pageNumber - 1;
        if (index < 0 || index >= pages.Count())
            continue;
        model::TqxPage &page = pages.Unpack(index);
        QStringList who;
        for (const QString &object : {studentNumberObject, nameObject}) {
            const QString shown = object.isEmpty() ? QString() : shownText(page, object);
            if (!shown.isEmpty())
                who << shown;
        }
        overflow.record = QStringLiteral("第 %1 条记录").arg(firstRecordRow + overflow.pageNumber);
        if (!who.isEmpty())
            overflow.record += u' ' + who.join(u' ');
        QStringList fields;
        for (const QString &field : fieldsOf.value(overflow.objectName))
            fields << titled(field);
        overflow.field = fields.join(QStringLiteral("、"));
    }
}

} // namespace tovren::app
