#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QLockFile>
#include <QString>
#include <memory>
#include <optional>

namespace tovren::designer {

/// A copy of the template a designer is changing, written at intervals into the user's
/// recovery folder, so that work survives the program ending without a save.
///
/// Each open designer owns one copy, held under a lock file of its own; a copy whose lock is
/// stale was left by a program that ended without saving and can be offered. Several programs
/// may run at once: none offers another's live copy.
class RecoveryCopy
{
public:
    /// A copy left behind by a program that ended without saving.
    struct Found
    {
        QString documentName;
        QDateTime savedAt;
        QByteArray templateBytes;
        QString path;
    };

    /// Copies live in @p folder; an empty folder keeps no copies.
    explicit RecoveryCopy(QString folder);
    ~RecoveryCopy();
    RecoveryCopy(const RecoveryCopy &) = delete;
    RecoveryCopy &operator=(const RecoveryCopy &) = delete;

    /// Writes (or replaces) this designer's copy; false when it cannot be written.
    bool write(const QByteArray &templateBytes, const QString &documentName);
    /// Removes this designer's copy: the work was saved or knowingly discarded.
    void discard();

    /// The newest copy another program left behind, if any.
    std::optional<Found> findAbandoned() const;
    /// Removes a copy found by findAbandoned() once it was restored or declined.
    static void remove(const Found &found);

private:
    bool claimSlot();

    QString m_folder;
    QString m_baseName;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace tovren::designer
