#include "app/ui/ToolkitTranslations.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QPushButton>
#include <QRegularExpression>
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
