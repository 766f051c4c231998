#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <chrono>

namespace tovren::isolation {

/// What a child may cost before it is stopped.
struct ChildLimits
{
    std::chrono::milliseconds time{10'000};
    /// Heap, stacks and other private writable memory of the child.
    qint64 memoryBytes = 512ll << 20;
    /// What the child may write on its standard output, which the parent keeps in memory.
    qint64 outputBytes = 64ll << 20;
    /// What one run may add to the log of the child's complaints.
    qint64 logBytes = 256ll << 10;

    /// Limits for reading an input of @p inputBytes: time and memory grow with the input, so a
    /// large sound file still reads while a small damaged one cannot run away.
    static ChildLimits forInputSize(qint64 inputBytes);
};

/// Runs a helper program whose work may go wrong in ways no exception can catch (a C library
/// that crashes, loops for ever or allocates without end on a damaged file), so that whatever
/// happens there ends as a result here.
///
/// The child runs with its memory limited (setrlimit), no core dumps and no files of its own,
/// and is killed when it outlives its time or writes more than its output allowance. What it
/// says on its standard error goes to a log file, up to the limit per run, never to the
/// terminal of the parent.
class LimitedChildProcess
{
public:
    enum class Ending {
        Finished,       ///< exited by itself; see exitCode
        Crashed,        ///< ended by a signal: a crash, or an abort when memory ran out
        TimedOut,       ///< killed after its time
        OutputTooLarge, ///< killed for writing more than its allowance
        NotStarted,     ///< the program could not be started
    };

    struct Result
    {
        Ending ending = Ending::NotStarted;
        int exitCode = -1;
        QByteArray output;

        bool succeeded() const { return ending == Ending::Finished && exitCode == 0; }
        /// In Chinese, for the log.
        QString description() const;
    };

    /// @p logPath: the file that collects the child's standard error; empty discards it.
    LimitedChildProcess(QString program, ChildLimits limits, QString logPath);

    /// The log named @p fileName in the user's data folder ("logs"); empty when the folder
    /// cannot be made.
    static QString logPathFor(const QString &fileName);

    /// Runs the program with @p arguments and waits until it ends or is stopped.
    Result run(const QStringList &arguments) const;

private:
    QString m_program;
    ChildLimits m_limits;
    QString m_logPath;
};

} // namespace tovren::isolation
