#include "report/dialogs/FormPlacement.h"

#include "report/platform/SettingsStore.h"

#include <QWidget>

namespace tovren::dialogs {

bool FormPlacement::isStored(const platform::SettingsStore &store, const QString &className)
{
    return store.readInteger(platform::SettingsStore::formSection(className),
                             QStringLiteral("Width"), 0) > 0;
}

void FormPlacement::restore(QWidget &window, const platform::SettingsStore &store,
                            const QString &className, bool maximisedByDefault)
{
    const QString form = platform::SettingsStore::formSection(className);
    const int width = store.readInteger(form, QStringLiteral("Width"), 0);
    const int height = store.readInteger(form, QStringLiteral("Height"), 0);
    if (width > 0 && height > 0) {
        window.setGeometry(store.readInteger(form, QStringLiteral("XPosition"), window.x()),
                           store.readInteger(form, QStringLiteral("YPosition"), window.y()), width,
                           height);
    }
    if (store.readBool(form, QStringLiteral("Maximized"), maximisedByDefault))
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
    else
        window.setWindowState(window.windowState() & ~Qt::WindowMaximized);
}

void FormPlacement::save(const QWidget &window, platform::SettingsStore &store,
                         const QString &className)
{
    const QString form = platform::SettingsStore::formSection(className);
    const bool maximised = window.isMaximized();
    store.writeBool(form, QStringLiteral("Maximized"), maximised);
    // The normal geometry is what a later restore should come back to, not the maximised one.
    const QRect normal = maximised ? window.normalGeometry() : window.geometry();
    if (normal.isValid()) {
        store.writeInteger(form, QStringLiteral("XPosition"), normal.x());
        store.writeInteger(form, QStringLiteral("YPosition"), normal.y());
        store.writeInteger(form, QStringLiteral("Width"), normal.width());
        store.writeInteger(form, QStringLiteral("Height"), normal.height());
    }
    store.sync();
}

} // namespace tovren::dialogs
