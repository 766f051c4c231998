#include "app/isolation/LimitedChildProcess.h"

#include "report/platform/DataFolders.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <algorithm>
#include <sys/resource.h>

namespace tovren::isolation {

namespace {

constexpr qint64 kMegabyte = 1 << 20;
/// A log past this size is moved aside before the next run, so it never grows without end.
constexpr qint64 kLogRotationBytes = 2 * kMegabyte;
/// How often the parent looks at the child's time and output.
constexpr int kPollMilliseconds = 10;

/// Appends one run's complaints of the child to the log file, up to an allowance.
class RunLog
{
public:
    RunLog(const QString &path, qint64 allowance)
        : m_allowance(allowance)
    {
        if (path.isEmpty())
            return;
        if (QFileInfo(path).size() > kLogRotationBytes) {
            const QString older = path + QStringLiteral(".old");
            QFile::remove(older);
            QFile::rename(path, older);
        }
        m_file.setFileName(path);
        if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append))
            return;
    }

    void begin(const QString &program, const QStringList &arguments)
    {
        writeLine(QStringLiteral("[%1] %2 %3")
                      .arg(QDateTime::currentDateTime().toString(Qt::ISODate), program,
                           arguments.join(u' ')));
    }

    void append(const QByteArray &bytes)
    {
        const qint64 room = std::max<qint64>(0, m_allowance - m_written);
        const qint64 kept = std::min<qint64>(room, bytes.size());
        if (kept > 0 && m_file.isOpen())
            m_file.write(bytes.constData(), kept);
        m_written += kept;
        m_dropped += bytes.size() - kept;
    }

    void end(const QString &ending)
    {
        if (m_written > 0 && m_file.isOpen())
            m_file.write("\n");
        if (m_dropped > 0)
            writeLine(QStringLiteral("(另有 %1 字节的输出没有记录)").arg(m_dropped));
        writeLine(ending);
    }

private:
    void writeLine(const QString &line)
    {
        if (m_file.isOpen())
            m_file.write((line + u'\n').toUtf8());
    }

    QFile m_file;
    qint64 m_allowance;
    qint64 m_written = 0;
    qint64 m_dropped = 0;
};

/// Runs in the child between fork and exec, so only async-signal-safe calls belong here.
void limitChild(qint64 memoryBytes)
{
    const rlimit memory{rlim_t(memoryBytes), rlim_t(memoryBytes)};
    setrlimit(RLIMIT_DATA, &memory);
    const rlimit none{0, 0};
    // A crash must not leave a core file, nor a runaway child fill the disk.
    setrlimit(RLIMIT_CORE, &none);
    setrlimit(RLIMIT_FSIZE, &none);
}

} // namespace

ChildLimits ChildLimits::forInputSize(qint64 inputBytes)
{
    ChildLimits limits;
    const qint64 megabytes = std::max<qint64>(0, inputBytes) / kMegabyte;
    limits.time = std::chrono::milliseconds(10'000 + 2'000 * megabytes);
    limits.memoryBytes = 512 * kMegabyte + 16 * std::max<qint64>(0, inputBytes);
    limits.outputBytes = 64 * kMegabyte + 16 * std::max<qint64>(0, inputBytes);
    return limits;
}

QString LimitedChildProcess::Result::description() const
{
    switch (ending) {
    case Ending::Finished:
        return QStringLiteral("读取程序结束, 返回值 %1").arg(exitCode);
    case Ending::Crashed:
        return QStringLiteral("读取程序异常结束 (崩溃或内存超过限制)");
    case Ending::TimedOut:
        return QStringLiteral("读取程序超过时间限制, 已终止");
    case Ending::OutputTooLarge:
        return QStringLiteral("读取程序输出过多, 已终止");
    case Ending::NotStarted:
        return QStringLiteral("无法启动读取程序");
    }
    return {};
}

QString LimitedChildProcess::logPathFor(const QString &fileName)
{
    const QString folder = platform::DataFolders::userDir(QStringLiteral("logs"));
    return folder.isEmpty() ? QString() : QDir(folder).filePath(fileName);
}

LimitedChildProcess::LimitedChildProcess(QString program, ChildLimits limits, QString logPath)
    : m_program(std::move(program))
    , m_limits(limits)
    , m_logPath(std::move(logPath))
{}

LimitedChildProcess::Result LimitedChildProcess::run(const QStringList &arguments) const
{
    RunLog log(m_logPath, m_limits.logBytes);
    log.begin(m_program, arguments);

    QProcess process;
    process.setProgram(m_program);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setChildProcessModifier([memory = m_limits.memoryBytes] { limitChild(memory); });

    Result result;
    process.start();
    if (!process.waitForStarted()) {
        log.end(result.description() + QStringLiteral(": ") + process.errorString());
        return result;
    }

    QElapsedTimer clock;
    clock.start();
    result.ending = Ending::Finished;
    const auto stop = [&](Ending why) {
        result.ending = why;
        process.kill();
        process.waitForFinished();
    };
    while (process.state() != QProcess::NotRunning) {
        process.waitForFinished(kPollMilliseconds);
        result.output += process.readAllStandardOutput();
        log.append(process.readAllStandardError());
        if (result.output.size() > m_limits.outputBytes)
            stop(Ending::OutputTooLarge);
        else if (clock.elapsed() > m_limits.time.count())
            stop(Ending::TimedOut);
    }
    log.append(process.readAllStandardError());
    if (result.ending == Ending::Finished) {
        result.output += process.readAllStandardOutput();
        if (process.exitStatus() == QProcess::CrashExit)
            result.ending = Ending::Crashed;
        else
            result.exitCode = process.exitCode();
    } else {
        result.output.clear();
    }
    log.end(result.description());
    return result;
}

} // namespace tovren::isolation
