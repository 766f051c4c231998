#pragma once

#include <QDir>
#include <QString>

#include <gtest/gtest.h>

namespace tovren::test {

/// The folder of real files made elsewhere, or empty when this checkout has none beside it.
inline QString realFixturesDir()
{
    const QString dir = qEnvironmentVariable("TOVREN_FIXTURES_DIR");
    return !dir.isEmpty() && QDir(dir).exists() ? dir : QString();
}

} // namespace tovren::test

/// Skips the current test with a message when the real fixture folder is absent.
#define TOVREN_REQUIRE_FIXTURES(dirVariable)                                                       \
    const QString dirVariable = ::tovren::test::realFixturesDir();                              \
    if (dirVariable.isEmpty())                                                                     \
    GTEST_SKIP() << "real fixture folder not found (set TOVREN_FIXTURES_DIR); skipping"
