#pragma once
// A fresh device root and card folder in a temporary host folder for each test.

#include "platform/files/files.h"
#include "platform/text/text.h"

#include <gtest/gtest.h>

#include <string>

class DeviceTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes `bytes` to a host file (outside the device's calls), creating it.
    static void write_host_file(const std::string& host, const std::string& bytes);
    static std::string read_host_file(const std::string& host);
    // Writes `bytes` to a device file through the device's calls.
    static void write_device_file(const std::u16string& path, const std::string& bytes);

    std::string m_temp;    // holds both folders
    std::string m_root;    // device root
    std::string m_card;    // host folder mounted as \Storage Card
};
