#pragma once

#include "report/script/Variant.h"

#include <QString>

namespace tovren::model {
class TqxPages;
class TqxView;
} // namespace tovren::model

namespace tovren::engine {

class TqxRecordSet;

/// What value resolution needs of the report and its build that it cannot know itself: the
/// names and procedures of the band and page engines, the template's objects and the display
/// formatting of text objects.
///
/// Every answer has a default that stands for "no build is running": no band names, no current
/// object, no pages and plain text, so a command-line evaluation needs no report at all. The
/// report component overrides what its build provides.
class TqxResolverEnvironment
{
public:
    virtual ~TqxResolverEnvironment() = default;

    /// LINE#, LINETHROUGH#, COLUMN#, CURRENT# and CALCWIDTH; true when @p name was one of them.
    virtual bool resolveBandName(const QString &name, script::Variant &value);
    /// CURY, FREESPACE, FINALPASS, PAGEHEIGHT and PAGEWIDTH.
    virtual bool resolveEngineName(const QString &name, script::Variant &value);
    /// STOPREPORT, NEWPAGE, NEWCOLUMN and SHOWBAND (@p argument is the text of the first
    /// argument); true when @p name was one of them.
    virtual bool runEngineProcedure(const QString &name, const QString &argument,
                                    script::Variant &value);
    /// MODALRESULT, CURY and PROGRESS, named in any case; true when @p name was one of them.
    virtual bool assignEngineName(const QString &name, const script::Variant &value);

    virtual bool aggregateScanRunning() const { return false; }
    /// The data set of fields named without a source (the active band's, else the report's).
    virtual TqxRecordSet *defaultDataSet() const { return nullptr; }

    /// The object whose text or script is being evaluated, or nullptr.
    virtual model::TqxView *currentObject() const { return nullptr; }
    /// The template pages that object names are searched in, or nullptr.
    virtual const model::TqxPages *templatePages() const { return nullptr; }

    /// True when the current object prints zero values as empty text.
    virtual bool currentObjectHidesZeros() const { return false; }
    /// The display text of a bracket's value; @p inlineFormat is the text after " #", empty
    /// when the bracket has none and the object's own format applies.
    virtual QString formatDisplayValue(const script::Variant &value,
                                       const QString &inlineFormat) const;
};

} // namespace tovren::engine
