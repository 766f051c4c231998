#include "report/dialogs/CrossBandSources.h"
#include "report/dialogs/PictureFileReader.h"
#include "report/dialogs/TqxInsFieldsForm.h"
#include "report/dialogs/TqxVBandEditorForm.h"
#include "report/engine/TqxDataDictionary.h"
#include "report/engine/TqxReport.h"
#include "report/model/BandType.h"
#include "report/model/TqxBandView.h"
#include "report/model/TqxPage.h"
#include "tests/report/engine/MemoryRecordSet.h"

#include <QComboBox>
#include <QDataStream>
#include <QFile>
#include <QListWidget>
#include <QMimeData>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tovren::dialogs {
namespace {

using namespace model;

void addBand(TqxPage &page, int type, const QString &name)
{
    auto band = std::make_unique<TqxBandView>();
    band->setBandType(type);
    band->Name = name;
    page.addObject(std::move(band));
}

QStringList sourcesOf(const CrossBandSources &sources)
{
    QStringList pairs;
    for (const CrossBandSources::Band &band : sources.bands())
        pairs << band.name + u'=' + band.source;
    return pairs;
}

TEST(CrossBandSourcesTest, EachBandTakesItsOwnWholeEntry)
{
    TqxPage page(nullptr, SheetRequest{});
    for (int type : {btReportTitle, btReportSummary, btPageHeader, btPageFooter, btOverlay,
                     btCrossHeader, btCrossData, btCrossFooter})
        addBand(page, type, QStringLiteral("Only%1").arg(type));
    EXPECT_TRUE(CrossBandSources::fromStored(QStringLiteral("x"), page).isEmpty())
        << "nothing on this page takes a cross band's source";

    addBand(page, btMasterData, QStringLiteral("MasterBand1"));
    addBand(page, btDetailData, QStringLiteral("Band1"));
    // "Band1=" is found inside "MasterBand1=" by a plain text search.
    const CrossBandSources pairs =
        CrossBandSources::fromStored(QStringLiteral("MasterBand1=5;"), page);
    EXPECT_EQ(sourcesOf(pairs), (QStringList{u"MasterBand1=5"_qs, u"Band1=0"_qs}));
    EXPECT_EQ(pairs.bands().first().row, QStringLiteral("MasterBand1: 主项数据"));
    EXPECT_EQ(sourcesOf(CrossBandSources::fromStored(u"band1=Table1;MasterBand1=3;"_qs, page)),
              (QStringList{u"MasterBand1=3"_qs, u"Band1=Table1"_qs}));
    // The older form is one source for every band.
    EXPECT_EQ(sourcesOf(CrossBandSources::fromStored(u"Table1"_qs, page)),
              (QStringList{u"MasterBand1=Table1"_qs, u"Band1=Table1"_qs}));
}

TEST(CrossBandSourcesTest, TheEditorShowsAliasesAndWritesOnePairPerBand)
{
    TqxPage page(nullptr, SheetRequest{});
    addBand(page, btMasterData, QStringLiteral("MasterBand1"));
    addBand(page, btDetailData, QStringLiteral("Band1"));
    addBand(page, btCrossData, QStringLiteral("Cross1"));
    engine::TqxDataDictionary dictionary;
    dictionary.SourceAliasList.setValue(u"Table1"_qs, script::Variant(u"学生"_qs));
    const QStringList reportSources{u"学生"_qs};

    CrossBandSources sources = CrossBandSources::fromStored(u"Band1=Table1;"_qs, page);
    EXPECT_EQ(sources.choiceFor(1, reportSources, dictionary).selected, 2) << "Table1's alias";
    EXPECT_EQ(sources.choiceFor(0, reportSources, dictionary).selected, BandSourceChoice::kNoneRow);

    // OK on the first row: it takes what the box shows, the band without an entry keeps "0"
    // only while its row was never shown.
    TqxVBandEditorForm editor(sources, reportSources, dictionary);
    editor.accept();
    EXPECT_EQ(sources.storedText(), u"MasterBand1=[无];Band1=Table1;"_qs);

    // Choosing a counted source for the second band.
    editor.findChild<QListWidget *>(u"LB1"_qs)->setCurrentRow(1);
    auto *box = editor.findChild<QComboBox *>(u"CB1"_qs);
    EXPECT_EQ(box->currentText(), u"学生"_qs);
    box->setCurrentIndex(BandSourceChoice::kVirtualRow);
    editor.accept();
    EXPECT_EQ(sources.storedText(), u"MasterBand1=[无];Band1=1;"_qs);
}

TEST(PictureFileReaderTest, RefusesWhatIsNoUsablePictureNamingTheFile)
{
    QTemporaryDir dir;
    const auto write = [&](const char *name, const QByteArray &bytes) {
        QFile file(dir.filePath(QString::fromUtf8(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    };
    QString problem;
    EXPECT_FALSE(PictureFileReader::read(write("名单.png", "不是图片"), problem));
    EXPECT_TRUE(problem.contains(u"名单.png"_qs)) << problem.toStdString();

    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(Qt::blue);
    const QString good = dir.filePath(u"good.png"_qs);
    ASSERT_TRUE(image.save(good));
    QFile goodFile(good);
    ASSERT_TRUE(goodFile.open(QIODevice::ReadOnly));
    const QByteArray bytes = goodFile.readAll();
    problem.clear();
    EXPECT_FALSE(PictureFileReader::read(write("cut.png", bytes.left(bytes.size() / 2)), problem));
    EXPECT_TRUE(problem.contains(u"cut.png"_qs)) << problem.toStdString();

    // A bitmap header claiming 10000 x 6000 pixels is refused before anything is decoded.
    QByteArray huge;
    QDataStream out(&huge, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("BM", 2);
    out << quint32(54) << quint32(0) << quint32(54) << quint32(40) << qint32(10000) << qint32(6000)
        << quint16(1) << quint16(24) << quint32(0) << quint32(0) << qint32(0) << qint32(0)
        << quint32(0) << quint32(0);
    problem.clear();
    EXPECT_FALSE(PictureFileReader::read(write("huge.bmp", huge), problem));
    EXPECT_TRUE(problem.contains(u"huge.bmp"_qs)) << problem.toStdString();

    const std::optional<model::PictureGraphic> kept = PictureFileReader::read(good, problem);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->kind(), model::PictureGraphic::Kind::Bitmap) << "a template keeps bitmaps";
    EXPECT_EQ(kept->image().pixelColor(10, 10), QColor(Qt::blue));
}

TEST(FieldListTest, ADraggedFieldCarriesItsReference)
{
    engine::TqxComponentRegistry registry;
    engine::TqxComponent form(u"Form1"_qs);
    new test::MemoryRecordSet(2, u"Table1"_qs, &form);
    new test::MemoryRecordSet(2, u"Aqy"_qs, &form);
    engine::TqxReport report(u"qxReport1"_qs, &form, registry);
    QString lastSource = u"Table1"_qs;
    TqxInsFieldsForm list(report, lastSource, nullptr, nullptr);
    ASSERT_EQ(list.dataSets().count(), 2);
    EXPECT_EQ(list.dataSets().currentItem()->text(), u"Table1"_qs) << "the last source again";
    ASSERT_EQ(list.fields().count(), 2);
    list.fields().setCurrentRow(1);
    const QModelIndex name = list.fields().model()->index(1, 0);
    std::unique_ptr<QMimeData> dragged(list.fields().model()->mimeData({name}));
    ASSERT_TRUE(dragged);
    EXPECT_EQ(dragged->text(), u"Table1.\"NAME\""_qs);

    list.dataSets().setCurrentRow(0);
    EXPECT_TRUE(list.CurrentFieldRef().isEmpty()) << "no field of Aqy is selected";
    EXPECT_EQ(lastSource, u"Aqy"_qs);
}

} // namespace
} // namespace tovren::dialogs
