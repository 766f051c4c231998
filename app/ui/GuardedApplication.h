#pragma once

#include <QApplication>

namespace tovren::platform {
class DialogProvider;
}

namespace tovren::app {

/// The window program's application object, with a last line of defence: an error that escapes
/// an event handler is shown as a message instead of ending the program, so a clerk never loses
/// the window (and what it holds) to a fault the handler did not foresee.
class GuardedApplication : public QApplication
{
public:
    GuardedApplication(int &argc, char **argv);

    /// Where escaped errors are shown; without one they go to the standard error stream.
    void setDialogs(platform::DialogProvider *dialogs) { m_dialogs = dialogs; }

    bool notify(QObject *receiver, QEvent *event) override;

private:
    void reportEscapedError(const QString &text);

    platform::DialogProvider *m_dialogs = nullptr;
    bool m_reporting = false;
};

} // namespace tovren::app
