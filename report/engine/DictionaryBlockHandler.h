#pragma once

#include "report/model/TemplateBlockHandler.h"

namespace tovren::engine {

class TqxDataDictionary;

/// Puts the dictionary block of a template into the report's own data dictionary and writes
/// it from there; extension blocks stay unread.
class DictionaryBlockHandler : public model::TemplateBlockHandler
{
public:
    explicit DictionaryBlockHandler(TqxDataDictionary &dictionary)
        : m_dictionary(dictionary)
    {}
    void clearDictionary() override;
    void readDictionary(model::RecordReader &reader) override;
    void writeDictionary(model::RecordWriter &writer) const override;
    NamedValues dictionaryVariables() const override;

private:
    TqxDataDictionary &m_dictionary;
};

} // namespace tovren::engine
