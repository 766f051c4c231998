#include "report/engine/DictionaryBlockHandler.h"

#include "report/engine/TqxDataDictionary.h"

namespace tovren::engine {

void DictionaryBlockHandler::clearDictionary()
{
    m_dictionary.Clear();
}

void DictionaryBlockHandler::readDictionary(model::RecordReader &reader)
{
    m_dictionary.ReadFromStream(reader);
}

void DictionaryBlockHandler::writeDictionary(model::RecordWriter &writer) const
{
    m_dictionary.WriteToStream(writer);
}

DictionaryBlockHandler::NamedValues DictionaryBlockHandler::dictionaryVariables() const
{
    NamedValues values;
    const script::TqxVariables &variables = m_dictionary.VariableList;
    for (qsizetype i = 0; i < variables.count(); ++i)
        values.append({variables.nameAt(i), variables.valueAt(i).toString()});
    return values;
}

} // namespace tovren::engine
