#include "report/designer/ToolBarPlacement.h"

#include "report/platform/SettingsStore.h"

#include <QMainWindow>
#include <QToolBar>
#include <algorithm>
#include <map>

namespace tovren::designer {

namespace {

const QString kLayoutValue = QStringLiteral("ToolBarLayout");
constexpr int kLayoutVersion = 1;

bool isHorizontalArea(Qt::ToolBarArea area)
{
    return area == Qt::TopToolBarArea || area == Qt::BottomToolBarArea;
}

struct BarRecord
{
    QToolBar *bar;
    Qt::ToolBarArea area;
    int row;   ///< across the dock, in rows of kRowSizePixels
    int along; ///< along the dock, in pixels
    bool visible;
};

} // namespace

QString ToolBarPlacement::dockName(Qt::ToolBarArea area)
{
    switch (area) {
    case Qt::LeftToolBarArea:
        return QStringLiteral("qxDock2");
    case Qt::BottomToolBarArea:
        return QStringLiteral("qxDock3");
    case Qt::RightToolBarArea:
        return QStringLiteral("qxDock4");
    default:
        return QStringLiteral("qxDock1");
    }
}

Qt::ToolBarArea ToolBarPlacement::areaOfDock(const QString &dockName)
{
    if (dockName == u"qxDock2")
        return Qt::LeftToolBarArea;
    if (dockName == u"qxDock3")
        return Qt::BottomToolBarArea;
    if (dockName == u"qxDock4")
        return Qt::RightToolBarArea;
    if (dockName == u"qxDock1")
        return Qt::TopToolBarArea;
    return Qt::NoToolBarArea;
}

bool ToolBarPlacement::BarVisible(const QToolBar &bar)
{
    return !bar.isHidden();
}

void ToolBarPlacement::ShowBar(QToolBar &bar, bool visible)
{
    bar.setVisible(visible);
}

void ToolBarPlacement::AttachToEdge(QMainWindow &window, QToolBar &bar, Qt::ToolBarArea area)
{
    if (!(bar.allowedAreas() & area))
        return;
    window.addToolBarBreak(area);
    window.addToolBar(area, &bar);
}

void ToolBarPlacement::SaveBarPositions(const QMainWindow &window, const QList<QToolBar *> &bars,
                                        platform::SettingsStore &store, const QString &formClass)
{
    for (const QToolBar *bar : bars) {
        const QString section = platform::SettingsStore::toolBarSection(bar->objectName());
        const bool floating = bar->isFloating();
        store.writeBool(section, QStringLiteral("isFloat"), floating);
        store.writeBool(section, QStringLiteral("isVisible"), BarVisible(*bar));
        const QPoint place = floating ? bar->window()->pos() : bar->pos();
        store.writeInteger(section, QStringLiteral("XPosition"), place.x());
        store.writeInteger(section, QStringLiteral("YPosition"), place.y());
        store.writeInteger(section, QStringLiteral("Width"), bar->width());
        store.writeInteger(section, QStringLiteral("Height"), bar->height());
        if (!floating)
            store.writeString(section, QStringLiteral("DockName"),
                              dockName(window.toolBarArea(bar)));
    }
    store.writeString(platform::SettingsStore::formSection(formClass), kLayoutValue,
                      QString::fromLatin1(window.saveState(kLayoutVersion).toBase64()));
}

void ToolBarPlacement::LoadBarPositions(QMainWindow &window, const QList<QToolBar *> &bars,
                                        const platform::SettingsStore &store,
                                        const QString &formClass)
{
    const QByteArray layout = QByteArray::fromBase64(
        store.readString(platform::SettingsStore::formSection(formClass), kLayoutValue).toLatin1());
    if (!layout.isEmpty() && window.restoreState(layout, kLayoutVersion))
        return;

    // Only records: rebuild each dock row by row from the bars' stored places.
    std::vector<BarRecord> records;
    bool anyRecord = false;
    for (QToolBar *bar : bars) {
        const QString section = platform::SettingsStore::toolBarSection(bar->objectName());
        const Qt::ToolBarArea current = window.toolBarArea(bar);
        Qt::ToolBarArea area =
            areaOfDock(store.readString(section, QStringLiteral("DockName"), dockName(current)));
        if (area == Qt::NoToolBarArea || !(bar->allowedAreas() & area))
            area = current;
        const int x = store.readInteger(section, QStringLiteral("XPosition"), bar->x());
        const int y = store.readInteger(section, QStringLiteral("YPosition"), bar->y());
        anyRecord = anyRecord || store.readString(section, QStringLiteral("DockName")).size() > 0;
        const bool horizontal = isHorizontalArea(area);
        records.push_back({bar, area, (horizontal ? y : x) / kRowSizePixels, horizontal ? x : y,
                           store.readBool(section, QStringLiteral("isVisible"), true)});
    }
    if (anyRecord) {
        std::stable_sort(records.begin(), records.end(),
                         [](const BarRecord &a, const BarRecord &b) {
                             if (a.area != b.area)
                                 return a.area < b.area;
                             return a.row != b.row ? a.row < b.row : a.along < b.along;
                         });
        for (const BarRecord &record : records)
            window.removeToolBar(record.bar);
        std::map<Qt::ToolBarArea, int> lastRow;
        for (const BarRecord &record : records) {
            const auto previous = lastRow.find(record.area);
            if (previous != lastRow.end() && previous->second != record.row)
                window.addToolBarBreak(record.area);
            lastRow[record.area] = record.row;
            window.addToolBar(record.area, record.bar);
        }
    }
    for (const BarRecord &record : records)
        ShowBar(*record.bar, record.visible);
}

} // namespace tovren::designer
