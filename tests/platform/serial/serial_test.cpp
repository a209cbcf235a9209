// Serial ports: device specs, the port settings in the registry, share modes, and the replay and terminal
// devices with real files and a real pseudo-terminal.

#include "platform/serial/device.h"
#include "platform/serial/serial.h"

#include "tests/support/temp_device.h"
#include "platform/clock/clock.h"
#include "platform/registry/registry.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace serial = platform::serial;

namespace {

TEST(DeviceSpec, TerminalsTakeAPathAndASupportedBaudRate)
{
    auto spec = serial::parse_spec("tty:/dev/ttyUSB0");
    ASSERT_TRUE(spec);
    EXPECT_EQ(spec->kind, serial::DeviceKind::Tty);
    EXPECT_EQ(spec->path, "/dev/ttyUSB0");
    EXPECT_EQ(spec->baud, 4800u);
    spec = serial::parse_spec("tty:/dev/ttyS1@115200");
    ASSERT_TRUE(spec);
    EXPECT_EQ(spec->path, "/dev/ttyS1");
    EXPECT_EQ(spec->baud, 115200u);
    EXPECT_FALSE(serial::parse_spec("tty:"));
    EXPECT_FALSE(serial::parse_spec("tty:@9600"));
    EXPECT_FALSE(serial::parse_spec("tty:/dev/ttyS1@12345"));  // not a line rate
    EXPECT_FALSE(serial::parse_spec("tty:/dev/ttyS1@"));
    EXPECT_FALSE(serial::parse_spec("tty:/dev/ttyS1@99999999999"));
    EXPECT_FALSE(serial::parse_spec("TTY:/dev/ttyS1"));
    EXPECT_FALSE(serial::parse_spec(""));
}

TEST(DeviceSpec, ReplayTakesAPathAndAPositiveRate)
{
    auto spec = serial::parse_spec("replay:/data/log.nmea");
    ASSERT_TRUE(spec);
    EXPECT_EQ(spec->kind, serial::DeviceKind::Replay);
    EXPECT_EQ(spec->rate, 480u);
    spec = serial::parse_spec("replay:/data/log.nmea@100");
    ASSERT_TRUE(spec);
    EXPECT_EQ(spec->path, "/data/log.nmea");
    EXPECT_EQ(spec->rate, 100u);
    spec = serial::parse_spec("replay:/data/me@home.nmea");  // '@' without digits belongs to the path
    ASSERT_TRUE(spec);
    EXPECT_EQ(spec->path, "/data/me@home.nmea");
    EXPECT_EQ(spec->rate, 480u);
    EXPECT_FALSE(serial::parse_spec("replay:/data/log.nmea@0"));
    EXPECT_FALSE(serial::parse_spec("replay:"));
}

TEST(DeviceSpec, GpsdEndpoints)
{
    auto spec = serial::parse_spec("gpsd");
    ASSERT_TRUE(spec);
    EXPECT_EQ(spec->kind, serial::DeviceKind::Gpsd);
    EXPECT_EQ(spec->host, "127.0.0.1");
    EXPECT_EQ(spec->port, 2947);
    spec = serial::parse_spec("gpsd:gps.example.org");
    ASSERT_TRUE(spec);
    EXPECT_EQ(spec->host, "gps.example.org");
    EXPECT_EQ(spec->port, 2947);
    spec = serial::parse_spec("gpsd:10.0.0.2:3000");
    ASSERT_TRUE(spec);
    EXPECT_EQ(spec->host, "10.0.0.2");
    EXPECT_EQ(spec->port, 3000);
    spec = serial::parse_spec("gpsd::3001");
    ASSERT_TRUE(spec);
    EXPECT_EQ(spec->host, "127.0.0.1");
    EXPECT_EQ(spec->port, 3001);
    spec = serial::parse_spec("gpsd:[::1]:3002");
    ASSERT_TRUE(spec);
    EXPECT_EQ(spec->host, "::1");
    EXPECT_EQ(spec->port, 3002);
    for (const char* bad : {"gpsd:host:", "gpsd:host:0", "gpsd:host:65536", "gpsd:host:29x", "gpsd:[::1",
             "gpsd:[::1]3000", "gpsdx", "gps"})
        EXPECT_FALSE(serial::parse_spec(bad)) << bad;
}

TEST(PortSettings, ConfiguredSpecsAreFoundWithoutRegardToCase)
{
    testing_support::TempDevice device;
    EXPECT_TRUE(serial::configure_port(u"com3:", "tty:/dev/ttyUSB0@9600"));
    EXPECT_EQ(serial::port_spec(u"COM3:"), "tty:/dev/ttyUSB0@9600");
    EXPECT_EQ(serial::port_spec(u"Com3:"), "tty:/dev/ttyUSB0@9600");
    EXPECT_EQ(platform::registry::query_text(serial::kPortsKey, u"COM3:"), u"tty:/dev/ttyUSB0@9600");
    EXPECT_FALSE(serial::port_spec(u"COM4:"));
    EXPECT_FALSE(serial::port_spec(u""));

    // A bad spec or an empty name changes nothing.
    EXPECT_FALSE(serial::configure_port(u"COM3:", "tty:/dev/ttyUSB0@12345"));
    EXPECT_FALSE(serial::configure_port(u"", "tty:/dev/ttyUSB0"));
    EXPECT_EQ(serial::port_spec(u"COM3:"), "tty:/dev/ttyUSB0@9600");

    // The settings survive a restart: they are in the registry file.
    platform::registry::reset();
    EXPECT_EQ(serial::port_spec(u"COM3:"), "tty:/dev/ttyUSB0@9600");
}

TEST(PortSettings, CommandLineArgumentsForPortAndGpsd)
{
    testing_support::TempDevice device;
    EXPECT_TRUE(serial::configure_port_argument("COM5:=replay:/tmp/a=b.nmea@960"));
    EXPECT_EQ(serial::port_spec(u"COM5:"), "replay:/tmp/a=b.nmea@960");
    EXPECT_FALSE(serial::configure_port_argument("COM6:"));
    EXPECT_FALSE(serial::configure_port_argument("=tty:/dev/ttyS0"));
    EXPECT_FALSE(serial::configure_port_argument("COM6:=serial:/dev/ttyS0"));

    EXPECT_FALSE(serial::configure_gpsd("host:notaport"));
    EXPECT_FALSE(platform::registry::query_text(serial::kMultiplexerKey, serial::kMultiplexerValue));
    EXPECT_FALSE(serial::port_spec(serial::kMultiplexerPort));

    EXPECT_TRUE(serial::configure_gpsd(""));
    EXPECT_EQ(serial::port_spec(u"GPD0:"), "gpsd");
    EXPECT_EQ(platform::registry::query_text(
                  u"System\\CurrentControlSet\\GPS Intermediate Driver\\Multiplexer", u"DriverInterface"),
        u"GPD0:");
    EXPECT_TRUE(serial::configure_gpsd("192.168.1.9:2950"));
    EXPECT_EQ(serial::port_spec(u"GPD0:"), "gpsd:192.168.1.9:2950");
}

TEST(Ports, OpeningFailsForUnknownNamesAndMissingDevices)
{
    testing_support::TempDevice device;
    EXPECT_EQ(serial::open(u"", serial::Access::ReadWrite, serial::kShareNone), nullptr);
    EXPECT_EQ(serial::open(u"COM3:", serial::Access::ReadWrite, serial::kShareNone), nullptr);
    ASSERT_TRUE(serial::configure_port(u"COM3:", "replay:" + device.root() + "/missing.nmea"));
    EXPECT_EQ(serial::open(u"COM3:", serial::Access::ReadWrite, serial::kShareNone), nullptr);
    const std::string plain = device.write_host_file("plain.txt", "$GPGGA\r\n");
    ASSERT_TRUE(serial::configure_port(u"COM4:", "tty:" + plain));
    EXPECT_EQ(serial::open(u"COM4:", serial::Access::Read, serial::kShareRead), nullptr);  // not a terminal
    // A spec put into the registry by hand that does not parse.
    ASSERT_TRUE(platform::registry::set_text(serial::kPortsKey, u"COM7:", u"modem:/dev/ttyS0"));
    EXPECT_EQ(serial::open(u"COM7:", serial::Access::Read, serial::kShareRead), nullptr);
}

TEST(Ports, ShareModesAreHonouredWithinTheProcess)
{
    testing_support::TempDevice device;
    const std::string log = device.write_host_file("log.nmea", "$GPGGA,1*00\r\n");
    ASSERT_TRUE(serial::configure_port(u"COM3:", "replay:" + log));

    serial::Handle first = serial::open(u"COM3:", serial::Access::ReadWrite, serial::kShareNone);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(serial::open(u"COM3:", serial::Access::ReadWrite, serial::kShareNone), nullptr);
    EXPECT_EQ(serial::open(u"com3:", serial::Access::Read, serial::kShareRead), nullptr);
    serial::close(first);

    serial::Handle reader = serial::open(u"COM3:", serial::Access::Read, serial::kShareRead);
    serial::Handle second = serial::open(u"COM3:", serial::Access::Read, serial::kShareRead);
    EXPECT_NE(reader, nullptr);
    EXPECT_NE(second, nullptr);
    EXPECT_EQ(serial::open(u"COM3:", serial::Access::ReadWrite, serial::kShareRead | serial::kShareWrite), nullptr);
    EXPECT_EQ(serial::open(u"COM3:", serial::Access::Read, serial::kShareNone), nullptr);  // would lock them out
    serial::close(reader);
    serial::close(second);
    serial::close(second);  // closing twice is harmless
    serial::close(nullptr);

    serial::Handle again = serial::open(u"COM3:", serial::Access::ReadWrite, serial::kShareNone);
    EXPECT_NE(again, nullptr);
    serial::close(again);
}

TEST(Ports, ReadingAClosedOrNullHandleReadsNothing)
{
    testing_support::TempDevice device;
    platform::clock::use_virtual_time();
    const std::string log = device.write_host_file("log.nmea", std::string(1000, 'x'));
    ASSERT_TRUE(serial::configure_port(u"COM3:", "replay:" + log));
    serial::Handle port = serial::open(u"COM3:", serial::Access::Read, serial::kShareRead);
    ASSERT_NE(port, nullptr);
    platform::clock::advance_ms(10000);
    char buffer[16];
    EXPECT_EQ(serial::read(nullptr, buffer, sizeof buffer), 0u);
    EXPECT_EQ(serial::read(port, buffer, 0), 0u);
    EXPECT_EQ(serial::read(port, buffer, sizeof buffer), 16u);
    serial::close(port);
    EXPECT_EQ(serial::read(port, buffer, sizeof buffer), 0u);
}

TEST(ReplayDevice, BytesArriveAtTheRateByTheClock)
{
    testing_support::TempDevice device;
    platform::clock::use_virtual_time();
    std::string content;
    for (int i = 0; i < 1500; ++i)
        content += static_cast<char>(i % 251);  // every byte value but a few, NULs included
    const std::string log = device.write_host_file("log.nmea", content);
    ASSERT_TRUE(serial::configure_port(u"COM3:", "replay:" + log));
    serial::Handle port = serial::open(u"COM3:", serial::Access::ReadWrite, serial::kShareNone);
    ASSERT_NE(port, nullptr);

    std::string got(2000, '\0');
    EXPECT_EQ(serial::read(port, got.data(), 2000), 0u);  // nothing at the moment of opening
    platform::clock::advance_ms(1000);
    EXPECT_EQ(serial::read(port, got.data(), 100), 100u);
    EXPECT_EQ(serial::read(port, got.data() + 100, 2000), 380u);  // 480 in the first second
    EXPECT_EQ(serial::read(port, got.data(), 2000), 0u);
    platform::clock::advance_ms(1);
    EXPECT_EQ(serial::read(port, got.data() + 480, 2000), 0u);  // 0.48 of a byte is not a byte yet
    platform::clock::advance_ms(2999);
    EXPECT_EQ(serial::read(port, got.data() + 480, 2000), 1020u);  // the rest of 1500
    platform::clock::advance_ms(60000);
    EXPECT_EQ(serial::read(port, got.data(), 2000), 0u);
    got.resize(1500);
    EXPECT_EQ(got, content);
    serial::close(port);
}

TEST(ReplayDevice, RateFromTheSpec)
{
    testing_support::TempDevice device;
    platform::clock::use_virtual_time();
    const std::string log = device.write_host_file("log.nmea", std::string(5000, '$'));
    ASSERT_TRUE(serial::configure_port(u"COM3:", "replay:" + log + "@100"));
    serial::Handle port = serial::open(u"COM3:", serial::Access::Read, serial::kShareRead);
    ASSERT_NE(port, nullptr);
    char buffer[512];
    platform::clock::advance_ms(2500);
    EXPECT_EQ(serial::read(port, buffer, sizeof buffer), 250u);
    serial::close(port);
}

// ---- A real pseudo-terminal -------------------------------------------------------------------------------

struct PseudoTerminal {
    int master = -1;
    std::string slave;

    PseudoTerminal()
    {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
            return;
        slave = ptsname(master);
        // Leave the terminal cooked, as a fresh serial device would be, so the port has to make it raw.
        const int fd = ::open(slave.c_str(), O_RDWR | O_NOCTTY);
        termios t {};
        tcgetattr(fd, &t);
        t.c_lflag |= ICANON | ECHO;
        t.c_iflag |= ICRNL;
        tcsetattr(fd, TCSANOW, &t);
        ::close(fd);
    }
    ~PseudoTerminal()
    {
        if (master >= 0)
            ::close(master);
    }
    void send(const std::string& bytes) const
    {
        ASSERT_EQ(::write(master, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
};

// Reads what has arrived, giving the terminal layer a moment to pass the bytes on.
std::string read_for_a_while(serial::Handle port, size_t expected)
{
    std::string got;
    char buffer[256];
    for (int i = 0; i < 200 && got.size() < expected; ++i) {
        const uint32_t n = serial::read(port, buffer, sizeof buffer);
        got.append(buffer, n);
        if (n == 0)
            usleep(5000);
    }
    return got;
}

TEST(TtyDevice, PseudoTerminalIsRawAtTheBaudRateAndNeverBlocks)
{
    testing_support::TempDevice device;
    PseudoTerminal pty;
    ASSERT_FALSE(pty.slave.empty()) << "no pseudo-terminal";
    ASSERT_TRUE(serial::configure_port(u"COM2:", "tty:" + pty.slave + "@9600"));
    serial::Handle port = serial::open(u"COM2:", serial::Access::ReadWrite, serial::kShareNone);
    ASSERT_NE(port, nullptr);

    const int probe = ::open(pty.slave.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
    termios t {};
    ASSERT_EQ(tcgetattr(probe, &t), 0);
    ::close(probe);
    EXPECT_EQ(cfgetispeed(&t), B9600);
    EXPECT_EQ(cfgetospeed(&t), B9600);
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO), 0u);
    EXPECT_EQ(t.c_iflag & ICRNL, 0u);
    EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));

    char buffer[64];
    EXPECT_EQ(serial::read(port, buffer, sizeof buffer), 0u);  // returns at once with nothing sent
    // A sentence without its line feed yet: raw mode passes the bytes on before the line ends.
    pty.send("$GPGGA,1*5A\r");
    EXPECT_EQ(read_for_a_while(port, 12), "$GPGGA,1*5A\r");
    pty.send("\n$GPRMC");
    EXPECT_EQ(read_for_a_while(port, 7), "\n$GPRMC");
    serial::close(port);
}

TEST(TtyDevice, DefaultRateAndAVanishedOtherEnd)
{
    testing_support::TempDevice device;
    auto pty = std::make_unique<PseudoTerminal>();
    ASSERT_FALSE(pty->slave.empty()) << "no pseudo-terminal";
    const std::string slave = pty->slave;
    ASSERT_TRUE(serial::configure_port(u"COM1:", "tty:" + slave));
    serial::Handle port = serial::open(u"COM1:", serial::Access::Read, serial::kShareRead);
    ASSERT_NE(port, nullptr);
    const int probe = ::open(slave.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
    termios t {};
    ASSERT_EQ(tcgetattr(probe, &t), 0);
    ::close(probe);
    EXPECT_EQ(cfgetispeed(&t), B4800);
    pty.reset();  // the receiver is unplugged
    char buffer[64];
    EXPECT_EQ(serial::read(port, buffer, sizeof buffer), 0u);
    serial::close(port);
}

}  // namespace
