#pragma once

#include "report/designer/DesignUnits.h"
#include "report/designer/DesignerHost.h"

namespace tovren::platform {
class SettingsStore;
}

namespace tovren::designer {

/// The designer's options as the person left them, read when the window opens and written when
/// it closes, under "Form\TqxDesignerForm" and the inspector's and field list's sections. A value
/// never written reads as the default below.
struct DesignerSettings
{
    static constexpr const char *kFormClass = "TqxDesignerForm";

    int gridSize = 4;
    bool gridAlign = true;
    bool gridShow = true;
    DesignUnit units = DesignUnit::Pixels;
    bool grayButtons = false;
    bool editAfterInsert = true;
    /// 1: objects are repainted while dragged; 0: outlines only.
    int selection = 1;
    PagePosition pagePosition = PagePosition::Centre;
    bool bandTitles = true;
    bool localizedPropNames = false;
    bool unlimitedHeight = false;
    bool disableUndo = false;
    bool syntaxHighlight = true;
    /// The inspector's name column, in screen pixels; wide enough for the longest property names
    /// in today's fonts.
    static constexpr int kDefaultInspectorSplitPixels = 100;
    int inspectorSplitPixels = kDefaultInspectorSplitPixels;
    bool inspectorVisible = true;
    bool fieldListVisible = true;

    /// The field list's visibility is read only in whole-report mode.
    static DesignerSettings load(const platform::SettingsStore &store, bool wholeReport);
    /// The field list's visibility is written only in whole-report mode, where it exists.
    void save(platform::SettingsStore &store, bool wholeReport) const;

    /// What the canvas obeys.
    CanvasOptions canvasOptions() const;
};

/// A grid step the designer offers: 4, 8 or 18 (anything else reads as 18, 0 as 4).
int normalisedGridSize(int stored);

} // namespace tovren::designer
