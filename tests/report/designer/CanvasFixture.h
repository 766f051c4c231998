#pragma once

#include "app/certificate/CertificateTemplate.h"
#include "report/designer/DesignerHost.h"
#include "report/designer/PageScrollBox.h"
#include "report/designer/TqxDesignerPage.h"
#include "report/model/ReportInfo.h"
#include "report/model/TemplatePageList.h"
#include "report/model/TqxGlobals.h"
#include "report/model/TqxPages.h"
#include "tests/support/ScriptedDialogs.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

namespace tovren::test {

/// Paper exactly as asked, with no unprintable margin.
class CanvasPaper : public model::PaperSelector
{
public:
    std::optional<Selection> selectSheet(const model::SheetRequest &request) override
    {
        Selection selection{request, {}};
        const auto px = [](model::TenthsMm tenths) {
            return static_cast<int>(std::lround(tenths / 254.0 * 91.6256157635468));
        };
        selection.metrics.PaperWidthPx = selection.metrics.PrintWidthPx = px(request.width);
        selection.metrics.PaperHeightPx = selection.metrics.PrintHeightPx = px(request.height);
        return selection;
    }
    int defaultPaperCode() const override { return 9; }
    QStringList paperNames() const override { return {}; }
    QList<int> paperCodes() const override { return {}; }
};

/// The designer window as far as the canvas sees it, recording what the canvas told it.
class FakeDesignerHost : public designer::DesignerHost
{
public:
    designer::ObjectTool tool;
    bool sticky = false;
    designer::CanvasOptions options;
    designer::LastUsedFormat format;
    ScriptedDialogs dialogBoxes;
    std::optional<int> bandChoice;

    std::vector<designer::UndoStepKind> undoSteps;
    int selectionChanges = 0;
    int modifications = 0;
    int pageListChanges = 0;
    int pageEditorsOpened = 0;
    std::vector<std::pair<model::TqxView *, bool>> editorsOpened;
    std::optional<bool> askedBandForSubReportTarget;

    designer::ObjectTool currentTool() const override { return tool; }
    bool stickyTool() const override { return sticky; }
    designer::CanvasOptions canvasOptions() const override { return options; }
    designer::LastUsedFormat lastUsedFormat() const override { return format; }
    platform::DialogProvider &dialogs() override { return dialogBoxes; }
    std::optional<int> chooseBandType(bool subReportTarget) override
    {
        askedBandForSubReportTarget = subReportTarget;
        return bandChoice;
    }
    void pressSelectTool() override { tool = designer::ObjectTool{}; }
    void recordUndoStep(designer::UndoStepKind kind) override { undoSteps.push_back(kind); }
    void markModified() override { ++modifications; }
    void selectionChanged() override { ++selectionChanges; }
    void selectionGeometryChanged() override {}
    void showTrackingRect(const std::optional<designer::TrackingRect> &) override {}
    void openObjectEditor(model::TqxView &view, bool textEditor) override
    {
        editorsOpened.emplace_back(&view, textEditor);
    }
    void openPageEditor() override { ++pageEditorsOpened; }
    void openContextMenu(const QPoint &) override {}
    void pageListChanged() override { ++pageListChanges; }
};

/// The certificate template shown on a canvas in its scroll box, and a mouse to drive it.
class CanvasTest : public ::testing::Test
{
protected:
    CanvasTest()
    {
        host.options.editAfterInsert = false;
        app::buildCertificateTemplate(pages, settings, info);
        box.resize(1000, 700);
        box.show();
        canvas().setPage(&pages, 0);
    }
    ~CanvasTest() override { canvas().setPage(nullptr, -1); }

    designer::TqxDesignerPage &canvas() { return box.canvas(); }
    model::TqxPage &page() { return *pages.page(0); }
    model::TqxView &object(const char *name) { return *page().FindObjectByName(name); }
    model::TqxView &band() { return object("主项数据1"); }

    void setGrid(int step, bool align = true) { host.options.grid = {step, true, align}; }
    void chooseTool(int tag, bool sticky = false)
    {
        host.tool = designer::ObjectTool{tag};
        host.sticky = sticky;
        canvas().toolChanged();
    }

    void sendMove(QPoint point, Qt::MouseButtons held, Qt::KeyboardModifiers modifiers)
    {
        QMouseEvent event(QEvent::MouseMove, point, canvas().mapToGlobal(point), Qt::NoButton, held,
                          modifiers);
        QApplication::sendEvent(&canvas(), &event);
    }
    void hover(QPoint point, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        sendMove(point, Qt::NoButton, modifiers);
    }
    void press(QPoint point, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        hover(point, modifiers);
        QTest::mousePress(&canvas(), Qt::LeftButton, modifiers, point);
    }
    void dragTo(QPoint point, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        sendMove(point, Qt::LeftButton, modifiers);
    }
    void release(QPoint point, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::mouseRelease(&canvas(), Qt::LeftButton, modifiers, point);
    }
    void click(QPoint point, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        press(point, modifiers);
        release(point, modifiers);
    }
    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        press(from, modifiers);
        dragTo(to, modifiers);
        release(to, modifiers);
    }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(&canvas(), key, modifiers);
    }

    static QRect bounds(const model::TqxView &view)
    {
        return QRect(view.Left, view.Top, view.Width, view.Height);
    }
    QStringList selectedNames()
    {
        QStringList names;
        for (const model::TqxView *view : canvas().selection().objects())
            names.append(view->Name);
        return names;
    }
    /// A new object made by the library's registry, added on top of the page.
    model::TqxView &addObject(int kind, QRect geometry, const QString &name)
    {
        auto made = model::TqxGlobals::instance().objects.CreateObjectByKind(kind);
        made->Name = name;
        made->SetBounds(geometry.x(), geometry.y(), geometry.width(), geometry.height());
        return page().addObject(std::move(made));
    }

    FakeDesignerHost host;
    CanvasPaper paper;
    model::TqxPages pages{&paper};
    model::TemplateSettings settings;
    model::ReportInfo info;
    designer::PageScrollBox box{host};
};

} // namespace tovren::test
