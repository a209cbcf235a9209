#pragma once
// A receiver link fed from a log played through a real port: a temporary device with its own registry,
// the virtual clock, and "COM3:" set to replay a host file at 1000 bytes per second, so advancing the
// clock by n milliseconds delivers exactly n bytes.

#include "gps/gps_link.h"
#include "platform/clock/clock.h"
#include "platform/serial/serial.h"

#include "../platform/serial/device_root.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace varno_test {

// "$BODY*hh\r\n" with the right checksum.
inline std::string nmea_line(const std::string& body)
{
    unsigned sum = 0;
    for (char c : body)
        sum ^= static_cast<unsigned char>(c);
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X\r\n", sum);
    return "$" + body + tail;
}

class LinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::clock::use_virtual_time(10 * 3600);
        gps::ResetGpsLink();
    }
    void TearDown() override
    {
        platform::serial::close(m_port);
        gps::ResetGpsLink();
        platform::clock::use_real_time();
    }

    // Plays `log` through COM3: at `rate` bytes per second and opens it through the link.
    void play(const std::string& log, unsigned rate = 1000)
    {
        play_file(m_device.write_host_file("log.nmea", log), "@" + std::to_string(rate));
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

    TempDevice m_device;
    platform::serial::Handle m_port = nullptr;
};

}  // namespace varno_test
