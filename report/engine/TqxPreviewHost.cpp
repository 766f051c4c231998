#include "report/engine/TqxPreviewHost.h"

namespace tovren::engine {

namespace {

// Part of the library-wide registrations made at start-up, like the designer class.
TqxPreviewHost *&registeredHost()
{
    static TqxPreviewHost *host = nullptr;
    return host;
}

} // namespace

TqxPreviewHost *TqxPreviewHost::registered()
{
    return registeredHost();
}

TqxPreviewRegistration::TqxPreviewRegistration(TqxPreviewHost &host)
    : m_previous(registeredHost())
{
    registeredHost() = &host;
}

TqxPreviewRegistration::~TqxPreviewRegistration()
{
    registeredHost() = m_previous;
}

} // namespace tovren::engine
