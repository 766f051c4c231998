#include "BuildFixture.h"
#include "report/engine/BuildRunState.h"
#include "report/model/PictureGraphic.h"
#include "report/model/RecordStream.h"
#include "tests/support/ScriptedDialogs.h"

#include <QBuffer>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace tovren;
using model::TqxBandView;

namespace {

class BuildRunTest : public test::BuildTest
{
protected:
    BuildRunTest()
        : BuildTest(4)
    {}

    /// One A5 landscape page per record, as the certificate prints.
    model::TqxPage &addCertificatePage()
    {
        model::TqxPage &page = *report.Pages().page(report.Pages().Add());
        page.ChangePaper(model::SheetRequest{11, 2100, 1480, -1, true});
        TqxBandView &data = addBand(page, model::btMasterData, 20, 500, QStringLiteral("主项数据1"),
                                    QStringLiteral("qxDBDataSet1"));
        data.Flags |= TqxBandView::kFormNewPageFlag;
        addText(page, 120, 100, QStringLiteral("[Aqy.\"N\"]"), QStringLiteral("StudID"));
        addText(page, 300, 200, QStringLiteral("第[Aqy.\"N\"]号"), QStringLiteral("Number"));
        return page;
    }
};

TEST_F(BuildRunTest, CertificateGivesOnePagePerRecordWithTheTextsInPlace)
{
    addCertificatePage();
    std::vector<int> begun;
    report.OnBeginPage = [&begun](int index) { begun.push_back(index); };

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    ASSERT_EQ(report.EMFPages().Count(), 4);
    EXPECT_EQ(begun, (std::vector<int>{0, 1, 2, 3}));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(pageTexts(i),
                  (QStringList{QString::number(i + 1), QStringLiteral("第%1号").arg(i + 1)}));
        model::TqxPage &out = report.EMFPages().Unpack(i);
        EXPECT_EQ(out.object(0)->Left, 120);
        // The band prints at the top of the printable area, its objects where they sit in it.
        EXPECT_EQ(out.object(0)->Top, 80);
        EXPECT_EQ(out.object(1)->Top, 180);
        EXPECT_EQ(report.EMFPages().Page(i).orientation, 1);
    }

    dataSet->setRangeEnd(engine::reCount);
    dataSet->setRangeEndCount(2);
    ASSERT_TRUE(report.BuildPages());
    EXPECT_EQ(report.EMFPages().Count(), 2) << "the record-count box limits the pages";
}

TEST_F(BuildRunTest, TwoPassReportKnowsItsPageCountAndSinglePassDoesNot)
{
    model::TqxPage &page = addCertificatePage();
    addText(page, 0, 400, QStringLiteral("[PAGE#]/[TOTALPAGES]"), QStringLiteral("Pages"));
    std::vector<int> progress;
    report.OnProgress = [&progress](int n) { progress.push_back(n); };

    ASSERT_TRUE(report.BuildPages());
    EXPECT_EQ(pageTexts(3).value(2), "4/0");

    report.TwoPass = true;
    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    ASSERT_EQ(report.EMFPages().Count(), 4);
    EXPECT_EQ(pageTexts(0).value(2), "1/4");
    EXPECT_EQ(pageTexts(3).value(2), "4/4");
    EXPECT_TRUE(report.TwoPass) << "the option is back as it was";
    EXPECT_FALSE(progress.empty());
}

TEST_F(BuildRunTest, EvaluationErrorComposesOneMessageAndDiscardsThePages)
{
    addCertificatePage();
    model::TqxPage &page = *report.Pages().page(0);
    addText(page, 0, 300, QStringLiteral("[Nowhere]"), QStringLiteral("Broken"));
    QStringList shown;
    struct Recorder : engine::TqxReportMessages
    {
        QStringList *log;
        void showError(const QString &caption, const QString &text) override
        {
            *log << caption + u'|' + text;
        }
    } recorder;
    recorder.log = &shown;
    report.setMessages(&recorder);

    EXPECT_FALSE(report.BuildPages());
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].startsWith(QStringLiteral("错误|计算时发生错误\r\r报表: qxReport1\r")));
    EXPECT_TRUE(shown[0].contains(QStringLiteral("\r[Nowhere]\r对象: Broken\r")));
    EXPECT_TRUE(shown[0].contains(QStringLiteral("符号没定义")));
    EXPECT_EQ(report.EMFPages().Count(), 0);
    EXPECT_TRUE(report.StopRequested);
}

TEST_F(BuildRunTest, DataSourceThatCannotOpenEndsTheBuildWithItsName)
{
    addCertificatePage();
    dataSet->setDataSet(nullptr);
    EXPECT_FALSE(report.BuildPages());
    EXPECT_TRUE(report.lastMessage().startsWith(QStringLiteral("Unable to open dataset ")))
        << report.lastMessage().toStdString();
    EXPECT_TRUE(report.lastMessage().contains(QStringLiteral("qxDBDataSet1")));
    EXPECT_EQ(report.EMFPages().Count(), 0);
}

TEST_F(BuildRunTest, StopReportEndsTheRecordLoopAndKeepsThePagesBuilt)
{
    model::TqxPage &page = addCertificatePage();
    page.object(0)->Script = QStringList{"if [Aqy.\"N\"] = 2 then StopReport"};
    EXPECT_FALSE(report.BuildPages()) << report.lastMessage().toStdString();
    EXPECT_TRUE(report.lastMessage().isEmpty());
    ASSERT_GE(report.EMFPages().Count(), 2);
    QStringList printed;
    for (qsizetype i = 0; i < report.EMFPages().Count(); ++i)
        printed += pageTexts(i);
    EXPECT_EQ(printed, (QStringList{"1", "第1号"})) << "record 2 is never output";
}

TEST_F(BuildRunTest, ScriptThatDoesNotCompileStopsTheBuildWithTheCompilerLine)
{
    model::TqxPage &page = addCertificatePage();
    page.object(0)->Script = QStringList{"if 1 > 0 StopReport"};
    EXPECT_FALSE(report.BuildPages());
    EXPECT_TRUE(report.lastMessage().contains(QStringLiteral("对象: 主项数据1")));
    EXPECT_TRUE(report.lastMessage().contains(QStringLiteral("Line ")));
    EXPECT_EQ(report.EMFPages().Count(), 0);
}

TEST_F(BuildRunTest, OpenDesignerWithoutDesignerCancelsAndGivesAnEmptyReportAPage)
{
    EXPECT_EQ(report.OpenDesigner(), 2);
    EXPECT_EQ(report.Pages().Count(), 1);
    EXPECT_EQ(report.FileName, "Untitled");
    EXPECT_EQ(report.Info.generatorVersion, 88);
}

TEST_F(BuildRunTest, FindObjectSearchesThePagesIgnoringCase)
{
    addCertificatePage();
    EXPECT_EQ(report.FindObject(QStringLiteral("studid")), report.Pages().page(0)->object(1));
    EXPECT_EQ(report.FindObject(QStringLiteral("none")), nullptr);
}

} // namespace

namespace {

class TemplateFileTest : public test::BuildTest
{
};

TEST_F(TemplateFileTest, ScriptChangesDuringTheBuildAreUndoneAfterwards)
{
    model::TqxPage &page = addPage();
    addBand(page, model::btMasterData, 0, 30, QStringLiteral("Data"),
            QStringLiteral("qxDBDataSet1"));
    addText(page, 0, 0, QStringLiteral("old"), QStringLiteral("Target"));
    page.object(0)->Script = QStringList{"Target.Memo := 'new'"};
    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    EXPECT_EQ(pageTexts(0).value(0), "new");
    EXPECT_EQ(report.FindObject(QStringLiteral("Target"))->Memo, QStringList{"old"});
}

TEST_F(TemplateFileTest, SavedTemplateLoadsBackAndUnsupportedVersionKeepsThePages)
{
    model::TqxPage &page = addPage();
    addBand(page, model::btMasterData, 0, 30, QStringLiteral("Data"),
            QStringLiteral("qxDBDataSet1"));
    addText(page, 0, 0, QStringLiteral("[Aqy.\"N\"]"), QStringLiteral("Target"));
    report.TwoPass = true;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.qxf"));
    ASSERT_TRUE(report.SaveTemplate(path));

    engine::TqxReport other(QStringLiteral("other"), &form, registry, &paper);
    EXPECT_FALSE(other.LoadTemplate(dir.filePath(QStringLiteral("missing.qxf"))));
    ASSERT_TRUE(other.LoadTemplate(path));
    EXPECT_EQ(other.FileName, path);
    EXPECT_TRUE(other.TwoPass);
    ASSERT_NE(other.FindObject(QStringLiteral("target")), nullptr);
    other.ShowProgress = false;
    ASSERT_TRUE(other.BuildPages()) << other.lastMessage().toStdString();
    EXPECT_EQ(other.EMFPages().Count(), 1);

    QByteArray future = other.templateBytes();
    future[0] = 26;
    QBuffer buffer(&future);
    buffer.open(QIODevice::ReadOnly);
    EXPECT_EQ(other.ReadTemplate(buffer), model::TemplateReadResult::Unsupported);
    EXPECT_NE(other.FindObject(QStringLiteral("target")), nullptr);

    QBuffer empty;
    empty.open(QIODevice::ReadOnly);
    EXPECT_EQ(other.ReadTemplate(empty), model::TemplateReadResult::Empty);
    EXPECT_NE(other.FindObject(QStringLiteral("target")), nullptr);
}

/// @p bytes, a template the report wrote, with a record of the add-in class @p className on
/// page 1 placed before the end marker.
QByteArray withAddInRecord(const QByteArray &bytes, const model::ReportInfo &info,
                           const QByteArray &className)
{
    QBuffer infoBlock;
    infoBlock.open(QIODevice::WriteOnly);
    model::RecordWriter infoWriter(infoBlock);
    info.write(infoWriter);
    const qsizetype endMarker = bytes.size() - infoBlock.size() - 1;
    EXPECT_EQ(static_cast<quint8>(bytes.at(endMarker)), 252);

    QBuffer record;
    record.open(QIODevice::WriteOnly);
    model::RecordWriter writer(record);
    writer.writeByte(10);
    writer.writeStr(QString::fromLatin1(className));
    writer.writeByte(0);
    const qint64 endPosition = record.pos();
    writer.writeInt(0);
    writer.writeBytes("chart data");
    writer.patchInt(endPosition, static_cast<qint32>(endMarker + record.size()));
    return bytes.left(endMarker) + record.data() + bytes.mid(endMarker);
}

TEST_F(TemplateFileTest, MissingAddInClassesAreNamedAndOutliveTheBuild)
{
    model::TqxPage &page = addPage();
    addBand(page, model::btMasterData, 0, 30, QStringLiteral("Data"),
            QStringLiteral("qxDBDataSet1"));
    addText(page, 0, 0, QStringLiteral("old"), QStringLiteral("Target"));
    // The script changes the template, so the build reads its copy of the template back.
    page.object(1)->Script = QStringList{"Target.Memo := 'new'"};
    const QByteArray clean = report.templateBytes();
    QByteArray withCharts = withAddInRecord(clean, report.Info, "TqxChart");
    withCharts = withAddInRecord(withCharts, report.Info, "TqxChart");
    withCharts = withAddInRecord(withCharts, report.Info, "TqxGauge\x07");

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("charts.qxf"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(withCharts);
    }
    test::ScriptedDialogs dialogs;
    report.setDialogs(&dialogs);
    ASSERT_TRUE(report.LoadTemplate(path));
    EXPECT_EQ(report.missingClasses(), QStringList({"TqxChart", "TqxGauge\x07"}));
    ASSERT_EQ(dialogs.messages.size(), 1);
    const QString message = dialogs.messages.at(0).text;
    EXPECT_EQ(message, model::missingClassesText(report.missingClasses()) +
                           QStringLiteral("\r文件: ") + path);
    EXPECT_TRUE(message.contains(QStringLiteral("未接入的组件"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("TqxGauge\\x07"))) << "no raw control bytes";
    EXPECT_NE(report.FindObject(QStringLiteral("Target")), nullptr) << "the rest is read";

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    EXPECT_EQ(report.missingClasses(), QStringList({"TqxChart", "TqxGauge\x07"}));

    QBuffer buffer;
    buffer.setData(clean);
    buffer.open(QIODevice::ReadOnly);
    EXPECT_EQ(report.ReadTemplate(buffer), model::TemplateReadResult::Loaded);
    EXPECT_TRUE(report.missingClasses().isEmpty());

    // A damaged file is named in the message, and the reader says in Chinese what it met.
    QFile cut(path);
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(clean.left(clean.size() / 2));
    cut.close();
    dialogs.messages.clear();
    ASSERT_TRUE(report.LoadTemplate(path));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages.at(0).text, QStringLiteral("不支持的QXF格式\r文件: ") + path);
    EXPECT_FALSE(report.templateReadFailure().isEmpty());
    EXPECT_FALSE(
        report.templateReadFailure().contains(QRegularExpression(QStringLiteral("[A-Za-z]"))))
        << report.templateReadFailure().toStdString();
    report.setDialogs(nullptr);
}

} // namespace

namespace {

TEST_F(TemplateFileTest, ReportFormDataCarriesTheTemplateOnlyWhenStoredInTheForm)
{
    model::TqxPage &page = addPage();
    addText(page, 0, 0, QStringLiteral("kept"), QStringLiteral("Kept"));
    EXPECT_EQ(report.reportFormData(), QByteArray("\x19\0\0\0", 4));

    report.StoreInDFM = true;
    const QByteArray formData = report.reportFormData();
    engine::TqxReport other(QStringLiteral("other"), &form, registry, &paper);
    other.readReportFormData(formData);
    EXPECT_EQ(other.FindObject(QStringLiteral("Kept")), nullptr) << "StoreInDFM off: ignored";
    other.StoreInDFM = true;
    other.readReportFormData(formData);
    ASSERT_NE(other.FindObject(QStringLiteral("Kept")), nullptr);

    other.readReportFormData(formData.left(6));
    EXPECT_NE(other.FindObject(QStringLiteral("Kept")), nullptr) << "damaged data changes nothing";
    EXPECT_FALSE(other.lastMessage().isEmpty());
}

} // namespace

namespace {

TEST_F(TemplateFileTest, GalleryFileGivesItsDescriptionOrItsTemplate)
{
    model::TqxPage &page = addPage();
    addText(page, 0, 0, QStringLiteral("gallery"), QStringLiteral("FromGallery"));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.qxt"));
    model::PictureGraphic none;
    ASSERT_TRUE(report.SaveTemplateWithDescription(path, {"Line one", "Line two"}, none));

    engine::TqxReport other(QStringLiteral("other"), &form, registry, &paper);
    QStringList description;
    model::PictureGraphic picture;
    ASSERT_TRUE(other.LoadTemplateWithDescription(path, description, picture, false));
    EXPECT_EQ(description, (QStringList{"Line one", "Line two"}));
    EXPECT_TRUE(picture.isEmpty());
    EXPECT_EQ(other.Pages().Count(), 0) << "the template stays as it was";

    ASSERT_TRUE(other.LoadTemplateWithDescription(path, description, picture, true));
    ASSERT_NE(other.FindObject(QStringLiteral("FromGallery")), nullptr);
}

} // namespace
