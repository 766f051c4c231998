#include "report/preview/PreviewWindowPlacement.h"

#include "report/dialogs/FormPlacement.h"

namespace tovren::preview {

namespace {

const QString kClassName = QStringLiteral("TqxPreviewForm");

} // namespace

void PreviewWindowPlacement::restore(QWidget &window, const platform::SettingsStore &store)
{
    dialogs::FormPlacement::restore(window, store, kClassName);
}

void PreviewWindowPlacement::save(const QWidget &window, platform::SettingsStore &store)
{
    dialogs::FormPlacement::save(window, store, kClassName);
}

} // namespace tovren::preview
