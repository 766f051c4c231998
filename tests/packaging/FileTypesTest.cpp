// The desktop's file types of the program's report files: a file manager tells templates,
// prepared reports and dictionaries apart by their first bytes when a file has lost its name.
#include "app/cli/Command.h"
#include "app/db/ConnectionSpec.h"
#include "app/db/DbConnection.h"
#include "app/demo/DemoDataWriter.h"
#include "report/engine/TqxDataDictionary.h"

#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

using namespace tovren;

namespace {

QString runCommand(const QStringList &arguments)
{
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    cli::CommandIo io{outStream, errStream};
    const int code = cli::dispatch(arguments, io);
    errStream.flush();
    return code == 0 ? QString() : err;
}

/// A copy of @p path without its extension, so only its content can name its type.
QString nameless(const QString &path)
{
    QString copy = path;
    copy[path.lastIndexOf(u'.')] = u'_';
    EXPECT_TRUE(QFile::copy(path, copy)) << copy.toStdString();
    return copy;
}

TEST(FileTypesTest, TheProgramsOwnFilesAreRecognisedByTheirFirstBytes)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // The desktop's file type database of this test: the program's definitions alone, read
    // from the file that is installed.
    const QString packages = dir.filePath(QStringLiteral("share/mime/packages"));
    ASSERT_TRUE(QDir().mkpath(packages));
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(TOVREN_MIME_XML), packages + QStringLiteral("/tovren.xml")));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(dir.filePath(QStringLiteral("share"))));

    const QString store = dir.filePath(QStringLiteral("store.db"));
    {
        db::TDbConnection connection(db::ConnectionSpec::parse(store));
        demo::writeDemoGraduates(connection, 2, 7);
    }
    const QString templateFile = dir.filePath(QStringLiteral("证书.qxf"));
    const QString pagesFile = dir.filePath(QStringLiteral("证书.qxp"));
    const QString dictionaryFile = dir.filePath(QStringLiteral("字典.qxd"));
    ASSERT_EQ(runCommand({"template-save", templateFile}), QString());
    ASSERT_EQ(runCommand({"build", "--database", store, "--qxp", pagesFile}), QString());
    engine::TqxDataDictionary dictionary;
    dictionary.SaveFile(dictionaryFile);

    const QMimeDatabase types;
    const auto typeOf = [&](const QString &path) {
        return types.mimeTypeForFile(path, QMimeDatabase::MatchContent).name();
    };
    EXPECT_EQ(typeOf(nameless(templateFile)), QStringLiteral("application/x-tovren-template"));
    EXPECT_EQ(typeOf(nameless(pagesFile)), QStringLiteral("application/x-tovren-prepared-report"));
    EXPECT_EQ(typeOf(nameless(dictionaryFile)), QStringLiteral("application/x-tovren-dictionary"));
    // The extension decides over the first bytes, which the formats share.
    EXPECT_EQ(types.mimeTypeForFile(templateFile).name(),
              QStringLiteral("application/x-tovren-template"));
    EXPECT_EQ(types.mimeTypeForFile(pagesFile).name(),
              QStringLiteral("application/x-tovren-prepared-report"));
    EXPECT_EQ(types.mimeTypeForFile(dictionaryFile).name(),
              QStringLiteral("application/x-tovren-dictionary"));
    EXPECT_EQ(types.mimeTypeForFile(QStringLiteral("/nowhere/空白A4.qxt")).name(),
              QStringLiteral("application/x-tovren-gallery-template"));
}

} // namespace
