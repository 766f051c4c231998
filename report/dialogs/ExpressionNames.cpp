#include "report/dialogs/ExpressionNames.h"

#include <algorithm>

namespace tovren::dialogs::ExpressionNames {

QString bracketIfNeeded(const QString &name)
{
    const bool plain = std::all_of(name.cbegin(), name.cend(), [](QChar c) {
        const QChar upper = c.toUpper();
        return (upper >= u'A' && upper <= u'Z') || (c >= u'0' && c <= u'9') || c == u'.' ||
               c == u'_';
    });
    return plain ? name : u'[' + name + u']';
}

QString fieldReference(const QString &source, const QString &field)
{
    return source + QStringLiteral(".\"") + field + u'"';
}

const QStringList &systemVariables()
{
    static const QStringList names{QStringLiteral("PAGE#"),        QStringLiteral("DATE"),
                                   QStringLiteral("TIME"),         QStringLiteral("LINE#"),
                                   QStringLiteral("LINETHROUGH#"), QStringLiteral("COLUMN#"),
                                   QStringLiteral("CURRENT#"),     QStringLiteral("TOTALPAGES")};
    return names;
}

const QStringList &systemVariableCaptions()
{
    static const QStringList captions{QStringLiteral("页#"),         QStringLiteral("日期"),
                                      QStringLiteral("时间"),        QStringLiteral("行#"),
                                      QStringLiteral("行 through#"), QStringLiteral("列#"),
                                      QStringLiteral("当前行#"),     QStringLiteral("总页数")};
    return captions;
}

QString systemCategory()
{
    return QStringLiteral("系统变量");
}

int argumentCount(const QString &signature)
{
    if (!signature.contains(u'('))
        return 0;
    return std::min(3, 1 + int(signature.count(u',')));
}

QString callText(const QString &name, const QStringList &arguments)
{
    QString call = name + u'(' + arguments.value(0);
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (!arguments.at(i).isEmpty())
            call += QStringLiteral(", ") + arguments.at(i);
    }
    return call + u')';
}

FunctionDescription FunctionDescription::parse(const QString &text)
{
    const qsizetype slash = text.indexOf(u'/');
    if (slash < 0)
        return {text, {}};
    return {text.left(slash), text.mid(slash + 1, 1000)};
}

} // namespace tovren::dialogs::ExpressionNames
