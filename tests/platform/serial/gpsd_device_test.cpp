// The gpsd device against a real gpsd reading a pseudo-terminal: the receiver's sentences come through
// unchanged, gpsd's own JSON lines do not, every open has its own connection, and a missing daemon
// reads as silence.

#include "platform/serial/serial.h"

#include "gpsd_daemon.h"
#include "platform/clock/clock.h"
#include "tests/support/nmea_line.h"
#include "tests/support/temp_device.h"

#include <gtest/gtest.h>

#include <string>

namespace serial = platform::serial;

namespace {

using testing_support::nmea_line;

std::string sentence_at(int second)
{
    char time[16];
    std::snprintf(time, sizeof time, "1200%02d.00", second % 60);
    return nmea_line(std::string("GPGGA,") + time + ",4907.85331,N,12243.19743,W,1,03,9.97,516.7,M,-16.7,M,,");
}

TEST(GpsdDevice, PassesTheReceiverSentencesToEveryOpenButNotTheJsonReplies)
{
    varno_test::GpsdDaemon gpsd;
    if (!gpsd.problem().empty())
        GTEST_SKIP() << gpsd.problem();
    testing_support::TempDevice device;
    ASSERT_TRUE(serial::configure_gpsd("127.0.0.1:" + std::to_string(gpsd.port())));
    serial::Handle first = serial::open(serial::kMultiplexerPort, serial::Access::ReadWrite, serial::kShareNone);
    serial::Handle second = serial::open(u"gpd0:", serial::Access::ReadWrite, serial::kShareNone);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);  // a multiplexer: exclusive opens do not exclude each other

    std::string got_first, got_second;
    char buffer[512];
    // Sentences go in until both connections have seen a few whole ones; gpsd needs a moment to take
    // the terminal as an NMEA receiver and to act on the watch requests.
    for (int i = 0; i < 200; ++i) {
        gpsd.send(sentence_at(i));
        usleep(50000);
        got_first.append(buffer, serial::read(first, buffer, sizeof buffer));
        got_second.append(buffer, serial::read(second, buffer, sizeof buffer));
        if (got_first.find(sentence_at(i - 3)) != std::string::npos
            && got_second.find(sentence_at(i - 3)) != std::string::npos)
            break;
    }
    EXPECT_EQ(got_first.find('{'), std::string::npos) << got_first;
    EXPECT_EQ(got_second.find('{'), std::string::npos) << got_second;
    ASSERT_FALSE(got_first.empty());
    // Whole lines, as the receiver sent them.
    const size_t start = got_first.find('$');
    ASSERT_NE(start, std::string::npos);
    const size_t end = got_first.find('\n', start);
    ASSERT_NE(end, std::string::npos);
    const std::string line = got_first.substr(start, end + 1 - start);
    bool sent = false;
    for (int i = 0; i < 200 && !sent; ++i)
        sent = line == sentence_at(i);
    EXPECT_TRUE(sent) << line;
    serial::close(first);
    serial::close(second);
}

TEST(GpsdDevice, NoDaemonReadsAsSilence)
{
    const unsigned port = varno_test::GpsdDaemon::free_loopback_port();
    ASSERT_NE(port, 0u);
    testing_support::TempDevice device;
    ASSERT_TRUE(serial::configure_gpsd("127.0.0.1:" + std::to_string(port)));
    // Refused at once (no handle) or while connecting in the background (a handle that never sends).
    serial::Handle handle = serial::open(serial::kMultiplexerPort, serial::Access::Read, serial::kShareRead);
    char buffer[64];
    for (int i = 0; i < 5 && handle; ++i) {
        EXPECT_EQ(serial::read(handle, buffer, sizeof buffer), 0u);
        usleep(10000);
    }
    serial::close(handle);
}

TEST(GpsdDevice, UnknownHostCannotBeOpened)
{
    testing_support::TempDevice device;
    ASSERT_TRUE(serial::configure_port(u"COM8:", "gpsd:no-such-host.invalid:2947"));
    EXPECT_EQ(serial::open(u"COM8:", serial::Access::Read, serial::kShareRead), nullptr);
}

}  // namespace
