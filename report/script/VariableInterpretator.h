#pragma once

#include "report/script/TqxInterpretator.h"
#include "report/script/TqxVariables.h"

namespace tovren::script {

/// An interpreter whose names are its own variables: an assignment stores the value, a read gives
/// it back (the empty value for a name never set), calls stay unanswered. It serves where no
/// report is present to resolve names, such as the command line, and keeps its variables from one
/// run to the next.
class VariableInterpretator : public TqxInterpretator
{
public:
    Variant GetVariable(const QString &name) override { return m_variables.value(name); }
    void SetVariable(const QString &name, const Variant &value) override
    {
        m_variables.setValue(name, value);
    }

    const TqxVariables &variables() const { return m_variables; }

private:
    TqxVariables m_variables;
};

} // namespace tovren::script
