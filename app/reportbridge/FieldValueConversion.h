#pragma once

#include "app/db/DbField.h"
#include "report/engine/TqxRecordSet.h"

#include <QVariant>

// Values cross from the database layer into expressions here and nowhere else.
namespace tovren::app {

engine::TqxFieldType toReportFieldType(db::FieldType type);

/// The field value as an expression value: null stays null, dates become day numbers, 64-bit
/// integers stay exact. A date column holding text that is no date keeps the text, so a badly
/// imported row still prints what it holds.
script::Variant toReportValue(const QVariant &value, db::FieldType type);

} // namespace tovren::app
