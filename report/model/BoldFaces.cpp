#include "report/model/BoldFaces.h"

#include <QFontDatabase>
#include <QFontInfo>

namespace tovren::model {

namespace {

struct Companion
{
    const char16_t *face;
    const char16_t *boldCompanion;
};

// The Song face of "宋体"/"SimSun" (data/fonts.conf) and the Song face that backs it up.
constexpr Companion kCompanions[] = {
    {u"AR PL SungtiL GB", u"Noto Serif CJK SC"},
};

bool hasBoldStyle(const QString &family)
{
    const QStringList styles = QFontDatabase::styles(family);
    return std::any_of(styles.begin(), styles.end(), [&](const QString &style) {
        return QFontDatabase::weight(family, style) >= QFont::Bold;
    });
}

} // namespace

QString BoldFaces::boldFamilyFor(const QString &family) const
{
    QFont probe(family);
    const QString face = QFontInfo(probe).family();
    if (hasBoldStyle(face))
        return family;
    for (const Companion &companion : kCompanions) {
        const QString companionFamily = QString::fromUtf16(companion.boldCompanion);
        if (face == QString::fromUtf16(companion.face) &&
            QFontDatabase::families().contains(companionFamily) && hasBoldStyle(companionFamily))
            return companionFamily;
    }
    return family;
}

QFont BoldFaces::resolve(const QFont &font)
{
    if (font.weight() < QFont::Bold)
        return font;
    const QString family = font.family();
    auto found = m_boldFamilies.constFind(family);
    if (found == m_boldFamilies.constEnd())
        found = m_boldFamilies.insert(family, boldFamilyFor(family));
    if (*found == family)
        return font;
    QFont bold(font);
    bold.setFamily(*found);
    return bold;
}

} // namespace tovren::model
