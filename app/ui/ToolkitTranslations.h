#pragma once

class QCoreApplication;
class QTranslator;

namespace tovren::app {

/// Makes the toolkit's own dialogs (choosing a file to save or open, page setup) and its
/// standard buttons speak Simplified Chinese, as every other window of the program does.
///
/// Returns the installed translator, owned by @p application, or null when the toolkit's
/// Chinese translations are not installed; the dialogs then keep the toolkit's own words.
QTranslator *installToolkitTranslations(QCoreApplication &application);

} // namespace tovren::app
