#include "report/designer/InsertFieldsCommand.h"
#include "report/designer/ObjectClipboard.h"
#include "report/designer/ObjectEditors.h"
#include "report/dialogs/BandTypeChoice.h"
#include "report/dialogs/PictureFileReader.h"
#include "report/engine/DataSourceListing.h"
#include "report/engine/PdfExportFilter.h"
#include "report/model/BandType.h"
#include "report/model/ObjectRegistry.h"
#include "report/model/TqxGlobals.h"
#include "report/model/TqxPictureView.h"
#include "tests/report/designer/DesignerFixture.h"
#include "tests/report/engine/BuildFixture.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

using namespace tovren;

namespace {

class BandAndFieldCommandsTest : public test::BuildTest
{
protected:
    BandAndFieldCommandsTest()
        : BuildTest(2)
    {}

    QList<model::TqxView *> insertFields(qsizetype pageIndex, const QStringList &fields)
    {
        dialogs::InsertFieldsChoice choice;
        choice.dataSet = QStringLiteral("Aqy");
        choice.fields = fields;
        designer::InsertFieldsCommand command(report, pageIndex,
                                              model::TqxGlobals::instance().objects, format, 4);
        return command.run(choice);
    }

    designer::ObjectEditors editors(model::TqxPage &)
    {
        return designer::ObjectEditors(dialogs, report, [this] { ++stepsRecorded; });
    }

    static int bandsOfType(const model::TqxPage &page, int type)
    {
        int count = 0;
        for (qsizetype i = 0; i < page.objectCount(); ++i) {
            const auto *band = dynamic_cast<const model::TqxBandView *>(page.object(i));
            count += band && band->bandType() == type;
        }
        return count;
    }

    /// The report's first prepared page as printed to PDF at 50 dots per inch; a null image
    /// when the PDF cannot be rendered here.
    QImage printFirstPage(const QTemporaryDir &dir)
    {
        const QString pdfPath = dir.filePath(QStringLiteral("out.pdf"));
        engine::PdfExportFilter pdf;
        if (!report.ExportPages(pdf, pdfPath)) {
            ADD_FAILURE() << report.lastMessage().toStdString();
            return {};
        }
        QProcess render;
        render.start(QStringLiteral("pdftoppm"),
                     {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("50"),
                      QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                      QStringLiteral("1"), pdfPath, dir.filePath(QStringLiteral("page"))});
        if (!render.waitForFinished(20000) || render.exitCode() != 0)
            return {};
        return QImage(dir.filePath(QStringLiteral("page-1.png")));
    }
    static QPoint onPaper(QPoint designPixels)
    {
        const double dotsPerDesignPixel = 50.0 / 91.6256157635468;
        return QPoint(int(designPixels.x() * dotsPerDesignPixel),
                      int(designPixels.y() * dotsPerDesignPixel));
    }

    designer::LastUsedFormat format;
    test::ScriptedDesignerDialogs dialogs;
    int stepsRecorded = 0;
};

TEST_F(BandAndFieldCommandsTest,
       InsertedFieldsPrintUnderTheirHeadersAndASecondRunKeepsOnePageHeader)
{
    model::TqxPage &page = addPage();
    const QList<model::TqxView *> created =
        insertFields(0, {QStringLiteral("N"), QStringLiteral("NAME")});
    ASSERT_EQ(created.size(), 6) << "two headers, two fields, a page header and a data band";
    const auto &header = static_cast<model::TqxMemoView &>(*created[0]);
    const auto &field = static_cast<model::TqxMemoView &>(*created[2]);
    EXPECT_EQ(header.Memo, QStringList{QStringLiteral("N")});
    EXPECT_TRUE(header.Font.bold());
    EXPECT_EQ(field.Memo, QStringList{QStringLiteral("[Aqy.\"N\"]")});
    EXPECT_EQ(field.Top - header.Top, designer::InsertFieldsCommand::kRowDistancePixels);
    EXPECT_LT(header.Left + header.Width, created[1]->Left) << "headers side by side";
    const auto &pageHeader = static_cast<model::TqxBandView &>(*created[4]);
    const auto &data = static_cast<model::TqxBandView &>(*created[5]);
    EXPECT_EQ(pageHeader.bandType(), model::btPageHeader);
    EXPECT_EQ(data.bandType(), model::btMasterData);
    EXPECT_EQ(data.CustomFormat, QStringLiteral("qxDBDataSet1")) << "the source over Aqy";
    EXPECT_EQ(data.Top - pageHeader.Top, designer::InsertFieldsCommand::kRowDistancePixels);
    for (const model::TqxView *view : created)
        EXPECT_TRUE(view->Selected) << view->Name.toStdString();

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    const QStringList texts = pageTexts(0);
    EXPECT_TRUE(texts.contains(QStringLiteral("NAME")));
    EXPECT_TRUE(texts.contains(QStringLiteral("1")));
    EXPECT_TRUE(texts.contains(QStringLiteral("2")));

    const QList<model::TqxView *> again = insertFields(0, {QStringLiteral("NAME")});
    EXPECT_EQ(bandsOfType(page, model::btPageHeader), 1) << "a page has one page header";
    EXPECT_EQ(bandsOfType(page, model::btMasterData), 2);
    EXPECT_FALSE(created[0]->Selected) << "only the second run's objects are selected";
    EXPECT_TRUE(insertFields(0, {}).isEmpty());
}

TEST_F(BandAndFieldCommandsTest, InsertedFieldsAreHeadedByTheirAliasesAndPrintThroughThem)
{
    addPage();
    // One field aliased as the dictionary keys it with quotes, one without an alias.
    report.Dictionary().AliasList.setValue(QStringLiteral("Aqy.\"N\""),
                                           script::Variant(QStringLiteral("序号")));
    const QStringList listed = engine::DataSourceListing(report).FieldNames(QStringLiteral("Aqy"));
    ASSERT_EQ(listed, (QStringList{QStringLiteral("序号"), QStringLiteral("NAME")}));

    const QList<model::TqxView *> created = insertFields(0, listed);
    ASSERT_EQ(created.size(), 6);
    EXPECT_EQ(created[0]->Memo, QStringList{QStringLiteral("序号")});
    EXPECT_EQ(created[1]->Memo, QStringList{QStringLiteral("NAME")});
    EXPECT_EQ(created[2]->Memo, QStringList{QStringLiteral("[Aqy.\"序号\"]")});

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    const QStringList texts = pageTexts(0);
    EXPECT_TRUE(texts.contains(QStringLiteral("序号")));
    EXPECT_TRUE(texts.contains(QStringLiteral("2"))) << "the alias resolves to the field";
    EXPECT_FALSE(texts.contains(QStringLiteral("\"N\""))) << texts.join(u'|').toStdString();
}

TEST_F(BandAndFieldCommandsTest, DataBandSourcesShowAliasesAndStoreComponentNames)
{
    model::TqxPage &page = addPage();
    report.Dictionary().SourceAliasList.setValue(QStringLiteral("qxDBDataSet1"),
                                                 script::Variant(QStringLiteral("学生名单")));
    model::TqxBandView &band =
        addBand(page, model::btMasterData, 0, 40, QStringLiteral("Data"), QStringLiteral("5"));

    // A counted source opens on the virtual data set with its count; cancelling keeps it.
    EXPECT_EQ(editors(page).open(band, page), designer::ObjectEditors::Outcome::Cancelled);
    ASSERT_TRUE(dialogs.bandSourceShown);
    EXPECT_EQ(dialogs.bandSourceShown->selected, dialogs::BandSourceChoice::kVirtualRow);
    EXPECT_EQ(dialogs.bandSourceShown->recordCount, QStringLiteral("5"));
    EXPECT_EQ(band.CustomFormat, QStringLiteral("5"));
    EXPECT_EQ(stepsRecorded, 0);

    // A source no longer listed opens on "[无]".
    band.CustomFormat = QStringLiteral("qxGone");
    editors(page).open(band, page);
    EXPECT_EQ(dialogs.bandSourceShown->selected, dialogs::BandSourceChoice::kNoneRow);

    // The alias is shown, and choosing it stores the component's name.
    dialogs.bandSourceAnswer = [](dialogs::BandSourceChoice &choice) {
        choice.selected = int(choice.entries.indexOf(QStringLiteral("学生名单")));
        return choice.selected > 1;
    };
    EXPECT_EQ(editors(page).open(band, page), designer::ObjectEditors::Outcome::Changed);
    EXPECT_EQ(band.CustomFormat, QStringLiteral("qxDBDataSet1"));
    EXPECT_EQ(stepsRecorded, 1);
    editors(page).open(band, page);
    EXPECT_EQ(dialogs.bandSourceShown->entries.value(dialogs.bandSourceShown->selected),
              QStringLiteral("学生名单"));

    // Group conditions and cross bands go to their own editors.
    model::TqxBandView &group = addBand(page, model::btGroupHeader, 60, 20, QStringLiteral("G"));
    dialogs.groupCondition = QStringLiteral("[Aqy.\"NAME\"]");
    EXPECT_EQ(editors(page).open(group, page), designer::ObjectEditors::Outcome::Changed);
    EXPECT_EQ(group.CustomFormat, QStringLiteral("[Aqy.\"NAME\"]"));
    model::TqxBandView &cross = addBand(page, model::btCrossData, 0, 100, QStringLiteral("X"),
                                        QStringLiteral("Data=qxDBDataSet1;"));
    dialogs.crossBandAnswer = [](dialogs::CrossBandSources &) { return true; };
    EXPECT_EQ(editors(page).open(cross, page), designer::ObjectEditors::Outcome::Changed);
    EXPECT_EQ(cross.CustomFormat, QStringLiteral("Data=qxDBDataSet1;G=0;"));
}

TEST_F(BandAndFieldCommandsTest, APictureLoadedInTheEditorIsKeptInTheTemplateAndPrinted)
{
    QTemporaryDir dir;
    const QString pngPath = dir.filePath(QStringLiteral("校徽.png"));
    QImage emblem(40, 40, QImage::Format_RGB32);
    emblem.fill(QColor(200, 0, 0));
    ASSERT_TRUE(emblem.save(pngPath));

    model::TqxPage &page = addPagePerRecord();
    auto &picture = static_cast<model::TqxPictureView &>(
        page.addObject(std::make_unique<model::TqxPictureView>()));
    picture.Name = QStringLiteral("Picture1");
    picture.SetBounds(100, 40, 120, 120);
    dialogs.pictureAnswer = [&](dialogs::PictureEdit &edit) {
        QString problem;
        const std::optional<model::PictureGraphic> loaded =
            dialogs::PictureFileReader::read(pngPath, problem);
        if (!loaded)
            return false;
        edit.picture = *loaded;
        edit.stretched = true;
        return true;
    };
    ASSERT_EQ(editors(page).open(picture, page), designer::ObjectEditors::Outcome::Changed);
    EXPECT_EQ(stepsRecorded, 1);

    const QString templatePath = dir.filePath(QStringLiteral("certificate.qxf"));
    ASSERT_TRUE(report.SaveTemplate(templatePath));
    ASSERT_TRUE(report.LoadTemplate(templatePath));
    const auto *kept = dynamic_cast<model::TqxPictureView *>(
        report.Pages().page(0)->FindObjectByName(QStringLiteral("Picture1")));
    ASSERT_TRUE(kept);
    ASSERT_EQ(kept->Picture.image().size(), QSize(40, 40));
    EXPECT_TRUE(kept->stretched());

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    const QImage printed = printFirstPage(dir);
    if (printed.isNull())
        GTEST_SKIP() << "pdftoppm is not available";
    // The picture covers 120 design pixels from (100, 40): its middle is red on paper.
    const QColor middle = printed.pixelColor(onPaper(QPoint(160, 100)));
    EXPECT_GT(middle.red(), 150);
    EXPECT_LT(middle.green(), 60);
}

TEST_F(BandAndFieldCommandsTest, AStoredMetafileIsKeptByteForByteAndPrintsWhereItStands)
{
    QTemporaryDir dir;
    model::TqxPage &page = addPagePerRecord();
    auto &picture = static_cast<model::TqxPictureView &>(
        page.addObject(std::make_unique<model::TqxPictureView>()));
    picture.Name = QStringLiteral("Picture1");
    picture.SetBounds(100, 40, 120, 120);
    // An enhanced metafile's header record and some drawing records after it.
    QByteArray metafile(88, '\0');
    metafile[0] = 1;
    metafile.replace(40, 4, " EMF");
    metafile.append(QByteArray::fromHex("0c000000100000001a0000002a000000"));
    ASSERT_TRUE(picture.Picture.load(model::PictureGraphic::Kind::Metafile, metafile));
    ASSERT_TRUE(picture.Picture.isKeptUndrawn());

    // Confirming the editor without loading anything keeps the picture.
    dialogs.pictureAnswer = [](dialogs::PictureEdit &) { return true; };
    ASSERT_EQ(editors(page).open(picture, page), designer::ObjectEditors::Outcome::Changed);

    const QString firstPath = dir.filePath(QStringLiteral("first.qxf"));
    const QString secondPath = dir.filePath(QStringLiteral("second.qxf"));
    ASSERT_TRUE(report.SaveTemplate(firstPath));
    ASSERT_TRUE(report.LoadTemplate(firstPath));
    const auto *kept = dynamic_cast<model::TqxPictureView *>(
        report.Pages().page(0)->FindObjectByName(QStringLiteral("Picture1")));
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->Picture.kind(), model::PictureGraphic::Kind::Metafile);
    EXPECT_EQ(kept->Picture.bytes(), metafile);
    ASSERT_TRUE(report.SaveTemplate(secondPath));
    QFile first(firstPath);
    QFile second(secondPath);
    ASSERT_TRUE(first.open(QIODevice::ReadOnly) && second.open(QIODevice::ReadOnly));
    const QByteArray firstBytes = first.readAll();
    const QByteArray secondBytes = second.readAll();
    // Everything up to the picture's end reads back unchanged; only the saving time follows.
    const qsizetype pictureEnd = firstBytes.indexOf(metafile) + metafile.size();
    ASSERT_GE(pictureEnd, metafile.size());
    EXPECT_EQ(secondBytes.left(pictureEnd), firstBytes.left(pictureEnd));

    ASSERT_TRUE(report.BuildPages()) << report.lastMessage().toStdString();
    const QImage printed = printFirstPage(dir);
    if (printed.isNull())
        GTEST_SKIP() << "pdftoppm is not available";
    // The diagonals of the place cross in its middle; beside the frame the paper is blank.
    const auto darkestAround = [&](QPoint designPixels) {
        int darkest = 255;
        const QPoint at = onPaper(designPixels);
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                darkest = qMin(darkest, qGray(printed.pixel(at + QPoint(dx, dy))));
        return darkest;
    };
    EXPECT_LT(darkestAround(QPoint(160, 100)), 200);
    EXPECT_LT(darkestAround(QPoint(160, 40)), 200) << "the frame's top edge";
    EXPECT_GT(darkestAround(QPoint(130, 100)), 240) << "no picture drawn inside";
}

TEST_F(BandAndFieldCommandsTest, PastingABandFollowsTheBandTypeChooser)
{
    model::TqxPage &source = addPage();
    model::TqxPage &target = addPage();
    for (int type = 0; type < dialogs::kChooserBandTypes; ++type) {
        model::TqxBandView &band = addBand(source, type, 0, 20, QStringLiteral("B%1").arg(type));
        for (qsizetype i = 0; i < source.objectCount(); ++i)
            source.object(i)->Selected = source.object(i) == &band;
        designer::ObjectClipboard clipboard;
        clipboard.copySelection(source);
        // The target already holds a band of this type.
        addBand(target, type, 0, 20, QStringLiteral("T%1").arg(type));
        const bool offered = dialogs::enabledBandTypes(target, false).contains(type);
        const auto pasted = designer::ClipboardPaste::paste(clipboard.streams(), report.Pages(),
                                                            target, QPoint(0, 0), 4);
        EXPECT_EQ(!pasted.pasted.empty(), offered) << "band type " << type;
    }
    EXPECT_TRUE(dialogs::enabledBandTypes(target, false).contains(model::btChild));
}

} // namespace
