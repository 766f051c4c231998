#include "report/model/TqxObject.h"

#include "report/model/StyleConstants.h"

#include <algorithm>

namespace tovren::model {

using script::Variant;

void TqxObject::SetPropertyValue(const QString &, const Variant &) {}

Variant TqxObject::GetPropertyValue(const QString &)
{
    return {};
}

Variant TqxObject::CallMethod(const QString &, const Variant &, const Variant &, const Variant &)
{
    return {};
}

const TqxPropRec *TqxObject::findProperty(const QString &name) const
{
    const auto it = std::find_if(m_properties.begin(), m_properties.end(), [&](const auto &p) {
        return p.PropName.compare(name, Qt::CaseInsensitive) == 0;
    });
    return it == m_properties.end() ? nullptr : &*it;
}

void TqxObject::addProperty(const QString &name, quint16 kind, const QString &enumNames,
                            std::vector<Variant> enumCodes)
{
    TqxPropRec record;
    record.PropName = name.left(TqxPropRec::kMaxNameLength);
    record.PropKind = kind;
    if (!enumNames.isEmpty())
        record.EnumNames = enumNames.split(u';', Qt::SkipEmptyParts);
    record.EnumCodes = std::move(enumCodes);
    m_properties.push_back(std::move(record));
}

void TqxObject::addEnumProperty(const QString &name, const QString &enumNames, qint64 firstCode)
{
    std::vector<Variant> codes;
    const auto count = enumNames.split(u';', Qt::SkipEmptyParts).size();
    for (qsizetype i = 0; i < count; ++i)
        codes.push_back(Variant::fromInteger(firstCode + i));
    addProperty(name, pkEnumeration, enumNames, std::move(codes));
}

void TqxObject::removeProperty(const QString &name)
{
    std::erase_if(m_properties, [&](const auto &p) { return p.PropName == name; });
}

bool TqxObject::SetFontProperty(QFont &font, ColorRef &fontColor, const QString &upperName,
                                const Variant &value)
{
    if (upperName == u"FONT.NAME") {
        font.setFamily(value.toString());
    } else if (upperName == u"FONT.SIZE") {
        font.setPointSizeF(value.toDouble());
    } else if (upperName == u"FONT.STYLE") {
        const auto style = value.toInt64();
        font.setItalic(style & fsItalic);
        font.setBold(style & fsBold);
        font.setUnderline(style & fsUnderline);
        font.setStrikeOut(style & fsStrikeOut);
    } else if (upperName == u"FONT.COLOR") {
        fontColor = static_cast<ColorRef>(value.toInt64());
    } else {
        return false;
    }
    return true;
}

Variant TqxObject::GetFontProperty(const QFont &font, ColorRef fontColor, const QString &upperName)
{
    if (upperName == u"FONT.NAME")
        return Variant(font.family());
    if (upperName == u"FONT.SIZE")
        return Variant::fromInteger(qRound64(font.pointSizeF()));
    if (upperName == u"FONT.STYLE") {
        const int style = (font.italic() ? fsItalic : 0) | (font.bold() ? fsBold : 0) |
                          (font.underline() ? fsUnderline : 0) |
                          (font.strikeOut() ? fsStrikeOut : 0);
        return Variant(style);
    }
    if (upperName == u"FONT.COLOR")
        return Variant::fromInteger(fontColor);
    return {};
}

} // namespace tovren::model
