#include "report/script/CompiledScript.h"

namespace tovren::script {

namespace {

using Line = CompiledScript::Line;

int decodeTarget(QStringView line)
{
    return (line[1].unicode() & 0xFF) | ((line[2].unicode() & 0xFF) << 8);
}

Line decodeLine(const QString &code)
{
    Line line;
    if (code.isEmpty())
        return line;
    switch (code[0].unicode()) {
    case 1:
        if (code.size() >= 3) {
            line.kind = Line::Kind::ConditionalJump;
            line.target = decodeTarget(code);
            line.expression = PreparedExpression::fromPostfix(QStringView(code).sliced(3));
        }
        return line;
    case 2:
        if (code.size() >= 3) {
            line.kind = Line::Kind::Jump;
            line.target = decodeTarget(code);
        }
        return line;
    case 3: {
        const QStringView expression = QStringView(code).sliced(1);
        if (expression.compare(u"EXIT(0)", Qt::CaseInsensitive) == 0) {
            line.kind = Line::Kind::Exit;
        } else {
            line.kind = Line::Kind::Evaluate;
            line.expression = PreparedExpression::fromPostfix(expression);
        }
        return line;
    }
    default: {
        const qsizetype blank = code.indexOf(u' ');
        if (blank <= 0)
            return line;
        line.kind = Line::Kind::Assign;
        line.name = code.left(blank);
        line.expression = PreparedExpression::fromPostfix(QStringView(code).sliced(blank + 1));
        return line;
    }
    }
}

} // namespace

CompiledScript::CompiledScript(const QStringList &code)
    : m_code(code)
{
    m_lines.reserve(static_cast<size_t>(code.size()));
    for (const QString &line : code)
        m_lines.push_back(decodeLine(line));
}

} // namespace tovren::script
