#include "report/dialogs/BandSourceChoice.h"

#include "report/engine/TqxDataDictionary.h"

namespace tovren::dialogs {

QString noSourceEntry()
{
    return QStringLiteral("[无]");
}

QString virtualSourceEntry()
{
    return QStringLiteral("虚拟数据集");
}

bool isCountedSource(const QString &source)
{
    return !source.isEmpty() && source.front() >= u'1' && source.front() <= u'9';
}

BandSourceChoice BandSourceChoice::fromStored(const QString &stored,
                                              const QStringList &reportSources,
                                              const engine::TqxDataDictionary &dictionary)
{
    BandSourceChoice choice;
    choice.entries << noSourceEntry() << virtualSourceEntry() << reportSources;
    if (isCountedSource(stored)) {
        choice.selected = kVirtualRow;
        choice.recordCount = stored;
        return choice;
    }
    const qsizetype row = reportSources.indexOf(dictionary.DisplayName(stored));
    choice.selected = row < 0 ? kNoneRow : int(row) + 2;
    return choice;
}

QString BandSourceChoice::storedText(const engine::TqxDataDictionary &dictionary) const
{
    if (selected == kVirtualRow)
        return recordCount;
    if (selected <= kNoneRow || selected >= entries.size())
        return noSourceEntry();
    return dictionary.RealReportSourceName(entries.at(selected));
}

} // namespace tovren::dialogs
