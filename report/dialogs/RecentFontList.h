#pragma once

#include <QList>
#include <QString>

namespace tovren::platform {
class SettingsStore;
}

namespace tovren::dialogs {

/// One entry of a font list: a family name and the font type bits the font enumeration reported
/// (1 raster, 2 device, 4 TrueType); only the TrueType bit changes what the list shows.
struct FontListEntry
{
    static constexpr int kTrueType = 4;

    QString family;
    int fontType = 0;

    bool isTrueType() const { return (fontType & kTrueType) != 0; }
    friend bool operator==(const FontListEntry &, const FontListEntry &) = default;
};

/// The entries of a font-name box: up to five recently chosen fonts, most recent first, followed
/// by every installed font in alphabetical order (so a recent font is listed twice).
///
/// It promises that the recent fonts in the store ("Font0" to "Font4" with "FontType0" to
/// "FontType4" at the store's top level, "Font0" the most recent) always match the list after a
/// choice, and that a stored name that is no longer installed is neither shown nor kept.
class RecentFontList
{
public:
    static constexpr int kMaxRecent = 5;

    /// Refills the list from @p installed (any order; duplicates are dropped) and, when
    /// @p recentStore is given, puts its recent fonts on top. A recent slot that is empty, names a
    /// font that is not installed or repeats an earlier slot is cleared in the store.
    void fill(const QList<FontListEntry> &installed, platform::SettingsStore *recentStore);

    /// Records that the person chose entry @p index from the list: a font that is not recent yet
    /// goes on top (the oldest of five recent fonts drops out), a recent one moves to the top.
    /// Writes the recent fonts to @p recentStore and returns the index to select afterwards.
    /// Without a store the list stays as it is and @p index is returned.
    int choose(int index, platform::SettingsStore *recentStore);

    const QList<FontListEntry> &entries() const { return m_entries; }
    /// The index of the last recent font, -1 when there is none.
    int lastRecentIndex() const { return m_lastRecentIndex; }
    /// The first entry naming @p family (ignoring case), -1 when none does.
    int indexOf(const QString &family) const;

    static QString familyValueName(int slot);
    static QString typeValueName(int slot);

private:
    void writeRecent(platform::SettingsStore &store) const;

    QList<FontListEntry> m_entries;
    int m_lastRecentIndex = -1;
};

} // namespace tovren::dialogs
