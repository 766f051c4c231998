// The designer window driven as a clerk drives it: menus, tool buttons, tabs, status bar, keys.
#include "report/designer/DesignerInspector.h"
#include "report/designer/DesignerStatusBar.h"
#include "report/designer/FieldListWindow.h"
#include "report/designer/PageScrollBox.h"
#include "report/designer/PageTabBar.h"
#include "report/designer/RecoveryCopy.h"
#include "report/designer/ToolWindowStack.h"
#include "report/designer/TqxDesignerPage.h"
#include "report/dialogs/RollUpCaption.h"
#include "report/dialogs/TqxGEditorForm.h"
#include "report/dialogs/TqxInsFieldsForm.h"
#include "report/dialogs/TqxInspForm.h"
#include "report/engine/TqxDBDataSet.h"
#include "report/model/FormImage.h"
#include "report/model/TqxPictureView.h"
#include "report/platform/MessageBox.h"
#include "tests/report/designer/DesignerFixture.h"
#include "tests/report/engine/MemoryRecordSet.h"

#include <QAction>
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolBar>

namespace tovren::test {
namespace {

class DesignerWindowTest : public DesignerTest
{
protected:
    void trigger(designer::TqxDesignerForm &window, const char *name)
    {
        QAction *command = window.action(QString::fromLatin1(name));
        ASSERT_NE(command, nullptr) << name;
        ASSERT_TRUE(command->isEnabled()) << name;
        command->trigger();
    }
    /// Drags the Name field of the certificate @p dx pixels to the right on the canvas.
    void dragNameField(designer::TqxDesignerForm &window, int dx)
    {
        designer::TqxDesignerPage &canvas = window.canvas();
        const model::TqxView &name = *report.Pages().page(0)->FindObjectByName("Memo3");
        const QPoint from(name.Left + 5, name.Top + 5);
        const auto move = [&](QPoint at, Qt::MouseButtons held) {
            QMouseEvent event(QEvent::MouseMove, at, canvas.mapToGlobal(at), Qt::NoButton, held,
                              Qt::NoModifier);
            QApplication::sendEvent(&canvas, &event);
        };
        move(from, Qt::NoButton);
        QTest::mousePress(&canvas, Qt::LeftButton, Qt::NoModifier, from);
        move(from + QPoint(dx, 0), Qt::LeftButton);
        QTest::mouseRelease(&canvas, Qt::LeftButton, Qt::NoModifier, from + QPoint(dx, 0));
    }
    bool closeWindow(designer::TqxDesignerForm &window)
    {
        window.close();
        return !window.isVisible();
    }
};

TEST_F(DesignerWindowTest, ClosingAsksAboutUnsavedChangesOnlyWhenThereAreSome)
{
    auto window = openDesigner();
    window->show();
    EXPECT_FALSE(window->action("N20")->isEnabled()) << "nothing to save yet";
    EXPECT_TRUE(closeWindow(*window));
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(window->modalResult(), designer::TqxDesignerForm::kCloseResult);

    window = openDesigner();
    window->show();
    dragNameField(*window, 18);
    EXPECT_TRUE(window->IsModified());
    EXPECT_TRUE(window->action("N20")->isEnabled());
    dialogs.answers = {platform::mrCancel};
    EXPECT_FALSE(closeWindow(*window)) << "Cancel keeps the designer open";
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("保存变动 到 未命名?"));
    EXPECT_EQ(dialogs.messages[0].caption, QStringLiteral("确认"));

    dialogs.answers = {platform::mrYes};
    dialogs.fileNames = {path("证书")};
    trigger(*window, "ExitB");
    EXPECT_FALSE(window->isVisible()) << "Yes on an untitled report saves it under a new name";
    EXPECT_TRUE(QFile::exists(path("证书.qxf")));
    EXPECT_EQ(window->modalResult(), designer::TqxDesignerForm::kExitResult);
    window.reset();
    EXPECT_EQ(report.FileName, path("证书.qxf")) << "the report remembers its file";
    EXPECT_TRUE(report.DesignChanged);
}

TEST_F(DesignerWindowTest, APreparedPageIsEditedWithoutFileOrPageCommands)
{
    auto window = openDesigner(false);
    window->show();
    for (const char *name :
         {"FileBtn1", "N23",  "FileBtn2", "N19",  "FileBtn4", "N39", "OB3",  "OB5",
          "PgB1",     "N29",  "N41",      "PgB2", "N30",      "N43", "PgB3", "N25",
          "N44",      "PgB4", "N15",      "N45",  "N42",      "N8"}) {
        EXPECT_FALSE(window->action(QString::fromLatin1(name))->isEnabled()) << name;
    }
    EXPECT_TRUE(window->action("N17")->isEnabled()) << "a page may be saved as a template";
    dragNameField(*window, 4);
    EXPECT_TRUE(closeWindow(*window));
    EXPECT_TRUE(dialogs.messages.isEmpty()) << "the preview asks whether to keep the page";
    EXPECT_EQ(window->windowTitle(), QStringLiteral("设计器 - 未命名"));
}

TEST_F(DesignerWindowTest, APageAddedAndThenCancelledIsGoneAgain)
{
    auto window = openDesigner();
    window->show();
    trigger(*window, "PgB1");
    EXPECT_EQ(designerDialogs.pageOptionsShown, 1);
    EXPECT_EQ(report.Pages().Count(), 1);
    EXPECT_EQ(window->currentPageIndex(), 0);
    EXPECT_FALSE(window->IsModified());

    designerDialogs.pageOptionsAnswers = {true};
    trigger(*window, "N29");
    ASSERT_EQ(report.Pages().Count(), 2);
    EXPECT_EQ(window->currentPageIndex(), 1);
    EXPECT_EQ(window->pageTabs().captions(),
              (QStringList{QStringLiteral("页1"), QStringLiteral("页2")}));
    EXPECT_TRUE(window->IsModified());

    dialogs.answers = {platform::mrYes};
    trigger(*window, "PgB2");
    EXPECT_EQ(report.Pages().Count(), 1);
    EXPECT_EQ(window->currentPageIndex(), 0);
    EXPECT_EQ(window->pageTabs().count(), 1);
}

TEST_F(DesignerWindowTest, ADialogPageIsDesignedInAWindowThatStandsForTheDialog)
{
    auto window = openDesigner();
    window->show();
    trigger(*window, "PgB4");
    ASSERT_EQ(report.Pages().Count(), 2);
    model::TqxPage &dialogPage = *report.Pages().page(1);
    ASSERT_NE(window->pageWindow(), nullptr);
    EXPECT_EQ(window->canvas().parentWidget(), window->pageWindow());
    EXPECT_EQ(window->pageWindow()->size(), QSize(dialogPage.Width, dialogPage.Height));

    window->pageWindow()->resize(500, 260);
    EXPECT_EQ(dialogPage.Width, 500);
    EXPECT_EQ(dialogPage.Height, 260);

    window->pageTabs().setCurrentIndex(0);
    EXPECT_EQ(window->pageWindow(), nullptr);
    EXPECT_NE(qobject_cast<QScrollArea *>(
                  window->canvas().parentWidget()->parentWidget()->parentWidget()),
              nullptr)
        << "the report page is back in the scroll box";
}

TEST_F(DesignerWindowTest, OnlyADoubleClickOnTheUnitPanelChangesTheUnit)
{
    auto window = openDesigner();
    window->show();
    designer::DesignerStatusBar &bar = window->statusPanel();
    EXPECT_EQ(bar.content().unitName, QStringLiteral("象素"));
    QTest::mouseDClick(&bar, Qt::LeftButton, Qt::NoModifier, QPoint(120, 5));
    EXPECT_EQ(window->settings().units, designer::DesignUnit::Pixels);
    QTest::mouseDClick(&bar, Qt::LeftButton, Qt::NoModifier, QPoint(30, 5));
    EXPECT_EQ(bar.content().unitName, QStringLiteral("MM"));

    window->FocusObjectByName(QStringLiteral("Memo3"));
    const model::TqxView &name = *report.Pages().page(0)->FindObjectByName("Memo3");
    EXPECT_EQ(bar.content().position, QString::number(name.Left * 5.0 / 18, 'f', 2) +
                                          QStringLiteral("; ") +
                                          QString::number(name.Top * 5.0 / 18, 'f', 2));
    EXPECT_TRUE(bar.content().objectText.startsWith(QStringLiteral("Memo3: [Aqy.\"Name\"]")));
}

TEST_F(DesignerWindowTest, ToolBarsAndOptionsComeBackWhereTheClerkLeftThem)
{
    {
        auto window = openDesigner();
        window->show();
        QToolBar *objects = window->toolBar(QStringLiteral("Panel4"));
        window->removeToolBar(objects);
        window->addToolBar(Qt::RightToolBarArea, objects);
        objects->show();
        window->toolBar(QStringLiteral("Panel2"))->hide();
        trigger(*window, "GB1"); // grid off
        closeWindow(*window);
    }
    auto window = openDesigner();
    window->show();
    EXPECT_EQ(window->toolBarArea(window->toolBar(QStringLiteral("Panel4"))), Qt::RightToolBarArea);
    EXPECT_TRUE(window->toolBar(QStringLiteral("Panel2"))->isHidden());
    EXPECT_FALSE(window->settings().gridShow);
    EXPECT_FALSE(window->action("GB1")->isChecked());
    EXPECT_EQ(settings.readString(platform::SettingsStore::toolBarSection(QStringLiteral("Panel4")),
                                  QStringLiteral("DockName")),
              QStringLiteral("qxDock4"));
}

TEST_F(DesignerWindowTest, EscapeDropsTheSelectionAndTheToolAndCtrlGTogglesTheGrid)
{
    auto window = openDesigner();
    window->show();
    window->action("OB2")->trigger();
    window->FocusObjectByName(QStringLiteral("Memo3"));
    ASSERT_EQ(window->canvas().selection().count(), 1);
    QTest::keyClick(window->pageTabs().window(), Qt::Key_Escape);
    EXPECT_TRUE(window->canvas().selection().isEmpty());
    EXPECT_TRUE(window->action("OB1")->isChecked());
    const bool grid = window->settings().gridShow;
    QTest::keyClick(window.get(), Qt::Key_G, Qt::ControlModifier);
    EXPECT_NE(window->settings().gridShow, grid);
}

TEST_F(DesignerWindowTest, WorkLeftByAProgramThatEndedIsOfferedAndRestored)
{
    model::TqxView &name = *report.Pages().page(0)->FindObjectByName("Memo3");
    const int designedLeft = name.Left;
    name.Left += 40;
    {
        designer::RecoveryCopy crashed(path("recovery"));
        ASSERT_TRUE(crashed.write(report.templateSnapshot(), path("证书.qxf")));
    }
    name.Left = designedLeft;
    dialogs.answers = {platform::mrYes};
    auto window = openDesigner();
    window->show();
    QApplication::processEvents();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.contains(path("证书.qxf")));
    EXPECT_EQ(report.Pages().page(0)->FindObjectByName("Memo3")->Left, designedLeft + 40);
    EXPECT_TRUE(window->IsModified()) << "restored work is not yet saved";
    EXPECT_EQ(window->document().documentName(), path("证书.qxf"));
}

TEST_F(DesignerWindowTest, OpeningADictionaryChangesOnlyTheDictionary)
{
    auto window = openDesigner();
    window->show();
    report.Dictionary().Clear();
    ASSERT_TRUE(window->document().saveAs(designer::DesignerDocument::SaveKind::Dictionary,
                                          path("字典.qxd")));
    const QByteArray pages = report.templateSnapshot();
    dialogs.fileNames = {path("字典.qxd")};
    trigger(*window, "N19");
    EXPECT_EQ(report.templateSnapshot(), pages);
    EXPECT_TRUE(window->document().isUntitled());
}

TEST_F(DesignerWindowTest, KeysUndoAMoveAndCopiedFieldsPasteOnAnotherPage)
{
    auto window = openDesigner();
    window->show();
    QApplication::setActiveWindow(window.get()); // menu shortcuts work in the active window
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    const model::TqxView &name = *report.Pages().page(0)->FindObjectByName("Memo3");
    const int designedLeft = name.Left;
    dragNameField(*window, 40);
    ASSERT_EQ(name.Left, designedLeft + 40);
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(report.Pages().page(0)->FindObjectByName("Memo3")->Left, designedLeft);
    QTest::keyClick(window.get(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(report.Pages().page(0)->FindObjectByName("Memo3")->Left, designedLeft + 40);

    window->FocusObjectByName(QStringLiteral("Memo3"));
    QTest::keyClick(window.get(), Qt::Key_C, Qt::ControlModifier);
    designerDialogs.pageOptionsAnswers = {true};
    trigger(*window, "PgB1");
    ASSERT_EQ(window->currentPageIndex(), 1);
    EXPECT_FALSE(window->action("N46")->isEnabled()) << "steps belong to their page";
    QTest::keyClick(window.get(), Qt::Key_V, Qt::ControlModifier);
    const model::TqxPage &second = *report.Pages().page(1);
    ASSERT_EQ(second.objectCount(), 1);
    EXPECT_EQ(second.object(0)->Memo, QStringList{QStringLiteral("[Aqy.\"Name\"]")});
    EXPECT_NE(second.object(0)->Name, QStringLiteral("Memo3")) << "names stay unique in a report";
    EXPECT_TRUE(window->action("N46")->isEnabled());
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(second.objectCount(), 0);
}

TEST_F(DesignerWindowTest, TheFieldListRollsUpLikeTheInspectorAndTheTwoStayStacked)
{
    auto window = openDesigner();
    window->show();
    window->inspector().setVisible(true);
    window->fieldList().setShown(true);
    dialogs::TqxInspForm &inspector = window->inspector().window();
    dialogs::TqxInsFieldsForm &fields = *window->fieldList().window();
    // One above the other, in a column beside the page.
    inspector.setGeometry(20, 100, 200, 300);
    fields.setGeometry(30, 420, 180, 250);
    const auto *scrollBox = window->findChild<designer::PageScrollBox *>();
    const int areaTop = scrollBox->mapToGlobal(QPoint(0, 0)).y() - 1;
    const int areaBottom = areaTop + scrollBox->height() - 3;
    const auto stackedOnThePage = [&] {
        return inspector.frameGeometry().top() == areaTop &&
               fields.frameGeometry().bottom() == areaBottom &&
               inspector.frameGeometry().bottom() + 1 == fields.frameGeometry().top();
    };

    auto *caption = fields.findChild<dialogs::RollUpCaption *>();
    ASSERT_NE(caption, nullptr);
    QTest::mouseDClick(caption, Qt::LeftButton);
    EXPECT_TRUE(fields.isRolledUp());
    EXPECT_FALSE(fields.dataSets().isVisible());
    EXPECT_LT(fields.height(), dialogs::RollUpCaption::kRolledUpBelowPixels);
    EXPECT_TRUE(stackedOnThePage()) << "the inspector takes the room the field list gave up";

    QTest::mouseDClick(caption, Qt::LeftButton);
    EXPECT_FALSE(fields.isRolledUp());
    EXPECT_EQ(fields.height(), fields.expandedHeightPixels());
    EXPECT_TRUE(stackedOnThePage());

    // Resizing the inspector by hand takes the field list docked below it along.
    inspector.resize(inspector.width(), inspector.height() - 40);
    EXPECT_EQ(fields.frameGeometry().top(), inspector.frameGeometry().bottom() + 1);
    EXPECT_EQ(fields.height(), fields.expandedHeightPixels());

    // A rolled-up inspector keeps its caption's height; the field list stays at the bottom.
    inspector.toggleRollUp();
    EXPECT_TRUE(inspector.isRolledUp());
    EXPECT_EQ(fields.frameGeometry().bottom(), areaBottom);
    EXPECT_EQ(fields.height(), fields.expandedHeightPixels());
    EXPECT_EQ(inspector.frameGeometry().top(), areaTop);

    // The Ins key's way of showing the list opens a rolled-up one again.
    QTest::mouseDClick(caption, Qt::LeftButton);
    window->fieldList().setShown(true);
    EXPECT_FALSE(fields.isRolledUp());

    // A field list above the inspector goes to the top; windows side by side stay put.
    const QRect area(0, 0, 800, 600);
    const auto above = designer::ToolWindowStack::stacked(area, QRect(10, 300, 200, 100),
                                                          QRect(0, 50, 180, 150), false);
    ASSERT_TRUE(above);
    EXPECT_EQ(above->fieldList, QRect(0, 0, 180, 150));
    EXPECT_EQ(above->inspector, QRect(10, 150, 200, 450));
    EXPECT_FALSE(designer::ToolWindowStack::stacked(area, QRect(300, 0, 200, 100),
                                                    QRect(0, 50, 180, 150), false));
}

TEST_F(DesignerWindowTest, InsertedFieldsUndoAsOneStepAndAnEmblemLoadedInTheEditorIsSaved)
{
    // The report's form holds the browse query and the report data source over it.
    auto *aqy = new MemoryRecordSet(3, QStringLiteral("Aqy"), &form);
    (new engine::TqxDBDataSet(QStringLiteral("qxDBDataSet1"), &form))->setDataSet(aqy);
    auto window = openDesigner();
    window->show();
    designerDialogs.pageOptionsAnswers = {true};
    trigger(*window, "PgB1");
    ASSERT_EQ(window->currentPageIndex(), 1);
    const model::TqxPage &page = *report.Pages().page(1);

    dialogs::InsertFieldsChoice choice;
    choice.dataSet = QStringLiteral("Aqy");
    choice.fields = {QStringLiteral("N"), QStringLiteral("NAME")};
    designerDialogs.fieldsToInsert = choice;
    auto *insertTool = window->findChild<QAction *>(QStringLiteral("InsertFieldsTool"));
    ASSERT_NE(insertTool, nullptr);
    insertTool->trigger();
    ASSERT_EQ(page.objectCount(), 6) << "headers, fields, a page header and a data band";
    EXPECT_EQ(window->selectionKind() & 8, 8) << "the new objects are the selection";
    trigger(*window, "N46");
    EXPECT_EQ(page.objectCount(), 0) << "one undo takes the whole row back";
    trigger(*window, "N48");
    EXPECT_EQ(page.objectCount(), 6);

    // The picture tool opens the real picture editor on the new object: a damaged file is
    // refused with a message naming it, then the emblem loads.
    const QString damagedPath = path("损坏.png");
    QFile damaged(damagedPath);
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray::fromHex("89504e470d0a1a0a0000000d49484452") + QByteArray(40, 'x'));
    damaged.close();
    const QString emblemPath = path("校徽.png");
    QImage emblem(40, 30, QImage::Format_RGB32);
    emblem.fill(QColor(0, 0, 160));
    ASSERT_TRUE(emblem.save(emblemPath));
    designerDialogs.pictureAnswer = [&](dialogs::PictureEdit &edit) {
        dialogs::TqxGEditorForm editor(edit, dialogs);
        auto *load = editor.findChild<QPushButton *>(QStringLiteral("Button3"));
        dialogs.fileNames = {damagedPath, emblemPath};
        load->click();
        EXPECT_TRUE(editor.edit().picture.isEmpty()) << "a refused file changes nothing";
        load->click();
        edit = editor.edit();
        return true;
    };
    trigger(*window, "OB4");
    const QPoint emptySpot(300, 400);
    QMouseEvent hover(QEvent::MouseMove, emptySpot, window->canvas().mapToGlobal(emptySpot),
                      Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&window->canvas(), &hover);
    QTest::mousePress(&window->canvas(), Qt::LeftButton, Qt::NoModifier, emptySpot);
    QTest::mouseRelease(&window->canvas(), Qt::LeftButton, Qt::NoModifier, emptySpot);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages.front().text.contains(QStringLiteral("损坏.png")));
    ASSERT_EQ(page.objectCount(), 7);
    const auto *picture = dynamic_cast<const model::TqxPictureView *>(page.object(6));
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Picture.image().size(), QSize(40, 30));

    const QString savedPath = path("证书.qxf");
    dialogs.fileNames = {savedPath};
    trigger(*window, "N17");
    engine::TqxComponent otherForm{QStringLiteral("Form2")};
    engine::TqxReport reread{QStringLiteral("qxReport2"), &otherForm, registry, &paper};
    ASSERT_TRUE(reread.LoadTemplate(savedPath)) << reread.lastMessage().toStdString();
    const auto *kept = dynamic_cast<const model::TqxPictureView *>(
        reread.Pages().page(1)->FindObjectByName(picture->Name));
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->Picture.image().pixelColor(5, 5), QColor(0, 0, 160));
    EXPECT_EQ(reread.Pages().page(1)->objectCount(), 7);
}

TEST_F(DesignerWindowTest, AScanOfTheFormLiesUnderThePageAndADamagedOneIsRefused)
{
    const auto writeFile = [this](const char *name, const QByteArray &bytes) {
        QFile file(path(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return file.fileName();
    };
    QImage scan(40, 30, QImage::Format_RGB32);
    scan.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    scan.save(&buffer, "PNG");

    auto window = openDesigner();
    window->show();
    EXPECT_FALSE(window->action("FormImageClear")->isEnabled()) << "no scan to clear yet";
    const QColor withoutScan = window->canvas().grab().toImage().pixelColor(3, 3);
    dialogs.fileNames = {writeFile("空白表格.png", png)};
    trigger(*window, "FormImageSet");
    model::TqxPage &page = *report.Pages().page(0);
    ASSERT_TRUE(page.formImage);
    EXPECT_TRUE(window->IsModified());
    EXPECT_TRUE(window->action("FormImageClear")->isEnabled());
    // Faded, and showing through the band that covers the whole certificate page.
    const QImage canvas = window->canvas().grab().toImage();
    const QColor shown = canvas.pixelColor(3, 3);
    EXPECT_GT(shown.red(), shown.green() + 40);
    EXPECT_GT(shown.green(), 100) << "faded, so the fields stay readable over it";

    dialogs.fileNames = {writeFile("损坏.png", png.left(50))};
    trigger(*window, "FormImageSet");
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("损坏.png")));
    ASSERT_TRUE(page.formImage) << "the page keeps the scan it had";
    EXPECT_EQ(page.formImage->bytes(), png);

    dialogs.fileNames = {path("证书.qxf")};
    trigger(*window, "N17");
    engine::TqxComponent otherForm{QStringLiteral("Form2")};
    engine::TqxReport reread{QStringLiteral("qxReport2"), &otherForm, registry, &paper};
    ASSERT_TRUE(reread.LoadTemplate(path("证书.qxf"))) << reread.lastMessage().toStdString();
    ASSERT_TRUE(reread.Pages().page(0)->formImage);
    EXPECT_EQ(reread.Pages().page(0)->formImage->bytes(), png);

    trigger(*window, "FormImageClear");
    EXPECT_FALSE(page.formImage);
    EXPECT_EQ(window->canvas().grab().toImage().pixelColor(3, 3), withoutScan);
}

} // namespace
} // namespace tovren::test
