#include "report/dialogs/TemplateGallery.h"

#include "report/platform/DataFolders.h"

#include <QCollator>
#include <QDir>
#include <QMap>
#include <algorithm>

namespace tovren::dialogs {

namespace {

constexpr QLatin1String kGalleryPurpose("gallery");

/// Adds the templates of @p folder to @p byCaption, replacing entries of the same caption.
void addFolder(const QString &folder, QMap<QString, QString> &byCaption)
{
    if (folder.isEmpty())
        return;
    const QDir dir(folder);
    // Files only: a folder named like a template is no template. The pattern ignores case,
    // as a gallery copied from elsewhere may spell the extension in capitals.
    const QFileInfoList files =
        dir.entryInfoList({QStringLiteral("*.") + QLatin1String(TemplateGallery::kExtension)},
                          QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo &file : files)
        byCaption.insert(file.completeBaseName(), file.absoluteFilePath());
}

} // namespace

TemplateGallery::TemplateGallery()
    : TemplateGallery(platform::DataFolders::shippedPath(kGalleryPurpose),
                      platform::DataFolders::userDir(kGalleryPurpose))
{}

TemplateGallery::TemplateGallery(QString shippedFolder, QString userFolder)
    : m_shippedFolder(std::move(shippedFolder))
    , m_userFolder(std::move(userFolder))
{}

QList<GalleryEntry> TemplateGallery::entries() const
{
    QMap<QString, QString> byCaption;
    addFolder(m_shippedFolder, byCaption);
    addFolder(m_userFolder, byCaption);

    QList<GalleryEntry> entries;
    for (auto it = byCaption.cbegin(); it != byCaption.cend(); ++it)
        entries.append({it.key(), it.value()});
    // Chinese captions sort as a Chinese reader expects them, by their reading.
    QCollator collator(QLocale(QLocale::Chinese, QLocale::China));
    collator.setNumericMode(true);
    std::stable_sort(entries.begin(), entries.end(),
                     [&collator](const GalleryEntry &a, const GalleryEntry &b) {
                         return collator.compare(a.caption, b.caption) < 0;
                     });
    return entries;
}

} // namespace tovren::dialogs
