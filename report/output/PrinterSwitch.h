#pragma once

#include <QString>

namespace tovren::model {
class TqxPages;
}
namespace tovren::platform {
class DialogProvider;
}

namespace tovren::output {

class TqxPrinter;

/// Makes another printer current for a template and lays every template page out on it again.
///
/// When the printer layer cannot make the new printer active, the person is told, the old
/// printer comes back with the pages laid out on it, and the result is false.
/// @p rememberedPrinterName receives the name of the printer in force afterwards either way.
bool SwitchPrinter(TqxPrinter &layer, model::TqxPages &templatePages, int oldIndex, int newIndex,
                   platform::DialogProvider &dialogs, QString &rememberedPrinterName);

} // namespace tovren::output
