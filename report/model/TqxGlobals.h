#pragma once

#include "report/model/BoldFaces.h"
#include "report/model/ObjectRegistry.h"
#include "report/model/PropertyEditors.h"
#include "report/model/TextMeasurer.h"
#include "report/script/TqxInterpretator.h"
#include "report/script/TqxParser.h"
#include "report/script/TqxVariables.h"

#include <QImage>
#include <QStringList>
#include <memory>
#include <vector>

namespace tovren::model {

class TqxView;
class PaperSelector;

/// The report library's shared tables and helpers, built once from the string table when the
/// library is first used and kept until the program ends.
///
/// It holds the band titles and format lists in the program's language, the style constants
/// and global variables of scripts, the shared expression parser and script interpreter, the
/// object registry and the designer's band hatch. Everything here lives on the GUI thread.
class TqxGlobals
{
public:
    static TqxGlobals &instance();
    TqxGlobals(const TqxGlobals &) = delete;
    TqxGlobals &operator=(const TqxGlobals &) = delete;

    /// Title of band type 0 to 22; "" for other numbers.
    QString bandTitle(int bandType) const;

    int defaultCharset = 1;
    QStringList bandTitles;
    QStringList booleanFormats;
    QStringList dateFormats;
    QStringList timeFormats;
    QStringList xmlBandElementNames;

    script::TqxVariables styleConstants;
    script::TqxVariables globalVariables;
    script::TqxParser parser;
    std::unique_ptr<script::TqxInterpretator> interpreter;

    ObjectRegistry objects;
    /// Editor dialogs of add-in classes for their own properties.
    PropertyEditors propertyEditors;
    /// Objects whose NotifyHook the builder calls for every printed object (not owned).
    std::vector<TqxView *> hookObjects;
    /// Reused by every text object while wrapping; not re-entrant.
    QStringList wrapList;
    /// The measuring canvas of text objects, with its caches; not re-entrant.
    TextMeasurer textMeasurer;
    BoldFaces boldFaces;

    /// Designer option "BandTitles": band titles as tabs outside the band.
    bool showBandTitles = true;

    /// 8 x 8, white where x + y is even and silver where odd.
    const QImage &hatchImage() const { return m_hatch; }

    /// Adds the picture blob-type constants once the first picture object exists.
    void addPictureConstants();

private:
    TqxGlobals();

    QImage m_hatch;
    bool m_pictureConstantsAdded = false;
};

} // namespace tovren::model
