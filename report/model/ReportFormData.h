#pragma once

#include <QByteArray>
#include <optional>

namespace tovren::model {

/// The "ReportForm" form-data property of a report component: the int 25, then, when the
/// template is stored in the form, an int byte count and that many bytes of template stream.
QByteArray writeReportFormData(bool storeInForm, const QByteArray &templateStream);

/// The template stream held by @p formData, or nothing when the template is not stored in the
/// form. Raises ERecordFormat when the data ends early or its count is negative or runs past
/// the end.
std::optional<QByteArray> readReportFormData(const QByteArray &formData, bool storeInForm);

} // namespace tovren::model
