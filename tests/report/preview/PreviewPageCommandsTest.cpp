#include "report/preview/PreviewPageCommands.h"

#include "report/preview/PreviewPageSetup.h"
#include "report/preview/PreviewPagesFile.h"
#include "tests/report/preview/PreviewFixture.h"

#include <QFile>

using namespace tovren;
using preview::PreviewPageCommands;

namespace {

/// Stands in for the designer: records which pages it was asked to edit.
class RecordingEditor : public preview::PreviewPageEditor
{
public:
    QList<int> edited;
    bool editPreparedPage(engine::TqxReport &, int pageIndex) override
    {
        edited << pageIndex;
        return true;
    }
};

class PreviewPageCommandsTest : public test::PreviewTest
{
};

TEST_F(PreviewPageCommandsTest, OfferedOnlyWithAnEditorAndModifyPrepared)
{
    ASSERT_TRUE(report.BuildPages());
    PreviewPageCommands commands(report, dialogs);
    EXPECT_FALSE(commands.available()) << "no designer registered";
    EXPECT_FALSE(commands.insertPage(0));
    EXPECT_FALSE(commands.deletePage(0));
    EXPECT_FALSE(commands.editPage(0));

    RecordingEditor editor;
    commands.setEditor(&editor);
    report.ModifyPrepared = false;
    EXPECT_FALSE(commands.available());
    EXPECT_FALSE(commands.insertPage(0));
    report.ModifyPrepared = true;
    EXPECT_TRUE(commands.available());
    EXPECT_TRUE(commands.editPage(2));
    EXPECT_FALSE(commands.editPage(3)) << "no such page";
    EXPECT_EQ(editor.edited, QList<int>{2});
    EXPECT_EQ(report.EMFPages().Count(), test::PreviewTest::kPages);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(PreviewPageCommandsTest, InsertsBeforeAndDeletesAfterConfirmation)
{
    ASSERT_TRUE(report.BuildPages());
    RecordingEditor editor;
    PreviewPageCommands commands(report, dialogs);
    commands.setEditor(&editor);
    const model::TqxPageMetrics built = report.EMFPages().Page(0).metrics;

    ASSERT_TRUE(commands.insertPage(1));
    ASSERT_EQ(report.EMFPages().Count(), 4);
    EXPECT_TRUE(report.EMFPages().Unpack(1).objectCount() == 0) << "the new page is empty";
    EXPECT_EQ(report.EMFPages().Page(1).metrics.PaperWidthPx, built.PaperWidthPx);
    EXPECT_EQ(pageTexts(2).value(0), "abc 2") << "the old second page moved down";

    dialogs.answers << platform::mrNo << platform::mrYes;
    EXPECT_FALSE(commands.deletePage(1));
    EXPECT_EQ(report.EMFPages().Count(), 4);
    ASSERT_TRUE(commands.deletePage(1));
    EXPECT_EQ(report.EMFPages().Count(), 3);
    EXPECT_EQ(pageTexts(1).value(0), "abc 2");
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(dialogs.messages[0].text, "删除该页吗?");
    EXPECT_EQ(dialogs.messages[0].caption, "确认");

    report.EMFPages().Delete(2);
    report.EMFPages().Delete(1);
    EXPECT_FALSE(commands.deletePage(0)) << "the last page is never deleted";
    EXPECT_EQ(dialogs.messages.size(), 2) << "and nobody is asked";
}

TEST_F(PreviewPageCommandsTest, AFailedLoadKeepsThePagesItHad)
{
    ASSERT_TRUE(report.BuildPages());
    const QString good = dir.filePath(QStringLiteral("good.qxp"));
    ASSERT_TRUE(report.SavePagesFile(good));
    QFile source(good);
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const QByteArray bytes = source.readAll();
    const QString damaged = dir.filePath(QStringLiteral("damaged.qxp"));
    QFile cut(damaged);
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(bytes.left(bytes.size() * 2 / 3));
    cut.close();

    report.EMFPages().Delete(2);
    EXPECT_FALSE(preview::PreviewPagesFile::load(report, damaged));
    EXPECT_EQ(report.EMFPages().Count(), 2);
    EXPECT_EQ(pageTexts(1).value(0), "abc 2");
    EXPECT_FALSE(report.lastMessage().isEmpty());
    EXPECT_FALSE(preview::PreviewPagesFile::load(report, dir.filePath(QStringLiteral("none"))));
    EXPECT_EQ(report.EMFPages().Count(), 2);

    ASSERT_TRUE(preview::PreviewPagesFile::load(report, good));
    EXPECT_EQ(report.EMFPages().Count(), 3);
    EXPECT_EQ(pageTexts(2).value(0), "abc 3");
}

TEST_F(PreviewPageCommandsTest, PageSetupKeepsACustomPaperSize)
{
    ASSERT_TRUE(report.BuildPages());
    using preview::PreviewPageSetup;
    const preview::PageSetupChoice initial = PreviewPageSetup::initialChoice(report.EMFPages());
    EXPECT_EQ(initial.sheet.paperCode, model::SheetRequest::kCustomPaperCode);
    EXPECT_EQ(initial.sheet.width, 2100);
    EXPECT_EQ(initial.sheet.height, 1480);

    // A dialog that names the paper by its code alone, without a size.
    preview::PageSetupChoice chosen = initial;
    chosen.sheet.width = chosen.sheet.height = 0;
    chosen.margins = QMargins(1000, 500, 1000, 500);
    PreviewPageSetup::apply(report, chosen);
    const model::TqxPage &page = *report.Pages().page(0);
    EXPECT_EQ(page.PaperWidth, 2100);
    EXPECT_EQ(page.PaperHeight, 1480);
    EXPECT_GT(page.PageInfo.PaperWidthPx, 0);
    EXPECT_EQ(page.Margins.left, 1000 * 18 / 500);
    EXPECT_EQ(page.Margins.top, 500 * 18 / 500);

    chosen.sheet.width = 1480;
    chosen.sheet.height = 2100;
    PreviewPageSetup::apply(report, chosen);
    EXPECT_EQ(page.PaperWidth, 1480) << "a chosen size is taken as it is";
    ASSERT_TRUE(report.BuildPages());
    EXPECT_EQ(report.EMFPages().Page(0).paperWidth, 1480);
    EXPECT_EQ(PreviewPageSetup::initialChoice(report.EMFPages()).margins.left(),
              (1000 * 18 / 500) * 500 / 18);
}

} // namespace
