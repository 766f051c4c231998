#pragma once

#include "report/model/ColorRef.h"
#include "report/model/TqxPropRec.h"
#include "report/script/Variant.h"

#include <QFont>
#include <QString>
#include <vector>

namespace tovren::model {

/// Base of everything scripts and the inspector can address by name: objects and pages.
///
/// Names arrive in any case and are upper-cased before a class looks at them. Unknown names are
/// ignored on set and read as the empty value; a value of the wrong type raises the variant's
/// conversion error, which the caller reports.
class TqxObject
{
public:
    TqxObject() = default;
    virtual ~TqxObject() = default;
    TqxObject(const TqxObject &) = delete;
    TqxObject &operator=(const TqxObject &) = delete;

    virtual void SetPropertyValue(const QString &name, const script::Variant &value);
    virtual script::Variant GetPropertyValue(const QString &name);
    virtual script::Variant CallMethod(const QString &name, const script::Variant &p1,
                                       const script::Variant &p2, const script::Variant &p3);
    /// Rebuilds Properties() from scratch.
    virtual void RegisterProperties() {}

    const std::vector<TqxPropRec> &Properties() const { return m_properties; }
    const TqxPropRec *findProperty(const QString &name) const;

protected:
    void clearProperties() { m_properties.clear(); }
    /// @p enumNames is ";"-separated; @p enumCodes may be empty.
    void addProperty(const QString &name, quint16 kind, const QString &enumNames = {},
                     std::vector<script::Variant> enumCodes = {});
    /// Enumeration property whose codes run 0, 1, 2, ... along the names.
    void addEnumProperty(const QString &name, const QString &enumNames, qint64 firstCode = 0);
    void removeProperty(const QString &name);

    /// FONT.NAME, FONT.SIZE (points), FONT.STYLE (script bit order) and FONT.COLOR. Returns
    /// whether @p upperName was a font property.
    static bool SetFontProperty(QFont &font, ColorRef &fontColor, const QString &upperName,
                                const script::Variant &value);
    static script::Variant GetFontProperty(const QFont &font, ColorRef fontColor,
                                           const QString &upperName);

private:
    std::vector<TqxPropRec> m_properties;
};

} // namespace tovren::model
