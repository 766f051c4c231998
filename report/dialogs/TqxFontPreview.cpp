#include "report/dialogs/TqxFontPreview.h"

#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

namespace tovren::dialogs {

TqxFontPreview::TqxFontPreview(QWidget *owner)
    : QFrame(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
    , m_sample(new QLabel(this))
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFixedSize(kWidthPixels, kHeightPixels);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_sample);

    m_sample->setFrameShape(QFrame::Box);
    m_sample->setLineWidth(1);
    m_sample->setAlignment(Qt::AlignCenter);
    m_sample->setAutoFillBackground(true);
    QPalette colours = m_sample->palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::Base));
    colours.setColor(QPalette::WindowText, colours.color(QPalette::Text));
    m_sample->setPalette(colours);
    hide();
}

void TqxFontPreview::showSample(const QString &family)
{
    m_sample->setFont(QFont(family, kSamplePointSize));
    m_sample->setText(family);
    // A long name widens the window rather than being cut off.
    const int neededWidth = m_sample->sizeHint().width() + 2 * kSampleMarginPixels;
    setFixedSize(std::max(kWidthPixels, neededWidth), kHeightPixels);
}

QString TqxFontPreview::sampleFamily() const
{
    return m_sample->text();
}

} // namespace tovren::dialogs
