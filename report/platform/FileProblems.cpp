#include "report/platform/FileProblems.h"

#include <QDir>
#include <QFileInfo>

namespace tovren::platform {

QString readProblem(const QString &path)
{
    const QFileInfo file(path);
    if (!file.exists())
        return QStringLiteral("文件不存在");
    if (file.isDir())
        return QStringLiteral("这是一个文件夹, 不是文件");
    if (!file.isReadable())
        return QStringLiteral("没有读取这个文件的权限");
    return {};
}

QString writeProblem(const QString &path)
{
    const QFileInfo file(path);
    if (file.isDir())
        return QStringLiteral("这是一个文件夹, 不是文件");
    const QFileInfo folder(file.absolutePath());
    if (!folder.exists())
        return QStringLiteral("文件夹 %1 不存在").arg(QDir::toNativeSeparators(folder.filePath()));
    if (!folder.isDir())
        return QStringLiteral("%1 不是文件夹").arg(QDir::toNativeSeparators(folder.filePath()));
    if (!folder.isWritable())
        return QStringLiteral("没有写入文件夹 %1 的权限")
            .arg(QDir::toNativeSeparators(folder.filePath()));
    if (file.exists() && !file.isWritable())
        return QStringLiteral("文件是只读的");
    return {};
}

QString printableText(QStringView text)
{
    QString shown;
    shown.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        if (QChar::isPrint(c) || c == U' ')
            shown += QString::fromUcs4(&c, 1);
        else
            shown +=
                QStringLiteral("\\x") + QString::number(c, 16).toUpper().rightJustified(2, u'0');
    }
    return shown;
}

} // namespace tovren::platform
