#include "app/ui/ToolkitTranslations.h"

#include "app/ui/FileDialogColumns.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLibraryInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <gtest/gtest.h>

using namespace tovren;

namespace {

bool isChinese(const QString &text)
{
    return text.contains(QRegularExpression(QStringLiteral("\\p{Han}")));
}

TEST(ToolkitTranslations, TheFileChooserOfSaveAndPrintToFileSpeaksChinese)
{
    const QString installed =
        QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_zh_CN.qm");
    if (!QFile::exists(installed))
        GTEST_SKIP() << "the toolkit's Chinese translations are not installed";

    QTranslator *translator = app::installToolkitTranslations(*QCoreApplication::instance());
    ASSERT_NE(translator, nullptr);
    {
        QFileDialog chooser;
        chooser.setOption(QFileDialog::DontUseNativeDialog);
        chooser.setAcceptMode(QFileDialog::AcceptSave);
        const auto *buttons = chooser.findChild<QDialogButtonBox *>();
        ASSERT_NE(buttons, nullptr);
        for (const QAbstractButton *button : buttons->buttons())
            EXPECT_TRUE(isChinese(button->text())) << button->text().toStdString();
    }
    QCoreApplication::removeTranslator(translator);
    delete translator;
}

} // namespace

TEST(FileDialogColumns, SizesTypesAndDatesReadAsOnAChineseDesktop)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("名单.csv")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(3 * 1024 * 1024 + 400 * 1024, 'x'));
    file.close();
    QDir(dir.path()).mkdir(QStringLiteral("旧数据"));

    QFileSystemModel files;
    const QModelIndex root = files.setRootPath(dir.path());
    app::FileDialogColumns columns;
    columns.setSourceModel(&files);
    QTRY_COMPARE_WITH_TIMEOUT(files.rowCount(root), 2, 5000);
    const auto shown = [&](const QString &name, int column) {
        const QModelIndex source = files.index(dir.filePath(name), column);
        return columns.mapFromSource(source).data().toString();
    };
    EXPECT_EQ(shown(QStringLiteral("名单.csv"), 1), QStringLiteral("3.4 MB"));
    EXPECT_EQ(shown(QStringLiteral("名单.csv"), 2), QStringLiteral("CSV 文件"));
    EXPECT_TRUE(shown(QStringLiteral("名单.csv"), 3)
                    .startsWith(QString::number(QDate::currentDate().year()) + u'/'));
    EXPECT_EQ(shown(QStringLiteral("旧数据"), 1), QString());
    EXPECT_EQ(shown(QStringLiteral("旧数据"), 2), QStringLiteral("文件夹"));
    EXPECT_EQ(app::FileDialogColumns::sizeText(512), QStringLiteral("512 字节"));
}
