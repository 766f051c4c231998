#include "report/dialogs/ScriptHighlightRules.h"

namespace tovren::dialogs {

namespace {

const char *const kPascalKeywords =
    "and,array,as,begin,case,class,const,constructor,destructor,div,do,downto,else,end,except,"
    "finally,for,forward,function,goto,if,is,in,inherited,label,mod,nil,not,object,of,on,or,"
    "override,private,procedure,program,property,protected,public,raise,record,repeat,set,shl,"
    "shr,string,then,to,try,type,until,uses,var,virtual,while,with,xor";

const char *const kSqlKeywords =
    "active,after,all,alter,and,any,as,asc,ascending,at,auto,base_name,before,begin,between,by,"
    "cache,cast,check,column,commit,committed,computed,conditional,constraint,containing,count,"
    "create,current,cursor,database,debug,declare,default,delete,desc,descending,distinct,do,"
    "domain,drop,else,end,entry_point,escape,exception,execute,exists,exit,external,extract,"
    "filter,for,foreign,from,full,function,generator,grant,group,having,if,in,inactive,index,"
    "inner,insert,into,is,isolation,join,key,left,level,like,merge,names,no,not,null,of,on,only,"
    "or,order,outer,parameter,password,plan,position,primary,privileges,procedure,protected,read,"
    "retain,returns,revoke,right,rollback,schema,select,set,shadow,shared,snapshot,some,suspend,"
    "table,then,to,transaction,trigger,uncommitted,union,unique,update,user,using,view,wait,when,"
    "where,while,with,work";

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool startsIdentifier(QChar c)
{
    return isAsciiLetter(c) || c == u'_';
}

bool continuesIdentifier(QChar c)
{
    return startsIdentifier(c) || (c >= u'0' && c <= u'9');
}

QStringView closerOf(OpenComment comment)
{
    switch (comment) {
    case OpenComment::Brace:
        return u"}";
    case OpenComment::ParenStar:
        return u"*)";
    case OpenComment::SlashStar:
        return u"*/";
    case OpenComment::None:
        break;
    }
    return {};
}

} // namespace

ScriptHighlightRules::ScriptHighlightRules(SyntaxKind kind)
    : m_kind(kind)
{
    const QString list = keywordList(kind);
    if (list.isEmpty())
        return;
    for (const QString &word : list.split(u','))
        m_keywords.insert(word);
}

QString ScriptHighlightRules::keywordList(SyntaxKind kind)
{
    switch (kind) {
    case SyntaxKind::Pascal:
        return QString::fromLatin1(kPascalKeywords);
    case SyntaxKind::Sql:
        return QString::fromLatin1(kSqlKeywords);
    case SyntaxKind::None:
        break;
    }
    return {};
}

bool ScriptHighlightRules::isKeyword(QStringView word) const
{
    return m_keywords.contains(word.toString().toLower());
}

std::vector<ClassRun> ScriptHighlightRules::classifyLine(QStringView line, OpenComment &open) const
{
    std::vector<ClassRun> runs;
    const int length = int(line.size());
    int at = 0;

    // A comment that ends at `closer` (or runs on past the line, staying open).
    const auto commentUpTo = [&](int start, int searchFrom, OpenComment kind) {
        const QStringView closer = closerOf(kind);
        const int end = int(line.indexOf(closer, searchFrom));
        if (end < 0) {
            runs.push_back({start, length - start, CharClass::Comment});
            open = kind;
            return length;
        }
        const int after = end + int(closer.size());
        runs.push_back({start, after - start, CharClass::Comment});
        open = OpenComment::None;
        return after;
    };
    const auto stringUpTo = [&](int start, bool eitherQuote) {
        int end = start + 1;
        while (end < length) {
            const QChar c = line[end];
            if (c == u'\'' || (eitherQuote && c == u'"'))
                break;
            ++end;
        }
        const int after = end < length ? end + 1 : length;
        runs.push_back({start, after - start, CharClass::String});
        return after;
    };

    if (open != OpenComment::None)
        at = commentUpTo(0, 0, open);

    while (at < length) {
        const QChar c = line[at];
        const QChar next = at + 1 < length ? line[at + 1] : QChar();
        if (startsIdentifier(c)) {
            int end = at + 1;
            while (end < length && continuesIdentifier(line[end]))
                ++end;
            if (isKeyword(line.mid(at, end - at)))
                runs.push_back({at, end - at, CharClass::Keyword});
            at = end;
            continue;
        }
        if (m_kind == SyntaxKind::Pascal) {
            if (c == u'/' && next == u'/') {
                runs.push_back({at, length - at, CharClass::Comment});
                break;
            }
            if (c == u'{') {
                at = commentUpTo(at, at + 1, OpenComment::Brace);
                continue;
            }
            if (c == u'(' && next == u'*') {
                at = commentUpTo(at, at + 2, OpenComment::ParenStar);
                continue;
            }
        } else if (m_kind == SyntaxKind::Sql) {
            if (c == u'-' && next == u'-') {
                runs.push_back({at, length - at, CharClass::Comment});
                break;
            }
            if (c == u'/' && next == u'*') {
                at = commentUpTo(at, at + 2, OpenComment::SlashStar);
                continue;
            }
            if (c == u'"') {
                at = stringUpTo(at, true);
                continue;
            }
        }
        if (c == u'\'') {
            at = stringUpTo(at, m_kind == SyntaxKind::Sql);
            continue;
        }
        ++at;
    }
    return runs;
}

} // namespace tovren::dialogs
