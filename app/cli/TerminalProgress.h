#pragma once

#include "report/engine/TqxReport.h"

#include <QElapsedTimer>
#include <QTextStream>

namespace tovren::cli {

/// The progress window of a headless build: a one-line bar on the terminal, redrawn at most
/// ten times a second so that drawing it never slows the build down.
class TerminalProgress : public engine::TqxProgressSink
{
public:
    explicit TerminalProgress(QTextStream &stream)
        : m_stream(stream)
    {}
    void beginPass(const QString &caption, const QString &prefix) override;
    void step(int pageNumber, int total) override;
    void endPass() override;

private:
    QTextStream &m_stream;
    QString m_prefix;
    QElapsedTimer m_sinceDrawn;
    bool m_drawn = false;
};

} // namespace tovren::cli
