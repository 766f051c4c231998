#pragma once

#include <QByteArray>

namespace tovren::model {
class TqxPages;
struct ReportInfo;
struct TemplateSettings;
} // namespace tovren::model

namespace tovren::app {

/// The graduation certificate the print command fills once per record: one A5 landscape page,
/// the master data band "主项数据1" over "qxDBDataSet1", and 35 text objects that each print one
/// column of the current `info` record at a fixed place on the pre-printed sheet.
///
/// buildCertificateTemplate() lays the template out from its specification in code;
/// certificateReportForm() returns the copy shipped inside the program as the report component's
/// "ReportForm" data, which a test keeps identical to what the code lays out.
void buildCertificateTemplate(model::TqxPages &pages, model::TemplateSettings &settings,
                              model::ReportInfo &info);

/// The template stream of the certificate, version 25, with its fixed information dates.
QByteArray buildCertificateStream();

/// The shipped "ReportForm" data: the int 25, the stream's byte count and the stream.
QByteArray certificateReportForm();

} // namespace tovren::app
