#pragma once

#include <QWidget>

class QTextBrowser;
class QToolButton;

namespace tovren::designer {

/// The help window: the program's own help pages, shown offline in the program. One window
/// serves the contents and every topic; it stays open beside the designer until closed.
class HelpWindow : public QWidget
{
    Q_OBJECT
public:
    explicit HelpWindow(QWidget *parent = nullptr);

    void showContents();
    void showTopic(int topic);
    QUrl currentPage() const;

private:
    void open(const QUrl &page);

    QTextBrowser *m_browser;
};

} // namespace tovren::designer
