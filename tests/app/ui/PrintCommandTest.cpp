#include "app/db/ConnectionSpec.h"
#include "app/db/DbConnection.h"
#include "app/db/DbQuery.h"
#include "app/demo/DemoDataWriter.h"
#include "app/ui/MainWindow.h"
#include "app/ui/RangeStep.h"
#include "report/dialogs/TqxProgressForm.h"
#include "report/engine/TqxReport.h"
#include "report/preview/TqxPreviewForm.h"
#include "tests/support/ScriptedDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace tovren;

namespace {

/// The main window over a small demo store, with the preview answered instead of shown.
class PrintCommandTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        connection = std::make_unique<db::TDbConnection>(
            db::ConnectionSpec::parse(dir.filePath(QStringLiteral("store.db"))));
        demo::writeDemoGraduates(*connection, 9, 5);
        window = std::make_unique<app::TForm1>(*connection, dialogs);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->setPreviewOpener([this](preview::TqxPreviewForm &preview) {
            previewPages << preview.pageCount();
            previewTitles << preview.windowTitle();
            progressHiddenAtPreview = !window->progressWindow().isVisible();
        });
        QObject::connect(&window->progressWindow(), &dialogs::TqxProgressForm::pageStarted,
                         [this](int pageNumber) {
                             progressShown = window->progressWindow().isVisible();
                             barMaximum = window->progressWindow().barMaximum();
                             timeLeft = window->progressWindow().timeLeftText();
                             gridRowsWhileBuilding << window->DBGrid1->currentIndex().row();
                             if (pageNumber == cancelAtPage)
                                 window->progressWindow().cancelButton()->click();
                         });
    }

    void printRecords(int count)
    {
        window->SpinEdit1->setValue(count);
        QTest::mouseClick(window->Button4, Qt::LeftButton);
    }
    std::string messages() const
    {
        QStringList texts;
        for (const auto &message : dialogs.messages)
            texts << message.text;
        return texts.join(u'|').toStdString();
    }

    QTemporaryDir dir;
    test::ScriptedDialogs dialogs;
    std::unique_ptr<db::TDbConnection> connection;
    std::unique_ptr<app::TForm1> window;
    QList<int> previewPages;
    QStringList previewTitles;
    int barMaximum = 0;
    QString timeLeft;
    QList<int> gridRowsWhileBuilding;
    bool progressShown = false;
    bool progressHiddenAtPreview = false;
    int cancelAtPage = 0;
};

TEST_F(PrintCommandTest, ThePreviewButtonBuildsOneCertificatePerRecordUnderTheProgressWindow)
{
    printRecords(4);
    ASSERT_EQ(previewPages.size(), 1) << messages();
    EXPECT_EQ(previewPages[0], 4);
    EXPECT_EQ(previewTitles[0], QString::fromUtf8("预览"));
    EXPECT_TRUE(progressShown) << "the build runs under the progress window";
    EXPECT_TRUE(progressHiddenAtPreview);
    EXPECT_EQ(window->progressWindow().windowTitle(), QString::fromUtf8("正在准备报表"));
    EXPECT_EQ(window->progressWindow().progressText(), QString::fromUtf8("正在处理页:  4 从 4"))
        << "the window knows the batch's size";
    EXPECT_EQ(barMaximum, 4);
    EXPECT_FALSE(timeLeft.isEmpty());

    printRecords(0);
    ASSERT_EQ(previewPages.size(), 2);
    EXPECT_EQ(previewPages[1], 9) << "0 prints every record";
    EXPECT_TRUE(dialogs.messages.isEmpty()) << messages();
}

TEST_F(PrintCommandTest, CancelInTheProgressWindowPreviewsThePagesBuiltSoFarAsAnIncompleteBatch)
{
    bool printedPartialBatch = true;
    window->setPreviewOpener([&](preview::TqxPreviewForm &preview) {
        previewPages << preview.pageCount();
        previewTitles << preview.windowTitle();
        dialogs.answers = {platform::mrNo};
        printedPartialBatch = preview.printPages();
    });
    cancelAtPage = 3;
    printRecords(0);
    ASSERT_EQ(previewPages.size(), 1) << messages();
    EXPECT_EQ(previewPages[0], 4) << "the page open when Cancel came is finished, no more";
    EXPECT_TRUE(previewTitles[0].endsWith(QString::fromUtf8("已取消, 只生成了 4 / 9 页")))
        << previewTitles[0].toStdString();
    ASSERT_EQ(dialogs.messages.size(), 1) << "printing a partial batch asks first";
    EXPECT_TRUE(dialogs.messages[0].text.contains(QString::fromUtf8("只有 4 页")));
    EXPECT_FALSE(printedPartialBatch);
    dialogs.messages.clear();
    window->setPreviewOpener(
        [this](preview::TqxPreviewForm &preview) { previewPages << preview.pageCount(); });

    cancelAtPage = 0;
    printRecords(0);
    ASSERT_EQ(previewPages.size(), 2);
    EXPECT_EQ(previewPages[1], 9) << "the next run builds everything again";
}

TEST_F(PrintCommandTest, ThePreviewSavesOnePdfPerShownRecordIntoAFolderAndKeepsItsPages)
{
    const QString folder = dir.filePath(QStringLiteral("证书"));
    constexpr int kRecordFilesType = 2; // after prepared reports and one PDF file
    bool saved = true;
    int pagesAfter = 0;
    window->setPreviewOpener([&](preview::TqxPreviewForm &preview) {
        dialogs.fileNames = {dir.filePath(QStringLiteral("x.pdf"))};
        dialogs.fileTypes = {kRecordFilesType};
        EXPECT_FALSE(preview.savePages()) << "no folder chosen, nothing written";
        dialogs.fileNames = {dir.filePath(QStringLiteral("x.pdf"))};
        dialogs.fileTypes = {kRecordFilesType};
        dialogs.folders = {folder};
        saved = preview.savePages();
        pagesAfter = preview.pageCount();
    });
    window->query().moveTo(1);
    window->PrintScopeBox->setCurrentIndex(
        window->PrintScopeBox->findData(int(app::PrintScope::RecordSpan)));
    window->SpanFirstBox->setValue(4);
    window->SpanLastBox->setValue(6);
    printRecords(0);
    ASSERT_TRUE(saved) << messages();
    EXPECT_EQ(pagesAfter, 3) << "the preview keeps showing the certificates it built";
    EXPECT_EQ(window->query().recNo(), 1);

    const db::TDbQuery &query = window->query();
    const int studId = int(query.fieldNames().indexOf(QStringLiteral("StudID")));
    const int name = int(query.fieldNames().indexOf(QStringLiteral("Name")));
    QStringList expected;
    for (int row = 3; row <= 5; ++row)
        expected << query.cellText(row, studId) + u'_' + query.cellText(row, name) +
                        QStringLiteral(".pdf");
    expected.sort();
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot,
                                     QDir::Name),
              expected)
        << "records 4 to 6, named as tovren build --pdf-each names them, and nothing else";
    ASSERT_FALSE(dialogs.messages.isEmpty());
    EXPECT_TRUE(dialogs.messages.last().text.contains(QStringLiteral("3 个 PDF 文件")));
}

TEST_F(PrintCommandTest, ValuesCutOffAreListedByRecordAndFieldAndTheClerkMayStop)
{
    db::TDbQuery &query = window->query();
    query.moveTo(4);
    query.edit();
    query.fieldByName(QStringLiteral("City")).setAsString(QStringLiteral("长沙市"));
    query.post();
    const QString graduate = query.fieldByName(QStringLiteral("StudID")).asString() + u' ' +
                             query.fieldByName(QStringLiteral("Name")).asString();
    window->PrintScopeBox->setCurrentIndex(
        window->PrintScopeBox->findData(int(app::PrintScope::RecordSpan)));
    window->SpanFirstBox->setValue(4);
    window->SpanLastBox->setValue(6);
    dialogs.answers = {platform::mrNo};
    printRecords(0);
    EXPECT_TRUE(previewPages.isEmpty()) << "the clerk chose not to go on";
    ASSERT_EQ(dialogs.messages.size(), 1) << messages();
    EXPECT_TRUE(dialogs.messages[0].text.contains(
        QStringLiteral("第 5 条记录 %1, 市县 (Memo8): \"长沙市\"").arg(graduate)))
        << "the record is counted as the grid counts it, not by page: " << messages();

    dialogs.answers = {platform::mrYes};
    printRecords(0);
    EXPECT_EQ(previewPages, QList<int>{3});
}

TEST_F(PrintCommandTest, TheGridStaysOnTheClerksRecordAndPrintsTheChosenRecords)
{
    window->query().moveTo(2);
    printRecords(0);
    ASSERT_EQ(previewPages.size(), 1) << messages();
    EXPECT_EQ(window->query().recNo(), 2) << "the clerk keeps their place";
    EXPECT_EQ(window->DBGrid1->currentIndex().row(), 2);
    for (const int row : gridRowsWhileBuilding)
        EXPECT_EQ(row, 2) << "the grid must not scroll through the records while they print";

    window->PrintScopeBox->setCurrentIndex(
        window->PrintScopeBox->findData(int(app::PrintScope::CurrentRecord)));
    printRecords(0);
    ASSERT_EQ(previewPages.size(), 2);
    EXPECT_EQ(previewPages[1], 1) << "the current record only";

    window->PrintScopeBox->setCurrentIndex(
        window->PrintScopeBox->findData(int(app::PrintScope::RecordSpan)));
    window->SpanFirstBox->setValue(4);
    window->SpanLastBox->setValue(7);
    printRecords(0);
    ASSERT_EQ(previewPages.size(), 3);
    EXPECT_EQ(previewPages[2], 4) << "records 4 to 7";
    EXPECT_EQ(window->query().recNo(), 2);

    window->SpanFirstBox->setValue(20);
    window->SpanLastBox->setValue(30);
    printRecords(0);
    EXPECT_EQ(previewPages.size(), 3) << "nothing to print past the end";
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QString::fromUtf8("共有 9 条记录")));
}

TEST_F(PrintCommandTest, ACancelBeforeTheFirstPageShowsNothingAndSaysNothing)
{
    cancelAtPage = 1;
    printRecords(0);
    EXPECT_TRUE(previewPages.isEmpty()) << "no page, no preview";
    EXPECT_TRUE(dialogs.messages.isEmpty()) << messages();
}

/// Confirms the print dialog that opens next, on the virtual printer.
void confirmPrintOnTheVirtualPrinter()
{
    QTimer::singleShot(0, [] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr) << "the print dialog did not open";
        auto *printers = dialog->findChild<QComboBox *>(QStringLiteral("CB1"));
        ASSERT_NE(printers, nullptr);
        const int virtualPrinter = printers->count() - 1;
        printers->setCurrentIndex(virtualPrinter);
        emit printers->activated(virtualPrinter);
        dialog->accept();
    });
}

TEST_F(PrintCommandTest, TheVirtualPrinterPrintsThePreviewIntoTheNamedPdfFile)
{
    const QString pdf = dir.filePath(QStringLiteral("certificates"));
    QList<bool> printed;
    window->setPreviewOpener([&](preview::TqxPreviewForm &preview) {
        confirmPrintOnTheVirtualPrinter();
        printed << preview.printPages();
    });
    dialogs.fileNames << pdf;
    printRecords(3);
    ASSERT_EQ(printed, QList<bool>{true}) << messages();
    QFile file(pdf + QStringLiteral(".pdf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "the file gets the .pdf ending";
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    if (!pdfinfo.isEmpty()) {
        QProcess info;
        info.start(pdfinfo, {file.fileName()});
        info.waitForFinished();
        EXPECT_TRUE(QString::fromUtf8(info.readAllStandardOutput())
                        .contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\b"))))
            << "one printed certificate per record";
    }

    // Declining to name a file prints nothing and writes nothing.
    printRecords(3);
    ASSERT_EQ(printed.size(), 2);
    EXPECT_FALSE(printed[1]);
    EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("*.pdf")}).size(), 1);
}

int pdfPages(const QString &fileName)
{
    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    if (pdfinfo.isEmpty())
        return -1;
    QProcess info;
    info.start(pdfinfo, {fileName});
    info.waitForFinished();
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
            .match(QString::fromUtf8(info.readAllStandardOutput()));
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

TEST_F(PrintCommandTest, TheOperatorPagesFindsSavesReopensAndPrintsTheCertificates)
{
    db::TDbQuery names(*connection);
    names.setSql(QStringLiteral("Select Name from info order by ID"));
    names.open();
    names.next();
    names.next();
    const QString thirdName = names.fieldByName(QStringLiteral("Name")).asString();
    ASSERT_FALSE(thirdName.isEmpty());

    const QString qxp = dir.filePath(QStringLiteral("证书.qxp"));
    const QString pdf = dir.filePath(QStringLiteral("证书.pdf"));
    const QString printed = dir.filePath(QStringLiteral("打印.pdf"));
    bool ran = false;
    window->setPreviewOpener([&](preview::TqxPreviewForm &preview) {
        ran = true;
        EXPECT_EQ(preview.pageLabelText(), QString::fromUtf8("页 1/5"));
        preview.nextPage();
        preview.lastPage();
        EXPECT_EQ(preview.pageLabelText(), QString::fromUtf8("页 5/5"));
        preview.setZoomMode(preview::ZoomMode::WholePage);
        EXPECT_EQ(preview.pageRects().size(), 5);

        EXPECT_TRUE(preview.find({thirdName, false, false})) << "the name is on its certificate";
        EXPECT_EQ(preview.currentPage(), 3);

        dialogs.fileNames << qxp << qxp << pdf << printed;
        EXPECT_TRUE(preview.savePages());
        EXPECT_TRUE(preview.loadPages());
        EXPECT_EQ(preview.pageCount(), 5) << "the reopened file has every page";
        EXPECT_EQ(preview.currentPage(), 1);
        EXPECT_TRUE(preview.savePages());
        confirmPrintOnTheVirtualPrinter();
        EXPECT_TRUE(preview.printPages());
        EXPECT_EQ(preview.pageCount(), 5) << "printing keeps the pages";
    });
    printRecords(5);
    ASSERT_TRUE(ran) << messages();
    EXPECT_TRUE(dialogs.messages.isEmpty()) << messages();
    EXPECT_TRUE(QFile::exists(qxp));
    if (pdfPages(pdf) < 0)
        GTEST_SKIP() << "pdfinfo is not installed";
    EXPECT_EQ(pdfPages(pdf), 5);
    EXPECT_EQ(pdfPages(printed), 5);
}

TEST_F(PrintCommandTest, AnEmptyQueryIsToldAndNoBlankCertificateIsMade)
{
    window->CheckBox1->setChecked(true);
    window->Edit1->setText(QStringLiteral("Select * from info where ID < 0"));
    QTest::mouseClick(window->Button1, Qt::LeftButton);
    ASSERT_TRUE(dialogs.messages.isEmpty()) << messages();
    printRecords(0);
    EXPECT_TRUE(previewPages.isEmpty());
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QString::fromUtf8("没有记录")));
    EXPECT_EQ(dialogs.messages[0].flags & platform::kMessageBoxIconMask, platform::mb_IconError);
}

TEST_F(PrintCommandTest, ABuildErrorIsShownOnceWithTheErrorCaptionAndNoPreview)
{
    // The certificate reads columns this query does not return.
    window->CheckBox1->setChecked(true);
    window->Edit1->setText(QStringLiteral("Select ID from info"));
    QTest::mouseClick(window->Button1, Qt::LeftButton);
    ASSERT_TRUE(dialogs.messages.isEmpty()) << messages();
    printRecords(0);
    EXPECT_TRUE(previewPages.isEmpty());
    ASSERT_EQ(dialogs.messages.size(), 1) << messages();
    EXPECT_EQ(dialogs.messages[0].caption, QString::fromUtf8("错误"));
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(QString::fromUtf8("计算时发生错误")))
        << messages();
    EXPECT_FALSE(dialogs.messages[0].text.contains(u'\r')) << "lines are broken for the box";
    EXPECT_FALSE(window->progressWindow().isVisible());
}

} // namespace
