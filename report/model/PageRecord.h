#pragma once

#include <QString>
#include <functional>

namespace tovren::model {

class RecordReader;
class RecordWriter;
class TqxPage;

/// Reads the page record of the reader's stream version into @p page and applies its paper;
/// pages of versions before 24, which carry no name, are named through @p isPageNameTaken.
/// Raises ERecordFormat for a record that ends early.
void readPageRecord(RecordReader &reader, TqxPage &page,
                    const std::function<bool(const QString &)> &isPageNameTaken);

/// Writes the current page record: marker, bin, dialog fields and script included.
void writePageRecord(RecordWriter &writer, const TqxPage &page);

} // namespace tovren::model
