#include "app/import/WorkbookReader.h"
#include "report/platform/TextCodec.h"

#include <QStringDecoder>

namespace tovren::import {

namespace {

/// UTF-8 when the bytes say so (a byte-order mark, or valid UTF-8 throughout); otherwise the
/// Chinese 8-bit code page that spreadsheet programs on Chinese systems save CSV in.
QString decodeCsv(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return platform::decode8Bit(bytes);
}

} // namespace

SheetData WorkbookReader::readCsv(const QByteArray &bytes)
{
    const QString text = decodeCsv(bytes);
    // Chinese spreadsheet exports sometimes separate with semicolons or tabs; the header decides.
    const QString firstLine = text.left(text.indexOf(u'\n'));
    QChar separator = u',';
    if (firstLine.count(u'\t') > firstLine.count(separator))
        separator = u'\t';
    if (firstLine.count(u';') > firstLine.count(separator))
        separator = u';';

    SheetData::Builder builder;
    int row = 1;
    int column = 1;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < text.size() && text[i + 1] == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
            continue;
        }
        if (c == u'"' && field.isEmpty()) {
            quoted = true;
        } else if (c == separator) {
            builder.set(row, column++, std::exchange(field, {}));
        } else if (c == u'\r' || c == u'\n') {
            builder.set(row, column, std::exchange(field, {}));
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            ++row;
            column = 1;
        } else {
            field += c;
        }
    }
    if (quoted)
        throw EWorkbookError(QStringLiteral("第 %1 行的引号没有结束").arg(row));
    builder.set(row, column, field);
    return builder.build();
}

} // namespace tovren::import
