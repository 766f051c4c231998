#include "app/certificate/CalibrationPage.h"

#include "report/engine/TqxEMFPages.h"
#include "report/engine/TqxReport.h"
#include "report/model/StyleConstants.h"
#include "report/model/TqxBandView.h"
#include "report/model/TqxLineView.h"
#include "report/model/TqxMemoView.h"
#include "report/model/TqxPage.h"
#include "report/model/TqxPages.h"
#include "report/model/Units.h"

namespace tovren::app {

namespace {

constexpr int kTenthsMmPerMm = 10;
const model::ColorRef kGridGrey = 0x00C0C0C0;
const model::ColorRef kFieldRed = 0x000000FF;

model::DesignPixels fromMm(int mm)
{
    return model::designPixelsFromTenthsMm(mm * kTenthsMmPerMm);
}

void addLine(engine::TqxEMFPages &pages, qsizetype index, QRect designPixels, int mm)
{
    model::TqxLineView line;
    line.SetBounds(designPixels.left(), designPixels.top(), designPixels.width(),
                   designPixels.height());
    line.applyOrientation();
    line.FrameColor = mm % 10 == 0 ? model::clBlack : kGridGrey;
    line.FrameWidth = mm % 10 == 0 ? 1.0 : mm % 5 == 0 ? 0.6 : 0.2;
    pages.appendObject(index, line);
}

void addLabel(engine::TqxEMFPages &pages, qsizetype index, QPoint designPixels, const QString &text,
              model::ColorRef colour, double points)
{
    model::TqxMemoView label;
    label.Memo = QStringList{text};
    label.ExpandedText = label.Memo;
    label.Font = QFont(QStringLiteral("Arial"));
    label.Font.setPointSizeF(points);
    label.FontColor = colour;
    label.Flags = 0;
    label.SetBounds(designPixels.x(), designPixels.y(), 120, 14);
    pages.appendObject(index, label);
}

} // namespace

bool makeCalibrationPage(engine::TqxReport &report)
{
    if (report.Pages().Count() == 0)
        return false;
    const model::TqxPage &form = *report.Pages().page(0);
    engine::TqxEMFPages &pages = report.EMFPages();
    pages.Clear();
    pages.Add(form);
    const qsizetype index = 0;
    const int widthMm = pages.Page(index).paperWidth / kTenthsMmPerMm;
    const int heightMm = pages.Page(index).paperHeight / kTenthsMmPerMm;

    for (int mm = 0; mm <= widthMm; ++mm)
        addLine(pages, index, QRect(fromMm(mm), 0, 0, fromMm(heightMm)), mm);
    for (int mm = 0; mm <= heightMm; ++mm)
        addLine(pages, index, QRect(0, fromMm(mm), fromMm(widthMm), 0), mm);
    for (int cm = 1; cm * 10 < widthMm; ++cm)
        addLabel(pages, index, QPoint(fromMm(cm * 10) + 2, 2), QString::number(cm * 10),
                 model::clBlack, 6);
    for (int cm = 1; cm * 10 < heightMm; ++cm)
        addLabel(pages, index, QPoint(2, fromMm(cm * 10) + 2), QString::number(cm * 10),
                 model::clBlack, 6);

    for (qsizetype i = 0; i < form.objectCount(); ++i) {
        const model::TqxView &field = *form.object(i);
        if (dynamic_cast<const model::TqxBandView *>(&field))
            continue;
        model::TqxMemoView outline;
        outline.SetBounds(field.Left, field.Top, field.Width, field.Height);
        outline.FrameTyp = model::kFrameLineMask;
        outline.FrameColor = kFieldRed;
        outline.FrameWidth = 1;
        outline.Flags = 0;
        pages.appendObject(index, outline);
        addLabel(pages, index, QPoint(field.Left + 1, field.Top + 1), field.Name, kFieldRed, 5);
    }
    return true;
}

} // namespace tovren::app
