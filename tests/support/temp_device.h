#pragma once
// One temporary device for each test. A TempDevice resets the program state (program_state.h), makes a fresh
// host folder holding the device root ("device") and the folder mounted as \Storage Card ("card"), and sets
// both for the process; when it goes, the program state is reset again (a program still running headless is
// finished, open files are closed) and only then is the folder removed.
//
// DeviceTest is the fixture form, with the device's files read and written from the host side.

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "platform/files/files.h"
#include "tests/support/host_files.h"
#include "tests/support/program_state.h"

namespace testing_support {

class TempDevice {
public:
    TempDevice();
    ~TempDevice();
    TempDevice(const TempDevice&) = delete;
    TempDevice& operator=(const TempDevice&) = delete;

    const std::string& folder() const { return m_dir.path(); }  // holds the two below
    const std::string& root() const { return m_root; }          // the device root
    const std::string& card() const { return m_card; }          // the host folder of \Storage Card

    // Writes a host file in the temporary folder, outside the device; its host path.
    std::string write_host_file(const std::string& name, const std::string& bytes) const;

private:
    TempDir m_dir;
    std::string m_root;
    std::string m_card;
};

class DeviceTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The host path of a device path, and the whole content of a device file seen from the host.
    static std::string host(const std::u16string& device_path);
    static bool exists(const std::u16string& device_path);
    static std::string read_bytes(const std::u16string& device_path);
    static void write_bytes(const std::u16string& device_path, const std::string& bytes);
    static int64_t file_size(const std::u16string& device_path);  // -1 when there is no such file
    // Writes `bytes` to a device file through the device's own calls.
    static void write_device_file(const std::u16string& device_path, const std::string& bytes);

    std::optional<TempDevice> m_device;
    std::string m_temp;  // m_device's folder, root and card
    std::string m_root;
    std::string m_card;
};

}  // namespace testing_support
