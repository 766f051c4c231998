#include "report/dialogs/ScriptEditRules.h"

#include <algorithm>
#include <limits>

namespace tovren::dialogs {

ScriptErrorPosition ScriptErrorPosition::parse(const QString &errorText)
{
    ScriptErrorPosition position;
    const int slash = int(errorText.indexOf(u'/'));
    if (slash < 0)
        return position;
    // "Line " takes five characters; the line number runs up to the slash.
    position.line = errorText.mid(5, slash - 5).trimmed().toInt();
    const int colon = int(errorText.indexOf(u':', slash));
    const QString column =
        colon < 0 ? errorText.mid(slash + 1) : errorText.mid(slash + 1, colon - slash - 1);
    bool ok = false;
    const int value = column.trimmed().toInt(&ok);
    position.column = ok && value > 0 ? value : 1;
    return position;
}

namespace ScriptSkeleton {

QStringList lines()
{
    return {QStringLiteral("begin"), QStringLiteral("  "), QStringLiteral("end")};
}

bool isTrivialHighlighted(const QString &text)
{
    QString visible;
    visible.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() > 32)
            visible.append(c);
    }
    return visible.isEmpty() || visible.compare(u"beginend", Qt::CaseInsensitive) == 0;
}

bool isTrivialPlain(const QStringList &lines)
{
    return lines.size() == 3 && lines.at(0).trimmed() == u"begin" &&
           lines.at(1).trimmed().isEmpty() && lines.at(2).trimmed() == u"end";
}

} // namespace ScriptSkeleton

namespace SmartIndent {

int indentationOf(const QString &line)
{
    int blanks = 0;
    while (blanks < line.size() && line.at(blanks) == u' ')
        ++blanks;
    return blanks;
}

bool isBlank(const QString &line)
{
    return line.trimmed().isEmpty();
}

int enterIndent(const QString &rowBefore, int caretColumn)
{
    return isBlank(rowBefore) ? std::max(0, caretColumn - 1) : indentationOf(rowBefore);
}

int tabWidth(const QStringList &rowsAbove, int caretColumn)
{
    for (auto row = rowsAbove.crbegin(); row != rowsAbove.crend(); ++row) {
        if (row->size() < caretColumn)
            continue;
        int at = caretColumn - 1;
        if (row->at(at) != u' ') {
            while (at < row->size() && row->at(at) != u' ')
                ++at;
        }
        while (at < row->size() && row->at(at) == u' ')
            ++at;
        return at - (caretColumn - 1);
    }
    return 0;
}

int backspaceColumn(const QStringList &rowsAbove, int caretColumn)
{
    for (auto row = rowsAbove.crbegin(); row != rowsAbove.crend(); ++row) {
        if (isBlank(*row))
            continue;
        const int indent = indentationOf(*row);
        if (indent + 1 < caretColumn)
            return indent + 1;
    }
    return std::max(1, caretColumn - 1);
}

QStringList indented(const QStringList &rows)
{
    QStringList result;
    result.reserve(rows.size());
    for (const QString &row : rows)
        result.append(QStringLiteral("  ") + row);
    return result;
}

QStringList unindented(const QStringList &rows)
{
    int smallest = 2;
    for (const QString &row : rows) {
        if (!isBlank(row))
            smallest = std::min(smallest, indentationOf(row));
    }
    QStringList result;
    result.reserve(rows.size());
    for (const QString &row : rows)
        result.append(isBlank(row) ? row : row.mid(smallest));
    return result;
}

} // namespace SmartIndent

} // namespace tovren::dialogs
