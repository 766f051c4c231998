#include "app/cli/TemplateOutline.h"

#include "report/model/ReportInfo.h"
#include "report/model/TemplatePageList.h"
#include "report/model/TqxBandView.h"
#include "report/model/TqxGlobals.h"
#include "report/model/TqxPages.h"
#include "report/model/TqxSubReportView.h"

namespace tovren::cli {

namespace {

QString kindText(model::TqxView &view)
{
    switch (view.ObjectKind) {
    case model::okText:
        return QStringLiteral("文本");
    case model::okPicture:
        return QStringLiteral("图片");
    case model::okBand: {
        const auto &band = static_cast<model::TqxBandView &>(view);
        return QStringLiteral("栏 %1 (%2)").arg(band.title()).arg(band.bandType());
    }
    case model::okSubReport:
        return QStringLiteral("子报表 (页 %1)")
            .arg(static_cast<model::TqxSubReportView &>(view).SubReportPage + 1);
    case model::okLine:
        return QStringLiteral("线");
    default:
        return QStringLiteral("附加对象 ") + view.className();
    }
}

// Text objects answer the font properties; other objects have no font and answer empty.
QString fontText(model::TqxView &view)
{
    const QString name = view.GetPropertyValue(QStringLiteral("FONT.NAME")).toString();
    if (name.isEmpty())
        return {};
    const QString size = view.GetPropertyValue(QStringLiteral("FONT.SIZE")).toString();
    const QString style = view.GetPropertyValue(QStringLiteral("FONT.STYLE")).toString();
    return QStringLiteral("%1 %2pt 样式 %3").arg(name, size, style);
}

void writeObject(QTextStream &out, model::TqxView &view)
{
    out << "    " << view.Name << "  [" << kindText(view) << "]  " << view.Left << ',' << view.Top
        << ' ' << view.Width << 'x' << view.Height;
    const QString font = fontText(view);
    if (!font.isEmpty())
        out << "  " << font;
    if (!view.Visible)
        out << "  不可见";
    out << '\n';
    for (const QString &line : view.Memo)
        out << "      | " << line << '\n';
}

void writePage(QTextStream &out, qsizetype index, const model::TqxPage &page)
{
    out << "页 " << index + 1 << ": " << page.Name;
    if (page.PageType == model::TqxPage::ptDialog) {
        out << "  [对话框] " << page.Caption << "  " << page.Left << ',' << page.Top << ' '
            << page.Width << 'x' << page.Height << '\n';
    } else {
        out << "  纸张 " << page.PaperSize << "  " << page.PaperWidth / 10.0 << 'x'
            << page.PaperHeight / 10.0 << " mm  " << (page.Orientation == 1 ? "横向" : "纵向")
            << "  页边距 " << page.Margins.left << ',' << page.Margins.top << ','
            << page.Margins.right << ',' << page.Margins.bottom << '\n';
    }
    out << "  对象: " << page.objectCount() << '\n';
    for (qsizetype i = 0; i < page.objectCount(); ++i)
        writeObject(out, *page.object(i));
}

} // namespace

void writeTemplateOutline(QTextStream &out, const model::TqxPages &pages,
                          const model::TemplateSettings &settings, const model::ReportInfo &info)
{
    out << "打印机: " << settings.printerName
        << (settings.useDefaultPrinter ? "  (默认打印机)" : "")
        << (settings.twoPass ? "  两遍报表" : "") << '\n';
    if (!info.name.isEmpty() || !info.author.isEmpty() || !info.comment.isEmpty())
        out << "报表: " << info.name << "  作者: " << info.author << "  说明: " << info.comment
            << '\n';
    if (info.passwordProtected)
        out << "受密码保护\n";
    out << "页数: " << pages.Count() << '\n';
    for (qsizetype p = 0; p < pages.Count(); ++p)
        writePage(out, p, *pages.page(p));
}

} // namespace tovren::cli
