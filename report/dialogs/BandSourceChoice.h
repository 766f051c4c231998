#pragma once

#include <QStringList>

namespace tovren::engine {
class TqxDataDictionary;
}

namespace tovren::dialogs {

/// The entry that binds a band to nothing; it is also what gets stored for it.
QString noSourceEntry();
/// The entry for a counted virtual data source.
QString virtualSourceEntry();
/// Whether @p source counts records (it starts with a digit 1 to 9) instead of naming a source.
bool isCountedSource(const QString &source);

/// What the data source editors show for one band: the entries of the source list, the
/// selected entry and the record count of a virtual source.
///
/// Stored texts are component names; the entries show them by the dictionary's aliases. A
/// stored name no longer listed opens on "[无]", and the count is kept as typed, unchecked:
/// a text that does not count reads back as a source name the next time.
struct BandSourceChoice
{
    static constexpr int kNoneRow = 0;
    static constexpr int kVirtualRow = 1;

    QStringList entries;
    int selected = kNoneRow;
    QString recordCount = QStringLiteral("1");

    /// @p reportSources are the report data sources as listed (by alias, sorted).
    static BandSourceChoice fromStored(const QString &stored, const QStringList &reportSources,
                                       const engine::TqxDataDictionary &dictionary);
    /// The text the band stores for this choice.
    QString storedText(const engine::TqxDataDictionary &dictionary) const;
    bool recordCountEnabled() const { return selected == kVirtualRow; }
};

} // namespace tovren::dialogs
