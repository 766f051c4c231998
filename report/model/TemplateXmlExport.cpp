#include "report/model/TemplateXmlExport.h"

#include "report/model/BandType.h"
#include "report/model/ReportInfo.h"
#include "report/model/StyleConstants.h"
#include "report/model/TqxBandView.h"
#include "report/model/TqxLineView.h"
#include "report/model/TqxPages.h"
#include "report/model/TqxPictureView.h"
#include "report/model/TqxSubReportView.h"
#include "report/platform/TextCodec.h"

#include <QIODevice>
#include <QLocale>
#include <QtEndian>
#include <cmath>

namespace tovren::model {

namespace {

const QString kLineEnd = QStringLiteral("\r\n");
const QString kTrue = QStringLiteral("True");
const QString kFalse = QStringLiteral("False");
constexpr double kPixelsPerMm = 3.77953;
constexpr double kPaperScale = 1.0477419354838709677;

// Component-streaming value markers.
constexpr char kListBegin = 1;
constexpr char kShortString = 6;
constexpr char kLongString = 12;
constexpr char kCollection = 14;
constexpr char kListEnd = 0;

QString number(qint64 value)
{
    return QString::number(value);
}

QString colorText(ColorRef color)
{
    return number(static_cast<qint32>(color));
}

qint64 millimetres(double designPixels)
{
    return std::llround(designPixels / kPixelsPerMm * kPaperScale);
}

/// One element per line: name, attributes as name="value", and the line end the caller gives.
class XmlLines
{
public:
    explicit XmlLines(QIODevice &device)
        : m_device(device)
    {}

    void line(const QString &text) { m_device.write(platform::encode8Bit(text + kLineEnd)); }

    void element(const QString &name, const XmlAttributes &attributes, const QString &end)
    {
        QString text = u'<' + name;
        for (const auto &[attribute, value] : attributes)
            text += u' ' + attribute + QStringLiteral("=\"") + escapeXmlText(value) + u'"';
        line(text + end);
    }

private:
    QIODevice &m_device;
};

QString joinedLines(const QStringList &lines)
{
    return lines.join(kLineEnd);
}

quint16 exportedFrameBits(quint16 frameTyp)
{
    quint16 bits = 0;
    if (frameTyp & qxftLeft)
        bits |= 1;
    if (frameTyp & qxftRight)
        bits |= 2;
    if (frameTyp & qxftTop)
        bits |= 4;
    if (frameTyp & qxftBottom)
        bits |= 8;
    return bits;
}

quint16 exportedRestrictions(quint16 restrictions)
{
    quint16 bits = 0;
    if (restrictions & 0x0F)
        bits |= 1;
    if (restrictions & 16)
        bits |= 2;
    if (restrictions & 32)
        bits |= 4;
    if (restrictions & 64)
        bits |= 8;
    return bits;
}

quint8 exportedBandAlign(quint8 align)
{
    if (align == 6)
        return 0;
    if (align == 7)
        return 4;
    return align;
}

void addViewAttributes(const TqxView &view, DesignPixels shiftLeft, XmlAttributes &attributes)
{
    attributes.append({QStringLiteral("Name"), view.Name});
    // In 64 bits: a damaged template may hold any position and any page edge.
    attributes.append({QStringLiteral("Left"), number(qint64(view.Left) - shiftLeft)});
    attributes.append({QStringLiteral("Top"), number(view.Top)});
    attributes.append({QStringLiteral("Width"), number(view.Width)});
    attributes.append({QStringLiteral("Height"), number(view.Height)});
    attributes.append({QStringLiteral("Color"), colorText(view.FillColor)});
    if (!view.Visible)
        attributes.append({QStringLiteral("Visible"), kFalse});
    attributes.append({QStringLiteral("Frame.Typ"), number(exportedFrameBits(view.FrameTyp))});
    attributes.append({QStringLiteral("Frame.Width"), QString::number(view.FrameWidth)});
    attributes.append({QStringLiteral("Frame.Color"), colorText(view.FrameColor)});
    attributes.append({QStringLiteral("Frame.Style"), number(view.FrameStyle)});
    attributes.append({QStringLiteral("GapX"), number(view.GapX)});
    attributes.append({QStringLiteral("GapY"), number(view.GapY)});
    attributes.append({QStringLiteral("TagStr"), view.Tag});
    attributes.append({QStringLiteral("Memo.text"), joinedLines(view.Memo)});
    attributes.append({QStringLiteral("Align"), number(exportedBandAlign(view.BandAlign))});
    if (!view.Script.isEmpty()) {
        const QString handler = view.Name + QStringLiteral("OnBeforePrint");
        attributes.append({QStringLiteral("OnBeforePrint"), handler});
        attributes.append({QStringLiteral("OnClick"), handler});
        attributes.append({QStringLiteral("OnActivate"), handler});
    }
    attributes.append(
        {QStringLiteral("Restrictions"), number(exportedRestrictions(view.Restrictions))});
}

void addPictureAttributes(const TqxPictureView &picture, XmlAttributes &attributes)
{
    if (picture.Picture.kind() != PictureGraphic::Kind::None)
        attributes.append({QStringLiteral("Picture.Propdata"),
                           QString::fromLatin1(picture.Picture.bytes().toHex().toUpper())});
    if (!picture.stretched())
        attributes.append({QStringLiteral("Stretched"), kFalse});
    if (picture.Flags & TqxPictureView::kCenterFlag)
        attributes.append({QStringLiteral("Center"), kTrue});
    if (!(picture.Flags & TqxPictureView::kKeepAspectFlag))
        attributes.append({QStringLiteral("KeepAspectRatio"), kFalse});
}

XmlAttributes bandAttributes(const TqxBandView &band)
{
    XmlAttributes attributes;
    const auto flagAttribute = [&](const char *name, bool condition, const QString &value) {
        if (condition)
            attributes.append({QString::fromLatin1(name), value});
    };
    const quint16 flags = band.Flags;
    attributes.append({QStringLiteral("Name"), band.Name});
    attributes.append({QStringLiteral("Left"), number(band.Left)});
    attributes.append({QStringLiteral("Top"), number(band.Top)});
    attributes.append({QStringLiteral("Width"), number(band.Width)});
    attributes.append({QStringLiteral("Height"), number(band.Height)});
    attributes.append({QStringLiteral("Columns"), number(band.Columns)});
    attributes.append({QStringLiteral("ColumnWidth"), number(band.ColumnWidth)});
    attributes.append({QStringLiteral("ColumnGap"), number(band.ColumnGap)});
    flagAttribute("Visible", !band.Visible, kFalse);
    flagAttribute("Stretched", band.stretched(), kTrue);
    flagAttribute("StartNewPage", flags & TqxBandView::kFormNewPageFlag, kTrue);
    flagAttribute("PrintIfDetailEmpty", flags & TqxBandView::kPrintIfSubsetEmptyFlag, kTrue);
    flagAttribute("AllowSplit", flags & TqxBandView::kBreakedFlag, kTrue);
    flagAttribute("PrintOnFirstPage", !(flags & TqxBandView::kOnFirstPageFlag), kFalse);
    flagAttribute("PrintOnLastPage", !(flags & TqxBandView::kOnLastPageFlag), kFalse);
    flagAttribute("ReprintOnNewPage", flags & TqxBandView::kRepeatHeaderFlag, kTrue);
    flagAttribute("PrintChildIfInvisible", flags & TqxBandView::kPrintChildIfInvisibleFlag, kTrue);
    flagAttribute("OnBeforePrint", !band.Script.isEmpty(),
                  band.Name + QStringLiteral("OnBeforePrint"));
    // Data bands keep their data source name, and group headers their condition, in the
    // format text that other objects use for their display format.
    const int type = band.bandType();
    flagAttribute("DataSet", type == 5 || type == 8 || type == 11, band.CustomFormat);
    flagAttribute("Condition", type == 16, band.CustomFormat);
    return attributes;
}

void writeObject(XmlLines &xml, TqxView &view, DesignPixels shiftLeft)
{
    if (const auto *band = dynamic_cast<const TqxBandView *>(&view)) {
        const QString element = xmlBandElementName(band->bandType());
        if (!element.isEmpty())
            xml.element(element, bandAttributes(*band), QStringLiteral("/>"));
        return;
    }
    XmlAttributes attributes;
    addViewAttributes(view, shiftLeft, attributes);
    if (const auto *picture = dynamic_cast<const TqxPictureView *>(&view)) {
        addPictureAttributes(*picture, attributes);
    } else if (const auto *line = dynamic_cast<const TqxLineView *>(&view)) {
        if (!line->stretched())
            attributes.append({QStringLiteral("Stretched"), kFalse});
    } else if (const auto *sub = dynamic_cast<const TqxSubReportView *>(&view)) {
        attributes.append(
            {QStringLiteral("Page"), QStringLiteral("Page") + number(sub->SubReportPage + 1)});
    } else {
        view.AddXmlAttributes(attributes);
    }
    xml.element(view.className(), attributes, QStringLiteral("/>"));
}

QString exportedPageName(qsizetype index)
{
    return QStringLiteral("Page") + number(index + 1);
}

XmlAttributes reportPageAttributes(const TqxPage &page, const QString &name)
{
    const double width = page.PageInfo.PaperWidthPx != 0
                             ? page.PageInfo.PaperWidthPx
                             : designPixelsFromTenthsMm(page.PaperWidth);
    const double height = page.PageInfo.PaperHeightPx != 0
                              ? page.PageInfo.PaperHeightPx
                              : designPixelsFromTenthsMm(page.PaperHeight);
    XmlAttributes attributes;
    attributes.append({QStringLiteral("Name"), name});
    attributes.append({QStringLiteral("Orientation"), page.Orientation == 1
                                                          ? QStringLiteral("poLandscape")
                                                          : QStringLiteral("poPortrait")});
    attributes.append({QStringLiteral("PaperWidth"), number(millimetres(width))});
    attributes.append({QStringLiteral("PaperHeight"), number(millimetres(height))});
    attributes.append({QStringLiteral("PaperSize"), number(page.PaperSize)});
    attributes.append({QStringLiteral("LeftMargin"), number(millimetres(page.LeftEdge()))});
    attributes.append(
        {QStringLiteral("RightMargin"), number(millimetres(width - page.RightEdge()))});
    attributes.append({QStringLiteral("TopMargin"), number(millimetres(page.TopEdge()))});
    attributes.append(
        {QStringLiteral("BottomMargin"), number(millimetres(height - page.BottomEdge()))});
    attributes.append({QStringLiteral("Columns"), number(page.ColCount)});
    attributes.append({QStringLiteral("ColumnWidth"), number(page.ColWidth)});
    if (page.PrintToPrevPage)
        attributes.append({QStringLiteral("PrintOnPreviousPage"), kTrue});
    if (!page.Script.isEmpty())
        attributes.append(
            {QStringLiteral("OnBeforePrint"), name + QStringLiteral("OnBeforePrint")});
    return attributes;
}

XmlAttributes dialogPageAttributes(const TqxPage &page, const QString &name)
{
    XmlAttributes attributes;
    attributes.append({QStringLiteral("Name"), name});
    attributes.append({QStringLiteral("Height"), number(page.Height)});
    attributes.append({QStringLiteral("Left"), number(page.Left)});
    attributes.append({QStringLiteral("Top"), number(page.Top)});
    attributes.append({QStringLiteral("Width"), number(page.Width)});
    attributes.append({QStringLiteral("BorderStyle"), number(page.BorderStyle)});
    attributes.append({QStringLiteral("Caption"), page.Caption});
    attributes.append({QStringLiteral("Color"), colorText(page.Color)});
    attributes.append({QStringLiteral("Position"), number(page.Position)});
    if (!page.Script.isEmpty())
        attributes.append({QStringLiteral("OnActivate"), name + QStringLiteral("OnBeforePrint")});
    return attributes;
}

QString scriptText(const TqxPages &pages)
{
    QStringList lines;
    for (qsizetype p = 0; p < pages.Count(); ++p) {
        const TqxPage &page = *pages.page(p);
        lines << scriptProcedure(exportedPageName(p), page.Script);
        for (qsizetype i = 0; i < page.objectCount(); ++i)
            lines << scriptProcedure(page.object(i)->Name, page.object(i)->Script);
    }
    lines << QStringLiteral("begin") << QString() << QStringLiteral("end.");
    return joinedLines(lines);
}

void appendStreamedName(QByteArray &blob, const QByteArray &name)
{
    blob.append(static_cast<char>(name.size()));
    blob.append(name);
}

void appendStreamedString(QByteArray &blob, const QString &text)
{
    const QByteArray bytes = platform::encode8Bit(text);
    if (bytes.size() <= 255) {
        blob.append(kShortString);
        blob.append(static_cast<char>(bytes.size()));
    } else {
        blob.append(kLongString);
        const qint32 le = qToLittleEndian(static_cast<qint32>(bytes.size()));
        blob.append(reinterpret_cast<const char *>(&le), sizeof le);
    }
    blob.append(bytes);
}

QString shiftedPassword(const QString &password)
{
    QString shifted;
    for (const QChar c : password)
        shifted += QChar(static_cast<char16_t>(c.unicode() - 10));
    return shifted;
}

QString dateTimeText(double stored)
{
    return QLocale().toString(fromStoredDateTime(stored), QLocale::ShortFormat);
}

} // namespace

QString escapeXmlText(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'\n' || c == u'\r' || c == u'"' || c == u'<' || c == u'>')
            escaped += QStringLiteral("&#") + number(c.unicode()) + u';';
        else
            escaped += c;
    }
    return escaped;
}

QByteArray dictionaryPropdata(const TemplateBlockHandler::NamedValues &variables)
{
    QByteArray blob;
    appendStreamedName(blob, "Datasets");
    blob.append(kCollection);
    blob.append(kListEnd);
    appendStreamedName(blob, "Variables");
    blob.append(kCollection);
    for (const auto &[name, value] : variables) {
        blob.append(kListBegin);
        appendStreamedName(blob, "Name");
        appendStreamedString(blob, name);
        appendStreamedName(blob, "Value");
        appendStreamedString(blob, value);
        blob.append(kListEnd);
    }
    blob.append(kListEnd);
    return blob;
}

QStringList scriptProcedure(const QString &name, const QStringList &script)
{
    if (script.isEmpty())
        return {};
    QStringList lines{QStringLiteral("procedure ") + name +
                          QStringLiteral("OnBeforePrint(Sender: TqxComponent);"),
                      QStringLiteral("begin"),
                      QStringLiteral("  with ") + name + QStringLiteral(", Engine do"),
                      QStringLiteral("  begin")};
    const QStringList inner = script.mid(1, script.size() - 2);
    if (script.first() != u"begin") {
        lines << script.first() << inner;
        if (script.size() > 1)
            lines << script.last();
        lines << QStringLiteral("  end") << QStringLiteral("end;");
    } else {
        lines << inner << QStringLiteral("  end") << script.last() + u';';
    }
    lines << QString();
    return lines;
}

void writeTemplateXml(QIODevice &device, const TqxPages &pages, const ReportInfo &info,
                      const TemplateBlockHandler::NamedValues &variables)
{
    XmlLines xml(device);
    xml.line(QStringLiteral("<?xml version=\"1.0\"?>"));
    const XmlAttributes report{
        {QStringLiteral("ScriptLanguage"), QStringLiteral("Pascal")},
        {QStringLiteral("ScriptText.text"), scriptText(pages)},
        {QStringLiteral("Propdata"),
         QString::fromLatin1(dictionaryPropdata(variables).toHex().toUpper())},
        {QStringLiteral("ReportOptions.Name"), info.name},
        {QStringLiteral("ReportOptions.Author"), info.author},
        {QStringLiteral("ReportOptions.Description.text"), info.comment},
        {QStringLiteral("ReportOptions.CreateDate"), dateTimeText(info.createdAt)},
        {QStringLiteral("ReportOptions.LastChange"), dateTimeText(info.changedAt)},
        {QStringLiteral("ReportOptions.VersionMajor"), info.versionMajor},
        {QStringLiteral("ReportOptions.VersionMinor"), info.versionMinor},
        {QStringLiteral("ReportOptions.VersionRelease"), info.versionRelease},
        {QStringLiteral("ReportOptions.VersionBuild"), info.versionBuild},
        {QStringLiteral("ReportOptions.Password"), shiftedPassword(info.password)},
    };
    xml.element(QStringLiteral("TqxReport"), report, QStringLiteral(">"));

    for (qsizetype p = 0; p < pages.Count(); ++p) {
        TqxPage &page = *pages.page(p);
        const QString name = exportedPageName(p);
        const bool dialog = page.PageType == TqxPage::ptDialog;
        const QString element =
            dialog ? QStringLiteral("TqxDialogPage") : QStringLiteral("TqxReportPage");
        const bool hasObjects = page.objectCount() > 0;
        xml.element(element,
                    dialog ? dialogPageAttributes(page, name) : reportPageAttributes(page, name),
                    hasObjects ? QStringLiteral(">") : QStringLiteral("/>"));
        const DesignPixels shiftLeft = dialog ? 0 : page.LeftEdge();
        for (qsizetype i = 0; i < page.objectCount(); ++i)
            writeObject(xml, *page.object(i), shiftLeft);
        if (hasObjects)
            xml.line(QStringLiteral("</") + element + u'>');
    }
    xml.line(QStringLiteral("</TqxReport>"));
}

} // namespace tovren::model
