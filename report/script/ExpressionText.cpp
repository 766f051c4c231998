#include "report/script/ExpressionText.h"

#include "report/script/EvaluationError.h"

namespace tovren::script {

bool isTokenDelimiter(QChar c)
{
    switch (c.unicode()) {
    case '\r':
    case ' ':
    case '(':
    case ')':
    case '*':
    case '+':
    case '-':
    case '/':
    case '<':
    case '=':
    case '>':
    case '[':
        return true;
    default:
        return false;
    }
}

QStringView ReadToken(QStringView text, qsizetype &position)
{
    while (position < text.size() && text[position].unicode() <= 32)
        ++position;
    return readTokenBody(text, position);
}

QStringView readTokenBody(QStringView text, qsizetype &position)
{
    const qsizetype length = text.size();
    const qsizetype start = position;
    bool insideQuotes = false;
    while (position < length) {
        const QChar c = text[position];
        if (c == u'"')
            insideQuotes = !insideQuotes;
        else if (!insideQuotes && isTokenDelimiter(c))
            break;
        ++position;
    }
    return text.sliced(start, position - start);
}

BracketSpan FindClosingBracket(QStringView text, qsizetype position)
{
    BracketSpan span;
    bool insideSingle = false;
    bool insideDouble = false;
    int depth = 0;
    for (qsizetype i = std::max<qsizetype>(position, 0); i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\'' && !insideDouble) {
            insideSingle = !insideSingle;
        } else if (c == u'"' && !insideSingle) {
            insideDouble = !insideDouble;
        } else if (insideSingle || insideDouble) {
            continue;
        } else if (c == u'[') {
            if (depth++ == 0)
                span.start = i;
        } else if (c == u']' && depth > 0) {
            if (--depth == 0) {
                span.end = i;
                span.closed = true;
                span.inner = text.sliced(span.start + 1, i - span.start - 1);
                return span;
            }
        }
    }
    if (span.start >= 0) {
        span.end = text.size() - 1;
        span.inner = text.sliced(span.start + 1, std::max<qsizetype>(span.end - span.start - 1, 0));
    }
    return span;
}

CallArguments SplitArguments(QStringView text, qsizetype openParenthesis)
{
    CallArguments arguments;
    int depth = 0;
    bool insideQuotes = false;
    qsizetype argumentStart = openParenthesis + 1;
    const auto addArgument = [&](qsizetype end) {
        if (arguments.count == CallArguments::maximumCount)
            throw EvaluationError(QStringLiteral("Too many arguments: a function takes at most 3"));
        arguments.texts[arguments.count++] =
            text.sliced(argumentStart, end - argumentStart).toString();
    };
    for (qsizetype i = openParenthesis; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\'') {
            insideQuotes = !insideQuotes;
        } else if (insideQuotes) {
            continue;
        } else if (c == u'(') {
            ++depth;
        } else if (c == u')') {
            if (--depth == 0) {
                // "f()" has no arguments; "f(,x)" has an empty first one.
                if (arguments.count > 0 ||
                    !text.sliced(argumentStart, i - argumentStart).trimmed().isEmpty())
                    addArgument(i);
                arguments.closingParenthesis = i;
                return arguments;
            }
        } else if (c == u',' && depth == 1) {
            addArgument(i);
            argumentStart = i + 1;
        }
    }
    throw EvaluationError(QStringLiteral("Missing closing parenthesis"));
}

QString upperAscii(QStringView text)
{
    QString result = text.toString();
    for (QChar &c : result) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - ('a' - 'A'));
    }
    return result;
}

} // namespace tovren::script
