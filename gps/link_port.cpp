#include "gps/link_port.h"

namespace gps {

LinkPort::LinkPort(bool may_borrow)
{
    if (may_borrow && IsNavigationOpen() && GetNavigationPort() != nullptr) {
        m_handle = GetNavigationPort();
        m_borrowed = true;
        return;
    }
    m_handle = OpenGpsPort(GetGpsPortName());
}

LinkPort::~LinkPort()
{
    if (!m_borrowed)
        platform::serial::close(m_handle);
}

bool LinkPort::read_and_poll(GpsMode mode)
{
    if (ReadGpsPort(m_handle) == 0)
        return false;
    PollGps(mode);
    return true;
}

}  // namespace gps
