#pragma once

#include "report/engine/TqxPreviewHost.h"

#include <QPointer>
#include <functional>

class QWidget;

namespace tovren::output {
class TqxPrinter;
}
namespace tovren::platform {
class DialogProvider;
class SettingsStore;
} // namespace tovren::platform

namespace tovren::preview {

class PreviewPageEditor;
class TqxPreviewForm;

/// Shows prepared pages in TqxPreviewForm windows: the preview window the widget layer
/// registers with the report engine. Its windows print to the active printer, or to a PDF
/// file when the virtual printer is active.
///
/// The printer layer and the dialog provider are not owned and must outlive the host; the
/// windows it opens are children of @p parent.
class PreviewWindowHost : public engine::TqxPreviewHost
{
public:
    /// Runs a modal preview; the default shows it and returns when it closes. Tests answer the
    /// window without a loop.
    using Opener = std::function<void(TqxPreviewForm &)>;

    PreviewWindowHost(output::TqxPrinter &printerLayer, platform::DialogProvider &dialogs,
                      QWidget *parent = nullptr);

    void setOpener(Opener opener) { m_opener = std::move(opener); }
    /// Where the windows keep their placement between sessions; not owned, may be none.
    void setSettingsStore(platform::SettingsStore *settings) { m_settings = settings; }
    /// Where its windows edit prepared pages; not owned, may be none (then they edit none).
    void setPageEditor(PreviewPageEditor *editor) { m_pageEditor = editor; }
    /// Prints the calibration page on the active printer, from the printer's properties.
    void setCalibrationPagePrinter(std::function<void()> printer)
    {
        m_calibrationPagePrinter = std::move(printer);
    }

    /// Writes one PDF file per record of the report shown, from its windows' save dialog.
    void setRecordFilesExport(std::function<bool(const QString &folder)> exporter)
    {
        m_recordFiles = std::move(exporter);
    }

    void showPreview(engine::TqxReport &report, const QString &caption) override;

private:
    /// Caption and print destination of a new window.
    void prepare(TqxPreviewForm &window, const engine::TqxReport &report,
                 const QString &caption) const;

    output::TqxPrinter &m_printerLayer;
    platform::DialogProvider &m_dialogs;
    QPointer<QWidget> m_parent;
    Opener m_opener;
    platform::SettingsStore *m_settings = nullptr;
    PreviewPageEditor *m_pageEditor = nullptr;
    std::function<void()> m_calibrationPagePrinter;
    std::function<bool(const QString &folder)> m_recordFiles;
};

} // namespace tovren::preview
