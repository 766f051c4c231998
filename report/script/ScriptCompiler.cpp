#include "report/script/ScriptCompiler.h"

#include "report/script/EvaluationError.h"
#include "report/script/ExpressionText.h"
#include "report/script/PostfixConverter.h"

namespace tovren::script {

namespace {

constexpr char16_t ConditionalJumpCode = 1;
constexpr char16_t JumpCode = 2;
constexpr char16_t CallCode = 3;

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Characters that continue a word, so that "ORDER" is not the operator OR followed by "DER".
bool isWordCharacter(QChar c)
{
    return isAsciiLetter(c) || isAsciiDigit(c) || c == u'_';
}

QString encodeTarget(int target)
{
    return QString(QChar(char16_t(target & 0xFF))) + QChar(char16_t((target >> 8) & 0xFF));
}

const QString needSemicolonOrEnd = QStringLiteral("Need \";\" or \"end\" here");

} // namespace

ScriptCompiler::ScriptCompiler(const QStringList &source)
    : m_source(source)
    , m_text(m_source.text())
{}

ScriptCompiler::Result ScriptCompiler::compile()
{
    Result result;
    skipBlanks();
    if (atEnd())
        return result; // an empty script compiles to nothing
    try {
        compileStatement(0);
        // A final ";" or "." after the script's statement is harmless; anything else would be
        // silently left out, so it is reported.
        skipBlanks();
        while (!atEnd() && (m_text[m_position] == u';' || m_text[m_position] == u'.')) {
            ++m_position;
            skipBlanks();
        }
        if (!atEnd())
            fail(QStringLiteral("Several statements need \"begin\" and \"end\" around them"));
        result.code = finishCode(true);
    } catch (const Failure &failure) {
        const ScriptSource::LineColumn at = m_source.lineColumnOf(failure.position);
        result.error =
            QStringLiteral("Line %1/%2: %3").arg(at.line).arg(at.column).arg(failure.text);
        result.code = finishCode(false);
    }
    return result;
}

// Reading

void ScriptCompiler::skipBlanks()
{
    while (m_position < m_text.size() && m_text[m_position].unicode() <= 32)
        ++m_position;
}

bool ScriptCompiler::atEnd()
{
    return m_position >= m_text.size();
}

bool ScriptCompiler::atKeyword(QStringView keyword)
{
    skipBlanks();
    const qsizetype end = m_position + keyword.size();
    if (end > m_text.size())
        return false;
    if (m_text.sliced(m_position, keyword.size()).compare(keyword, Qt::CaseInsensitive) != 0)
        return false;
    return end == m_text.size() || !isWordCharacter(m_text[end]);
}

bool ScriptCompiler::atWordOperator(QStringView word)
{
    return atKeyword(word);
}

void ScriptCompiler::expectKeyword(QStringView keyword, const QString &message)
{
    if (!atKeyword(keyword))
        fail(message);
    m_position += keyword.size();
}

void ScriptCompiler::fail(const QString &text)
{
    skipBlanks();
    fail(m_position, text);
}

void ScriptCompiler::fail(qsizetype position, const QString &text)
{
    throw Failure{position, text};
}

bool ScriptCompiler::isIdentifierStart(qsizetype position) const
{
    return position < m_text.size() && isAsciiLetter(m_text[position]);
}

qsizetype ScriptCompiler::identifierEnd(qsizetype position) const
{
    while (position < m_text.size() &&
           (isWordCharacter(m_text[position]) || m_text[position] == u'.'))
        ++position;
    return position;
}

// Statements

void ScriptCompiler::compileStatement(int nesting)
{
    if (nesting > maximumNesting)
        fail(QStringLiteral("Statements are nested too deeply"));
    skipBlanks();
    if (atEnd() || m_text[m_position] == u';' || atKeyword(u"END") || atKeyword(u"ELSE") ||
        atKeyword(u"UNTIL"))
        return; // the empty statement
    if (atKeyword(u"BEGIN"))
        compileCompound(nesting);
    else if (atKeyword(u"IF"))
        compileIf(nesting);
    else if (atKeyword(u"REPEAT"))
        compileRepeat(nesting);
    else if (atKeyword(u"WHILE"))
        compileWhile(nesting);
    else if (atKeyword(u"FOR"))
        compileFor(nesting);
    else if (atKeyword(u"GOTO"))
        compileGoto();
    else if (tryCompileLabel(nesting))
        return;
    else if (isIdentifierStart(m_position))
        compileDesignatorStatement();
    else
        compileExpressionStatement();
}

void ScriptCompiler::compileCompound(int nesting)
{
    m_position += 5; // BEGIN
    while (true) {
        compileStatement(nesting + 1);
        skipBlanks();
        if (!atEnd() && m_text[m_position] == u';') {
            ++m_position;
            continue;
        }
        if (atKeyword(u"END")) {
            m_position += 3;
            return;
        }
        fail(needSemicolonOrEnd);
    }
}

void ScriptCompiler::compileIf(int nesting)
{
    m_position += 2; // IF
    skipBlanks();
    const qsizetype conditionAt = m_position;
    const QString condition = readExpression(nesting + 1);
    const int conditional = addLine({LineKind::Condition, condition, {}, 0, conditionAt});
    expectKeyword(u"THEN", QStringLiteral("Need \"then\" here"));
    compileStatement(nesting + 1);
    if (atKeyword(u"ELSE")) {
        m_position += 4;
        const int jump = addLine({LineKind::Jump, {}, {}, 0, m_position});
        m_lines[conditional].target = nextLine();
        compileStatement(nesting + 1);
        m_lines[jump].target = nextLine();
    } else {
        m_lines[conditional].target = nextLine();
    }
}

void ScriptCompiler::compileRepeat(int nesting)
{
    m_position += 6; // REPEAT
    const int loopStart = nextLine();
    while (true) {
        compileStatement(nesting + 1);
        skipBlanks();
        if (!atEnd() && m_text[m_position] == u';') {
            ++m_position;
            continue;
        }
        if (atKeyword(u"UNTIL")) {
            m_position += 5;
            break;
        }
        fail(QStringLiteral("Need \";\" or \"until\" here"));
    }
    skipBlanks();
    const qsizetype conditionAt = m_position;
    const QString condition = readExpression(nesting + 1);
    addLine({LineKind::Condition, condition, {}, loopStart, conditionAt});
}

void ScriptCompiler::compileWhile(int nesting)
{
    m_position += 5; // WHILE
    skipBlanks();
    const qsizetype conditionAt = m_position;
    const QString condition = readExpression(nesting + 1);
    const int conditional = addLine({LineKind::Condition, condition, {}, 0, conditionAt});
    expectKeyword(u"DO", QStringLiteral("Need \"do\" here"));
    compileStatement(nesting + 1);
    addLine({LineKind::Jump, {}, {}, conditional, m_position});
    m_lines[conditional].target = nextLine();
}

void ScriptCompiler::compileFor(int nesting)
{
    m_position += 3; // FOR
    skipBlanks();
    if (!isIdentifierStart(m_position))
        fail(QStringLiteral("Need \":=\" here"));
    const Designator counter = readDesignator(nesting + 1);
    skipBlanks();
    if (!m_text.sliced(m_position).startsWith(u":="))
        fail(QStringLiteral("Need \":=\" here"));
    m_position += 2;
    skipBlanks();
    const qsizetype startAt = m_position;
    addAssignment(counter, readExpression(nesting + 1), startAt);
    expectKeyword(u"TO", QStringLiteral("Need \"to\" here"));
    skipBlanks();
    const qsizetype limitAt = m_position;
    const QString limit = readExpression(nesting + 1);
    // The limit is bracketed so that a limit holding a comparison still compares with the whole.
    const int conditional = addLine(
        {LineKind::Condition, counter.text + QStringLiteral("<=(") + limit + u')', {}, 0, limitAt});
    expectKeyword(u"DO", QStringLiteral("Need \"do\" here"));
    compileStatement(nesting + 1);
    addAssignment(counter, counter.text + QStringLiteral("+1"), limitAt);
    addLine({LineKind::Jump, {}, {}, conditional, m_position});
    m_lines[conditional].target = nextLine();
}

void ScriptCompiler::compileGoto()
{
    m_position += 4; // GOTO
    skipBlanks();
    const qsizetype start = m_position;
    while (m_position < m_text.size() && isAsciiDigit(m_text[m_position]))
        ++m_position;
    if (m_position == start || (m_position < m_text.size() && isWordCharacter(m_text[m_position])))
        fail(start, QStringLiteral("\"goto\" label must be a number"));
    addLine({LineKind::Goto, m_text.sliced(start, m_position - start).toString(), {}, 0, start});
}

bool ScriptCompiler::tryCompileLabel(int nesting)
{
    qsizetype end = m_position;
    while (end < m_text.size() && isAsciiDigit(m_text[end]))
        ++end;
    if (end == m_position || end >= m_text.size() || m_text[end] != u':' ||
        (end + 1 < m_text.size() && m_text[end + 1] == u'='))
        return false;
    const QString label = m_text.sliced(m_position, end + 1 - m_position).toString();
    m_labels.try_emplace(label, nextLine()); // the first definition wins
    m_position = end + 1;
    compileStatement(nesting + 1);
    return true;
}

void ScriptCompiler::compileDesignatorStatement()
{
    const qsizetype start = m_position;
    const qsizetype nameEnd = identifierEnd(start);
    if (nameEnd < m_text.size() && m_text[nameEnd] == u'(') {
        compileExpressionStatement(); // a call with arguments
        return;
    }
    const Designator target = readDesignator(1);
    skipBlanks();
    if (m_text.sliced(m_position).startsWith(u":=")) {
        m_position += 2;
        skipBlanks();
        const qsizetype valueAt = m_position;
        addAssignment(target, readExpression(1), valueAt);
        return;
    }
    if (atEnd() || m_text[m_position] == u';' || atKeyword(u"END") || atKeyword(u"ELSE") ||
        atKeyword(u"UNTIL")) {
        addLine({LineKind::Call, target.text + QStringLiteral("(0)"), {}, 0, start});
        return;
    }
    fail(QStringLiteral("Need \":=\" here"));
}

void ScriptCompiler::compileExpressionStatement()
{
    const qsizetype start = m_position;
    addLine({LineKind::Call, readExpression(1), {}, 0, start});
}

ScriptCompiler::Designator ScriptCompiler::readDesignator(int nesting)
{
    Designator designator;
    const qsizetype start = m_position;
    m_position = identifierEnd(start);
    designator.name = m_text.sliced(start, m_position - start).toString();
    if (m_position < m_text.size() && m_text[m_position] == u'[') {
        ++m_position;
        const qsizetype indexAt = m_position;
        checkExpression(nesting + 1);
        skipBlanks();
        if (atEnd() || m_text[m_position] != u']')
            fail(QStringLiteral("Need \"]\" here"));
        designator.index = m_text.sliced(indexAt, m_position - indexAt).trimmed().toString();
        ++m_position;
    }
    designator.text = m_text.sliced(start, m_position - start).toString();
    return designator;
}

void ScriptCompiler::addAssignment(const Designator &target, const QString &value,
                                   qsizetype position)
{
    if (target.index.isEmpty()) {
        addLine({LineKind::Assignment, value, target.text, 0, position});
        return;
    }
    addLine({LineKind::Call,
             QStringLiteral("SETARRAY(%1, %2, %3)").arg(target.name, target.index, value),
             {},
             0,
             position});
}

// Expressions

QString ScriptCompiler::readExpression(int nesting)
{
    skipBlanks();
    const qsizetype start = m_position;
    checkExpression(nesting);
    return m_text.sliced(start, m_position - start).trimmed().toString();
}

void ScriptCompiler::checkExpression(int nesting)
{
    if (nesting > maximumNesting)
        fail(QStringLiteral("Expression is nested too deeply"));
    checkSimpleExpression(nesting);
    skipBlanks();
    const QStringView rest = m_text.sliced(m_position);
    if (rest.startsWith(u">=") || rest.startsWith(u"<=") || rest.startsWith(u"<>")) {
        m_position += 2;
        checkSimpleExpression(nesting);
    } else if (rest.startsWith(u'<') || rest.startsWith(u'=') || rest.startsWith(u'>')) {
        m_position += 1;
        checkSimpleExpression(nesting);
    }
}

void ScriptCompiler::checkSimpleExpression(int nesting)
{
    checkTerm(nesting);
    while (true) {
        skipBlanks();
        if (!atEnd() && (m_text[m_position] == u'+' || m_text[m_position] == u'-'))
            m_position += 1;
        else if (atWordOperator(u"OR"))
            m_position += 2;
        else
            return;
        checkTerm(nesting);
    }
}

void ScriptCompiler::checkTerm(int nesting)
{
    checkFactor(nesting);
    while (true) {
        skipBlanks();
        if (!atEnd() && (m_text[m_position] == u'*' || m_text[m_position] == u'/'))
            m_position += 1;
        else if (atWordOperator(u"AND") || atWordOperator(u"MOD") || atWordOperator(u"DIV"))
            m_position += 3;
        else
            return;
        checkFactor(nesting);
    }
}

void ScriptCompiler::checkFactor(int nesting)
{
    static const QString needExpression = QStringLiteral("Need an expression here");
    skipBlanks();
    if (atEnd())
        fail(needExpression);
    const QChar c = m_text[m_position];
    if (c == u'(') {
        ++m_position;
        checkExpression(nesting + 1);
        skipBlanks();
        if (atEnd() || m_text[m_position] != u')')
            fail(QStringLiteral("Need \")\" here"));
        ++m_position;
    } else if (c == u'[') {
        const BracketSpan span = FindClosingBracket(m_text, m_position);
        if (!span.closed)
            fail(m_text.size(), QStringLiteral("Need \"]\" here"));
        m_position = span.end + 1;
    } else if (c == u'+' || c == u'-') {
        ++m_position;
        checkExpression(nesting + 1);
    } else if (atWordOperator(u"NOT")) {
        m_position += 3;
        checkExpression(nesting + 1);
    } else if (c == u'\'') {
        checkString();
    } else if (isAsciiDigit(c)) {
        while (m_position < m_text.size() && isAsciiDigit(m_text[m_position]))
            ++m_position;
        if (m_position + 1 < m_text.size() && m_text[m_position] == u'.' &&
            isAsciiDigit(m_text[m_position + 1])) {
            ++m_position;
            while (m_position < m_text.size() && isAsciiDigit(m_text[m_position]))
                ++m_position;
        }
    } else if (isIdentifierStart(m_position) && !atWordOperator(u"AND") && !atWordOperator(u"OR") &&
               !atWordOperator(u"MOD") && !atWordOperator(u"DIV")) {
        const qsizetype nameEnd = identifierEnd(m_position);
        if (nameEnd < m_text.size() && m_text[nameEnd] == u'(') {
            m_position = nameEnd + 1;
            skipBlanks();
            if (!atEnd() && m_text[m_position] == u')') {
                ++m_position;
                return;
            }
            while (true) {
                checkExpression(nesting + 1);
                skipBlanks();
                if (!atEnd() && m_text[m_position] == u',') {
                    ++m_position;
                    continue;
                }
                if (!atEnd() && m_text[m_position] == u')') {
                    ++m_position;
                    return;
                }
                fail(QStringLiteral("Need \",\" or \")\" here"));
            }
        }
        readDesignator(nesting);
    } else {
        fail(needExpression);
    }
}

void ScriptCompiler::checkString()
{
    ++m_position; // the opening quote
    while (true) {
        if (atEnd() || m_text[m_position] == u'\r')
            fail(m_position, QStringLiteral("Need \"'\" here"));
        if (m_text[m_position] == u'\'') {
            ++m_position;
            if (atEnd() || m_text[m_position] != u'\'')
                return;
        }
        ++m_position;
    }
}

// Code

int ScriptCompiler::addLine(PendingLine line)
{
    if (nextLine() >= maximumCodeLines)
        fail(QStringLiteral("Script is too long"));
    m_lines.push_back(std::move(line));
    return nextLine() - 1;
}

QString ScriptCompiler::lineText(const PendingLine &line) const
{
    switch (line.kind) {
    case LineKind::Condition:
        return QChar(ConditionalJumpCode) + encodeTarget(line.target) + convertToPostfix(line.text);
    case LineKind::Jump:
        return QChar(JumpCode) + encodeTarget(line.target);
    case LineKind::Goto: {
        const auto label = m_labels.find(line.text + u':');
        if (label == m_labels.end())
            throw Failure{line.position,
                          QStringLiteral("Label \"%1\" is not defined").arg(line.text)};
        return QChar(JumpCode) + encodeTarget(label->second);
    }
    case LineKind::Call:
        return QChar(CallCode) + convertToPostfix(line.text);
    case LineKind::Assignment:
        return line.name + u' ' + convertToPostfix(line.text);
    }
    return {};
}

QStringList ScriptCompiler::finishCode(bool strict)
{
    QStringList code;
    code.reserve(static_cast<qsizetype>(m_lines.size()));
    for (const PendingLine &line : m_lines) {
        try {
            code << lineText(line);
        } catch (const EvaluationError &conversionError) {
            if (strict)
                throw Failure{line.position, conversionError.message()};
            return code;
        } catch (const Failure &) {
            if (strict)
                throw;
            return code;
        }
    }
    return code;
}

} // namespace tovren::script
