// A real serial device (or pseudo-terminal), opened non-blocking and switched to raw mode: no line
// editing, no echo, no translation of carriage returns, 8 data bits, reads that return at once.

#include "platform/serial/device.h"

#include <cerrno>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace platform::serial {

namespace {

speed_t speed_constant(uint32_t baud)
{
    switch (baud) {
    case 50:
        return B50;
    case 75:
        return B75;
    case 110:
        return B110;
    case 134:
        return B134;
    case 150:
        return B150;
    case 200:
        return B200;
    case 300:
        return B300;
    case 600:
        return B600;
    case 1200:
        return B1200;
    case 1800:
        return B1800;
    case 2400:
        return B2400;
    case 9600:
        return B9600;
    case 19200:
        return B19200;
    case 38400:
        return B38400;
    case 57600:
        return B57600;
    case 115200:
        return B115200;
    case 230400:
        return B230400;
    case 460800:
        return B460800;
    default:
        return B4800;
    }
}

bool make_raw(int fd, uint32_t baud)
{
    termios settings {};
    if (tcgetattr(fd, &settings) != 0)
        return false;
    cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    const speed_t speed = speed_constant(baud);
    if (cfsetispeed(&settings, speed) != 0 || cfsetospeed(&settings, speed) != 0)
        return false;
    return tcsetattr(fd, TCSANOW, &settings) == 0;
}

class TtyDevice final : public Device {
public:
    explicit TtyDevice(int fd)
        : m_fd(fd)
    {
    }
    ~TtyDevice() override { ::close(m_fd); }
    TtyDevice(const TtyDevice&) = delete;
    TtyDevice& operator=(const TtyDevice&) = delete;

    uint32_t read(uint8_t* buffer, uint32_t count) override
    {
        for (;;) {
            const ssize_t got = ::read(m_fd, buffer, count);
            if (got > 0)
                return static_cast<uint32_t>(got);
            if (got < 0 && errno == EINTR)
                continue;
            // Nothing waiting (EAGAIN), the other end gone (EIO on a pseudo-terminal), or end of file.
            return 0;
        }
    }

private:
    int m_fd;  // owned
};

}  // namespace

std::unique_ptr<Device> open_tty_device(const DeviceSpec& spec, Access access)
{
    const int mode = access == Access::ReadWrite ? O_RDWR : O_RDONLY;
    const int fd = ::open(spec.path.c_str(), mode | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    if (!isatty(fd) || !make_raw(fd, spec.baud)) {
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<TtyDevice>(fd);
}

}  // namespace platform::serial
