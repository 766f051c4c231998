#include "report/engine/TqxDesignerHost.h"

namespace tovren::engine {

namespace {

// One of the library-wide registrations made at start-up, like the preview window.
TqxDesignerHost *&registeredHost()
{
    static TqxDesignerHost *host = nullptr;
    return host;
}

} // namespace

TqxDesignerHost *TqxDesignerHost::registered()
{
    return registeredHost();
}

TqxDesignerRegistration::TqxDesignerRegistration(TqxDesignerHost &host)
    : m_previous(registeredHost())
{
    registeredHost() = &host;
}

TqxDesignerRegistration::~TqxDesignerRegistration()
{
    registeredHost() = m_previous;
}

} // namespace tovren::engine
