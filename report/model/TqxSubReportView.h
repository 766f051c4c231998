#pragma once

#include "report/model/TqxView.h"

namespace tovren::model {

/// Marks the place where another template page is printed as a sub-report.
class TqxSubReportView : public TqxView
{
public:
    TqxSubReportView();

    void Draw(QPainter &painter) override;
    void ReadRecord(RecordReader &reader) override;
    void WriteRecord(RecordWriter &writer) override;
    QString className() const override { return QStringLiteral("TqxSubReportView"); }

    /// Index from 0 of the template page that holds the sub-report.
    qint32 SubReportPage = 0;

protected:
    bool hasFrameProperties() const override { return false; }
};

} // namespace tovren::model
