#pragma once

#include <QString>

namespace tovren::model {

class RecordReader;
class RecordWriter;
class TemplateBlockHandler;
class TqxPages;

/// The report settings kept at the head of the page part.
struct TemplateSettings
{
    bool useDefaultPrinter = true;
    bool twoPass = false;
    /// The printer's display name; the virtual printer is stored as the character 1.
    QString printerName;
};

/// How reading of the page part came to its end.
enum class PagePartEnd {
    EndMarker,       ///< the 252 marker; the report information may follow
    UnreadExtension, ///< a 253 block nobody understands; nothing after it is meaningful
    EndOfStream,
};

/// Reads the page part of a template (settings, pages, object records, dictionary) into
/// @p pages, replacing what they held.
///
/// Object records whose class is missing or whose data is damaged are skipped where the
/// stream version allows it; the registry collects the missing class names for the caller.
/// Raises ERecordFormat for a damage it cannot step over. Every object that was read gets
/// AfterTemplateLoad, also when reading fails.
PagePartEnd readPageList(RecordReader &reader, TqxPages &pages, TemplateSettings &settings,
                         TemplateBlockHandler &blocks);

/// Writes the page part without the 252 marker that closes it, every object in template mode.
void writePageList(RecordWriter &writer, const TqxPages &pages, const TemplateSettings &settings,
                   const TemplateBlockHandler &blocks);

} // namespace tovren::model
