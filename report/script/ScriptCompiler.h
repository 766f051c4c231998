#pragma once

#include "report/script/ScriptSource.h"

#include <QString>
#include <QStringList>
#include <map>
#include <vector>

namespace tovren::script {

/// Compiles a script into code lines, one instruction a line, with every expression already in
/// postfix form:
///
/// - char 1, target low, target high, condition: continue at the target when the condition
///   equals 0, else with the next line;
/// - char 2, target low, target high: continue at the target;
/// - char 3, expression: evaluate and drop the value (EXIT(0) ends the script);
/// - name, blank, expression: assign the value to the name.
///
/// The first syntax error ends compilation; its message reads "Line L/C: text" with the position
/// of the offending word in the source as written. Nesting of statements and expressions is
/// bounded so that no text can exhaust the stack.
class ScriptCompiler
{
public:
    static constexpr int maximumNesting = 200;
    /// Jump targets are two 8-bit halves.
    static constexpr qsizetype maximumCodeLines = 65536;

    explicit ScriptCompiler(const QStringList &source);

    struct Result
    {
        QStringList code; ///< everything compiled up to an error
        QString error;    ///< empty when the script compiled
    };

    Result compile();

private:
    struct Failure
    {
        qsizetype position;
        QString text;
    };

    enum class LineKind { Condition, Jump, Goto, Call, Assignment };

    struct PendingLine
    {
        LineKind kind;
        QString text;           // condition, expression or label; raw source text
        QString name;           // assignment target
        int target = 0;         // condition and jump lines
        qsizetype position = 0; // where the expression or label starts, for messages
    };

    // Reading
    void skipBlanks();
    bool atEnd();
    bool atKeyword(QStringView keyword);
    bool atWordOperator(QStringView word);
    void expectKeyword(QStringView keyword, const QString &message);
    [[noreturn]] void fail(const QString &text);
    [[noreturn]] void fail(qsizetype position, const QString &text);
    bool isIdentifierStart(qsizetype position) const;
    qsizetype identifierEnd(qsizetype position) const;

    // Statements
    void compileStatement(int nesting);
    void compileCompound(int nesting);
    void compileIf(int nesting);
    void compileRepeat(int nesting);
    void compileWhile(int nesting);
    void compileFor(int nesting);
    void compileGoto();
    bool tryCompileLabel(int nesting);
    void compileDesignatorStatement();
    void compileExpressionStatement();

    struct Designator
    {
        QString text;  // as written, index included
        QString name;  // without the index
        QString index; // empty when not indexed
    };
    Designator readDesignator(int nesting);
    void addAssignment(const Designator &target, const QString &value, qsizetype position);

    // Expression checking; each returns with the position after what it read.
    QString readExpression(int nesting);
    void checkExpression(int nesting);
    void checkSimpleExpression(int nesting);
    void checkTerm(int nesting);
    void checkFactor(int nesting);
    void checkString();

    // Code
    int nextLine() const { return static_cast<int>(m_lines.size()); }
    int addLine(PendingLine line);
    /// Pass 3: resolves labels and converts expressions to postfix. Strict, the first fault is
    /// raised; otherwise conversion stops quietly at it (the code that goes with an error).
    QStringList finishCode(bool strict);
    QString lineText(const PendingLine &line) const;

    ScriptSource m_source;
    QStringView m_text;
    qsizetype m_position = 0;
    std::vector<PendingLine> m_lines;
    std::map<QString, int> m_labels; // label text with its colon -> code position
};

} // namespace tovren::script
