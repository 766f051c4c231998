#include "report/dialogs/DesignerOptionValues.h"

#include "report/platform/SettingsStore.h"

namespace tovren::dialogs {

namespace {
constexpr QLatin1String kTextFontName("TextFontName");
constexpr QLatin1String kTextFontSize("TextFontSize");
constexpr QLatin1String kScriptFontName("ScriptFontName");
constexpr QLatin1String kScriptFontSize("ScriptFontSize");
constexpr QLatin1String kUseDefaultFont("UseDefaultFont");
} // namespace

QString EditorFonts::section()
{
    return platform::SettingsStore::formSection(QStringLiteral("TqxDesignerForm"));
}

int EditorFonts::pointSize(const QString &text)
{
    // Sizes were kept as integers by older settings and as texts by the options dialog.
    bool ok = false;
    const double points = text.trimmed().toDouble(&ok);
    return ok && points >= 1 && points <= 1638 ? qRound(points) : 10;
}

EditorFonts EditorFonts::load(const platform::SettingsStore &settings)
{
    const EditorFonts defaults;
    const QString from = section();
    EditorFonts fonts;
    fonts.textFontName = settings.readString(from, kTextFontName, defaults.textFontName);
    fonts.textFontSize = settings.readString(from, kTextFontSize, defaults.textFontSize);
    fonts.scriptFontName = settings.readString(from, kScriptFontName, defaults.scriptFontName);
    fonts.scriptFontSize = settings.readString(from, kScriptFontSize, defaults.scriptFontSize);
    fonts.useDefaultFont = settings.readBool(from, kUseDefaultFont, defaults.useDefaultFont);
    return fonts;
}

void EditorFonts::save(platform::SettingsStore &settings) const
{
    const QString to = section();
    settings.writeString(to, kTextFontName, textFontName);
    settings.writeString(to, kTextFontSize, textFontSize);
    settings.writeString(to, kScriptFontName, scriptFontName);
    settings.writeString(to, kScriptFontSize, scriptFontSize);
    settings.writeBool(to, kUseDefaultFont, useDefaultFont);
}

} // namespace tovren::dialogs
