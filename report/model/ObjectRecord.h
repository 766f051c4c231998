#pragma once

#include <QString>
#include <memory>

namespace tovren::model {

class RecordReader;
class RecordWriter;
class TqxView;

/// The class name stored before an add-in record, and "" for the built-in kinds.
QString storedClassName(const TqxView &view);

/// Maps the stored names of retired add-in classes to the classes that replaced them.
QString canonicalAddInClassName(const QString &stored);

/// True for the retired framed-text class, read as a text object followed by 8 spare bytes.
bool isFramedTextClass(const QString &stored);
inline constexpr int kFramedTextTrailerBytes = 8;

/// Keeps a view in prepared-record mode (or template mode) for one scope and restores the
/// mode it had, whatever way the scope is left.
class RecordModeScope
{
public:
    RecordModeScope(TqxView &view, quint8 mode);
    ~RecordModeScope();
    RecordModeScope(const RecordModeScope &) = delete;
    RecordModeScope &operator=(const RecordModeScope &) = delete;

private:
    TqxView &m_view;
    quint8 m_saved;
};

/// Writes @p view as a prepared-page record: kind, class name for add-ins, then the view and
/// class parts in prepared mode (the expanded text instead of the memo, no design fields).
void writePreparedObject(RecordWriter &writer, TqxView &view);

/// Reads one prepared-page record written by writePreparedObject(). The object is left in
/// prepared mode. Raises ERecordFormat for a damaged record or a kind that makes no object,
/// and EClassNotFound for an add-in class nobody registered.
std::unique_ptr<TqxView> readPreparedObject(RecordReader &reader);

} // namespace tovren::model
