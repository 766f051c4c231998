#pragma once

#include <memory>

class QString;

namespace tovren::output {
class PrintDevice;
class TqxPrinter;
} // namespace tovren::output
namespace tovren::platform {
class DialogProvider;
}

namespace tovren::preview {

/// Where a print from the preview goes: the active installed printer, or, when the virtual
/// printer is active (it stands in where no printer is installed), a PDF file the person
/// names. Without this the virtual printer's print would reach no device at all.
class PrintDestination
{
public:
    /// Neither reference is owned; both must outlive the destination.
    PrintDestination(output::TqxPrinter &printerLayer, platform::DialogProvider &dialogs);

    /// The device for one print, or null when the person declined to name a file.
    /// @p suggestedName proposes the file's name.
    std::unique_ptr<output::PrintDevice> open(const QString &suggestedName) const;

private:
    output::TqxPrinter &m_layer;
    platform::DialogProvider &m_dialogs;
};

} // namespace tovren::preview
