#pragma once
// A fresh device and a clean program state for each test (tests/support/temp_device.h), and a sink that
// records every message box the store shows.

#include <string>
#include <utility>
#include <vector>

#include "formats/messages.h"
#include "platform/files/files.h"
#include "tests/support/temp_device.h"

using Messages = std::vector<std::pair<std::u16string, std::u16string>>;

class StoreTest : public testing_support::DeviceTest {
protected:
    void SetUp() override
    {
        DeviceTest::SetUp();
        formats::set_message_sink([this](const std::u16string& caption, const std::u16string& text) {
            m_messages.emplace_back(caption, text);
        });
    }

    Messages m_messages;  // caption and text of every message box shown, in order
};
