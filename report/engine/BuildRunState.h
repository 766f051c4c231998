#pragma once

#include <QString>

namespace tovren::engine {

class TqxBand;
class TqxDialogPageWindow;
class TqxReport;

/// The engine's half of the library-wide run state of the one build, print or export that
/// runs at a time; the object-level half (drawing mode, current page and object) is
/// model::runState().
///
/// BuildPages resets what each run needs; values such as TotalPageCount keep their last value
/// until the next run sets them.
struct BuildRunState
{
    TqxReport *currentReport = nullptr;
    TqxReport *outerReport = nullptr;
    TqxBand *currentBand = nullptr;
    int pageIndex = 0;
    int totalPageCount = 0;
    double buildDate = 0;
    double buildTime = 0;
    bool appendToPreviousPage = false;
    bool dialogCancelled = false;
    /// The window of the dialog page whose script runs or which is shown, for "MODALRESULT".
    TqxDialogPageWindow *dialogWindow = nullptr;
    bool errorRaised = false;
    QString errorText;
    bool aggregateScan = false;
    /// The data band whose accumulators the aggregate scan registers.
    TqxBand *scanBand = nullptr;
};

BuildRunState &buildRunState();

} // namespace tovren::engine
