#include "report/script/PostfixConverter.h"

#include "report/script/EvaluationError.h"
#include "report/script/ExpressionText.h"

#include <optional>

namespace tovren::script {

namespace {

constexpr char16_t OpeningParenthesis = u'(';

int priority(char16_t op)
{
    switch (op) {
    case PostfixCode::GreaterOrEqual:
    case PostfixCode::LessOrEqual:
    case PostfixCode::NotEqual:
    case u'<':
    case u'=':
    case u'>':
        return 3;
    case u'+':
    case u'-':
    case PostfixCode::Negate:
    case PostfixCode::UnaryPlus:
        return 2;
    case u'*':
    case u'/':
    case PostfixCode::Or:
    case PostfixCode::And:
    case PostfixCode::Not:
    case PostfixCode::Mod:
    case PostfixCode::Div:
        return 1;
    case PostfixCode::Int:
    case PostfixCode::Frac:
    case PostfixCode::Str:
    case PostfixCode::Round:
        return 0;
    case OpeningParenthesis:
        return 5;
    default:
        return 4;
    }
}

bool isPrefixOperator(char16_t op)
{
    switch (op) {
    case PostfixCode::Negate:
    case PostfixCode::UnaryPlus:
    case PostfixCode::Not:
    case PostfixCode::Int:
    case PostfixCode::Frac:
    case PostfixCode::Str:
    case PostfixCode::Round:
        return true;
    default:
        return false;
    }
}

std::optional<char16_t> wordOperator(QStringView token)
{
    static constexpr struct
    {
        const char16_t *word;
        char16_t code;
    } words[] = {
        {u"INT", PostfixCode::Int}, {u"FRAC", PostfixCode::Frac}, {u"ROUND", PostfixCode::Round},
        {u"OR", PostfixCode::Or},   {u"AND", PostfixCode::And},   {u"NOT", PostfixCode::Not},
        {u"STR", PostfixCode::Str}, {u"MOD", PostfixCode::Mod},   {u"DIV", PostfixCode::Div},
    };
    if (token.size() > 5)
        return std::nullopt;
    const QString upper = upperAscii(token);
    for (const auto &entry : words) {
        if (upper == QStringView(entry.word))
            return entry.code;
    }
    return std::nullopt;
}

bool startsNumber(QStringView token)
{
    return !token.isEmpty() && (token[0] == u',' || token[0] == u'.' || token[0].isDigit());
}

/// The conversion's working state: output text, operator stack, and whether the item before was
/// an operand (which decides whether "+" and "-" are binary or prefix).
class Converter
{
public:
    explicit Converter(QStringView text)
        : m_text(text)
    {
        m_output.reserve(text.size() + 8);
    }

    QString run()
    {
        while (m_position < m_text.size()) {
            const QChar c = m_text[m_position];
            if (c == u'\r' || c == u' ') {
                ++m_position;
            } else if (c == u';') {
                break;
            } else if (c == u'(') {
                m_stack.append(OpeningParenthesis);
                m_afterOperand = false;
                ++m_position;
            } else if (c == u')') {
                closeParenthesis();
                ++m_position;
            } else if (const std::optional<char16_t> op = readSymbolOperator()) {
                addOperator(*op);
            } else {
                readOperand();
            }
        }
        for (qsizetype i = m_stack.size() - 1; i >= 0; --i)
            m_output += m_stack[i];
        return m_output;
    }

private:
    void closeParenthesis()
    {
        while (!m_stack.isEmpty()) {
            const QChar top = m_stack.back();
            m_stack.chop(1);
            if (top == OpeningParenthesis)
                return;
            m_output += top;
        }
    }

    std::optional<char16_t> readSymbolOperator()
    {
        const char16_t c = m_text[m_position].unicode();
        const char16_t next =
            m_position + 1 < m_text.size() ? m_text[m_position + 1].unicode() : u'\0';
        switch (c) {
        case u'<':
            if (next == u'>' || next == u'=') {
                m_position += 2;
                return next == u'>' ? PostfixCode::NotEqual : PostfixCode::LessOrEqual;
            }
            break;
        case u'>':
            if (next == u'=') {
                m_position += 2;
                return PostfixCode::GreaterOrEqual;
            }
            break;
        case u'*':
        case u'+':
        case u'-':
        case u'/':
        case u'=':
            break;
        default:
            return std::nullopt;
        }
        ++m_position;
        return c;
    }

    void addOperator(char16_t op)
    {
        if (!m_afterOperand) {
            if (op == u'-')
                op = PostfixCode::Negate;
            else if (op == u'+')
                op = PostfixCode::UnaryPlus;
        }
        // A prefix operator has no left operand yet, so nothing on the stack can be complete:
        // popping here would apply an operator before its right operand exists ("2 * -3").
        const bool prefix = !m_afterOperand && isPrefixOperator(op);
        while (!prefix && !m_stack.isEmpty() &&
               priority(op) >= priority(m_stack.back().unicode())) {
            m_output += m_stack.back();
            m_stack.chop(1);
        }
        m_stack.append(QChar(op));
        m_afterOperand = false;
    }

    void readOperand()
    {
        const qsizetype start = m_position;
        const QChar first = m_text[m_position];
        if (first == u'\'') {
            readQuotedString();
            writeOperand(start);
            return;
        }
        if (first == u'[') {
            skipBracket();
            writeOperand(start);
            return;
        }
        QStringView token;
        qsizetype tokenStart = start;
        if (first == u'%') {
            // A format prefix such as "%d" belongs to the operand whatever its second character.
            m_position = std::min(start + 2, m_text.size());
            readTokenBody(m_text, m_position);
            token = m_text.sliced(start, m_position - start);
        } else {
            token = ReadToken(m_text, m_position);
            tokenStart = m_position - token.size();
            if (token.isEmpty())
                return; // only characters up to code 32 were left
        }
        if (startsNumber(token)) {
            writeOperand(tokenStart);
            return;
        }
        if (const std::optional<char16_t> op = wordOperator(token)) {
            addOperator(*op);
            return;
        }
        if (m_position < m_text.size() && m_text[m_position] == u'[')
            skipBracket();
        else if (m_position < m_text.size() && m_text[m_position] == u'(') {
            const CallArguments call = SplitArguments(m_text, m_position);
            m_position = call.closingParenthesis + 1;
            m_output += m_text.sliced(tokenStart, m_position - tokenStart);
            m_afterOperand = true;
            return;
        }
        writeOperand(tokenStart);
    }

    void readQuotedString()
    {
        ++m_position;
        while (m_position < m_text.size()) {
            if (m_text[m_position] == u'\'') {
                if (m_position + 1 < m_text.size() && m_text[m_position + 1] == u'\'') {
                    m_position += 2;
                    continue;
                }
                ++m_position;
                return;
            }
            ++m_position;
        }
        throw EvaluationError(QStringLiteral("Unterminated string"));
    }

    void skipBracket()
    {
        const BracketSpan span = FindClosingBracket(m_text, m_position);
        if (!span.closed)
            throw EvaluationError(QStringLiteral("Missing closing bracket \"]\""));
        m_position = span.end + 1;
    }

    void writeOperand(qsizetype start)
    {
        m_output += m_text.sliced(start, m_position - start);
        m_output += u' ';
        m_afterOperand = true;
    }

    QStringView m_text;
    qsizetype m_position = 0;
    QString m_output;
    QString m_stack;
    bool m_afterOperand = false;
};

} // namespace

QString convertToPostfix(QStringView expression)
{
    return Converter(expression).run();
}

} // namespace tovren::script
