#include "report/dialogs/RecentFontList.h"

#include "report/platform/SettingsStore.h"

#include <algorithm>

namespace tovren::dialogs {

namespace {
// The recent fonts are the only values of their store, so they sit at its top level.
const QString kRecentSection;
} // namespace

QString RecentFontList::familyValueName(int slot)
{
    return QStringLiteral("Font%1").arg(slot);
}

QString RecentFontList::typeValueName(int slot)
{
    return QStringLiteral("FontType%1").arg(slot);
}

int RecentFontList::indexOf(const QString &family) const
{
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].family.compare(family, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void RecentFontList::fill(const QList<FontListEntry> &installed,
                          platform::SettingsStore *recentStore)
{
    m_entries = installed;
    std::stable_sort(m_entries.begin(), m_entries.end(), [](const auto &a, const auto &b) {
        const int byCase = a.family.compare(b.family, Qt::CaseInsensitive);
        return byCase != 0 ? byCase < 0 : a.family < b.family;
    });
    m_entries.erase(std::unique(m_entries.begin(), m_entries.end(),
                                [](const auto &a, const auto &b) { return a.family == b.family; }),
                    m_entries.end());
    m_lastRecentIndex = -1;
    if (!recentStore)
        return;

    QList<FontListEntry> recent;
    for (int slot = 0; slot < kMaxRecent; ++slot) {
        const QString family = recentStore->readString(kRecentSection, familyValueName(slot));
        const int installedIndex = family.isEmpty() ? -1 : indexOf(family);
        const bool repeated = std::any_of(recent.cbegin(), recent.cend(), [&](const auto &entry) {
            return entry.family.compare(family, Qt::CaseInsensitive) == 0;
        });
        if (installedIndex < 0 || repeated) {
            recentStore->writeString(kRecentSection, familyValueName(slot), QString());
            recentStore->writeInteger(kRecentSection, typeValueName(slot), 0);
            continue;
        }
        // The installed font's type, not the stored one: the font may have been replaced since.
        recent.append(m_entries[installedIndex]);
    }
    m_entries = recent + m_entries;
    m_lastRecentIndex = int(recent.size()) - 1;
}

int RecentFontList::choose(int index, platform::SettingsStore *recentStore)
{
    if (!recentStore || index < 0 || index >= m_entries.size())
        return index;

    const FontListEntry chosen = m_entries[index];
    const int firstIndex = int(m_entries.indexOf(chosen));
    if (firstIndex <= m_lastRecentIndex) {
        m_entries.move(firstIndex, 0);
    } else {
        m_entries.prepend(chosen);
        if (m_lastRecentIndex >= kMaxRecent - 1)
            m_entries.removeAt(kMaxRecent);
        else
            ++m_lastRecentIndex;
    }
    writeRecent(*recentStore);
    return 0;
}

void RecentFontList::writeRecent(platform::SettingsStore &store) const
{
    for (int slot = 0; slot < kMaxRecent; ++slot) {
        const bool used = slot <= m_lastRecentIndex;
        store.writeString(kRecentSection, familyValueName(slot),
                          used ? m_entries[slot].family : QString());
        store.writeInteger(kRecentSection, typeValueName(slot),
                           used ? m_entries[slot].fontType : 0);
    }
    store.sync();
}

} // namespace tovren::dialogs
