#include "report/script/TqxStdFunctionLibrary.h"

#include "report/platform/DialogProvider.h"
#include "report/platform/StringTable.h"
#include "report/script/AggregateCall.h"
#include "report/script/DateTimeFormat.h"
#include "report/script/DayNumber.h"
#include "report/script/EditMask.h"
#include "report/script/EvaluationError.h"
#include "report/script/FloatFormat.h"
#include "report/script/TqxInstalledFunctions.h"
#include "report/script/VariantArithmetic.h"

#include <QDate>
#include <cmath>
#include <typeindex>

namespace tovren::script {

namespace {

// The function numbers are the positions in this list; stored reports never see them, but the
// order is the one every description and test refers to.
enum Function {
    Avg,
    Count,
    DayOf,
    FormatDateTime,
    FormatFloat,
    FormatText,
    Input,
    Length,
    LowerCase,
    Max,
    MaxNum,
    MessageBox,
    Min,
    MinNum,
    MonthOf,
    NameCase,
    Pos,
    Sum,
    Trim,
    UpperCase,
    YearOf,
};

const QStringList &standardNames()
{
    static const QStringList names{
        QStringLiteral("AVG"),         QStringLiteral("COUNT"),
        QStringLiteral("DAYOF"),       QStringLiteral("FORMATDATETIME"),
        QStringLiteral("FORMATFLOAT"), QStringLiteral("FORMATTEXT"),
        QStringLiteral("INPUT"),       QStringLiteral("LENGTH"),
        QStringLiteral("LOWERCASE"),   QStringLiteral("MAX"),
        QStringLiteral("MAXNUM"),      QStringLiteral("MESSAGEBOX"),
        QStringLiteral("MIN"),         QStringLiteral("MINNUM"),
        QStringLiteral("MONTHOF"),     QStringLiteral("NAMECASE"),
        QStringLiteral("POS"),         QStringLiteral("SUM"),
        QStringLiteral("TRIM"),        QStringLiteral("UPPERCASE"),
        QStringLiteral("YEAROF"),
    };
    return names;
}

struct DescriptionEntry
{
    const char *name;
    FunctionCategory category;
    int stringId;
};

// Also names the library does not compute (operators, system variables, engine procedures): the
// expression builder lists them all from here.
constexpr DescriptionEntry descriptionEntries[] = {
    {"AVG", FunctionCategory::Aggregates, 55360},
    {"COUNT", FunctionCategory::Aggregates, 55361},
    {"DAYOF", FunctionCategory::DateAndTime, 55362},
    {"FORMATDATETIME", FunctionCategory::Strings, 55363},
    {"FORMATFLOAT", FunctionCategory::Strings, 55364},
    {"FORMATTEXT", FunctionCategory::Strings, 55416},
    {"INPUT", FunctionCategory::Other, 55365},
    {"LENGTH", FunctionCategory::Strings, 55366},
    {"LOWERCASE", FunctionCategory::Strings, 55367},
    {"MAX", FunctionCategory::Aggregates, 55368},
    {"MIN", FunctionCategory::Aggregates, 55369},
    {"MONTHOF", FunctionCategory::DateAndTime, 55370},
    {"NAMECASE", FunctionCategory::Strings, 55371},
    {"STRTODATE", FunctionCategory::DateAndTime, 55372},
    {"STRTOTIME", FunctionCategory::DateAndTime, 55373},
    {"SUM", FunctionCategory::Aggregates, 55374},
    {"TRIM", FunctionCategory::Strings, 55375},
    {"UPPERCASE", FunctionCategory::Strings, 55376},
    {"YEAROF", FunctionCategory::DateAndTime, 55377},
    {"MAXNUM", FunctionCategory::Mathematics, 55412},
    {"MINNUM", FunctionCategory::Mathematics, 55413},
    {"POS", FunctionCategory::Strings, 55414},
    {"MESSAGEBOX", FunctionCategory::Other, 55415},
    {"IF", FunctionCategory::Other, 55378},
    {"COPY", FunctionCategory::Strings, 55379},
    {"MOD", FunctionCategory::Mathematics, 55380},
    {"STR", FunctionCategory::Strings, 55381},
    {"NOT", FunctionCategory::Logic, 55382},
    {"AND", FunctionCategory::Logic, 55383},
    {"OR", FunctionCategory::Logic, 55384},
    {"ROUND", FunctionCategory::Mathematics, 55385},
    {"FRAC", FunctionCategory::Mathematics, 55386},
    {"INT", FunctionCategory::Mathematics, 55387},
    {"TRUE", FunctionCategory::Logic, 55388},
    {"FALSE", FunctionCategory::Logic, 55389},
    {"PAGE#", FunctionCategory::Other, 55390},
    {"DATE", FunctionCategory::DateAndTime, 55391},
    {"TIME", FunctionCategory::DateAndTime, 55392},
    {"LINE#", FunctionCategory::Other, 55393},
    {"LINETHROUGH#", FunctionCategory::Other, 55394},
    {"COLUMN#", FunctionCategory::Other, 55395},
    {"TOTALPAGES", FunctionCategory::Other, 55396},
    {"REPORTCOMMENT", FunctionCategory::ReportInformation, 55623},
    {"REPORTNAME", FunctionCategory::ReportInformation, 55624},
    {"REPORTAUTOR", FunctionCategory::ReportInformation, 55625},
    {"VMAJOR", FunctionCategory::ReportInformation, 55626},
    {"VMINOR", FunctionCategory::ReportInformation, 55627},
    {"VRELEASE", FunctionCategory::ReportInformation, 55628},
    {"VBUILD", FunctionCategory::ReportInformation, 55629},
    {"REPORTDATE", FunctionCategory::ReportInformation, 55630},
    {"REPORTLASTCHANGE", FunctionCategory::ReportInformation, 55631},
    {"MROK", FunctionCategory::Interpreter, 55397},
    {"MRCANCEL", FunctionCategory::Interpreter, 55398},
    {"CURY", FunctionCategory::Interpreter, 55399},
    {"FREESPACE", FunctionCategory::Interpreter, 55400},
    {"FINALPASS", FunctionCategory::Interpreter, 55401},
    {"PAGEHEIGHT", FunctionCategory::Interpreter, 55402},
    {"PAGEWIDTH", FunctionCategory::Interpreter, 55403},
    {"PROGRESS", FunctionCategory::Interpreter, 55404},
    {"MODALRESULT", FunctionCategory::Interpreter, 55405},
    {"STOPREPORT", FunctionCategory::Interpreter, 55406},
    {"NEWPAGE", FunctionCategory::Interpreter, 55407},
    {"NEWCOLUMN", FunctionCategory::Interpreter, 55408},
    {"SHOWBAND", FunctionCategory::Interpreter, 55409},
    {"INC", FunctionCategory::Interpreter, 55410},
    {"DEC", FunctionCategory::Interpreter, 55411},
};

QDate calendarDate(double days)
{
    // The same calendar mapping as the formatter; it also rejects days outside the calendar.
    const QString iso = formatDateTime(u"yyyy-mm-dd", days);
    return QDate::fromString(iso, Qt::ISODate);
}

/// Blanks and control characters, as trimming has always understood them.
bool isTrimmed(QChar c)
{
    return c.unicode() <= u' ';
}

} // namespace

TqxStdFunctionLibrary::TqxStdFunctionLibrary(const TqxParser &parser,
                                             platform::DialogProvider *dialogs,
                                             AggregateHandler *aggregates)
    : TqxFunctionLibrary(parser)
    , m_dialogs(dialogs)
    , m_aggregates(aggregates)
{
    setFunctionNames(standardNames());
}

void TqxStdFunctionLibrary::describeFunctions(TqxInstalledFunctions &registry) const
{
    const std::type_index library(typeid(*this));
    for (const DescriptionEntry &entry : descriptionEntries) {
        registry.AddFunctionDescription(library, QString::fromLatin1(entry.name),
                                        categoryText(entry.category),
                                        platform::LoadLibraryString(entry.stringId));
    }
}

double TqxStdFunctionLibrary::date(const QString &argument) const
{
    const Variant value = evaluate(argument);
    switch (value.type()) {
    case VariantType::String: {
        const QString written = value.toString().trimmed();
        const qsizetype blank = written.indexOf(u' ');
        if (blank < 0)
            return parseDate(written);
        try {
            return parseDate(written.left(blank)) + parseTime(written.mid(blank + 1));
        } catch (const EvaluationError &) {
            throw EvaluationError(QStringLiteral("'%1' is not a valid date").arg(written));
        }
    }
    case VariantType::Empty:
    case VariantType::Null:
    case VariantType::Boolean:
        throwConversionError(value.type(), VariantType::Date);
    default:
        return value.toDouble();
    }
}

Variant TqxStdFunctionLibrary::aggregate(int number, const QString &p1, const QString &p2,
                                         const QString &p3)
{
    AggregateCall call;
    switch (number) {
    case Sum:
        call.code = AggregateCode::Sum;
        break;
    case Min:
        call.code = AggregateCode::Min;
        break;
    case Max:
        call.code = AggregateCode::Max;
        break;
    case Avg:
        call.code = AggregateCode::Avg;
        break;
    default:
        call.code = AggregateCode::Count;
        break;
    }
    // Names and flags are compared, so blanks after the commas must not matter; the expression
    // text stays as written because it is part of the accumulator's key.
    if (call.code == AggregateCode::Count) {
        call.expression = p1;
        call.bandName = p1.trimmed();
        call.flag = p2.trimmed();
    } else {
        call.expression = p1;
        call.bandName = p2.trimmed();
        call.flag = p3.trimmed();
    }
    return m_aggregates ? m_aggregates->aggregate(call) : Variant(QStringLiteral("0"));
}

Variant TqxStdFunctionLibrary::input(const QString &p1, const QString &p2) const
{
    const QString prompt = text(p1);
    const QString initial = text(p2);
    if (!m_dialogs)
        return Variant(initial);
    return Variant(m_dialogs->inputText(QString(), prompt, initial).value_or(initial));
}

Variant TqxStdFunctionLibrary::messageBox(const QString &p1, const QString &p2,
                                          const QString &p3) const
{
    const QString message = text(p1);
    const QString title = text(p2);
    const int flags = static_cast<int>(evaluate(p3).toInt64());
    if (!m_dialogs)
        return Variant(static_cast<int>(platform::mrCancel));
    return Variant(m_dialogs->messageBox(message, title, flags));
}

void TqxStdFunctionLibrary::RunFunction(int number, const QString &p1, const QString &p2,
                                        const QString &p3, Variant &value)
{
    switch (number) {
    case Avg:
    case Count:
    case Max:
    case Min:
    case Sum:
        value = aggregate(number, p1, p2, p3);
        break;
    case DayOf:
        value = Variant(calendarDate(date(p1)).day());
        break;
    case MonthOf:
        value = Variant(calendarDate(date(p1)).month());
        break;
    case YearOf:
        value = Variant(calendarDate(date(p1)).year());
        break;
    case FormatDateTime: {
        const QString pattern = text(p1);
        value = Variant(formatDateTime(pattern, date(p2)));
        break;
    }
    case FormatFloat: {
        const QString pattern = text(p1);
        value = Variant(formatFloat(pattern, evaluate(p2).toDouble()));
        break;
    }
    case FormatText: {
        const QString mask = text(p1);
        value = Variant(formatMaskText(mask + QStringLiteral(";0; "), text(p2)));
        break;
    }
    case Input:
        value = input(p1, p2);
        break;
    case Length:
        value = Variant(static_cast<int>(text(p1).size()));
        break;
    case LowerCase:
        value = Variant(text(p1).toLower());
        break;
    case UpperCase:
        value = Variant(text(p1).toUpper());
        break;
    case MaxNum:
    case MinNum: {
        const Variant a = evaluate(p1);
        const Variant b = evaluate(p2);
        const Ordering order = compare(a, b);
        const bool takeFirst =
            number == MaxNum ? order == Ordering::Greater : order == Ordering::Less;
        value = takeFirst ? a : b;
        break;
    }
    case MessageBox:
        value = messageBox(p1, p2, p3);
        break;
    case NameCase: {
        QString result = text(p1).toLower();
        if (!result.isEmpty())
            result[0] = result[0].toUpper();
        value = Variant(result);
        break;
    }
    case Pos: {
        const QString sub = text(p1);
        const QString whole = text(p2);
        value = Variant(sub.isEmpty() ? 0 : static_cast<int>(whole.indexOf(sub) + 1));
        break;
    }
    case Trim: {
        const QString written = text(p1);
        qsizetype begin = 0;
        qsizetype end = written.size();
        while (begin < end && isTrimmed(written[begin]))
            ++begin;
        while (end > begin && isTrimmed(written[end - 1]))
            --end;
        value = Variant(written.mid(begin, end - begin));
        break;
    }
    default:
        break;
    }
}

} // namespace tovren::script
