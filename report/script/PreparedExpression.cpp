#include "report/script/PreparedExpression.h"

#include "report/script/EvaluationError.h"
#include "report/script/ExpressionText.h"
#include "report/script/PostfixConverter.h"

#include <optional>

namespace tovren::script {

using Operation = PreparedExpression::Operation;
using Step = PreparedExpression::Step;

/// Reads postfix code item by item, the way the evaluator defines it, into steps.
class PostfixDecoder
{
public:
    PostfixDecoder(QStringView code, int nesting)
        : m_code(code)
        , m_nesting(nesting)
    {}

    PreparedExpression decode()
    {
        PreparedExpression prepared;
        m_steps = &prepared.m_steps;
        try {
            while (m_position < m_code.size())
                decodeItem();
        } catch (const EvaluationError &error) {
            // Nothing of code that cannot be read is run, not even the part before the fault.
            m_steps->clear();
            addFail(error.message());
        }
        return prepared;
    }

    static PreparedExpression fromExpression(QStringView expression, int nesting)
    {
        if (nesting > PreparedExpression::maximumNesting) {
            PreparedExpression failing;
            failing.m_steps.push_back(failStep(QStringLiteral("Expression is nested too deeply")));
            return failing;
        }
        try {
            return PostfixDecoder(convertToPostfix(expression), nesting).decode();
        } catch (const EvaluationError &error) {
            PreparedExpression failing;
            failing.m_steps.push_back(failStep(error.message()));
            return failing;
        }
    }

private:
    static Step failStep(const QString &message)
    {
        Step step;
        step.operation = Operation::Fail;
        step.text = message;
        return step;
    }

    void addFail(const QString &message) { m_steps->push_back(failStep(message)); }

    void addOperation(Operation operation)
    {
        Step step;
        step.operation = operation;
        m_steps->push_back(std::move(step));
    }

    static std::optional<Operation> operatorFor(char16_t c)
    {
        switch (c) {
        case PostfixCode::GreaterOrEqual:
            return Operation::GreaterOrEqual;
        case PostfixCode::LessOrEqual:
            return Operation::LessOrEqual;
        case PostfixCode::NotEqual:
            return Operation::NotEqual;
        case PostfixCode::Or:
            return Operation::Or;
        case PostfixCode::And:
        case u'*':
            return Operation::Multiply;
        case PostfixCode::Mod:
            return Operation::Mod;
        case PostfixCode::Div:
            return Operation::IntegerDivide;
        case u'+':
            return Operation::Add;
        case u'-':
            return Operation::Subtract;
        case u'/':
            return Operation::Divide;
        case u'<':
            return Operation::Less;
        case u'=':
            return Operation::Equal;
        case u'>':
            return Operation::Greater;
        case PostfixCode::Int:
            return Operation::Int;
        case PostfixCode::Frac:
            return Operation::Frac;
        case PostfixCode::Negate:
            return Operation::Negate;
        case PostfixCode::Str:
            return Operation::Str;
        case PostfixCode::Not:
            return Operation::Not;
        case PostfixCode::Round:
            return Operation::Round;
        default:
            return std::nullopt;
        }
    }

    void decodeItem()
    {
        const char16_t c = m_code[m_position].unicode();
        if (c == u' ' || c == PostfixCode::UnaryPlus) {
            ++m_position;
        } else if (const std::optional<Operation> operation = operatorFor(c)) {
            ++m_position;
            addOperation(*operation);
        } else if (c == u'\'') {
            decodeString();
        } else if (c == u'[') {
            const BracketSpan span = FindClosingBracket(m_code, m_position);
            if (!span.closed)
                throw EvaluationError(QStringLiteral("Missing closing bracket \"]\""));
            Step step;
            step.operation = Operation::PushBracketName;
            step.text = span.inner.toString();
            m_steps->push_back(std::move(step));
            m_position = span.end + 1;
        } else {
            decodeToken();
        }
    }

    void decodeString()
    {
        QString text;
        ++m_position;
        while (true) {
            if (m_position >= m_code.size())
                throw EvaluationError(QStringLiteral("Unterminated string"));
            const QChar c = m_code[m_position++];
            if (c == u'\'') {
                if (m_position < m_code.size() && m_code[m_position] == u'\'') {
                    ++m_position;
                } else {
                    break;
                }
            }
            text += c;
        }
        Step step;
        step.constant = Variant(text);
        m_steps->push_back(std::move(step));
    }

    void decodeToken()
    {
        const qsizetype start = m_position;
        QStringView token;
        if (m_code[m_position] == u'%') {
            m_position = std::min(m_position + 2, m_code.size());
            readTokenBody(m_code, m_position);
            token = m_code.sliced(start, m_position - start);
        } else {
            token = ReadToken(m_code, m_position);
        }
        if (token.isEmpty()) {
            if (m_position >= m_code.size())
                return; // trailing characters up to code 32
            throw EvaluationError(
                QStringLiteral("Unexpected \"%1\" in expression").arg(m_code[m_position]));
        }
        const QChar first = token[0];
        if (first == u',' || first == u'.' || first.isDigit()) {
            addNumber(token);
            return;
        }
        const QString upper = upperAscii(token);
        if (upper == u"TRUE" || upper == u"FALSE") {
            Step step;
            step.constant = Variant(upper == u"TRUE");
            m_steps->push_back(std::move(step));
            return;
        }
        if (m_position < m_code.size() && m_code[m_position] == u'[') {
            const BracketSpan span = FindClosingBracket(m_code, m_position);
            if (!span.closed)
                throw EvaluationError(QStringLiteral("Missing closing bracket \"]\""));
            Step step;
            step.operation = Operation::GetArray;
            step.text = QStringLiteral("GETARRAY");
            step.argumentTexts = {token.toString(), span.inner.toString(), QString()};
            m_steps->push_back(std::move(step));
            m_position = span.end + 1;
            return;
        }
        if (m_position < m_code.size() && m_code[m_position] == u'(') {
            const CallArguments call = SplitArguments(m_code, m_position);
            m_position = call.closingParenthesis + 1;
            addCall(upper, call);
            return;
        }
        Step step;
        step.operation = Operation::PushName;
        step.text = upper;
        m_steps->push_back(std::move(step));
    }

    void addNumber(QStringView token)
    {
        QString text = token.toString();
        text.replace(u',', u'.');
        double value = 0;
        if (!parseNumber(text, value)) {
            addFail(QStringLiteral("'%1' is not a valid floating point value").arg(token));
            return;
        }
        Step step;
        step.constant = Variant(value);
        m_steps->push_back(std::move(step));
    }

    void addCall(const QString &name, const CallArguments &call)
    {
        Step step;
        step.text = name;
        step.argumentTexts = call.texts;
        int preparedCount = 0;
        if (name == u"COPY") {
            step.operation = Operation::Copy;
            preparedCount = 3;
        } else if (name == u"IF") {
            step.operation = Operation::If;
            preparedCount = 3;
        } else if (name == u"STRTODATE") {
            step.operation = Operation::StrToDate;
            preparedCount = 1;
        } else if (name == u"STRTOTIME") {
            step.operation = Operation::StrToTime;
            preparedCount = 1;
        } else {
            step.operation = Operation::CallFunction;
        }
        for (int i = 0; i < preparedCount; ++i)
            step.arguments.push_back(fromExpression(call.texts[i], m_nesting + 1));
        m_steps->push_back(std::move(step));
    }

    QStringView m_code;
    qsizetype m_position = 0;
    int m_nesting = 0;
    std::vector<Step> *m_steps = nullptr;
};

PreparedExpression PreparedExpression::fromPostfix(QStringView code)
{
    return PostfixDecoder(code, 0).decode();
}

PreparedExpression PreparedExpression::fromExpression(QStringView expression)
{
    return PostfixDecoder::fromExpression(expression, 0);
}

} // namespace tovren::script
