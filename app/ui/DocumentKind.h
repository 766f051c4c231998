#pragma once

#include <QString>

namespace tovren::app {

/// The report files the program opens when it is started on one, as a file manager does on a
/// double-click: a template goes to the designer, a prepared report to the preview.
enum class DocumentKind { None, Template, PreparedReport };

/// Decided by the extension (".qxf", ".qxp", in any case), as the desktop's file types are.
DocumentKind documentKind(const QString &fileName);

} // namespace tovren::app
