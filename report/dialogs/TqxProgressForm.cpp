#include "report/dialogs/TqxProgressForm.h"

#include "report/platform/StringTable.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace tovren::dialogs {

namespace {

constexpr int kCancelCaption = 55001;
constexpr int kFromText = 55199;
constexpr QSize kClientSize(278, 106);
constexpr int kLabelWidth = 237;

QLabel *centredLabel(const char *name)
{
    auto *label = new QLabel;
    label->setObjectName(QLatin1String(name));
    label->setAlignment(Qt::AlignCenter);
    label->setFixedWidth(kLabelWidth);
    return label;
}

} // namespace

TqxProgressForm::TqxProgressForm(QWidget *parent)
    : QDialog(parent,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("qxProgressForm"));
    setWindowModality(Qt::ApplicationModal);
    m_progress = centredLabel("Label1");
    m_note = centredLabel("Label2");
    m_bar = new QProgressBar;
    m_bar->setObjectName(QStringLiteral("ProgressBar"));
    m_bar->setFixedWidth(kLabelWidth);
    m_bar->setTextVisible(true);
    m_bar->setFormat(QStringLiteral("%p%"));
    m_bar->hide();
    m_timeLeft = centredLabel("TimeLeftLabel");
    m_timeLeft->hide();
    m_cancel = new QPushButton(QStringLiteral("Cancel"));
    m_cancel->setObjectName(QStringLiteral("Button1"));
    m_cancel->setAutoDefault(false);
    connect(m_cancel, &QPushButton::clicked, this, &TqxProgressForm::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_progress, 0, Qt::AlignHCenter);
    layout->addWidget(m_bar, 0, Qt::AlignHCenter);
    layout->addWidget(m_timeLeft, 0, Qt::AlignHCenter);
    layout->addWidget(m_note, 0, Qt::AlignHCenter);
    layout->addStretch(1);
    layout->addWidget(m_cancel, 0, Qt::AlignHCenter);
    // Room for the bar and the time left, so the window does not jump when they appear.
    m_bar->show();
    m_timeLeft->show();
    setFixedSize(kClientSize.expandedTo(sizeHint()));
    m_bar->hide();
    m_timeLeft->hide();
}

TqxProgressForm::~TqxProgressForm()
{
    detach();
}

void TqxProgressForm::attachTo(engine::TqxReport &report)
{
    detach();
    m_report = &report;
    report.setProgressSink(this);
}

void TqxProgressForm::detach()
{
    if (m_report && m_report->progressSink() == this)
        m_report->setProgressSink(nullptr);
    m_report = nullptr;
}

QString TqxProgressForm::progressText() const
{
    return m_progress->text();
}

QString TqxProgressForm::noteText() const
{
    return m_note->text();
}

void TqxProgressForm::beginPass(const QString &caption, const QString &prefix)
{
    setWindowTitle(caption);
    m_prefix = prefix;
    m_from = platform::LoadLibraryString(kFromText);
    m_progress->setText(prefix + QStringLiteral("  1"));
    m_passTimer.start();
    m_bar->hide();
    m_timeLeft->hide();
    if (isVisible())
        return; // the final pass of a two-pass build, under the same showing
    m_cancel->setText(platform::LoadLibraryString(kCancelCaption));
    m_note->clear();
    setResult(0);
    show();
    letEventsRun();
}

QString TqxProgressForm::timeLeftText() const
{
    return m_timeLeft->isVisible() ? m_timeLeft->text() : QString();
}

int TqxProgressForm::barMaximum() const
{
    return m_bar->isVisible() ? m_bar->maximum() : 0;
}

void TqxProgressForm::showBar(int pageNumber, int total)
{
    m_bar->setMaximum(total);
    m_bar->setValue(std::clamp(pageNumber - 1, 0, total));
    m_bar->show();
    const qint64 elapsedMs = m_passTimer.elapsed();
    const int done = pageNumber - 1;
    // The first pages say little about the rate; wait for a second's worth before guessing.
    if (done <= 0 || elapsedMs < 1000) {
        m_timeLeft->setText(QStringLiteral("正在估计剩余时间..."));
    } else {
        const qint64 leftSeconds = (elapsedMs * (total - done) / done + 999) / 1000;
        m_timeLeft->setText(leftSeconds >= 60 ? QStringLiteral("大约还需 %1 分 %2 秒")
                                                    .arg(leftSeconds / 60)
                                                    .arg(leftSeconds % 60, 2, 10, QLatin1Char('0'))
                                              : QStringLiteral("大约还需 %1 秒").arg(leftSeconds));
    }
    m_timeLeft->show();
}

void TqxProgressForm::step(int pageNumber, int total)
{
    // A one-pass build does not know its page count; the caller may.
    const int expected = m_report ? m_report->ExpectedPageCount : 0;
    const int known = total > 0 ? total : std::max(expected, 0);
    QString text = m_prefix + QStringLiteral("  ") + QString::number(pageNumber);
    if (known > 0)
        text += u' ' + m_from + u' ' + QString::number(known);
    m_progress->setText(text);
    if (known > 0 && pageNumber <= known)
        showBar(pageNumber, known);
    emit pageStarted(pageNumber);
    if (!m_sinceEventsRan.isValid() || m_sinceEventsRan.elapsed() >= pumpInterval())
        letEventsRun();
}

void TqxProgressForm::endPass()
{
    const bool stopped = m_report && m_report->StopRequested;
    QDialog::done(stopped ? QDialog::Rejected : QDialog::Accepted);
}

void TqxProgressForm::setNote(const QString &note)
{
    m_note->setText(note);
}

void TqxProgressForm::reject()
{
    if (m_report)
        m_report->StopRequested = true;
    QDialog::reject();
}

void TqxProgressForm::letEventsRun()
{
    QCoreApplication::processEvents();
    m_sinceEventsRan.start();
}

} // namespace tovren::dialogs
