#include "report/engine/BandDataSource.h"

#include "report/engine/ComponentLookup.h"

namespace tovren::engine {

namespace {

bool isCountText(const QString &text)
{
    return !text.isEmpty() && text.front() >= u'1' && text.front() <= u'9';
}

// The whole text must be the count; "2x" is an error instead of a silent two passes.
int readCount(const QString &text)
{
    bool ok = false;
    const int count = text.toInt(&ok);
    if (!ok)
        throw EReportError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return count;
}

} // namespace

BandDataSource BandDataSource::find(const QString &text, const TqxComponentLookup &lookup)
{
    BandDataSource result;
    if (isCountText(text)) {
        auto counter = std::make_unique<TqxUserDataset>();
        counter->setRangeEnd(reCount);
        counter->setRangeEndCount(readCount(text));
        result.m_source = counter.get();
        result.m_owned = std::move(counter);
    } else {
        result.m_source = lookup.findAs<TqxDataset>(text);
    }
    if (result.m_source)
        result.m_source->Prepare();
    return result;
}

BandDataSource BandDataSource::borrow(TqxDataset &source)
{
    BandDataSource result;
    result.m_source = &source;
    source.Prepare();
    return result;
}

} // namespace tovren::engine
