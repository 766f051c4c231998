#include "report/platform/DataFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using tovren::platform::DataFolders;

// An installed copy reads its own share/tovren even on the machine that built it, where the
// source tree is still present; a copy in a build folder (no share beside it) reads the source
// tree; TOVREN_DATA_DIR overrides both.
TEST(DataFolders, TheInstalledDataWinsOverTheSourceTreeAndTheEnvironmentOverBoth)
{
    const QByteArray overridden = qgetenv("TOVREN_DATA_DIR");
    qunsetenv("TOVREN_DATA_DIR");
    QTemporaryDir prefix;
    ASSERT_TRUE(QDir().mkpath(prefix.filePath(QStringLiteral("bin"))));
    ASSERT_TRUE(QDir().mkpath(prefix.filePath(QStringLiteral("share/tovren"))));
    const QString installed =
        QFileInfo(prefix.filePath(QStringLiteral("share/tovren"))).canonicalFilePath();
    const QString source =
        QFileInfo(QStringLiteral(TOVREN_TEST_SOURCE_DATA_DIR)).canonicalFilePath();

    EXPECT_EQ(DataFolders::shippedDirFor(prefix.filePath(QStringLiteral("bin"))), installed);
    QTemporaryDir buildFolder;
    EXPECT_EQ(DataFolders::shippedDirFor(buildFolder.filePath(QStringLiteral("app"))), source);
    EXPECT_EQ(DataFolders::shippedDirFor(QString()), source);

    QTemporaryDir portable;
    qputenv("TOVREN_DATA_DIR", QFile::encodeName(portable.path()));
    EXPECT_EQ(DataFolders::shippedDirFor(prefix.filePath(QStringLiteral("bin"))),
              QFileInfo(portable.path()).canonicalFilePath());
    if (overridden.isNull())
        qunsetenv("TOVREN_DATA_DIR");
    else
        qputenv("TOVREN_DATA_DIR", overridden);
}
