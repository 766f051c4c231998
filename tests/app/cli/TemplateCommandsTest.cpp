#include "app/cli/Command.h"
#include "report/model/TemplateStream.h"
#include "report/model/TqxBandView.h"
#include "report/model/TqxLineView.h"
#include "report/model/TqxPages.h"
#include "tests/support/CommandRunner.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

using namespace tovren;
using namespace tovren::cli;

namespace {

using tovren::test::CommandRun;

CommandRun run(const QStringList &arguments)
{
    return tovren::test::runCommand(arguments);
}

/// A one-page template with a master band and a line, optionally protected.
QByteArray sampleTemplate(const QString &password = {})
{
    model::TqxPages pages;
    model::TemplateSettings settings;
    model::ReportInfo info;
    model::TemplateStream stream(pages, settings, info);
    model::TqxPage &page = *pages.page(pages.Add());
    page.Name = QStringLiteral("Page1");
    page.PaperSize = 11;
    auto band = std::make_unique<model::TqxBandView>();
    band->setBandType(5);
    band->Name = QStringLiteral("主项数据1");
    band->SetBounds(0, 40, 700, 120);
    page.addObject(std::move(band));
    auto line = std::make_unique<model::TqxLineView>();
    line->Name = QStringLiteral("Line1");
    line->SetBounds(10, 50, 200, 0);
    line->Memo = {QStringLiteral("第一行")};
    page.addObject(std::move(line));
    info.password = password;
    info.passwordProtected = !password.isEmpty();
    // A fixed save time: its bytes follow the end marker, which the damage tests find as the
    // last 252 in the file.
    stream.setClock([] { return QDateTime(QDate(2024, 6, 1), QTime(9, 30)); });
    return stream.toBytes();
}

class TemplateCommands : public ::testing::Test
{
protected:
    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    QTemporaryDir dir;
};

TEST_F(TemplateCommands, InfoOutlinesPagesAndObjects)
{
    const CommandRun result = run({"template-info", write("cert.qxf", sampleTemplate())});
    ASSERT_EQ(result.code, 0) << result.err.toStdString();
    EXPECT_TRUE(result.out.contains(QStringLiteral("页 1: Page1")));
    EXPECT_TRUE(result.out.contains(QStringLiteral("主项数据1  [栏 ")));
    EXPECT_TRUE(result.out.contains(QStringLiteral("Line1  [线]  10,50 200x0")));
    EXPECT_TRUE(result.out.contains(QStringLiteral("| 第一行")));
}

TEST_F(TemplateCommands, XmlGoesBesideTheTemplateOrToTheNamedFile)
{
    const QString templ = write("cert.qxf", sampleTemplate());
    ASSERT_EQ(run({"template-xml", templ}).code, 0);
    QFile beside(dir.filePath("cert.qx3"));
    ASSERT_TRUE(beside.open(QIODevice::ReadOnly));
    EXPECT_TRUE(beside.readAll().startsWith("<?xml version=\"1.0\"?>\r\n<TqxReport "));

    const QString named = dir.filePath("out.qx3");
    ASSERT_EQ(run({"template-xml", templ, named}).code, 0);
    EXPECT_TRUE(QFile::exists(named));
}

TEST_F(TemplateCommands, UnreadableTemplatesFailWithoutWritingAnything)
{
    QByteArray damaged = sampleTemplate();
    damaged.insert(damaged.lastIndexOf(char(252)), char(200));
    const QString path = write("bad.qxf", damaged);
    const CommandRun result = run({"template-xml", path});
    EXPECT_NE(result.code, 0);
    EXPECT_TRUE(result.err.contains(QStringLiteral("不支持的QXF格式")));
    EXPECT_FALSE(QFile::exists(dir.filePath("bad.qx3")));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"bad.qxf"}));

    EXPECT_NE(run({"template-info", dir.filePath("missing.qxf")}).code, 0);
    EXPECT_NE(run({"template-info", "a.qxf", "b.qxf"}).code, 0);
    EXPECT_NE(run({"template-info", write("empty.qxf", {})}).code, 0);
}

TEST_F(TemplateCommands, WithoutAFileTheyWorkOnTheBuiltInCertificate)
{
    const CommandRun outline = run({"template-info"});
    ASSERT_EQ(outline.code, 0) << outline.err.toStdString();
    EXPECT_TRUE(outline.out.contains(QStringLiteral("主项数据1")));
    EXPECT_TRUE(outline.out.contains(QStringLiteral("[Aqy.\"SchoolAddress\"]")));

    const QString saved = dir.filePath("certificate.qxf");
    ASSERT_EQ(run({"template-save", saved}).code, 0);
    const CommandRun reread = run({"template-info", saved});
    EXPECT_EQ(reread.out, outline.out) << "the saved file holds the same template";

    const QString xml = dir.filePath("certificate.qx3");
    ASSERT_EQ(run({"template-xml", saved, xml}).code, 0);
    QFile file(xml);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_GT(file.size(), 1000);
}

TEST_F(TemplateCommands, ProtectedTemplatesNeedTheirPassword)
{
    const QString path = write("locked.qxf", sampleTemplate(QStringLiteral("pw")));
    EXPECT_NE(run({"template-info", path}).code, 0);
    EXPECT_NE(run({"template-info", "--password", "PW", path}).code, 0);
    const CommandRun opened = run({"template-info", "--password", "pw", path});
    EXPECT_EQ(opened.code, 0) << opened.err.toStdString();
    EXPECT_TRUE(opened.out.contains(QStringLiteral("受密码保护")));
}

TEST_F(TemplateCommands, MissingAddInClassesAreListedButOnlyRefusedByTheExport)
{
    QByteArray bytes = sampleTemplate();
    // An add-in record of a class nobody registered, placed on page 1 before the end marker.
    const qsizetype end = bytes.lastIndexOf(char(252));
    QByteArray record = QByteArray::fromHex("0a") + QByteArray::fromHex("0800") + "TqxChart" +
                        QByteArray(1, '\0') + QByteArray(1, '\0');
    const qint32 after = static_cast<qint32>(end + record.size() + 4 + 3);
    record += QByteArray(reinterpret_cast<const char *>(&after), 4) + "xyz";
    bytes.insert(end, record);
    const QString path = write("chart.qxf", bytes);

    const CommandRun info = run({"template-info", path});
    EXPECT_EQ(info.code, 0) << info.err.toStdString();
    EXPECT_TRUE(info.err.contains(QStringLiteral("TqxChart")));
    EXPECT_TRUE(info.out.contains(QStringLiteral("Line1")));
    EXPECT_NE(run({"template-xml", path}).code, 0);
    EXPECT_FALSE(QFile::exists(dir.filePath("chart.qx3")));
}

} // namespace
