#pragma once

// Writes small .xlsx workbooks for tests and benchmarks: one sheet of inline strings and
// numbers, optional number formats, members deflated as spreadsheet programs do.
#include <QByteArray>
#include <QFile>
#include <QList>
#include <QMap>
#include <QString>

#include <zlib.h>

#include <cstring>

namespace tovren::test {

class XlsxWriter
{
public:
    void setText(int row, int column, const QString &text) { m_cells[{row, column}] = {QStringLiteral("inlineStr"), text, 0}; }
    void setNumber(int row, int column, double value, int style = 0)
    {
        m_cells[{row, column}] = {QString(), QString::number(value, 'g', 17), style};
    }
    /// Adds a cell format with a custom number format code; returns its style index.
    int addFormat(const QString &code)
    {
        m_formats << code;
        return int(m_formats.size());
    }
    void setDate1904(bool on) { m_date1904 = on; }

    QByteArray build() const
    {
        QByteArray zip;
        QByteArray directory;
        int count = 0;
        const auto add = [&](const QString &name, const QByteArray &data) {
            appendMember(zip, directory, name.toUtf8(), data);
            ++count;
        };
        add(QStringLiteral("[Content_Types].xml"),
            "<?xml version=\"1.0\"?><Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
            "<Override PartName=\"/xl/workbook.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/></Types>");
        add(QStringLiteral("xl/workbook.xml"),
            QByteArray("<?xml version=\"1.0\"?><workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                       "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">")
                + (m_date1904 ? "<workbookPr date1904=\"1\"/>" : "")
                + "<sheets><sheet name=\"名单\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>");
        add(QStringLiteral("xl/_rels/workbook.xml.rels"),
            "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
            "<Relationship Id=\"rId1\" Type=\"worksheet\" Target=\"worksheets/sheet1.xml\"/></Relationships>");
        add(QStringLiteral("xl/styles.xml"), styles());
        add(QStringLiteral("xl/worksheets/sheet1.xml"), sheet());

        QByteArray end;
        appendU32(end, 0x06054b50);
        appendU16(end, 0);
        appendU16(end, 0);
        appendU16(end, quint16(count));
        appendU16(end, quint16(count));
        appendU32(end, quint32(directory.size()));
        appendU32(end, quint32(zip.size()));
        appendU16(end, 0);
        return zip + directory + end;
    }

    bool save(const QString &path) const
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(build()) >= 0;
    }

private:
    struct Cell
    {
        QString type;
        QString value;
        int style;
    };

    static QString columnName(int column)
    {
        QString name;
        for (; column > 0; column = (column - 1) / 26)
            name.prepend(QChar(u'A' + (column - 1) % 26));
        return name;
    }
    static QString escaped(const QString &text) { return text.toHtmlEscaped(); }

    QByteArray styles() const
    {
        QString xml = QStringLiteral("<?xml version=\"1.0\"?><styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><numFmts>");
        for (int i = 0; i < m_formats.size(); ++i)
            xml += QStringLiteral("<numFmt numFmtId=\"%1\" formatCode=\"%2\"/>").arg(164 + i).arg(escaped(m_formats[i]));
        xml += QStringLiteral("</numFmts><cellXfs><xf numFmtId=\"0\"/>");
        for (int i = 0; i < m_formats.size(); ++i)
            xml += QStringLiteral("<xf numFmtId=\"%1\" applyNumberFormat=\"1\"/>").arg(164 + i);
        xml += QStringLiteral("</cellXfs></styleSheet>");
        return xml.toUtf8();
    }

    QByteArray sheet() const
    {
        QString xml = QStringLiteral("<?xml version=\"1.0\"?><worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>");
        int currentRow = 0;
        for (auto it = m_cells.cbegin(); it != m_cells.cend(); ++it) {
            const auto [row, column] = it.key();
            if (row != currentRow) {
                if (currentRow)
                    xml += QStringLiteral("</row>");
                xml += QStringLiteral("<row r=\"%1\">").arg(row);
                currentRow = row;
            }
            const QString ref = columnName(column) + QString::number(row);
            if (it->type == u"inlineStr")
                xml += QStringLiteral("<c r=\"%1\" t=\"inlineStr\"><is><t>%2</t></is></c>").arg(ref, escaped(it->value));
            else
                xml += QStringLiteral("<c r=\"%1\" s=\"%2\"><v>%3</v></c>").arg(ref).arg(it->style).arg(it->value);
        }
        if (currentRow)
            xml += QStringLiteral("</row>");
        xml += QStringLiteral("</sheetData></worksheet>");
        return xml.toUtf8();
    }

    static void appendU16(QByteArray &out, quint16 v) { out.append(char(v & 0xff)).append(char(v >> 8)); }
    static void appendU32(QByteArray &out, quint32 v)
    {
        appendU16(out, quint16(v & 0xffff));
        appendU16(out, quint16(v >> 16));
    }

    static QByteArray deflateRaw(const QByteArray &data)
    {
        z_stream stream;
        std::memset(&stream, 0, sizeof stream);
        deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
        QByteArray out(int(deflateBound(&stream, uLong(data.size()))), '\0');
        stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
        stream.avail_in = uInt(data.size());
        stream.next_out = reinterpret_cast<Bytef *>(out.data());
        stream.avail_out = uInt(out.size());
        deflate(&stream, Z_FINISH);
        out.resize(qsizetype(stream.total_out));
        deflateEnd(&stream);
        return out;
    }

    static void appendMember(QByteArray &zip, QByteArray &directory, const QByteArray &name, const QByteArray &data)
    {
        const QByteArray packed = deflateRaw(data);
        const quint32 crc = quint32(crc32(0L, reinterpret_cast<const Bytef *>(data.constData()), uInt(data.size())));
        const quint32 offset = quint32(zip.size());
        appendU32(zip, 0x04034b50);
        appendU16(zip, 20);
        appendU16(zip, 0x0800);
        appendU16(zip, 8);
        appendU32(zip, 0);
        appendU32(zip, crc);
        appendU32(zip, quint32(packed.size()));
        appendU32(zip, quint32(data.size()));
        appendU16(zip, quint16(name.size()));
        appendU16(zip, 0);
        zip += name + packed;

        appendU32(directory, 0x02014b50);
        appendU16(directory, 20);
        appendU16(directory, 20);
        appendU16(directory, 0x0800);
        appendU16(directory, 8);
        appendU32(directory, 0);
        appendU32(directory, crc);
        appendU32(directory, quint32(packed.size()));
        appendU32(directory, quint32(data.size()));
        appendU16(directory, quint16(name.size()));
        appendU16(directory, 0);
        appendU16(directory, 0);
        appendU16(directory, 0);
        appendU16(directory, 0);
        appendU32(directory, 0);
        appendU32(directory, offset);
        directory += name;
    }

    QMap<std::pair<int, int>, Cell> m_cells;
    QStringList m_formats;
    bool m_date1904 = false;
};

} // namespace tovren::test
