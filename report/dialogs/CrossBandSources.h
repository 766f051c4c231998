#pragma once

#include "report/dialogs/BandSourceChoice.h"

#include <QList>
#include <QStringList>
#include <optional>

namespace tovren::model {
class TqxPage;
}

namespace tovren::dialogs {

/// The data sources a cross band gives the horizontal bands it crosses, one per band, while the
/// cross band editor is open.
///
/// The stored text repeats name "=" source ";" for each band; an older text without any ";" is
/// one source for every band. A band is found in the text by its whole entry, so "Band1" never
/// takes the source of "MasterBand1". Writing back gives one entry per listed band, in page
/// order; a band the text did not name gets "0".
class CrossBandSources
{
public:
    struct Band
    {
        QString name;
        /// The band's name and type title, as the band list shows it.
        QString row;
        QString source;
    };

    /// The bands of @p page a cross band may feed (all but title, summary, page header and
    /// footer, overlay and cross bands), with their sources from @p stored.
    static CrossBandSources fromStored(const QString &stored, const model::TqxPage &page);
    /// The source @p stored gives the band @p bandName, if it names it.
    static std::optional<QString> entryFor(const QString &stored, const QString &bandName);

    const QList<Band> &bands() const { return m_bands; }
    bool isEmpty() const { return m_bands.isEmpty(); }

    /// The editor's view of the source of the band in @p row.
    BandSourceChoice choiceFor(qsizetype row, const QStringList &reportSources,
                               const engine::TqxDataDictionary &dictionary) const;
    /// Keeps what the editor shows for the band in @p row.
    void store(qsizetype row, const BandSourceChoice &choice,
               const engine::TqxDataDictionary &dictionary);
    QString storedText() const;

private:
    QList<Band> m_bands;
};

} // namespace tovren::dialogs
