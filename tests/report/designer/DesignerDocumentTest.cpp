#include "report/designer/DesignerDocument.h"

#include "report/designer/PageListCommands.h"
#include "report/designer/RecoveryCopy.h"
#include "report/model/TqxSubReportView.h"
#include "tests/report/designer/DesignerFixture.h"

#include <QFile>

namespace tovren::test {
namespace {

using designer::DesignerDocument;

class DesignerDocumentTest : public DesignerTest
{
protected:
    DesignerDocument document{report, true};

    model::TqxView &nameField() { return *report.Pages().page(0)->FindObjectByName("Memo3"); }
    void writeFile(const QString &fileName, const QByteArray &bytes)
    {
        QFile file(fileName);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray readFile(const QString &fileName)
    {
        QFile file(fileName);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(DesignerDocumentTest, ATemplateSavedAndOpenedAgainIsTheSameTemplate)
{
    const QByteArray designed = report.templateSnapshot();
    document.markModified(true);
    ASSERT_TRUE(document.saveAs(DesignerDocument::SaveKind::Template, path("证书")));
    EXPECT_EQ(document.documentName(), path("证书.qxf")) << "the extension is the kind's";
    EXPECT_FALSE(document.isModified());

    nameField().Left += 18;
    ASSERT_NE(report.templateSnapshot(), designed);
    ASSERT_TRUE(document.openTemplate(path("证书.qxf")));
    EXPECT_EQ(report.templateSnapshot(), designed);
    EXPECT_TRUE(report.DesignChanged);
}

TEST_F(DesignerDocumentTest, ADocumentSavedAsXmlIsSavedAsXmlAgain)
{
    ASSERT_TRUE(document.saveAs(DesignerDocument::SaveKind::Xml, path("证书.qxf")));
    ASSERT_EQ(document.documentName(), path("证书.qx3"));
    nameField().Left += 18;
    document.markModified(true);
    ASSERT_TRUE(document.save());
    const QByteArray written = readFile(path("证书.qx3"));
    EXPECT_TRUE(written.startsWith("<")) << "no binary template under an XML name";
    EXPECT_TRUE(written.contains(QStringLiteral("Left=\"%1\"").arg(nameField().Left).toUtf8()));
}

TEST_F(DesignerDocumentTest, CopiesForTheGalleryAndTheDictionaryLeaveTheReportUnsaved)
{
    document.markModified(true);
    ASSERT_TRUE(document.saveAs(DesignerDocument::SaveKind::Dictionary, path("字典")));
    EXPECT_TRUE(QFile::exists(path("字典.qxd")));
    model::PictureGraphic noPicture;
    ASSERT_TRUE(document.saveAsGallery(path("模板.qxt"), {QStringLiteral("毕业证书")}, noPicture));
    EXPECT_TRUE(QFile::exists(path("模板.qxt")));
    EXPECT_TRUE(document.isModified());
    EXPECT_TRUE(document.isUntitled());
}

TEST_F(DesignerDocumentTest, AFileThatCannotBeReadLeavesTheReportAsItWas)
{
    ASSERT_TRUE(document.saveAs(DesignerDocument::SaveKind::Template, path("good.qxf")));
    const QByteArray before = report.templateSnapshot();
    const QString nameBefore = document.documentName();
    const QByteArray good = readFile(path("good.qxf"));
    writeFile(path("truncated.qxf"), good.left(good.size() / 2));
    writeFile(path("bad.qxd"), QByteArray("\x19\xfe\x01garbage", 11));
    writeFile(path("bad.qxt"), QByteArray(7, '\xff'));

    EXPECT_FALSE(document.openTemplate(path("truncated.qxf")));
    EXPECT_FALSE(document.openTemplate(path("missing.qxf")));
    EXPECT_FALSE(document.openDictionary(path("bad.qxd")));
    EXPECT_FALSE(document.takeGalleryTemplate(path("bad.qxt")));
    EXPECT_EQ(report.templateSnapshot(), before);
    EXPECT_EQ(document.documentName(), nameBefore);
    EXPECT_FALSE(report.lastMessage().isEmpty()) << "the person is told why";
}

TEST_F(DesignerDocumentTest, AFailedSaveKeepsTheChangesMarked)
{
    document.setDocumentName(path("no-such-folder/证书.qxf"));
    document.markModified(true);
    EXPECT_FALSE(document.save());
    EXPECT_TRUE(document.isModified());
    EXPECT_FALSE(report.lastMessage().isEmpty());
}

TEST_F(DesignerDocumentTest, AGalleryTemplateReplacesThePagesButNotTheReportInformation)
{
    report.Info.name = QStringLiteral("毕业证书");
    report.Info.author = QStringLiteral("教务处");
    model::PictureGraphic noPicture;
    ASSERT_TRUE(document.saveAsGallery(path("一页.qxt"), {}, noPicture));
    document.newBlank();
    report.Info.name = QStringLiteral("新报表");
    ASSERT_EQ(report.Pages().page(0)->objectCount(), 0);
    document.setDocumentName(path("x.qxf"));

    ASSERT_TRUE(document.takeGalleryTemplate(path("一页.qxt")));
    EXPECT_NE(report.Pages().page(0)->FindObjectByName("Memo3"), nullptr);
    EXPECT_EQ(report.Info.name, QStringLiteral("新报表"));
    EXPECT_EQ(report.Info.author, QStringLiteral("教务处"));
    EXPECT_TRUE(document.isUntitled());
}

/// Sub-report objects on page 0 printing pages 1, 2 and 3.
class PageListTest : public DesignerDocumentTest
{
protected:
    PageListTest()
    {
        for (int i = 1; i <= 3; ++i) {
            commands.addPage();
            auto sub = std::make_unique<model::TqxSubReportView>();
            sub->Name = QStringLiteral("Sub%1").arg(i);
            sub->SubReportPage = i;
            report.Pages().page(0)->addObject(std::move(sub));
        }
    }
    int targetOf(const char *name)
    {
        auto *sub = static_cast<model::TqxSubReportView *>(report.FindObject(name));
        return sub ? sub->SubReportPage : -1;
    }
    designer::PageListCommands commands{report.Pages()};
};

TEST_F(PageListTest, SubReportsKeepTheirPagesWhenPagesAreDeletedOrMoved)
{
    EXPECT_EQ(commands.tabCaptions(),
              (QStringList{QStringLiteral("页1"), QStringLiteral("Sub1"), QStringLiteral("Sub2"),
                           QStringLiteral("Sub3")}));
    const model::TqxPage *third = report.Pages().page(3);
    ASSERT_TRUE(commands.movePage(3, 1));
    EXPECT_EQ(report.Pages().page(1), third);
    EXPECT_EQ(targetOf("Sub3"), 1);
    EXPECT_EQ(targetOf("Sub1"), 2);
    EXPECT_EQ(targetOf("Sub2"), 3);

    ASSERT_TRUE(commands.deletePage(2));
    EXPECT_EQ(report.FindObject("Sub1"), nullptr) << "its page is gone";
    EXPECT_EQ(targetOf("Sub3"), 1);
    EXPECT_EQ(targetOf("Sub2"), 2);
    EXPECT_EQ(report.Pages().Count(), 3);
}

TEST_F(PageListTest, NewPagesTakeTheFirstFreeNameAndTheLastPageStays)
{
    report.Pages().page(1)->Name = QStringLiteral("Page2");
    const qsizetype added = commands.addDialogPage();
    EXPECT_EQ(report.Pages().page(added)->PageType, model::TqxPage::ptDialog);
    EXPECT_FALSE(report.Pages().page(added)->Name.isEmpty());
    for (qsizetype i = 0; i < added; ++i)
        EXPECT_NE(report.Pages().page(i)->Name, report.Pages().page(added)->Name);
    while (report.Pages().Count() > 1)
        ASSERT_TRUE(commands.deletePage(0));
    EXPECT_FALSE(commands.deletePage(0));
}

TEST_F(DesignerDocumentTest, SettingsNeverWrittenReadAsTheDefaults)
{
    const designer::DesignerSettings read = designer::DesignerSettings::load(settings, true);
    EXPECT_EQ(read.gridSize, 4);
    EXPECT_TRUE(read.gridShow && read.gridAlign && read.editAfterInsert && read.bandTitles);
    EXPECT_TRUE(read.syntaxHighlight);
    EXPECT_FALSE(read.disableUndo || read.grayButtons || read.unlimitedHeight);
    EXPECT_EQ(read.units, designer::DesignUnit::Pixels);
    EXPECT_EQ(read.selection, 1);
    EXPECT_EQ(read.pagePosition, designer::PagePosition::Centre);

    designer::DesignerSettings changed = read;
    changed.gridSize = 18;
    changed.units = designer::DesignUnit::Inches;
    changed.pagePosition = designer::PagePosition::Left;
    changed.inspectorSplitPixels = 3;
    changed.save(settings, true);
    const designer::DesignerSettings again = designer::DesignerSettings::load(settings, true);
    EXPECT_EQ(again.gridSize, 18);
    EXPECT_EQ(again.units, designer::DesignUnit::Inches);
    EXPECT_EQ(again.pagePosition, designer::PagePosition::Left);
    EXPECT_EQ(again.inspectorSplitPixels, 20) << "a column too narrow to use widens";
}

TEST_F(DesignerDocumentTest, OnlyACopyLeftByAProgramThatEndedIsOffered)
{
    const QString folder = path("recovery");
    auto running = std::make_unique<designer::RecoveryCopy>(folder);
    ASSERT_TRUE(running->write(report.templateSnapshot(), path("证书.qxf")));
    const designer::RecoveryCopy other(folder);
    EXPECT_FALSE(other.findAbandoned()) << "the copy of a designer that is still open";

    running.reset(); // its program ended without saving or discarding
    const std::optional<designer::RecoveryCopy::Found> found = other.findAbandoned();
    ASSERT_TRUE(found);
    EXPECT_EQ(found->documentName, path("证书.qxf"));
    EXPECT_EQ(found->templateBytes, report.templateSnapshot());
    designer::RecoveryCopy::remove(*found);
    EXPECT_FALSE(other.findAbandoned());

    designer::RecoveryCopy saved(folder);
    ASSERT_TRUE(saved.write(report.templateSnapshot(), path("证书.qxf")));
    saved.discard();
    EXPECT_FALSE(other.findAbandoned()) << "work that was saved leaves nothing behind";
}

} // namespace
} // namespace tovren::test
