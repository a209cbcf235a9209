#pragma once
// The port a GPS dialog reads through for as long as it is open: opened by name when the dialog opens,
// or borrowed from the navigation display that opened the dialog, and closed when the dialog goes unless
// it was borrowed.

#include "gps/gps_link.h"
#include "platform/serial/serial.h"

namespace gps {

class LinkPort {
public:
    // Borrows the navigation display's handle while one is open (when `may_borrow`); otherwise opens the
    // port named by GetGpsPortName. handle() is null when the port could not be opened.
    explicit LinkPort(bool may_borrow);
    ~LinkPort();
    LinkPort(const LinkPort&) = delete;
    LinkPort& operator=(const LinkPort&) = delete;

    platform::serial::Handle handle() const { return m_handle; }
    bool is_open() const { return m_handle != nullptr; }
    bool borrowed() const { return m_borrowed; }

    // One tick of a consumer: reads what arrived and, when something did, parses it in `mode`. False when
    // nothing arrived.
    bool read_and_poll(GpsMode mode);

private:
    platform::serial::Handle m_handle = nullptr;
    bool m_borrowed = false;
};

}  // namespace gps
