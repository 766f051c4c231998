#pragma once

#include "report/engine/TqxComponent.h"

#include <functional>

namespace tovren::engine {

enum TRangeBegin { rbFirst, rbCurrent };
enum TRangeEnd { reLast, reCurrent, reCount };

/// A report data source: the only way the page engine walks records, and the holder of the
/// record range the main window sets before each print run.
///
/// The engine calls Prepare, then any number of walks First, (Eof, output, Next)..., with Prior
/// only when a group break is found, then Release. This base class keeps the record counter and
/// the count range; its records are whatever the event handlers make of them. The range settings
/// are ordinary state: nothing in the engine changes them.
class TqxDataset : public TqxComponent
{
    Q_OBJECT
public:
    using NotifyEvent = std::function<void(TqxDataset &sender)>;
    using CheckEofEvent = std::function<void(TqxDataset &sender, bool &eof)>;

    using TqxComponent::TqxComponent;

    TRangeBegin rangeBegin() const { return m_rangeBegin; }
    void setRangeBegin(TRangeBegin begin) { m_rangeBegin = begin; }
    TRangeEnd rangeEnd() const { return m_rangeEnd; }
    void setRangeEnd(TRangeEnd end) { m_rangeEnd = end; }
    int rangeEndCount() const { return m_rangeEndCount; }
    void setRangeEndCount(int count) { m_rangeEndCount = count; }

    /// Records passed since First.
    int recordNo() const { return m_recordNo; }

    void setOnFirst(NotifyEvent handler) { m_onFirst = std::move(handler); }
    void setOnNext(NotifyEvent handler) { m_onNext = std::move(handler); }
    void setOnPrior(NotifyEvent handler) { m_onPrior = std::move(handler); }
    void setOnCheckEof(CheckEofEvent handler) { m_onCheckEof = std::move(handler); }

    virtual void Prepare() {}
    virtual void Release() {}
    virtual void First();
    virtual void Next();
    virtual void Prior();
    virtual bool Eof();

private:
    TRangeBegin m_rangeBegin = rbFirst;
    TRangeEnd m_rangeEnd = reLast;
    int m_rangeEndCount = 0;
    int m_recordNo = 0;
    NotifyEvent m_onFirst;
    NotifyEvent m_onNext;
    NotifyEvent m_onPrior;
    CheckEofEvent m_onCheckEof;
};

/// A data source whose records are driven entirely by its event handlers: with a count range it
/// yields exactly that many records and needs no handler at all; with reLast it ends only when
/// OnCheckEOF says so.
class TqxUserDataset : public TqxDataset
{
    Q_OBJECT
public:
    using TqxDataset::TqxDataset;
};

} // namespace tovren::engine
