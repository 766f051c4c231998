#include "report/model/ListMethods.h"

#include "report/model/RunState.h"
#include "report/script/EvaluationError.h"
#include "report/script/TqxParser.h"


namespace tovren::model {

using script::Variant;

namespace {

bool validIndex(const QStringList &list, qint64 index)
{
    return index >= 0 && index < list.size();
}

} // namespace

Variant evaluateExpression(const QString &expression)
{
    if (const auto &evaluate = runState().evaluate)
        return evaluate(expression);
    return script::TqxParser().Evaluate(expression);
}

QStringList splitLines(const QString &text)
{
    // Every printed text passes through here, most of them a single line: a scan for the
    // breaks costs a fraction of a pattern match.
    QStringList lines;
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines << text.sliced(lineStart, i - lineStart);
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        lineStart = i + 1;
    }
    // A trailing line break ends the last line rather than starting an empty one.
    if (lineStart < text.size())
        lines << (lineStart == 0 ? text : text.sliced(lineStart));
    return lines;
}

QString joinLines(const QStringList &lines)
{
    qsizetype length = 0;
    for (const QString &line : lines)
        length += line.size() + 2;
    QString text;
    text.reserve(length);
    for (const QString &line : lines) {
        text += line;
        text += QLatin1StringView("\r\n");
    }
    return text;
}

Variant CallListMethod(QStringList &list, const QString &method, const Variant &p1,
                       const Variant &p2, const Variant &p3, const QString &propertyName)
{
    if (method == u"SETINDEXPROPERTY" || method == u"GETINDEXPROPERTY") {
        if (p1.toString().compare(propertyName, Qt::CaseInsensitive) != 0)
            return {};
        const qint64 index = p2.toInt64();
        if (!validIndex(list, index))
            return {};
        if (method == u"GETINDEXPROPERTY")
            return Variant(list.at(index));
        list[index] = p3.toString();
        return {};
    }
    if (!method.startsWith(propertyName + u'.'))
        return {};
    const QStringView operation = QStringView(method).mid(propertyName.size() + 1);
    if (operation == u"ADD") {
        // A script looping over ADD would otherwise fill all memory before its time is up.
        if (list.size() >= kMaximumListLines)
            throw script::EvaluationError(QStringLiteral("%1 的行数超过 %2, 计算已停止")
                                              .arg(propertyName)
                                              .arg(kMaximumListLines));
        list.append(evaluateExpression(p1.toString()).toString());
    } else if (operation == u"CLEAR") {
        list.clear();
    } else if (operation == u"DELETE") {
        const qint64 index = evaluateExpression(p1.toString()).toInt64();
        if (validIndex(list, index))
            list.removeAt(index);
    } else if (operation == u"INDEXOF") {
        const QString wanted = evaluateExpression(p1.toString()).toString();
        return Variant(static_cast<int>(list.indexOf(wanted)));
    }
    return {};
}

} // namespace tovren::model
