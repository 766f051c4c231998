#include "report/designer/FormImageCommand.h"

#include "report/model/FormImage.h"
#include "report/model/TqxPage.h"
#include "report/platform/DialogProvider.h"

#include <QString>

namespace tovren::designer {

bool FormImageCommand::choose(model::TqxPage &page) const
{
    const QString fileName =
        m_dialogs.openFileName(QStringLiteral("设置表格底图"),
                               QStringLiteral("图片文件 (*.jpg *.jpeg *.png *.bmp);;所有文件 (*)"));
    if (fileName.isEmpty())
        return false;
    QString refusal;
    std::optional<model::FormImage> image = model::FormImage::fromFile(fileName, refusal);
    if (!image) {
        m_dialogs.messageBox(refusal, QStringLiteral("错误"),
                             platform::mb_Ok | platform::mb_IconError);
        return false;
    }
    page.formImage = std::make_shared<const model::FormImage>(std::move(*image));
    return true;
}

bool FormImageCommand::clear(model::TqxPage &page) const
{
    if (!page.formImage)
        return false;
    page.formImage.reset();
    return true;
}

} // namespace tovren::designer
