#pragma once

#include "report/output/TqxPrinter.h"
#include "report/preview/PreviewZoomMemory.h"
#include "tests/report/engine/BuildFixture.h"
#include "tests/report/output/FakePlatformPrinter.h"
#include "tests/support/ScriptedDialogs.h"

#include <QTemporaryDir>

namespace tovren::test {

/// A report of three certificate pages (one per row of the browse query), each carrying the
/// texts "abc N" near the top left, "plain" below it and "xABCx N" further right, with a
/// printer layer and scripted dialogs for a preview of it.
class PreviewTest : public BuildTest
{
protected:
    static constexpr int kPages = 3;

    PreviewTest()
        : BuildTest(kPages)
    {
        model::TqxPage &page = addPagePerRecord();
        addText(page, 10, 20, QStringLiteral("abc [Aqy.\"N\"]"));
        addText(page, 10, 60, QStringLiteral("plain"));
        addText(page, 400, 100, QStringLiteral("xABCx [Aqy.\"N\"]"));
        printer.initialize(&platform);
        // Every preview starts from the last zoom of the run; tests start from the default.
        preview::PreviewZoomMemory::last() = {};
    }

    QTemporaryDir dir;
    output::testing::FakePlatformPrinter platform;
    output::TqxPrinter printer;
    ScriptedDialogs dialogs;
};

} // namespace tovren::test
