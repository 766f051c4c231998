#pragma once

#include "report/script/StandardFunctions.h"
#include "report/script/TqxInterpretator.h"
#include "report/script/TqxVariables.h"

namespace tovren::script {

/// An interpreter whose names are its own variables: an assignment stores the value, a read gives
/// it back (the empty value for a name never set), and calls go to the standard functions, where
/// an unknown function is an error naming it. It serves where no report is present to resolve
/// names, such as the command line, and keeps its variables from one run to the next.
class VariableInterpretator : public TqxInterpretator
{
public:
    Variant GetVariable(const QString &name) override { return m_variables.value(name); }
    void SetVariable(const QString &name, const Variant &value) override
    {
        m_variables.setValue(name, value);
    }
    Variant CallFunction(const QString &name, const QString &p1, const QString &p2,
                         const QString &p3) override
    {
        return m_functions.call(name, p1, p2, p3);
    }

    const TqxVariables &variables() const { return m_variables; }

private:
    TqxVariables m_variables;
    StandardFunctions m_functions{parser()};
};

} // namespace tovren::script
