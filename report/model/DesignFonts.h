#pragma once

#include <QFont>

namespace tovren::model {

/// "Arial" 8 pt regular at the layout height of 11 pixels: band titles, sub-report names and
/// the designer's placeholders.
QFont designLabelFont();

} // namespace tovren::model
