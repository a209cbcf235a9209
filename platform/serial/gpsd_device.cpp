// The NMEA stream of a gpsd daemon. The connection is made without waiting: the socket connects in the
// background, and the first read that finds it connected sends the watch request that asks gpsd to pass
// the receiver's sentences on. gpsd also answers in JSON lines ('{' first); those are left out, so the
// port carries only what the receiver sent.

#include "platform/serial/device.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace platform::serial {

namespace {

constexpr char kWatchRequest[] = "?WATCH={\"enable\":true,\"nmea\":true};\n";
constexpr size_t kReceiveChunk = 4096;

class GpsdDevice final : public Device {
public:
    explicit GpsdDevice(int fd)
        : m_fd(fd)
        , m_outgoing(kWatchRequest)
    {
    }
    ~GpsdDevice() override { drop(); }
    GpsdDevice(const GpsdDevice&) = delete;
    GpsdDevice& operator=(const GpsdDevice&) = delete;

    uint32_t read(uint8_t* buffer, uint32_t count) override
    {
        if (m_fd >= 0 && !m_connected)
            finish_connecting();
        if (m_connected) {
            send_pending();
            receive(count);
        }
        const uint32_t take = m_waiting.size() < count ? static_cast<uint32_t>(m_waiting.size()) : count;
        if (take == 0)
            return 0;
        std::memcpy(buffer, m_waiting.data(), take);
        m_waiting.erase(m_waiting.begin(), m_waiting.begin() + take);
        return take;
    }

private:
    void drop()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
        m_connected = false;
    }

    void finish_connecting()
    {
        pollfd p {m_fd, POLLOUT, 0};
        if (::poll(&p, 1, 0) <= 0)
            return;  // still connecting
        int error = 0;
        socklen_t length = sizeof error;
        if (getsockopt(m_fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0) {
            drop();  // refused or unreachable: the port stays silent
            return;
        }
        m_connected = true;
    }

    void send_pending()
    {
        while (m_fd >= 0 && !m_outgoing.empty()) {
            const ssize_t sent = ::send(m_fd, m_outgoing.data(), m_outgoing.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
            if (sent > 0)
                m_outgoing.erase(0, static_cast<size_t>(sent));
            else if (sent < 0 && errno == EINTR)
                continue;
            else if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
                return;
            else
                drop();
        }
    }

    // Takes what has arrived until `count` bytes wait or the socket has no more.
    void receive(uint32_t count)
    {
        uint8_t chunk[kReceiveChunk];
        while (m_fd >= 0 && m_waiting.size() < count) {
            const ssize_t got = ::recv(m_fd, chunk, sizeof chunk, MSG_DONTWAIT);
            if (got > 0) {
                keep_sentences(chunk, static_cast<size_t>(got));
            } else if (got < 0 && errno == EINTR) {
                continue;
            } else if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
                return;
            } else {
                drop();  // gpsd went away
            }
        }
    }

    // Passes bytes on line by line, leaving out the lines gpsd writes in JSON.
    void keep_sentences(const uint8_t* bytes, size_t size)
    {
        for (size_t i = 0; i < size; ++i) {
            const uint8_t b = bytes[i];
            if (m_at_line_start)
                m_in_json = b == '{';
            m_at_line_start = b == '\n';
            if (!m_in_json)
                m_waiting.push_back(b);
        }
    }

    int m_fd;  // owned socket, -1 once dropped
    bool m_connected = false;
    std::string m_outgoing;          // the watch request until it has been sent
    std::vector<uint8_t> m_waiting;  // received NMEA bytes not read yet
    bool m_at_line_start = true;
    bool m_in_json = false;  // the current line is one of gpsd's JSON replies
};

int connect_in_background(const addrinfo* address)
{
    const int fd
        = ::socket(address->ai_family, address->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, address->ai_protocol);
    if (fd < 0)
        return -1;
    if (::connect(fd, address->ai_addr, address->ai_addrlen) == 0 || errno == EINPROGRESS)
        return fd;
    ::close(fd);
    return -1;
}

}  // namespace

std::unique_ptr<Device> open_gpsd_device(const DeviceSpec& spec)
{
    addrinfo hints {};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* addresses = nullptr;
    const std::string service = std::to_string(spec.port);
    if (getaddrinfo(spec.host.c_str(), service.c_str(), &hints, &addresses) != 0)
        return nullptr;
    int fd = -1;
    for (const addrinfo* a = addresses; a != nullptr && fd < 0; a = a->ai_next)
        fd = connect_in_background(a);
    freeaddrinfo(addresses);
    if (fd < 0)
        return nullptr;
    return std::make_unique<GpsdDevice>(fd);
}

}  // namespace platform::serial
