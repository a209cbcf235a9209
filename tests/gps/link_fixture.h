#pragma once
// A receiver link fed from a log played through a real port: a temporary device with its own registry,
// the virtual clock, and "COM3:" set to replay a host file at 1000 bytes per second, so advancing the
// clock by n milliseconds delivers exactly n bytes.

#include "gps/gps_link.h"
#include "platform/clock/clock.h"
#include "platform/serial/serial.h"
#include "tests/support/nmea_line.h"
#include "tests/support/temp_device.h"

#include <gtest/gtest.h>

#include <string>

namespace varno_test {

using testing_support::nmea_line;

class LinkTest : public testing_support::DeviceTest {
protected:
    void SetUp() override
    {
        DeviceTest::SetUp();
        platform::clock::use_virtual_time(10 * 3600);
    }

    // Plays `log` through COM3: at `rate` bytes per second and opens it through the link.
    void play(const std::string& log, unsigned rate = 1000)
    {
        play_file(m_device->write_host_file("log.nmea", log), "@" + std::to_string(rate));
    }

    // Plays a host file; `rate` is "" (the device's default) or "@N".
    void play_file(const std::string& path, const std::string& rate)
    {
        ASSERT_TRUE(platform::serial::configure_port(u"COM3:", "replay:" + path + rate));
        m_port = gps::OpenGpsPort(u"COM3:");
        ASSERT_NE(m_port, nullptr);
    }

    // One timer tick of a consumer after `ms` milliseconds: read, and parse when something came.
    uint32_t tick(uint64_t ms, gps::GpsMode mode = gps::GpsMode::Position)
    {
        platform::clock::advance_ms(ms);
        const uint32_t got = gps::ReadGpsPort(m_port);
        if (got != 0)
            gps::PollGps(mode);
        return got;
    }

    platform::serial::Handle m_port = nullptr;
};

}  // namespace varno_test
