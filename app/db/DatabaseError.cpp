#include "app/db/DatabaseError.h"

#include <QRegularExpression>
#include <QSqlError>
#include <array>

namespace tovren::db {

namespace {

/// One engine message the clerk may meet, and the Chinese sentence that says what it means.
/// "%1" and "%2" in the sentence take the pattern's captures.
struct KnownError
{
    const char *pattern;
    const char *sentence;
};

// SQLite's and PostgreSQL's own wording, most specific first.
constexpr std::array kKnownErrors{
    KnownError{R"re(near "(.*)": syntax error)re", "SQL 语句有语法错误, 在 \"%1\" 附近"},
    KnownError{R"re(syntax error at or near "(.*)")re", "SQL 语句有语法错误, 在 \"%1\" 附近"},
    KnownError{R"re(syntax error at end of input|incomplete input)re", "SQL 语句不完整"},
    KnownError{R"re(no such column: ([^\s]+))re", "没有名为 %1 的列"},
    KnownError{R"re(column "([^"]+)" (?:of relation "[^"]+" )?does not exist)re",
               "没有名为 %1 的列"},
    KnownError{R"re(table (\S+) has no column named (\S+))re", "表 %1 中没有名为 %2 的列"},
    KnownError{R"re(no such table: ([^\s]+))re", "没有名为 %1 的表"},
    KnownError{R"re(relation "([^"]+)" does not exist)re", "没有名为 %1 的表"},
    KnownError{R"re(ambiguous column name: ([^\s]+))re", "列名 %1 不明确, 请写明它属于哪个表"},
    KnownError{R"re(UNIQUE constraint failed: ([^\s,]+))re", "%1 的值与已有的记录重复, 必须唯一"},
    KnownError{R"re(duplicate key value violates unique constraint)re",
               "值与已有的记录重复, 必须唯一"},
    KnownError{R"re(NOT NULL constraint failed: ([^\s,]+))re", "%1 不能为空"},
    KnownError{R"re(null value in column "([^"]+)")re", "%1 不能为空"},
    KnownError{R"re(datatype mismatch|invalid input syntax)re", "值的类型与列不符"},
    KnownError{R"re(database is locked|could not obtain lock)re",
               "数据库正被其他用户使用, 请稍后再试"},
    KnownError{R"re(readonly database|read-only)re", "数据库是只读的, 无法写入"},
    KnownError{R"re(file is not a database|file is encrypted)re", "文件不是数据库, 或已损坏"},
    KnownError{R"re(database disk image is malformed)re", "数据库文件已损坏"},
    KnownError{R"re(unable to open database file)re", "无法打开数据库文件"},
    KnownError{R"re(password authentication failed)re", "数据库服务器拒绝了用户名或密码"},
    KnownError{R"re(database "([^"]+)" does not exist)re", "服务器上没有数据库 %1"},
    KnownError{R"re(could not translate host name "([^"]+)")re", "找不到数据库服务器 %1"},
    KnownError{
        R"re(Connection refused|could not connect|timeout expired|server closed the connection)re",
        "无法连接数据库服务器"},
    KnownError{R"re(permission denied)re", "没有执行该操作的权限"},
    KnownError{R"re(cannot (?:commit|rollback) - no transaction is active)re", "没有进行中的事务"},
};

QString rawEngineText(const QSqlError &error)
{
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        text = error.driverText().trimmed();
    if (text.isEmpty())
        text = error.text().trimmed();
    return text;
}

} // namespace

QString explainEngineError(const QString &engineText)
{
    if (engineText.isEmpty())
        return QStringLiteral("未知的数据库错误");
    for (const KnownError &known : kKnownErrors) {
        const QRegularExpression pattern(QString::fromUtf8(known.pattern),
                                         QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch match = pattern.match(engineText);
        if (!match.hasMatch())
            continue;
        QString sentence = QString::fromUtf8(known.sentence);
        // One call for both captures, so a "%2" inside the first cannot be replaced
        // again.
        if (match.lastCapturedIndex() >= 2)
            sentence = sentence.arg(match.captured(1), match.captured(2));
        else if (match.lastCapturedIndex() == 1)
            sentence = sentence.arg(match.captured(1));
        return sentence + QStringLiteral("\n(数据库的原文: ") + engineText + u')';
    }
    return QStringLiteral("数据库报告了错误\n(数据库的原文: ") + engineText + u')';
}

QString sqlErrorText(const QSqlError &error)
{
    return explainEngineError(rawEngineText(error));
}

} // namespace tovren::db
