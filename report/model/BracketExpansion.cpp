#include "report/model/BracketExpansion.h"

namespace tovren::model {

namespace {

/// Index of the bracket that closes the one at @p start; @p start itself when no bracket opens
/// there, the last index when the brackets are never closed.
qsizetype closingBracket(const QString &text, qsizetype start)
{
    int depth = 0;
    bool inSingleQuotes = false;
    bool inDoubleQuotes = false;
    for (qsizetype i = start; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'"' && !inSingleQuotes) {
            inDoubleQuotes = !inDoubleQuotes;
        } else if (c == u'\'' && !inDoubleQuotes) {
            inSingleQuotes = !inSingleQuotes;
        } else if (!inSingleQuotes && !inDoubleQuotes) {
            if (c == u'[')
                ++depth;
            else if (c == u']')
                --depth;
        }
        if (depth == 0)
            return i;
    }
    return text.size() - 1;
}

} // namespace

QString ExpandBrackets(QString text, const std::function<QString(const QString &)> &valueText)
{
    qsizetype i = 0;
    for (;;) {
        while (i < text.size() - 1 && text.at(i) != u'[')
            ++i;
        if (i >= text.size())
            break;
        const qsizetype stop = closingBracket(text, i);
        if (stop == i)
            break;
        const QString expression = text.mid(i + 1, stop - i - 1);
        text.remove(i, stop - i + 1);
        const QString value = valueText ? valueText(expression) : QString();
        text.insert(i, value);
        i += value.size();
    }
    return text;
}

} // namespace tovren::model
