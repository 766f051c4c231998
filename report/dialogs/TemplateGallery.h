#pragma once

#include <QList>
#include <QString>

namespace tovren::dialogs {

/// One template of the gallery: its caption, the file name without ".qxt", and its file.
struct GalleryEntry
{
    QString caption;
    QString filePath;
};

/// The gallery of report templates: the ".qxt" files shipped with the program and those the
/// user saved, in one list sorted by caption.
///
/// The shipped folder is not writable once the program is installed, so the user's templates
/// live in a folder of their own; a user's template named like a shipped one takes its place.
/// The folders are read each time entries() is called, so the list follows the disk.
class TemplateGallery
{
public:
    /// The program's gallery: the shipped "gallery" data folder and the user's own.
    TemplateGallery();
    /// A gallery over the given folders; either may be empty or missing.
    TemplateGallery(QString shippedFolder, QString userFolder);

    QList<GalleryEntry> entries() const;
    /// Where templates the user saves go; empty when it cannot be made.
    QString userFolder() const { return m_userFolder; }

    static constexpr const char *kExtension = "qxt";

private:
    QString m_shippedFolder;
    QString m_userFolder;
};

} // namespace tovren::dialogs
