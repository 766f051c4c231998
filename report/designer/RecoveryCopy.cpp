#include "report/designer/RecoveryCopy.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QUuid>

namespace tovren::designer {

namespace {

// A copy is two files: the template and a line with the document's name, beside its lock.
const QString kTemplateSuffix = QStringLiteral(".qxf");
const QString kNameSuffix = QStringLiteral(".name");
const QString kLockSuffix = QStringLiteral(".lock");
const QString kPrefix = QStringLiteral("recovery-");

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

} // namespace

RecoveryCopy::RecoveryCopy(QString folder)
    : m_folder(std::move(folder))
{}

RecoveryCopy::~RecoveryCopy() = default;

bool RecoveryCopy::claimSlot()
{
    if (m_lock)
        return true;
    if (m_folder.isEmpty() || !QDir().mkpath(m_folder))
        return false;
    const QString baseName = kPrefix + QUuid::createUuid().toString(QUuid::WithoutBraces);
    auto lock = std::make_unique<QLockFile>(QDir(m_folder).filePath(baseName + kLockSuffix));
    lock->setStaleLockTime(0); // held for the designer's whole life, never stale while it runs
    if (!lock->tryLock(0))
        return false;
    m_baseName = baseName;
    m_lock = std::move(lock);
    return true;
}

bool RecoveryCopy::write(const QByteArray &templateBytes, const QString &documentName)
{
    if (!claimSlot())
        return false;
    const QDir folder(m_folder);
    return writeFile(folder.filePath(m_baseName + kNameSuffix), documentName.toUtf8()) &&
           writeFile(folder.filePath(m_baseName + kTemplateSuffix), templateBytes);
}

void RecoveryCopy::discard()
{
    if (!m_lock)
        return;
    const QDir folder(m_folder);
    QFile::remove(folder.filePath(m_baseName + kTemplateSuffix));
    QFile::remove(folder.filePath(m_baseName + kNameSuffix));
    m_lock->unlock();
    m_lock.reset();
}

std::optional<RecoveryCopy::Found> RecoveryCopy::findAbandoned() const
{
    if (m_folder.isEmpty())
        return std::nullopt;
    const QDir folder(m_folder);
    std::optional<Found> newest;
    const QFileInfoList copies =
        folder.entryInfoList({kPrefix + u'*' + kTemplateSuffix}, QDir::Files, QDir::Time);
    for (const QFileInfo &copy : copies) {
        const QString baseName = copy.completeBaseName();
        if (baseName == m_baseName)
            continue;
        // A lock that can be taken belongs to a program that is gone.
        QLockFile lock(folder.filePath(baseName + kLockSuffix));
        lock.setStaleLockTime(0); // only a dead owner makes a lock stale, never its age
        if (!lock.tryLock(0))
            continue;
        lock.unlock();
        QFile templateFile(copy.absoluteFilePath());
        QFile nameFile(folder.filePath(baseName + kNameSuffix));
        if (!templateFile.open(QIODevice::ReadOnly))
            continue;
        Found found;
        found.templateBytes = templateFile.readAll();
        found.documentName =
            nameFile.open(QIODevice::ReadOnly) ? QString::fromUtf8(nameFile.readAll()) : QString();
        found.savedAt = copy.lastModified();
        found.path = copy.absoluteFilePath();
        if (found.templateBytes.isEmpty())
            continue;
        if (!newest || found.savedAt > newest->savedAt)
            newest = std::move(found);
    }
    return newest;
}

void RecoveryCopy::remove(const Found &found)
{
    const QFileInfo copy(found.path);
    const QDir folder = copy.absoluteDir();
    const QString baseName = copy.completeBaseName();
    QFile::remove(found.path);
    QFile::remove(folder.filePath(baseName + kNameSuffix));
    QFile::remove(folder.filePath(baseName + kLockSuffix));
}

} // namespace tovren::designer
