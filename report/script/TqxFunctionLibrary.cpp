#include "report/script/TqxFunctionLibrary.h"

#include "report/script/TqxParser.h"

namespace tovren::script {

int TqxFunctionLibrary::functionNumber(const QString &name) const
{
    for (qsizetype index = 0; index < m_functionNames.size(); ++index) {
        if (m_functionNames[index].compare(name, Qt::CaseInsensitive) == 0)
            return static_cast<int>(index);
    }
    return -1;
}

bool TqxFunctionLibrary::HandleFunction(const QString &name, const QString &p1, const QString &p2,
                                        const QString &p3, Variant &value)
{
    const int number = functionNumber(name);
    if (number < 0)
        return false;
    RunFunction(number, p1, p2, p3, value);
    return true;
}

Variant TqxFunctionLibrary::evaluate(const QString &argument) const
{
    return m_parser.Evaluate(argument);
}

} // namespace tovren::script
