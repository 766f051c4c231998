#include "report/preview/PreviewWindowHost.h"

#include "report/output/TqxPrinter.h"
#include "report/platform/SettingsStore.h"
#include "report/preview/TqxPreviewForm.h"
#include "tests/report/engine/BuildFixture.h"
#include "tests/report/output/FakePlatformPrinter.h"
#include "tests/support/ScriptedDialogs.h"

#include <QApplication>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

using namespace tovren;

namespace {

class PreviewWindowHostTest : public test::BuildTest
{
protected:
    PreviewWindowHostTest()
        : BuildTest(2)
    {
        model::TqxPage &page = addPagePerRecord();
        addText(page, 10, 20, QStringLiteral("Certificate [Aqy.\"N\"]"));
        printer.initialize(&platform);
    }

    output::testing::FakePlatformPrinter platform;
    output::TqxPrinter printer;
    test::ScriptedDialogs dialogs;
    QWidget owner;
    preview::PreviewWindowHost host{printer, dialogs, &owner};
    const engine::TqxPreviewRegistration registration{host};
};

TEST_F(PreviewWindowHostTest, AModalPreviewIsRunAndGoneWhenTheCallReturns)
{
    QStringList titles;
    host.setOpener([&](preview::TqxPreviewForm &window) {
        titles << window.windowTitle();
        EXPECT_EQ(window.pageCount(), 2);
        EXPECT_EQ(window.parentWidget(), &owner);
    });
    report.Title = QStringLiteral("T");
    EXPECT_EQ(report.BuildAndPreview(), engine::TqxPreviewOutcome::Shown);
    EXPECT_EQ(titles, QStringList{QString::fromUtf8("预览 - T")});
    EXPECT_TRUE(owner.findChildren<preview::TqxPreviewForm *>().isEmpty());
}

TEST_F(PreviewWindowHostTest, AModelessPreviewStaysOpenAndGoesWhenClosed)
{
    report.ModalPreview = false;
    EXPECT_EQ(report.BuildAndPreview(), engine::TqxPreviewOutcome::Shown);
    const QList<preview::TqxPreviewForm *> windows =
        owner.findChildren<preview::TqxPreviewForm *>();
    ASSERT_EQ(windows.size(), 1);
    QPointer<preview::TqxPreviewForm> window = windows.first();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->pageCount(), 2);
    window->close();
    QTest::qWait(0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}

TEST_F(PreviewWindowHostTest, ItsWindowsKeepTheirPlacementInTheSettingsStore)
{
    QTemporaryDir dir;
    platform::SettingsStore store(dir.filePath(QStringLiteral("settings.ini")),
                                  QStringLiteral("Tovren"));
    host.setSettingsStore(&store);
    host.setOpener([](preview::TqxPreviewForm &window) {
        window.show();
        window.showNormal();
        window.setGeometry(30, 40, 600, 420);
        window.reject();
    });
    ASSERT_EQ(report.BuildAndPreview(), engine::TqxPreviewOutcome::Shown);
    const QString section = QStringLiteral("Form\\TqxPreviewForm");
    EXPECT_EQ(store.readInteger(section, QStringLiteral("Width"), 0), 600);
    EXPECT_EQ(store.readInteger(section, QStringLiteral("Height"), 0), 420);
}

} // namespace
