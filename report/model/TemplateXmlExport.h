#pragma once

#include "report/model/TemplateBlockHandler.h"

#include <QByteArray>

class QIODevice;

namespace tovren::model {

class TqxPages;
struct ReportInfo;

/// Writes the XML export (.qx3) of a template: the report element with the collected page and
/// object scripts, the dictionary variables and the information, then one element per page and
/// per object. It only reads the template; bands whose type has no element name are left out.
void writeTemplateXml(QIODevice &device, const TqxPages &pages, const ReportInfo &info,
                      const TemplateBlockHandler::NamedValues &variables);

/// Replaces LF, CR, double quote, "<" and ">" by "&#" + decimal code + ";".
QString escapeXmlText(const QString &text);

/// The dictionary variables in the component-streaming encoding the export's Propdata holds.
QByteArray dictionaryPropdata(const TemplateBlockHandler::NamedValues &variables);

/// The procedure text the export gives a script @p script of the object or page @p name;
/// empty for an empty script.
QStringList scriptProcedure(const QString &name, const QStringList &script);

} // namespace tovren::model
