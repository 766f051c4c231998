#include "report/dialogs/TqxProgressForm.h"
#include "report/output/PdfPrintDevice.h"
#include "report/output/TqxPrinter.h"
#include "report/preview/TqxPreviewForm.h"
#include "tests/report/engine/BuildFixture.h"
#include "tests/report/output/FakePlatformPrinter.h"
#include "tests/support/ScriptedDialogs.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

using namespace tovren;

namespace {

/// Five prepared pages printed from the preview into a PDF file under the progress window.
class PrintProgressTest : public test::BuildTest
{
protected:
    PrintProgressTest()
        : BuildTest(5)
    {
        model::TqxPage &page = addPagePerRecord();
        addText(page, 10, 20, QStringLiteral("Certificate [Aqy.\"N\"]"));
        printer.initialize(&platform);
        EXPECT_TRUE(report.BuildPages());
        report.ShowProgress = true;
        progress.attachTo(report);
        QObject::connect(&progress, &dialogs::TqxProgressForm::pageStarted, [this](int page) {
            texts << progress.progressText();
            if (page == cancelAtPage)
                progress.cancelButton()->click();
        });
    }

    bool print()
    {
        preview::TqxPreviewForm form(report, printer, dialogs);
        form.setPrintDeviceFactory(
            [this] { return std::make_unique<output::PdfPrintDevice>(pdf, 72); });
        QTimer::singleShot(0, [] {
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                dialog->accept();
        });
        return form.printPages();
    }

    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("print.pdf"));
    output::testing::FakePlatformPrinter platform;
    output::TqxPrinter printer;
    test::ScriptedDialogs dialogs;
    dialogs::TqxProgressForm progress;
    QStringList texts;
    int cancelAtPage = 0;
};

TEST_F(PrintProgressTest, ThePrintShowsEachPageItPrints)
{
    report.Title = QString::fromUtf8("证书");
    ASSERT_TRUE(print());
    EXPECT_TRUE(QFile::exists(pdf));
    EXPECT_EQ(texts.first(), QString::fromUtf8("正在打印页:  1"));
    EXPECT_EQ(texts.last(), QString::fromUtf8("正在打印页:  5"));
    EXPECT_EQ(progress.windowTitle(), QString::fromUtf8("正在准备报表 - 证书"));
    EXPECT_FALSE(progress.isVisible());
    EXPECT_EQ(progress.result(), QDialog::Accepted);
}

TEST_F(PrintProgressTest, CancelStopsThePrintAfterThePageBeingPrintedAndWritesNothing)
{
    cancelAtPage = 2;
    EXPECT_FALSE(print());
    EXPECT_EQ(texts.size(), 2) << "no page after the cancelled one";
    EXPECT_FALSE(QFile::exists(pdf)) << "the aborted document leaves no file";
    EXPECT_TRUE(dialogs.messages.isEmpty()) << "a cancel is no error";
    EXPECT_FALSE(progress.isVisible());
    EXPECT_EQ(report.EMFPages().Count(), 5) << "the preview keeps its pages";

    cancelAtPage = 0;
    texts.clear();
    EXPECT_TRUE(print()) << "the next print starts afresh";
    EXPECT_EQ(texts.size(), 5);
}

TEST_F(PrintProgressTest, AProgressHandlerGetsThePagesInsteadOfTheWindow)
{
    QList<int> handled;
    report.OnProgress = [&](int n) { handled << n; };
    ASSERT_TRUE(print());
    EXPECT_EQ(handled, (QList<int>{1, 2, 3, 4, 5}));
    EXPECT_TRUE(texts.isEmpty());
}

} // namespace
