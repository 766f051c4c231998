#include "report/dialogs/VariableListText.h"

#include <QStringList>

namespace tovren::dialogs::VariableListText {

namespace {

// The list marks categories with a leading blank; the text marks variables with one.
QString toggledMark(const QString &name)
{
    return name.startsWith(u' ') ? name.mid(1) : u' ' + name;
}

} // namespace

QString toText(const script::TqxVariables &variables)
{
    QStringList lines;
    for (qsizetype i = 0; i < variables.count(); ++i) {
        const QString name = variables.nameAt(i);
        lines.append(name.isEmpty() ? QString() : toggledMark(name));
    }
    return lines.join(u'\n');
}

std::optional<QString> apply(const QString &text, script::TqxVariables &variables)
{
    script::TqxVariables result;
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        // Only one leading blank marks a variable; trailing blanks are never part of a name.
        while (line.endsWith(u' '))
            line.chop(1);
        const QString key = line.startsWith(u' ') ? line.trimmed() : u' ' + line;
        if (result.contains(key)) {
            return QStringLiteral("第 %1 行的“%2”与前面的名称重复，请改名后再确认。")
                .arg(i + 1)
                .arg(key.trimmed());
        }
        const qsizetype existing = variables.indexOf(key);
        result.setValue(key,
                        existing >= 0 ? variables.valueAt(existing) : script::Variant(QString()));
    }
    variables.Assign(result);
    return std::nullopt;
}

} // namespace tovren::dialogs::VariableListText
