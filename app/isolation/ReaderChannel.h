#pragma once

#include <QFile>
#include <QString>

namespace tovren::isolation {

/// The program that serves as a reader child: this program, or the copy of it that
/// TOVREN_READER_PROGRAM names (for runs from a program that is not this one, such as tests).
QString readerProgram();

/// The child's side of a reader run: its standard output, kept for the dump alone.
///
/// A C library may print to standard output as well as to standard error; once the channel is
/// open, whatever anyone writes to standard output goes to standard error (the parent's log),
/// so only the dump reaches the parent's pipe.
class ReaderChannel
{
public:
    ReaderChannel();

    bool isOpen() const { return m_dump.isOpen(); }
    QIODevice &device() { return m_dump; }
    /// Writes out what is buffered; false when the parent can no longer receive it.
    bool finish() { return m_dump.flush(); }

private:
    QFile m_dump;
};

} // namespace tovren::isolation
