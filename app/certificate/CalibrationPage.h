#pragma once

namespace tovren::engine {
class TqxReport;
}

namespace tovren::app {

/// Replaces @p report's prepared pages with one calibration page on the paper of its first
/// template page: a millimetre ruler grid (a line every millimetre, heavier every 5 and 10, with
/// the centimetres numbered) and the outline and name of every field of that page, in the places
/// the template gives them.
///
/// Printed on a sheet and laid over a blank form, it shows how far the printer puts the fields
/// from the form's boxes; the clerk reads the offsets off the grid. False when the template has
/// no page.
bool makeCalibrationPage(engine::TqxReport &report);

} // namespace tovren::app
