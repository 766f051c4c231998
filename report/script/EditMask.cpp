#include "report/script/EditMask.h"

namespace tovren::script {

namespace {

enum class CaseMode { Keep, Upper, Lower };

bool isPlaceholder(QChar c)
{
    switch (c.unicode()) {
    case 'L':
    case 'l':
    case 'A':
    case 'a':
    case 'C':
    case 'c':
    case '0':
    case '9':
    case '#':
        return true;
    default:
        return false;
    }
}

QStringView maskField(QStringView mask)
{
    for (qsizetype i = 0; i < mask.size(); ++i) {
        if (mask[i] == u'\\')
            ++i;
        else if (mask[i] == u';')
            return mask.left(i);
    }
    return mask;
}

} // namespace

QString formatMaskText(QStringView mask, QStringView text, const FormatSettings &settings)
{
    const QStringView field = maskField(mask);
    QString result;
    qsizetype next = 0;
    CaseMode mode = CaseMode::Keep;
    for (qsizetype i = 0; i < field.size(); ++i) {
        const QChar c = field[i];
        if (c == u'\\') {
            if (i + 1 < field.size())
                result += field[++i];
        } else if (c == u'<' && i + 1 < field.size() && field[i + 1] == u'>') {
            mode = CaseMode::Keep;
            ++i;
        } else if (c == u'>') {
            mode = CaseMode::Upper;
        } else if (c == u'<') {
            mode = CaseMode::Lower;
        } else if (c == u'!') {
            // Only changes where blanks go while typing; a formatted text is unaffected.
        } else if (isPlaceholder(c)) {
            QChar shown = next < text.size() ? text[next++] : QChar(u' ');
            if (mode == CaseMode::Upper)
                shown = shown.toUpper();
            else if (mode == CaseMode::Lower)
                shown = shown.toLower();
            result += shown;
        } else if (c == u'_') {
            result += u' ';
        } else if (c == u'/') {
            result += settings.dateSeparator;
        } else if (c == u':') {
            result += settings.timeSeparator;
        } else {
            result += c;
        }
    }
    return result;
}

} // namespace tovren::script
