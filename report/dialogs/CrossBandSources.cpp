#include "report/dialogs/CrossBandSources.h"

#include "report/model/BandType.h"
#include "report/model/TqxBandView.h"
#include "report/model/TqxPage.h"

namespace tovren::dialogs {

namespace {

bool takesCrossSource(int bandType)
{
    return !(bandType <= model::btPageFooter || bandType == model::btOverlay ||
             model::isCrossBand(bandType));
}

} // namespace

std::optional<QString> CrossBandSources::entryFor(const QString &stored, const QString &bandName)
{
    for (const QString &entry : stored.split(u';', Qt::SkipEmptyParts)) {
        const qsizetype equals = entry.indexOf(u'=');
        if (equals >= 0 && entry.left(equals).trimmed().compare(bandName, Qt::CaseInsensitive) == 0)
            return entry.mid(equals + 1);
    }
    return std::nullopt;
}

CrossBandSources CrossBandSources::fromStored(const QString &stored, const model::TqxPage &page)
{
    const bool singleSource = !stored.contains(u';');
    CrossBandSources sources;
    for (qsizetype i = 0; i < page.objectCount(); ++i) {
        const auto *band = dynamic_cast<const model::TqxBandView *>(page.object(i));
        if (!band || !takesCrossSource(band->bandType()))
            continue;
        const std::optional<QString> entry = entryFor(stored, band->Name);
        const QString source = entry ? *entry : singleSource ? stored : QStringLiteral("0");
        sources.m_bands.append(
            {band->Name, band->Name + QStringLiteral(": ") + band->title(), source});
    }
    return sources;
}

BandSourceChoice CrossBandSources::choiceFor(qsizetype row, const QStringList &reportSources,
                                             const engine::TqxDataDictionary &dictionary) const
{
    return BandSourceChoice::fromStored(m_bands.value(row).source, reportSources, dictionary);
}

void CrossBandSources::store(qsizetype row, const BandSourceChoice &choice,
                             const engine::TqxDataDictionary &dictionary)
{
    if (row >= 0 && row < m_bands.size())
        m_bands[row].source = choice.storedText(dictionary);
}

QString CrossBandSources::storedText() const
{
    QString text;
    for (const Band &band : m_bands)
        text += band.name + u'=' + band.source + u';';
    return text;
}

} // namespace tovren::dialogs
