#include "app/ui/GuardedApplication.h"

#include "app/AppInfo.h"
#include "report/platform/DialogProvider.h"

#include <QScopedValueRollback>
#include <cstdio>
#include <exception>

namespace tovren::app {

GuardedApplication::GuardedApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{}

bool GuardedApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        reportEscapedError(QString::fromUtf8(error.what()));
    } catch (...) {
        reportEscapedError(QStringLiteral("未知的错误"));
    }
    return false;
}

void GuardedApplication::reportEscapedError(const QString &text)
{
    const QString message = QStringLiteral("操作没有完成: %1").arg(text);
    // The message box runs its own event loop; an error inside it must not open another box.
    if (!m_dialogs || m_reporting) {
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
        return;
    }
    const QScopedValueRollback reporting(m_reporting, true);
    m_dialogs->messageBox(message, QString::fromLatin1(kApplicationTitle),
                          platform::mb_Ok | platform::mb_IconError);
}

} // namespace tovren::app
