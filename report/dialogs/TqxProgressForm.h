#pragma once

#include "report/engine/TqxReport.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>

class QLabel;
class QProgressBar;
class QPushButton;

namespace tovren::dialogs {

/// The progress window of a build: the pass and the page being built, a bar with the time left
/// where the total is known, a line that scripts write to, and Cancel, which asks the report to
/// stop.
///
/// It is shown while a pass runs and blocks the other windows meanwhile. The build runs on the
/// GUI thread, so the window lets queued events run from its page steps, at most every
/// pumpInterval(): often enough for Cancel to answer at once, seldom enough to cost a long
/// build nothing worth measuring.
class TqxProgressForm : public QDialog, public engine::TqxProgressSink
{
    Q_OBJECT
public:
    explicit TqxProgressForm(QWidget *parent = nullptr);
    ~TqxProgressForm() override;

    /// Shows the builds of @p report and lets Cancel stop them.
    void attachTo(engine::TqxReport &report);
    void detach();

    QString progressText() const;
    QString noteText() const;
    /// "大约还需 ..." while a build with a known total runs; empty otherwise.
    QString timeLeftText() const;
    /// The bar's total while it shows; 0 when the total is unknown and no bar shows.
    int barMaximum() const;
    QPushButton *cancelButton() const { return m_cancel; }
    static constexpr int pumpInterval() { return 50; }

    // engine::TqxProgressSink
    void beginPass(const QString &caption, const QString &prefix) override;
    void step(int pageNumber, int total) override;
    void endPass() override;
    void setNote(const QString &note) override;

public slots:
    /// Cancel, Escape or closing the window: the build stops at its next check.
    void reject() override;

signals:
    /// The build started page @p pageNumber.
    void pageStarted(int pageNumber);

private:
    void letEventsRun();
    void showBar(int pageNumber, int total);

    QPointer<engine::TqxReport> m_report;
    QLabel *m_progress = nullptr;
    QLabel *m_note = nullptr;
    QProgressBar *m_bar = nullptr;
    QLabel *m_timeLeft = nullptr;
    QPushButton *m_cancel = nullptr;
    QString m_prefix;
    QString m_from;
    QElapsedTimer m_sinceEventsRan;
    QElapsedTimer m_passTimer;
};

} // namespace tovren::dialogs
