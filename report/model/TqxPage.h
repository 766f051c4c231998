#pragma once

#include "report/model/ColorRef.h"
#include "report/model/PaperSelector.h"
#include "report/model/TqxObject.h"
#include "report/model/TqxPageMetrics.h"
#include "report/model/TqxView.h"

#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

namespace tovren::model {

class FormImage;

/// Page margins in design pixels; 0 stands for the printer's unprintable offset.
struct PageMargins
{
    DesignPixels left = 0;
    DesignPixels top = 0;
    DesignPixels right = 0;
    DesignPixels bottom = 0;
};

/// One page of a template: its paper settings and the objects it owns, in drawing order.
///
/// Paper settings go through ChangePaper(), so PageInfo always matches what the printer layer
/// accepted; setting the named properties changes the fields only. A dialog page is data here:
/// the builder decides how to show it.
class TqxPage : public TqxObject
{
public:
    static constexpr int kDefaultBin = 0xFFFF;
    enum PageKind : quint8 { ptReport = 0, ptDialog = 1 };

    /// Selects the paper through @p paper, which must outlive the page; with no selector the
    /// page keeps the values as asked and has empty metrics.
    TqxPage(PaperSelector *paper, const SheetRequest &sheet);
    ~TqxPage() override;

    void SetPropertyValue(const QString &name, const script::Variant &value) override;
    script::Variant GetPropertyValue(const QString &name) override;
    void RegisterProperties() override;

    /// Asks the printer layer for the sheet, falling back to a custom size on the default bin
    /// when the printer refuses it, and copies back what is in force.
    void ChangePaper(const SheetRequest &sheet);

    qsizetype objectCount() const { return static_cast<qsizetype>(m_objects.size()); }
    TqxView *object(qsizetype index) const;
    /// Takes ownership; returns the object now held by the page.
    TqxView &addObject(std::unique_ptr<TqxView> view);
    /// Puts @p view at list position @p index (clamped to the list) and owns it.
    TqxView &insertObject(qsizetype index, std::unique_ptr<TqxView> view);
    /// Takes the object at @p index out of the list; null outside the list.
    std::unique_ptr<TqxView> takeObject(qsizetype index);
    void Clear() { m_objects.clear(); }
    /// Destroys the object at @p index; ignored for an index outside the list.
    void Delete(qsizetype index);
    /// Moves the object at @p from to @p to in the drawing order, the others closing up;
    /// ignored when either index is outside the list.
    void moveObject(qsizetype from, qsizetype to);
    qsizetype FindObjectById(qint32 id) const;
    TqxView *FindObjectByName(const QString &name) const;

    /// Printable area in design pixels: margins, or the printer's offsets where a margin is 0.
    DesignPixels LeftEdge() const;
    DesignPixels TopEdge() const;
    DesignPixels RightEdge() const;
    DesignPixels BottomEdge() const;

    /// Name := "Page" + n for the first n from 1 to 10000 that @p isTaken refuses.
    void MakeUniquePageName(const std::function<bool(const QString &)> &isTaken);

    int PaperSize = 9;
    TenthsMm PaperWidth = 0;
    TenthsMm PaperHeight = 0;
    PageMargins Margins;
    quint8 Orientation = 0;
    int PaperBin = kDefaultBin;
    bool PrintToPrevPage = false;
    bool UseMargins = true;
    TqxPageMetrics PageInfo;
    qint32 ColCount = 0;
    DesignPixels ColWidth = 0;
    DesignPixels ColGap = 0;
    quint8 PageType = ptReport;
    QString Name;
    quint8 BorderStyle = 3;
    QString Caption = QStringLiteral("Form");
    ColorRef Color = clBtnFace;
    qint32 Left = 220;
    qint32 Top = 120;
    qint32 Width = 380;
    qint32 Height = 300;
    quint8 Position = 4;
    QStringList Script;
    bool Visible = true;
    /// The scan of the blank form shown under the page while designing; never printed. Shared,
    /// because a build hands it to the preview without copying the picture.
    std::shared_ptr<const FormImage> formImage;

private:
    DesignPixels pageFooterHeight() const;

    PaperSelector *m_paper;
    std::vector<std::unique_ptr<TqxView>> m_objects;
};

} // namespace tovren::model
