#include "report/designer/HelpTopics.h"

#include "report/platform/DataFolders.h"

#include <QDir>
#include <QFileInfo>

namespace tovren::designer {

int HelpTopics::topicForControl(int tag)
{
    return 400 + tag;
}

int HelpTopics::topicForObjectTool(int tag)
{
    return 430 + std::min(tag, 5);
}

QString HelpTopics::folder()
{
    return platform::DataFolders::shippedPath(QStringLiteral("help"));
}

QUrl HelpTopics::contentsUrl()
{
    const QString path = QDir(folder()).filePath(QStringLiteral("index.html"));
    return QFileInfo::exists(path) ? QUrl::fromLocalFile(path) : QUrl();
}

QUrl HelpTopics::topicUrl(int topic)
{
    const QString path = QDir(folder()).filePath(QStringLiteral("topic-%1.html").arg(topic));
    return QFileInfo::exists(path) ? QUrl::fromLocalFile(path) : contentsUrl();
}

} // namespace tovren::designer
