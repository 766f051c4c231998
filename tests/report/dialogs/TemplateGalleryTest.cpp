#include "report/dialogs/TemplateGallery.h"

#include "report/dialogs/TqxTemplForm.h"
#include "report/dialogs/TqxTemplNewForm.h"
#include "report/engine/ComponentLookup.h"
#include "report/engine/TqxReport.h"
#include "report/platform/DataFolders.h"
#include "tests/support/ScriptedDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tovren::dialogs {
namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class TemplateGalleryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(root.path()).mkpath("shipped") && QDir(root.path()).mkpath("user"));
        report.Pages().Add();
    }
    QString shipped(const QString &name) const { return root.filePath("shipped/" + name); }
    QString user(const QString &name) const { return root.filePath("user/" + name); }
    TemplateGallery gallery() const { return {root.filePath("shipped"), root.filePath("user")}; }
    void saveTemplate(const QString &path, const QString &description)
    {
        ASSERT_TRUE(report.SaveTemplateWithDescription(path, {description}, {}));
    }

    QTemporaryDir root;
    engine::TqxComponentRegistry registry;
    engine::TqxReport report{QStringLiteral("qxReport1"), nullptr, registry};
    test::ScriptedDialogs dialogs;
};

TEST_F(TemplateGalleryTest, ListsTemplateFilesByCaptionWithTheUsersOwnWinning)
{
    saveTemplate(shipped("b.qxt"), "b");
    saveTemplate(shipped("a.qxt"), "a");
    saveTemplate(shipped(QString::fromUtf8("班级名册.qxt")), "roster");
    saveTemplate(user(QString::fromUtf8("班级名册.qxt")), "my roster");
    saveTemplate(user("C.QXT"), "c");
    saveTemplate(shipped(QString::fromUtf8("阿.qxt")), "a");
    writeFile(shipped("notes.txt"), "not a template");
    ASSERT_TRUE(QDir(root.path()).mkpath("shipped/x.qxt"));

    const QList<GalleryEntry> entries = gallery().entries();
    QStringList captions;
    for (const GalleryEntry &entry : entries)
        captions << entry.caption;
    // Chinese order: Chinese captions by their reading (a before ban, though 阿 comes after
    // 班 in Unicode), then Latin ones.
    EXPECT_EQ(captions,
              QStringList({QString::fromUtf8("阿"), QString::fromUtf8("班级名册"), "a", "b", "C"}));
    ASSERT_EQ(entries.size(), 5);
    EXPECT_EQ(entries[1].filePath, user(QString::fromUtf8("班级名册.qxt")));
    EXPECT_EQ(entries[2].filePath, shipped("a.qxt"));
    EXPECT_EQ(gallery().userFolder(), root.filePath("user"));
    EXPECT_TRUE(TemplateGallery(QString(), root.filePath("missing")).entries().isEmpty());
}

TEST_F(TemplateGalleryTest, TheShippedTemplatesReadAsReports)
{
    const TemplateGallery shippedOnly(platform::DataFolders::shippedPath("gallery"), QString());
    const QList<GalleryEntry> entries = shippedOnly.entries();
    ASSERT_GE(entries.size(), 2);
    for (const GalleryEntry &entry : entries) {
        QStringList description;
        model::PictureGraphic picture;
        ASSERT_TRUE(report.LoadTemplateWithDescription(entry.filePath, description, picture, false))
            << entry.caption.toStdString() << ": " << report.lastMessage().toStdString();
        EXPECT_FALSE(description.isEmpty()) << entry.caption.toStdString();
        EXPECT_EQ(picture.kind(), model::PictureGraphic::Kind::Bitmap);
        report.Pages().Clear();
        ASSERT_TRUE(report.LoadTemplateWithDescription(entry.filePath, description, picture, true));
        ASSERT_EQ(report.Pages().Count(), 1) << entry.caption.toStdString();
        EXPECT_EQ(report.Pages().page(0)->PaperSize, 9) << "A4";
    }
}

TEST_F(TemplateGalleryTest, ADamagedTemplateIsExplainedAndTheChooserStaysOpen)
{
    saveTemplate(shipped("good.qxt"), QString::fromUtf8("空白页"));
    writeFile(shipped("bad.qxt"), QByteArray("\x05\x00garbage", 9));

    TqxTemplForm form(report, dialogs, gallery());
    form.show();
    auto *list = form.findChild<QListWidget *>("LB1");
    auto *ok = form.findChild<QPushButton *>("Button1");
    auto *memo = form.findChild<QPlainTextEdit *>("Memo1");
    ASSERT_TRUE(list && ok && memo);
    ASSERT_EQ(list->count(), 2);
    EXPECT_FALSE(ok->isEnabled());

    list->setCurrentRow(1); // good
    QApplication::processEvents();
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_EQ(memo->toPlainText(), QString::fromUtf8("空白页"));

    list->setCurrentRow(0); // bad
    QApplication::processEvents();
    ASSERT_EQ(dialogs.messages.size(), 1) << "explained once";
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_TRUE(memo->toPlainText().isEmpty());
    EXPECT_EQ(report.messages(), nullptr) << "the report's own messages come back";

    list->clearSelection();
    EXPECT_FALSE(ok->isEnabled());
    list->setCurrentRow(1);
    emit list->itemDoubleClicked(list->item(1));
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.templateFileName(), shipped("good.qxt"));
}

TEST_F(TemplateGalleryTest, OnlyABitmapIsKeptWithANewTemplate)
{
    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(root.filePath("icon.bmp")));
    ASSERT_TRUE(image.save(root.filePath("icon.png")));
    writeFile(root.filePath("broken.bmp"), "BM no bitmap");

    TqxTemplNewForm form(dialogs);
    ASSERT_TRUE(form.loadPicture(root.filePath("icon.png")));
    EXPECT_TRUE(form.picture().isEmpty());
    ASSERT_TRUE(form.loadPicture(root.filePath("icon.bmp")));
    EXPECT_EQ(form.picture().kind(), model::PictureGraphic::Kind::Bitmap);
    EXPECT_FALSE(form.loadPicture(root.filePath("broken.bmp")));
    EXPECT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(form.picture().kind(), model::PictureGraphic::Kind::Bitmap) << "kept";

    // The browse button goes through the dialog provider with the bitmap filter first.
    dialogs.fileNames = {root.filePath("icon.png")};
    form.findChild<QPushButton *>("Button1")->click();
    EXPECT_TRUE(form.picture().isEmpty());
    EXPECT_TRUE(form.description().isEmpty());
}

} // namespace
} // namespace tovren::dialogs
