#pragma once

#include <QList>
#include <QString>
#include <utility>

namespace tovren::model {

class RecordReader;
class RecordWriter;

/// The parts of a template stream that belong to the report rather than to its pages: the
/// data dictionary (block 254) and extension blocks (block 253).
///
/// The template reader and writer call it at those markers; the report component plugs in its
/// own dictionary. The base class keeps the dictionary as it was read and writes it back
/// unchanged, and leaves every extension block unread.
class TemplateBlockHandler
{
public:
    using NamedValues = QList<std::pair<QString, QString>>;

    virtual ~TemplateBlockHandler() = default;

    /// Before a read of the page part.
    virtual void clearDictionary();
    /// Reads the dictionary after the 254 marker; raises ERecordFormat for a damaged block.
    virtual void readDictionary(RecordReader &reader);
    /// Writes the dictionary without its 254 marker.
    virtual void writeDictionary(RecordWriter &writer) const;
    /// Name and value text of every dictionary variable, for the XML export.
    virtual NamedValues dictionaryVariables() const { return m_variables; }

    /// Reads an extension block after the 253 marker. Returns false when it does not know the
    /// block; reading of the page part then ends there.
    virtual bool readExtension(RecordReader &reader);

private:
    NamedValues m_variables;
    NamedValues m_fieldAliases;
    NamedValues m_bandDataSources;
};

} // namespace tovren::model
