#include "app/import/NumberFormat.h"
#include "app/import/WorkbookReader.h"
#include "app/import/ZipArchive.h"

#include <QHash>
#include <QXmlStreamReader>
#include <algorithm>
#include <vector>

namespace tovren::import {

namespace {

/// Throws when the XML reader stopped on an error rather than at the end.
void requireWellFormed(const QXmlStreamReader &xml, const QString &member)
{
    if (xml.hasError())
        throw EWorkbookError(QStringLiteral("%1 第 %2 行: %3")
                                 .arg(member)
                                 .arg(xml.lineNumber())
                                 .arg(xml.errorString()));
}

/// The text of a string item: every <t> inside it, without phonetic guides.
QString readStringItem(QXmlStreamReader &xml)
{
    QString text;
    const QString endName = xml.name().toString();
    int phoneticDepth = 0;
    while (xml.readNext() != QXmlStreamReader::Invalid) {
        if (xml.isStartElement()) {
            if (xml.name() == u"rPh")
                ++phoneticDepth;
            else if (xml.name() == u"t" && phoneticDepth == 0)
                text += xml.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (xml.isEndElement()) {
            if (xml.name() == u"rPh")
                --phoneticDepth;
            else if (xml.name() == endName)
                break;
        }
    }
    return text;
}

QStringList readSharedStrings(const ZipArchive &zip)
{
    QStringList strings;
    const QString member = QStringLiteral("xl/sharedStrings.xml");
    if (!zip.contains(member))
        return strings;
    QXmlStreamReader xml(zip.read(member));
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"si")
            strings << readStringItem(xml);
    }
    requireWellFormed(xml, member);
    return strings;
}

std::vector<NumberFormat> readCellFormats(const ZipArchive &zip)
{
    std::vector<NumberFormat> formats;
    const QString member = QStringLiteral("xl/styles.xml");
    if (!zip.contains(member))
        return formats;
    QHash<int, QString> customCodes;
    bool inCellXfs = false;
    QXmlStreamReader xml(zip.read(member));
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (xml.name() == u"numFmt") {
                customCodes.insert(xml.attributes().value(QLatin1String("numFmtId")).toInt(),
                                   xml.attributes().value(QLatin1String("formatCode")).toString());
            } else if (xml.name() == u"cellXfs") {
                inCellXfs = true;
            } else if (inCellXfs && xml.name() == u"xf") {
                const int id = xml.attributes().value(QLatin1String("numFmtId")).toInt();
                formats.emplace_back(id, customCodes.value(id));
            }
        } else if (xml.isEndElement() && xml.name() == u"cellXfs") {
            inCellXfs = false;
        }
    }
    requireWellFormed(xml, member);
    return formats;
}

/// The member of the first sheet, and whether the workbook counts dates from 1904.
std::pair<QString, bool> locateFirstSheet(const ZipArchive &zip)
{
    const QString workbookMember = QStringLiteral("xl/workbook.xml");
    QString relationId;
    bool date1904 = false;
    {
        QXmlStreamReader xml(zip.read(workbookMember));
        while (!xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement())
                continue;
            if (xml.name() == u"workbookPr") {
                const QStringView flag = xml.attributes().value(QLatin1String("date1904"));
                date1904 = flag == u"1" || flag == u"true";
            } else if (xml.name() == u"sheet" && relationId.isEmpty()) {
                for (const QXmlStreamAttribute &attribute : xml.attributes()) {
                    if (attribute.name() == u"id")
                        relationId = attribute.value().toString();
                }
            }
        }
        requireWellFormed(xml, workbookMember);
    }
    if (relationId.isEmpty())
        throw EWorkbookError(QStringLiteral("工作簿中没有工作表"));

    const QString relsMember = QStringLiteral("xl/_rels/workbook.xml.rels");
    QXmlStreamReader rels(zip.read(relsMember));
    while (!rels.atEnd()) {
        rels.readNext();
        if (rels.isStartElement() && rels.name() == u"Relationship" &&
            rels.attributes().value(QLatin1String("Id")) == relationId) {
            QString target = rels.attributes().value(QLatin1String("Target")).toString();
            target = target.startsWith(u'/') ? target.mid(1) : QStringLiteral("xl/") + target;
            return {target, date1904};
        }
    }
    requireWellFormed(rels, relsMember);
    throw EWorkbookError(QStringLiteral("找不到第一个工作表"));
}

/// "BC12" -> column 55, row 12; zeros when the reference is malformed. A column past the last
/// one a sheet may have comes back as the one after it, for the sheet to refuse.
std::pair<int, int> parseReference(QStringView reference)
{
    int column = 0;
    qsizetype i = 0;
    for (; i < reference.size() && reference[i].isLetter(); ++i) {
        const int letter = reference[i].toUpper().unicode() - u'A' + 1;
        if (letter < 1 || letter > 26)
            return {0, 0};
        column = std::min(column * 26 + letter, SheetData::kMaxColumns + 1);
    }
    bool ok = false;
    const int row = reference.mid(i).toInt(&ok);
    return ok ? std::pair{row, column} : std::pair{0, 0};
}

} // namespace

SheetData WorkbookReader::readXlsx(const QByteArray &bytes)
{
    const ZipArchive zip(bytes);
    const auto [sheetMember, date1904] = locateFirstSheet(zip);
    const QStringList sharedStrings = readSharedStrings(zip);
    const std::vector<NumberFormat> formats = readCellFormats(zip);

    SheetData::Builder builder;
    QXmlStreamReader xml(zip.read(sheetMember));
    int currentRow = 0;
    int nextColumn = 1;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"row") {
            const int row = xml.attributes().value(QLatin1String("r")).toInt();
            currentRow = row > 0 ? row : currentRow + 1;
            nextColumn = 1;
            continue;
        }
        if (xml.name() != u"c")
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        auto [row, column] = parseReference(attributes.value(QLatin1String("r")));
        if (row == 0) {
            row = currentRow;
            column = nextColumn;
        }
        nextColumn = column + 1;
        const QString type = attributes.value(QLatin1String("t")).toString();
        const int style = attributes.value(QLatin1String("s")).toInt();

        QString value;
        QString inlineText;
        while (xml.readNext() != QXmlStreamReader::Invalid &&
               !(xml.isEndElement() && xml.name() == u"c")) {
            if (!xml.isStartElement())
                continue;
            if (xml.name() == u"v")
                value = xml.readElementText();
            else if (xml.name() == u"is")
                inlineText = readStringItem(xml);
        }

        QString text;
        if (type == u"s") {
            bool ok = false;
            const int index = value.toInt(&ok);
            if (!ok || index < 0 || index >= sharedStrings.size())
                throw EWorkbookError(QStringLiteral("单元格 %1 引用了不存在的共享字符串")
                                         .arg(attributes.value(QLatin1String("r")).toString()));
            text = sharedStrings[index];
        } else if (type == u"inlineStr") {
            text = inlineText;
        } else if (type == u"str" || type == u"e" || type == u"d") {
            text = value;
        } else if (type == u"b") {
            text = value == u"1" ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
        } else if (!value.isEmpty()) {
            bool ok = false;
            double number = value.toDouble(&ok);
            if (!ok) {
                text = value;
            } else {
                const NumberFormat format = style >= 0 && size_t(style) < formats.size()
                                                ? formats[size_t(style)]
                                                : NumberFormat();
                if (date1904 && format.isDateOrTime())
                    number += 1462;
                text = format.format(number);
            }
        }
        builder.set(row, column, text);
    }
    requireWellFormed(xml, sheetMember);
    return builder.build();
}

} // namespace tovren::import
