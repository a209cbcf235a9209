#pragma once
// A fresh device root in a temporary host folder for each test, a sink that records every message box, and
// the store's process-wide state reset before and after.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/files/files.h"

using Messages = std::vector<std::pair<std::u16string, std::u16string>>;

class StoreTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Host path of a device path, and the whole content of a host file.
    std::string host(const std::u16string& device_path) const;
    std::string read_bytes(const std::u16string& device_path) const;
    void write_bytes(const std::u16string& device_path, const std::string& bytes) const;
    int64_t file_size(const std::u16string& device_path) const;

    Messages m_messages;   // caption and text of every message box shown, in order

private:
    std::string m_temp;
};
