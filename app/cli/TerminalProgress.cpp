#include "app/cli/TerminalProgress.h"

namespace tovren::cli {

namespace {

constexpr qint64 kRedrawIntervalMs = 100;
constexpr int kBarWidth = 30;

} // namespace

void TerminalProgress::beginPass(const QString &caption, const QString &prefix)
{
    m_prefix = prefix;
    m_stream << caption << '\n';
    m_stream.flush();
    m_sinceDrawn.start();
    m_drawn = false;
}

void TerminalProgress::step(int pageNumber, int total)
{
    if (m_drawn && m_sinceDrawn.elapsed() < kRedrawIntervalMs)
        return;
    m_sinceDrawn.restart();
    m_drawn = true;
    QString line = m_prefix + QStringLiteral("  ") + QString::number(pageNumber);
    if (total > 0) {
        const int filled = std::min(kBarWidth, pageNumber * kBarWidth / total);
        line = QStringLiteral("[%1%2] ").arg(QString(filled, u'#'),
                                             QString(kBarWidth - filled, u' ')) +
               line + QStringLiteral(" 从 ") + QString::number(total);
    }
    m_stream << '\r' << line;
    m_stream.flush();
}

void TerminalProgress::endPass()
{
    if (m_drawn)
        m_stream << '\n';
    m_stream.flush();
}

} // namespace tovren::cli
