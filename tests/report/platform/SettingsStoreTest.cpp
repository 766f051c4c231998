#include "report/platform/SettingsStore.h"

#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using tovren::platform::SettingsStore;

TEST(SettingsStore, SectionsUseTheStoredNamesAndBackslashesNest)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("settings.ini"));
    {
        SettingsStore store(ini, QStringLiteral("Tovren"));
        store.writeInteger(SettingsStore::formSection(QStringLiteral("TqxDesignerForm")),
                           QStringLiteral("Width"), 640);
        store.writeBool(SettingsStore::toolBarSection(QStringLiteral("TB1")),
                        QStringLiteral("Visible"), false);
        store.writeString(QStringLiteral("\\Software\\Quorix\\MRUFont"), QStringLiteral("Font1"),
                          QStringLiteral("宋体"));
        store.sync();
    }
    QSettings raw(ini, QSettings::IniFormat);
    EXPECT_EQ(raw.value(QStringLiteral("Tovren/Form/TqxDesignerForm/Width")).toInt(), 640);
    EXPECT_EQ(raw.value(QStringLiteral("Tovren/Software/Quorix/MRUFont/Font1")).toString(),
              QStringLiteral("宋体"));

    SettingsStore reread(ini, QStringLiteral("Tovren"));
    EXPECT_EQ(reread.readInteger(QStringLiteral("Form\\TqxDesignerForm"), QStringLiteral("Width"), 0),
              640);
    EXPECT_FALSE(reread.readBool(QStringLiteral("ToolBar\\TB1"), QStringLiteral("Visible"), true));
}

TEST(SettingsStore, MissingOrUnreadableValuesGiveTheDefault)
{
    QTemporaryDir dir;
    SettingsStore store(dir.filePath(QStringLiteral("s.ini")), QStringLiteral("Tovren"));
    EXPECT_EQ(store.readInteger(QStringLiteral("Form\\X"), QStringLiteral("Left"), 17), 17);
    EXPECT_TRUE(store.readBool(QStringLiteral("Form\\X"), QStringLiteral("Maximized"), true));
    EXPECT_EQ(store.readString(QStringLiteral("Form\\X"), QStringLiteral("Name"), QStringLiteral("d")),
              QStringLiteral("d"));
    store.writeString(QStringLiteral("Form\\X"), QStringLiteral("Left"), QStringLiteral("abc"));
    EXPECT_EQ(store.readInteger(QStringLiteral("Form\\X"), QStringLiteral("Left"), 5), 5);
    store.writeString(QStringLiteral("Form\\X"), QStringLiteral("Maximized"), QStringLiteral("maybe"));
    EXPECT_FALSE(store.readBool(QStringLiteral("Form\\X"), QStringLiteral("Maximized"), false));
}
