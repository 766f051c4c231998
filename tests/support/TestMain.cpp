// Entry point of every test binary. It sets up what the program itself relies on (a UTF-8 locale,
// the project's font rules, no display), so a test binary behaves the same whether CTest or a
// person runs it.
#include <QApplication>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

void setDefault(const char *name, const QByteArray &value)
{
    if (qEnvironmentVariableIsEmpty(name))
        qputenv(name, value);
}

} // namespace

int main(int argc, char **argv)
{
    setDefault("LANG", "C.UTF-8");
    setDefault("QT_QPA_PLATFORM", "offscreen");
    setDefault("FONTCONFIG_FILE", TOVREN_TEST_FONTCONFIG);
    setDefault("TOVREN_FIXTURES_DIR", TOVREN_TEST_FIXTURES);
    QApplication application(argc, argv);
    // Settings, recovery copies and galleries a test writes never reach the user's own folders.
    QStandardPaths::setTestModeEnabled(true);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
