#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

namespace tovren::model {
class TqxView;
}

namespace tovren::designer {

/// An object frozen as its kind, class name and template record, with its id: what an undo
/// step keeps of an object and what the clipboard carries. A snapshot costs the record's bytes,
/// not a live object, so long histories stay small.
class ObjectSnapshot
{
public:
    static ObjectSnapshot of(model::TqxView &view);

    /// A new object made from the snapshot, with the snapshot's name and, unless
    /// @p keepObjectId is false (a pasted copy is another object), its id.
    std::unique_ptr<model::TqxView> rebuild(bool keepObjectId = true) const;
    /// Gives @p view every stored attribute back; its id stays.
    void restoreInto(model::TqxView &view) const;

    qint32 objectId() const { return m_objectId; }
    quint8 kind() const { return m_kind; }
    const QString &className() const { return m_className; }
    qsizetype byteSize() const { return m_record.size(); }

    /// The clipboard's stream of the object: kind byte, class name (16-bit length, the bytes,
    /// a 0 byte) and the object's template record.
    QByteArray clipboardStream() const;
    /// Reads a clipboard stream back. Raises model::ERecordFormat for a damaged stream, an
    /// unknown kind or a record that does not read back into an object, and
    /// model::EClassNotFound for an add-in class this program lacks.
    static ObjectSnapshot fromClipboardStream(const QByteArray &stream);

private:
    quint8 m_kind = 0;
    QString m_className;
    qint32 m_objectId = 0;
    QByteArray m_record;
};

} // namespace tovren::designer
