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
    qsizetype open = text.indexOf(u'[');
    if (open < 0)
        return text;
    // Values are appended to a new text rather than spliced into this one, which would move
    // the rest of the text once for every bracket.
    QString expanded;
    expanded.reserve(text.size() + 16);
    qsizetype copied = 0;
    while (open >= 0) {
        const qsizetype stop = closingBracket(text, open);
        if (stop == open)
            break;
        expanded.append(QStringView(text).sliced(copied, open - copied));
        const QString expression = text.mid(open + 1, stop - open - 1);
        if (valueText)
            expanded.append(valueText(expression));
        copied = stop + 1;
        open = text.indexOf(u'[', copied);
    }
    expanded.append(QStringView(text).sliced(copied));
    return expanded;
}

} // namespace tovren::model
