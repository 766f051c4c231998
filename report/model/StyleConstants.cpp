#include "report/model/StyleConstants.h"

#include "report/model/ColorRef.h"
#include "report/script/TqxVariables.h"

#include <array>
#include <utility>

namespace tovren::model {

namespace {

using script::Variant;

struct NamedValue
{
    const char *name;
    qint64 value;
};

constexpr std::array<NamedValue, 17> kPlainColors = {{
    {"clWhite", 0xFFFFFF},
    {"clBlack", 0},
    {"clMaroon", 0x80},
    {"clGreen", 0x8000},
    {"clOlive", 0x8080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0xFF},
    {"clLime", 0xFF00},
    {"clYellow", 0xFFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clTransparent", kNoColor},
}};

constexpr std::array<const char *, kSystemColorCount> kSystemColorNames = {
    "clScrollBar",    "clBackground",  "clActiveCaption", "clInactiveCaption",
    "clMenu",         "clWindow",      "clWindowFrame",   "clMenuText",
    "clWindowText",   "clCaptionText", "clActiveBorder",  "clInactiveBorder",
    "clAppWorkSpace", "clHighlight",   "clHighlightText", "clBtnFace",
    "clBtnShadow",    "clGrayText",    "clBtnText",       "clInactiveCaptionText",
    "clBtnHighlight", "cl3DDkShadow",  "cl3DLight",       "clInfoText",
    "clInfoBk",
};

using namespace platform;

constexpr std::array<NamedValue, 42> kNamedConstants = {{
    {"mrNone", mrNone},
    {"mrOk", mrOk},
    {"mrCancel", mrCancel},
    {"mrYes", mrYes},
    {"mrNo", mrNo},
    {"fsItalic", fsItalic},
    {"fsBold", fsBold},
    {"fsUnderline", fsUnderline},
    {"fsStrikeOut", fsStrikeOut},
    {"qxftNone", qxftNone},
    {"qxftRight", qxftRight},
    {"qxftBottom", qxftBottom},
    {"qxftLeft", qxftLeft},
    {"qxftTop", qxftTop},
    {"qxtaLeft", qxtaLeft},
    {"qxtaRight", qxtaRight},
    {"qxtaCenter", qxtaCenter},
    {"qxtaVertical", qxtaVertical},
    {"qxtaMiddle", qxtaMiddle},
    {"qxtaDown", qxtaDown},
    {"baNone", baNone},
    {"baLeft", baLeft},
    {"baRight", baRight},
    {"baCenter", baCenter},
    {"baWidth", baWidth},
    {"baBottom", baBottom},
    {"baTop", baTop},
    {"baRest", baRest},
    {"psSolid", psSolid},
    {"psDash", psDash},
    {"psDot", psDot},
    {"psDashDot", psDashDot},
    {"psDashDotDot", psDashDotDot},
    {"psDouble", psDouble},
    {"mb_Ok", mb_Ok},
    {"mb_OkCancel", mb_OkCancel},
    {"mb_YesNoCancel", mb_YesNoCancel},
    {"mb_YesNo", mb_YesNo},
    {"mb_IconError", mb_IconError},
    {"mb_IconQuestion", mb_IconQuestion},
    {"mb_IconWarning", mb_IconWarning},
    {"mb_IconInformation", mb_IconInformation},
}};

void setInteger(script::TqxVariables &constants, const char *name, qint64 value)
{
    constants.setValue(QString::fromLatin1(name), Variant::fromInteger(value));
}

} // namespace

const std::vector<NamedColor> &namedColors()
{
    static const std::vector<NamedColor> table = [] {
        std::vector<NamedColor> colors;
        for (const auto &color : kPlainColors)
            colors.push_back({QString::fromLatin1(color.name), ColorRef(color.value)});
        for (int i = 0; i < kSystemColorCount; ++i)
            colors.push_back({QString::fromLatin1(kSystemColorNames[i]), kSystemColorBase + i});
        return colors;
    }();
    return table;
}

QString colorName(ColorRef value)
{
    for (const NamedColor &color : namedColors()) {
        if (color.value == value)
            return color.name;
    }
    return {};
}

std::optional<ColorRef> colorByName(const QString &name)
{
    for (const NamedColor &color : namedColors()) {
        if (color.name.compare(name, Qt::CaseInsensitive) == 0)
            return color.value;
    }
    return std::nullopt;
}

void fillStyleConstants(script::TqxVariables &constants)
{
    for (const auto &color : kPlainColors)
        setInteger(constants, color.name, color.value);
    for (int i = 0; i < kSystemColorCount; ++i)
        setInteger(constants, kSystemColorNames[i], qint64(kSystemColorBase) + i);
    constants.setValue(QStringLiteral("CRLF"), Variant(QStringLiteral("\r\n")));
    constants.setValue(QStringLiteral("Null"), Variant::null());
    for (const auto &constant : kNamedConstants)
        setInteger(constants, constant.name, constant.value);
}

void addBlobTypeConstants(script::TqxVariables &constants)
{
    setInteger(constants, "btBMP", btBMP);
    setInteger(constants, "btJPG", btJPG);
    setInteger(constants, "btICO", btICO);
    setInteger(constants, "btWMF", btWMF);
}

} // namespace tovren::model
