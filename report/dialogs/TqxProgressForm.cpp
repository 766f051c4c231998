#include "report/dialogs/TqxProgressForm.h"

#include "report/platform/StringTable.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

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
    m_cancel = new QPushButton(QStringLiteral("Cancel"));
    m_cancel->setObjectName(QStringLiteral("Button1"));
    m_cancel->setAutoDefault(false);
    connect(m_cancel, &QPushButton::clicked, this, &TqxProgressForm::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_progress, 0, Qt::AlignHCenter);
    layout->addWidget(m_note, 0, Qt::AlignHCenter);
    layout->addStretch(1);
    layout->addWidget(m_cancel, 0, Qt::AlignHCenter);
    setFixedSize(kClientSize.expandedTo(sizeHint()));
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
    if (isVisible())
        return; // the final pass of a two-pass build, under the same showing
    m_cancel->setText(platform::LoadLibraryString(kCancelCaption));
    m_note->clear();
    setResult(0);
    show();
    letEventsRun();
}

void TqxProgressForm::step(int pageNumber, int total)
{
    QString text = m_prefix + QStringLiteral("  ") + QString::number(pageNumber);
    if (total > 0)
        text += u' ' + m_from + u' ' + QString::number(total);
    m_progress->setText(text);
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
