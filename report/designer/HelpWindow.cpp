#include "report/designer/HelpWindow.h"

#include "report/designer/HelpTopics.h"

#include <QHBoxLayout>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

namespace tovren::designer {

HelpWindow::HelpWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_browser(new QTextBrowser(this))
{
    setWindowTitle(QStringLiteral("Tovren 报表设计器 帮助"));
    resize(720, 560);
    m_browser->setOpenExternalLinks(true);

    auto *buttons = new QHBoxLayout;
    const auto addButton = [&](const QString &text, const QString &tip, auto slot) {
        auto *button = new QToolButton(this);
        button->setText(text);
        button->setToolTip(tip);
        button->setAutoRaise(true);
        connect(button, &QToolButton::clicked, m_browser, slot);
        buttons->addWidget(button);
        return button;
    };
    QToolButton *back =
        addButton(QStringLiteral("后退"), QStringLiteral("回到上一页"), &QTextBrowser::backward);
    QToolButton *forward =
        addButton(QStringLiteral("前进"), QStringLiteral("到下一页"), &QTextBrowser::forward);
    addButton(QStringLiteral("目录"), QStringLiteral("帮助目录"), &QTextBrowser::home);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QToolButton::setEnabled);
    buttons->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(buttons);
    layout->addWidget(m_browser);
}

void HelpWindow::open(const QUrl &page)
{
    if (page.isEmpty()) {
        m_browser->setHtml(QStringLiteral("<p>没有找到帮助文件。请重新安装本程序。</p>"));
    } else {
        if (m_browser->source().isEmpty())
            m_browser->setSource(HelpTopics::contentsUrl()); // the home page of the window
        m_browser->setSource(page);
    }
    show();
    raise();
    activateWindow();
}

void HelpWindow::showContents()
{
    open(HelpTopics::contentsUrl());
}

void HelpWindow::showTopic(int topic)
{
    open(HelpTopics::topicUrl(topic));
}

QUrl HelpWindow::currentPage() const
{
    return m_browser->source();
}

} // namespace tovren::designer
