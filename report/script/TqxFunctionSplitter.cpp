#include "report/script/TqxFunctionSplitter.h"

#include "report/script/EvaluationError.h"
#include "report/script/ExpressionText.h"

namespace tovren::script {

TqxFunctionSplitter::TqxFunctionSplitter(const QStringList &matchFunctions,
                                         const TqxVariables *dictionary)
    : m_matchFunctions(matchFunctions)
    , m_dictionary(dictionary)
{}

void TqxFunctionSplitter::Split(QStringView text)
{
    m_expanding.clear();
    split(text, 0);
}

void TqxFunctionSplitter::SplitText(const QStringList &lines)
{
    for (const QString &line : lines) {
        qsizetype position = 0;
        while (true) {
            const BracketSpan span = FindClosingBracket(line, position);
            if (span.start < 0)
                break;
            Split(QStringView(line).sliced(span.start, span.end - span.start + 1));
            position = span.end + 1;
        }
    }
}

void TqxFunctionSplitter::SplitScript(const QStringList &code)
{
    for (const QString &line : code) {
        if (line.isEmpty())
            continue;
        switch (line[0].unicode()) {
        case 1:
            if (line.size() > 3)
                Split(QStringView(line).sliced(3));
            break;
        case 2:
            break;
        case 3:
            Split(QStringView(line).sliced(1));
            break;
        default:
            if (const qsizetype blank = line.indexOf(u' '); blank >= 0)
                Split(QStringView(line).sliced(blank + 1));
            break;
        }
    }
}

bool TqxFunctionSplitter::isMatchFunction(QStringView name) const
{
    for (const QString &function : m_matchFunctions) {
        if (name.compare(function, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

void TqxFunctionSplitter::splitVariable(const QString &name, int nesting)
{
    const QString key = name.toUpper();
    if (m_expanding.contains(key))
        return; // a variable that refers to itself adds nothing new the second time
    m_expanding.insert(key);
    split(m_dictionary->value(name).toString(), nesting + 1);
    m_expanding.remove(key);
}

void TqxFunctionSplitter::split(QStringView text, int nesting)
{
    if (nesting > maximumNesting)
        throw EvaluationError(QStringLiteral("Expression is nested too deeply"));
    text = text.trimmed();
    qsizetype position = 0;
    while (position < text.size()) {
        const QChar c = text[position];
        if (c == u'\'') {
            // A string literal: skip it whole, doubled quotes included.
            const qsizetype closing = text.indexOf(u'\'', position + 1);
            if (closing < 0)
                return;
            position = closing + 1;
            continue;
        }
        if (c == u'[') {
            const BracketSpan span = FindClosingBracket(text, position);
            const QString inner = span.inner.toString();
            if (m_dictionary && m_dictionary->contains(inner))
                splitVariable(inner, nesting);
            else
                split(span.inner, nesting + 1);
            position = span.end + 1;
            continue;
        }
        const QStringView token = ReadToken(text, position);
        if (position < text.size() && text[position] == u'(' && !token.isEmpty()) {
            const CallArguments call = SplitArguments(text, position);
            for (int i = 0; i < call.count; ++i)
                split(call.texts[i], nesting + 1);
            const qsizetype tokenStart = position - token.size();
            position = call.closingParenthesis + 1;
            if (isMatchFunction(token))
                m_results << text.sliced(tokenStart, position - tokenStart).toString();
            continue;
        }
        if (!token.isEmpty() && m_dictionary && m_dictionary->contains(token.toString()))
            splitVariable(token.toString(), nesting);
        if (position >= text.size())
            return;
        if (isTokenDelimiter(text[position]) && text[position] != u'[')
            ++position; // the delimiter after the token
        else if (token.isEmpty())
            ++position; // a character that starts no token, such as a control character
    }
}

TAggregateFunctionsSplitter::TAggregateFunctionsSplitter(const TqxVariables *dictionary)
    : TqxFunctionSplitter({QStringLiteral("AVG"), QStringLiteral("COUNT"), QStringLiteral("MAX"),
                           QStringLiteral("MIN"), QStringLiteral("SUM")},
                          dictionary)
{}

} // namespace tovren::script
