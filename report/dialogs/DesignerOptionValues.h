#pragma once

#include <QString>

namespace tovren::platform {
class SettingsStore;
}

namespace tovren::dialogs {

/// The designer's options that the designer options dialog shows and gives back; the
/// designer fills them from its own state and applies them through its setters on OK.
struct DesignerOptionValues
{
    static constexpr int kUnitsPixels = 0;
    static constexpr int kUnitsMillimetres = 1;
    static constexpr int kUnitsInches = 2;
    static constexpr int kPageLeft = 3;
    static constexpr int kPageRight = 4;
    static constexpr int kPageCentred = 5;

    bool gridShow = true;
    bool gridAlign = true;
    bool disableUndo = false;
    bool syntaxHighlight = true;
    /// 4, 8 or 18 design pixels.
    int gridSizePixels = 4;
    /// "Selection" 1: objects are repainted while they are dragged.
    bool liveRepaint = true;
    /// kUnitsPixels, kUnitsMillimetres or kUnitsInches; the lengths the designer shows.
    int units = kUnitsPixels;
    /// The inverse of the designer's GrayButtons.
    bool colouredButtons = true;
    bool editAfterInsert = true;
    bool bandTitles = true;
    /// kPageLeft, kPageRight or kPageCentred: where the canvas sits.
    int pagePosition = kPageCentred;
    bool localizedPropertyNames = false;
};

/// The fonts of the text and script editors, kept in the designer's settings section, where
/// the designer options dialog writes them and the text editor reads them.
///
/// Sizes stay texts, as the size boxes hold them; a value never written reads as its default.
struct EditorFonts
{
    QString textFontName = QStringLiteral("Arial");
    QString textFontSize = QStringLiteral("10");
    QString scriptFontName = QStringLiteral("Courier New");
    QString scriptFontSize = QStringLiteral("10");
    /// The text editor uses each object's own font rather than textFontName and textFontSize.
    bool useDefaultFont = true;

    /// The sizes in points; a size that is no number, or none at all, gives 10.
    int textPointSize() const { return pointSize(textFontSize); }
    int scriptPointSize() const { return pointSize(scriptFontSize); }
    static int pointSize(const QString &text);

    static QString section();
    static EditorFonts load(const platform::SettingsStore &settings);
    void save(platform::SettingsStore &settings) const;
};

} // namespace tovren::dialogs
