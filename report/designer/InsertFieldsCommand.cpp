#include "report/designer/InsertFieldsCommand.h"

#include "report/designer/ObjectInsertion.h"
#include "report/designer/ObjectOrder.h"
#include "report/dialogs/InsertFieldsChoice.h"
#include "report/engine/DataSourceListing.h"
#include "report/engine/TqxReport.h"
#include "report/model/BandType.h"
#include "report/model/ObjectRegistry.h"
#include "report/model/TqxBandView.h"
#include "report/model/TqxMemoView.h"
#include "report/model/TqxPage.h"

#include <QFontMetricsF>
#include <cmath>

namespace tovren::designer {

namespace {

/// Display width in characters of a field whose data set tells none.
constexpr int kDefaultFieldChars = 6;

QString fieldReference(const QString &dataSet, const QString &field)
{
    return u'[' + dataSet + QStringLiteral(".\"") + field + QStringLiteral("\"]");
}

bool hasBandOfType(const model::TqxPage &page, int bandType)
{
    for (qsizetype i = 0; i < page.objectCount(); ++i) {
        const auto *band = dynamic_cast<const model::TqxBandView *>(page.object(i));
        if (band && band->bandType() == bandType)
            return true;
    }
    return false;
}

} // namespace

InsertFieldsCommand::InsertFieldsCommand(engine::TqxReport &report, qsizetype pageIndex,
                                         model::ObjectRegistry &registry,
                                         const LastUsedFormat &format, int gridStepPixels)
    : m_report(report)
    , m_pageIndex(pageIndex)
    , m_registry(registry)
    , m_format(format)
    , m_grid(qMax(1, gridStepPixels))
{}

model::TqxPage &InsertFieldsCommand::page() const
{
    return *m_report.Pages().page(m_pageIndex);
}

model::TqxView &InsertFieldsCommand::addText(const QString &text, QPoint at, bool bold)
{
    auto view = m_registry.CreateObjectByKind(model::okText);
    auto &memo = static_cast<model::TqxMemoView &>(*view);
    const QSize size = ObjectInsertion::defaultObjectSize(m_grid, m_format.fontSizePoints);
    memo.Left = at.x();
    memo.Top = at.y();
    memo.Width = size.width();
    memo.Height = size.height();
    memo.Font.setFamily(m_format.fontName);
    memo.Font.setPointSize(m_format.fontSizePoints);
    memo.Font.setBold(bold);
    memo.Memo = QStringList{text};
    memo.Selected = true;
    model::TqxView &added = page().addObject(std::move(view));
    added.MakeUniqueName(
        [this](const QString &name) { return m_report.Pages().isObjectNameTaken(name); });
    return added;
}

model::TqxView &InsertFieldsCommand::addBand(int bandType, int top, int height,
                                             const QString &dataSource)
{
    auto view = m_registry.CreateObjectByKind(model::okBand);
    auto &band = static_cast<model::TqxBandView &>(*view);
    band.setBandType(bandType);
    band.BaseName = ObjectInsertion::bandBaseName(bandType);
    band.Top = top;
    band.Height = height;
    band.CustomFormat = dataSource;
    band.Selected = true;
    model::TqxView &added = page().addObject(std::move(view));
    added.MakeUniqueName(
        [this](const QString &name) { return m_report.Pages().isObjectNameTaken(name); });
    return added;
}

double InsertFieldsCommand::textWidthPixels(const model::TqxView &text, const QString &sample) const
{
    // Measured the way the canvas lays text out: the font at its pixel height.
    QFont font = static_cast<const model::TqxMemoView &>(text).Font;
    font.setPixelSize(int(std::lround(font.pointSizeF() * 96.0 / 72.0)));
    return QFontMetricsF(font).horizontalAdvance(sample);
}

QList<model::TqxView *> InsertFieldsCommand::run(const dialogs::InsertFieldsChoice &choice)
{
    const engine::DataSourceListing listing(m_report);
    const engine::TqxRecordSet *dataSet = listing.findDataSet(choice.dataSet);
    if (!dataSet || choice.fields.isEmpty())
        return {};
    model::TqxPage &target = page();
    for (qsizetype i = 0; i < target.objectCount(); ++i)
        target.object(i)->Selected = false;

    QList<model::TqxView *> headers;
    QList<model::TqxView *> data;
    QPoint at(target.LeftEdge(), target.TopEdge());
    for (const QString &field : choice.fields) {
        // The fields come as the dictionary shows them, by their aliases where they have
        // one: the header reads as the clerk chose it, the reference resolves through the
        // dictionary when the report is built.
        const QString &header = field;
        const int widthChars = kDefaultFieldChars;
        const QString reference = fieldReference(choice.dataSet, field);
        model::TqxView &first = addText(choice.headers ? header : reference, at, choice.headers);
        const double firstWidth = choice.headers
                                      ? textWidthPixels(first, header + QStringLiteral("   "))
                                      : widthChars * textWidthPixels(first, QStringLiteral("="));
        // A text narrower than one grid step still gets a step, so it can be seen and grabbed.
        first.Width = qMax(m_grid, m_grid * (int(firstWidth) / m_grid));
        model::TqxView *last = &first;
        if (choice.headers) {
            headers << &first;
            const QPoint dataAt = choice.horizontal ? at + QPoint(0, kRowDistancePixels)
                                                    : at + QPoint(m_grid * 2 + first.Width, 0);
            model::TqxView &second = addText(reference, dataAt, false);
            const int width = int(widthChars * textWidthPixels(first, QStringLiteral("=")));
            second.Width = qMax(m_grid, width / m_grid * m_grid);
            data << &second;
            last = &second;
        } else {
            data << &first;
        }
        if (choice.horizontal)
            at.rx() += m_grid + last->Width;
        else
            at.ry() += m_grid + last->Height;
    }
    if (choice.horizontal)
        squeezeRow(data, headers);

    QList<model::TqxView *> created = headers + data;
    if (choice.bands) {
        const model::TqxView &lastObject = choice.headers ? *headers.last() : *data.last();
        const int top = target.TopEdge();
        const int height = lastObject.Top + lastObject.Height - top;
        const QString source = listing.reportSourceFor(*dataSet);
        if (choice.headers && choice.horizontal) {
            // A page has one page header; a second run keeps the one it has.
            if (!hasBandOfType(target, model::btPageHeader))
                created << &addBand(model::btPageHeader, top, height, QString());
            created << &addBand(model::btMasterData, top + kRowDistancePixels, height, source);
        } else {
            created << &addBand(model::btMasterData, top, height, source);
        }
    }
    putBandsFirst(target);
    return created;
}

void InsertFieldsCommand::squeezeRow(const QList<model::TqxView *> &data,
                                     const QList<model::TqxView *> &headers)
{
    const model::TqxPage &target = page();
    const int left = target.LeftEdge();
    const int available = target.RightEdge() - left;
    const model::TqxView &last = *data.last();
    const int used = last.Left + last.Width - left;
    if (available <= 0 || used <= available)
        return;
    const double factor = double(used) / available;
    for (qsizetype i = 0; i < data.size(); ++i) {
        model::TqxView &field = *data[i];
        field.Left = int(std::lround((field.Left - left) / factor)) + left;
        field.Width = int(std::lround(field.Width / factor));
        if (i < headers.size()) {
            headers[i]->Left = field.Left;
            headers[i]->Width = qMin(headers[i]->Width, field.Width);
        }
    }
}

} // namespace tovren::designer
