#pragma once

#include <QList>
#include <QString>
#include <utility>

namespace tovren::model {

/// Name and unescaped value of each attribute of one element of the XML export, in order.
using XmlAttributes = QList<std::pair<QString, QString>>;

} // namespace tovren::model
