#include "report/model/ObjectRegistry.h"

#include "report/model/TqxBandView.h"
#include "report/model/TqxLineView.h"
#include "report/model/TqxPictureView.h"
#include "report/model/TqxSubReportView.h"

#include <algorithm>

namespace tovren::model {

bool ObjectRegistry::RegisterAddInObject(const QString &className, Factory create,
                                         const QImage &bitmap, const QString &hint)
{
    const bool known = std::any_of(m_addIns.begin(), m_addIns.end(),
                                   [&](const auto &info) { return info.className == className; });
    if (known || !create || static_cast<int>(m_addIns.size()) >= kMaxAddIns)
        return false;
    // A device-independent copy, so the designer can draw it on any surface.
    const QImage stored =
        bitmap.isNull() ? QImage() : bitmap.convertToFormat(QImage::Format_ARGB32);
    m_addIns.push_back(AddInInfo{className, std::move(create), stored, hint, 0});
    return true;
}

std::unique_ptr<TqxView> ObjectRegistry::CreateObjectByKind(int kind, const QString &className)
{
    std::unique_ptr<TqxView> view;
    switch (kind) {
    case okText:
        if (m_createText)
            view = m_createText();
        if (view)
            view->ObjectKind = okText;
        break;
    case okPicture:
        view = std::make_unique<TqxPictureView>();
        break;
    case okBand:
        view = std::make_unique<TqxBandView>();
        break;
    case okSubReport:
        view = std::make_unique<TqxSubReportView>();
        break;
    case okLine:
        view = std::make_unique<TqxLineView>();
        break;
    case okAddIn: {
        const auto it = std::find_if(m_addIns.begin(), m_addIns.end(),
                                     [&](const auto &info) { return info.className == className; });
        if (it == m_addIns.end()) {
            m_missingClass = true;
            m_missingMessage += className + u'\r';
            throw EClassNotFound(m_missingMessage);
        }
        view = it->create();
        if (view)
            view->ObjectKind = okAddIn;
        break;
    }
    default:
        break;
    }
    if (view)
        view->ObjectId = m_objectIdCounter++;
    return view;
}

void ObjectRegistry::clearMissingClasses()
{
    m_missingClass = false;
    m_missingMessage.clear();
}

} // namespace tovren::model
