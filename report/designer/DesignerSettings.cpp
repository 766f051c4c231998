#include "report/designer/DesignerSettings.h"

#include "report/platform/SettingsStore.h"

#include <algorithm>

namespace tovren::designer {

namespace {

const QString kInspectorClass = QStringLiteral("TqxInspForm");
const QString kFieldListClass = QStringLiteral("TqxInsFieldsForm");

PagePosition pagePositionFromStored(int stored)
{
    switch (stored) {
    case 3:
        return PagePosition::Left;
    case 4:
        return PagePosition::Right;
    default:
        return PagePosition::Centre;
    }
}

} // namespace

int normalisedGridSize(int stored)
{
    if (stored == 0 || stored == 4)
        return 4;
    return stored == 8 ? 8 : 18;
}

DesignerSettings DesignerSettings::load(const platform::SettingsStore &store, bool wholeReport)
{
    using platform::SettingsStore;
    const QString form = SettingsStore::formSection(QString::fromLatin1(kFormClass));
    DesignerSettings settings;
    settings.gridSize = normalisedGridSize(store.readInteger(form, QStringLiteral("GridSize"), 4));
    settings.gridAlign = store.readBool(form, QStringLiteral("GridAlign"), true);
    settings.gridShow = store.readBool(form, QStringLiteral("GridShow"), true);
    settings.units = designUnitFromStored(store.readInteger(form, QStringLiteral("Units"), 0));
    settings.grayButtons = store.readBool(form, QStringLiteral("GrayButtons"), false);
    settings.editAfterInsert = store.readBool(form, QStringLiteral("EditAfterInsert"), true);
    settings.selection = store.readInteger(form, QStringLiteral("Selection"), 1) == 0 ? 0 : 1;
    settings.pagePosition =
        pagePositionFromStored(store.readInteger(form, QStringLiteral("PagePosition"), 5));
    settings.bandTitles = store.readBool(form, QStringLiteral("BandTitles"), true);
    settings.localizedPropNames = store.readBool(form, QStringLiteral("LocalizedPropNames"), false);
    settings.unlimitedHeight = store.readBool(form, QStringLiteral("UnlimitedHeight"), false);
    settings.disableUndo = store.readBool(form, QStringLiteral("DisableUndo"), false);
    settings.syntaxHighlight = store.readBool(form, QStringLiteral("SyntaxHighlight"), true);

    const QString inspector = SettingsStore::formSection(kInspectorClass);
    settings.inspectorSplitPixels =
        std::max(20, store.readInteger(inspector, QStringLiteral("SplitPos"),
                                       DesignerSettings::kDefaultInspectorSplitPixels));
    settings.inspectorVisible = store.readBool(inspector, QStringLiteral("isVisible"), true);
    if (wholeReport) {
        settings.fieldListVisible = store.readBool(SettingsStore::formSection(kFieldListClass),
                                                   QStringLiteral("isVisible"), true);
    }
    return settings;
}

void DesignerSettings::save(platform::SettingsStore &store, bool wholeReport) const
{
    using platform::SettingsStore;
    const QString form = SettingsStore::formSection(QString::fromLatin1(kFormClass));
    store.writeInteger(form, QStringLiteral("GridSize"), gridSize);
    store.writeBool(form, QStringLiteral("GridAlign"), gridAlign);
    store.writeBool(form, QStringLiteral("GridShow"), gridShow);
    store.writeInteger(form, QStringLiteral("Units"), int(units));
    store.writeBool(form, QStringLiteral("GrayButtons"), grayButtons);
    store.writeBool(form, QStringLiteral("EditAfterInsert"), editAfterInsert);
    store.writeInteger(form, QStringLiteral("Selection"), selection);
    store.writeInteger(form, QStringLiteral("PagePosition"), int(pagePosition));
    store.writeBool(form, QStringLiteral("BandTitles"), bandTitles);
    store.writeBool(form, QStringLiteral("LocalizedPropNames"), localizedPropNames);
    store.writeBool(form, QStringLiteral("UnlimitedHeight"), unlimitedHeight);
    store.writeBool(form, QStringLiteral("DisableUndo"), disableUndo);
    store.writeBool(form, QStringLiteral("SyntaxHighlight"), syntaxHighlight);
    const QString inspector = SettingsStore::formSection(kInspectorClass);
    store.writeInteger(inspector, QStringLiteral("SplitPos"), inspectorSplitPixels);
    store.writeBool(inspector, QStringLiteral("isVisible"), inspectorVisible);
    if (wholeReport) {
        store.writeBool(SettingsStore::formSection(kFieldListClass), QStringLiteral("isVisible"),
                        fieldListVisible);
    }
}

CanvasOptions DesignerSettings::canvasOptions() const
{
    CanvasOptions options;
    options.grid = GridOptions{gridSize, gridShow, gridAlign};
    options.repaintWhileDragging = selection == 1;
    options.editAfterInsert = editAfterInsert;
    options.pagePosition = pagePosition;
    options.unlimitedHeight = unlimitedHeight;
    return options;
}

} // namespace tovren::designer
