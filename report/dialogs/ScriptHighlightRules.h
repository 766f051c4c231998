#pragma once

#include <QSet>
#include <QString>
#include <QStringView>
#include <vector>

namespace tovren::dialogs {

/// The languages the script editor colours.
enum class SyntaxKind { Pascal = 0, Sql = 1, None = 2 };

/// What a character of the edited text is drawn as.
enum class CharClass : quint8 { Plain = 0, Comment = 2, Keyword = 3, String = 4 };

/// The comment still open at the end of a line, carried to the next one.
enum class OpenComment { None = 0, Brace = 1, ParenStar = 2, SlashStar = 3 };

/// A run of characters of one class inside a line; characters outside every run are plain.
struct ClassRun
{
    int start = 0;
    int length = 0;
    CharClass charClass = CharClass::Plain;

    bool operator==(const ClassRun &) const = default;
};

/// How a script or SQL text is split into keywords, comments and strings, one line at a time so
/// that only the lines a keystroke touched are classified again.
///
/// Keywords compare case-insensitively as whole identifiers; identifiers are ASCII letters and
/// the underscore followed by letters, digits and underscores, so Chinese text is plain. Strings
/// never run past their line; block comments do, until they are closed.
class ScriptHighlightRules
{
public:
    explicit ScriptHighlightRules(SyntaxKind kind = SyntaxKind::Pascal);

    SyntaxKind kind() const { return m_kind; }
    /// The comma-separated keyword list of @p kind.
    static QString keywordList(SyntaxKind kind);
    bool isKeyword(QStringView word) const;

    /// The runs of @p line that are not plain. @p open is the comment open where the line starts
    /// and becomes the one open where it ends.
    std::vector<ClassRun> classifyLine(QStringView line, OpenComment &open) const;

private:
    SyntaxKind m_kind;
    QSet<QString> m_keywords; // lower-case
};

} // namespace tovren::dialogs
