#include "report/model/TemplateXmlExport.h"

#include "report/model/ReportInfo.h"
#include "report/model/TqxBandView.h"
#include "report/model/TqxLineView.h"
#include "report/model/TqxPages.h"
#include "report/model/TqxSubReportView.h"
#include "report/platform/TextCodec.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace tovren::model {
namespace {

QStringList exportLines(const TqxPages &pages, const ReportInfo &info,
                        const TemplateBlockHandler::NamedValues &variables = {})
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    writeTemplateXml(buffer, pages, info, variables);
    QString text = platform::decode8Bit(buffer.data());
    EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n")));
    text.chop(2);
    return text.split(QStringLiteral("\r\n"));
}

TEST(TemplateXmlText, EscapesOnlyLineBreaksQuotesAndAngleBrackets)
{
    EXPECT_EQ(escapeXmlText(QStringLiteral("a\"<b>\r\n&'中")),
              QStringLiteral("a&#34;&#60;b&#62;&#13;&#10;&'中"));
}

TEST(TemplateXmlText, ScriptProceduresWrapBothScriptForms)
{
    EXPECT_TRUE(scriptProcedure(QStringLiteral("M"), {}).isEmpty());
    EXPECT_EQ(scriptProcedure(QStringLiteral("M"), {"x := 1;", "y := 2;", "z := 3;"}),
              QStringList({"procedure MOnBeforePrint(Sender: TqxComponent);", "begin",
                           "  with M, Engine do", "  begin", "x := 1;", "y := 2;", "z := 3;",
                           "  end", "end;", ""}));
    EXPECT_EQ(scriptProcedure(QStringLiteral("M"), {"begin", "x := 1;", "end"}),
              QStringList({"procedure MOnBeforePrint(Sender: TqxComponent);", "begin",
                           "  with M, Engine do", "  begin", "x := 1;", "  end", "end;", ""}));
    EXPECT_EQ(scriptProcedure(QStringLiteral("M"), {"x := 1;"}).mid(4),
              QStringList({"x := 1;", "  end", "end;", ""}));
}

TEST(TemplateXmlText, DictionaryBlobUsesComponentStreaming)
{
    const QByteArray blob = dictionaryPropdata({{QStringLiteral("A"), QStringLiteral("1")}});
    EXPECT_EQ(blob, QByteArray("\x08"
                               "Datasets\x0E\x00\x09"
                               "Variables\x0E\x01\x04"
                               "Name\x06\x01"
                               "A\x05"
                               "Value\x06\x01"
                               "1\x00\x00",
                               42));
    const QByteArray longValue = dictionaryPropdata({{QStringLiteral("B"), QString(300, u'x')}});
    EXPECT_TRUE(longValue.contains(QByteArray::fromHex("0C2C010000")));
}

TEST(TemplateXmlExport, WritesPagesAndObjectsLeavingOutUnnamedBands)
{
    TqxPages pages;
    TqxPage &report = *pages.page(pages.Add());
    report.Margins = {20, 10, 0, 0};
    report.Script = {QStringLiteral("a := 1;")};
    auto overlay = std::make_unique<TqxBandView>();
    overlay->setBandType(13);
    overlay->Name = QStringLiteral("Overlay1");
    report.addObject(std::move(overlay));
    auto master = std::make_unique<TqxBandView>();
    master->setBandType(5);
    master->Name = QStringLiteral("Master1");
    master->CustomFormat = QStringLiteral("qxDBDataSet1");
    report.addObject(std::move(master));
    auto line = std::make_unique<TqxLineView>();
    line->Name = QStringLiteral("Line1");
    line->SetBounds(50, 60, 70, 0);
    line->FrameTyp = qxftLeft | qxftTop;
    line->Memo = {QStringLiteral("a"), QStringLiteral("b")};
    line->setStretched(false);
    report.addObject(std::move(line));
    auto sub = std::make_unique<TqxSubReportView>();
    sub->Name = QStringLiteral("Sub1");
    sub->SubReportPage = 1;
    report.addObject(std::move(sub));
    TqxPage &dialog = *pages.page(pages.Add());
    dialog.PageType = TqxPage::ptDialog;
    pages.Add();

    ReportInfo info;
    info.name = QStringLiteral("证书");
    info.password = QStringLiteral("k");
    const QStringList lines = exportLines(pages, info);

    ASSERT_EQ(lines.size(), 10) << lines.join(u'\n').toStdString();
    EXPECT_EQ(lines[0], QStringLiteral("<?xml version=\"1.0\"?>"));
    EXPECT_TRUE(lines[1].startsWith(
        QStringLiteral("<TqxReport ScriptLanguage=\"Pascal\" ScriptText.text=\"procedure "
                       "Page1OnBeforePrint(Sender: TqxComponent);&#13;&#10;begin")));
    EXPECT_TRUE(lines[1].contains(QStringLiteral(" ReportOptions.Name=\"证书\" ")));
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral(" ReportOptions.Password=\"a\">")));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("<TqxReportPage Name=\"Page1\" ")));
    EXPECT_TRUE(lines[2].endsWith(QStringLiteral(" OnBeforePrint=\"Page1OnBeforePrint\">")));
    EXPECT_TRUE(lines[3].contains(QStringLiteral(" DataSet=\"qxDBDataSet1\"")));
    EXPECT_FALSE(lines.join(u'\n').contains(QStringLiteral("Overlay1")));
    EXPECT_TRUE(lines[4].startsWith(QStringLiteral(
        "<TqxLineView Name=\"Line1\" Left=\"30\" Top=\"60\" Width=\"70\" Height=\"0\" ")));
    EXPECT_TRUE(lines[4].contains(QStringLiteral(" Frame.Typ=\"5\" ")));
    EXPECT_TRUE(lines[4].contains(QStringLiteral(" Memo.text=\"a&#13;&#10;b\" ")));
    EXPECT_TRUE(lines[4].endsWith(QStringLiteral(" Stretched=\"False\"/>")));
    EXPECT_TRUE(lines[5].endsWith(QStringLiteral(" Page=\"Page2\"/>")));
    EXPECT_EQ(lines[6], QStringLiteral("</TqxReportPage>"));
    EXPECT_TRUE(
        lines[7].startsWith(QStringLiteral("<TqxDialogPage Name=\"Page2\" Height=\"300\"")));
    EXPECT_TRUE(lines[7].endsWith(QStringLiteral("/>")));
    EXPECT_TRUE(lines[8].startsWith(QStringLiteral("<TqxReportPage Name=\"Page3\" ")));
    EXPECT_EQ(lines[9], QStringLiteral("</TqxReport>"));
}

} // namespace
} // namespace tovren::model
