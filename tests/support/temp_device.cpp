#include "tests/support/temp_device.h"

#include <filesystem>

#include "platform/files/files.h"

namespace testing_support {

namespace fs = std::filesystem;
namespace files = platform::files;

TempDevice::TempDevice()
{
    reset_program_state();
    EXPECT_FALSE(m_dir.path().empty()) << "no temporary folder";
    m_root = m_dir.path() + "/device";
    m_card = m_dir.path() + "/card";
    std::error_code ignored;
    fs::create_directories(m_card, ignored);
    EXPECT_TRUE(files::set_device_root(m_root)) << m_root;
    files::set_card_folder(m_card);
}

TempDevice::~TempDevice()
{
    reset_program_state();
}

std::string TempDevice::write_host_file(const std::string& name, const std::string& bytes) const
{
    const std::string path = folder() + "/" + name;
    EXPECT_TRUE(testing_support::write_host_file(path, bytes)) << path;
    return path;
}

void DeviceTest::SetUp()
{
    m_device.emplace();
    m_temp = m_device->folder();
    m_root = m_device->root();
    m_card = m_device->card();
}

void DeviceTest::TearDown()
{
    m_device.reset();
}

std::string DeviceTest::host(const std::u16string& device_path)
{
    return files::host_path(device_path);
}

bool DeviceTest::exists(const std::u16string& device_path)
{
    return files::attributes(device_path) != files::kInvalidAttributes;
}

std::string DeviceTest::read_bytes(const std::u16string& device_path)
{
    return read_host_file(host(device_path));
}

void DeviceTest::write_bytes(const std::u16string& device_path, const std::string& bytes)
{
    EXPECT_TRUE(write_host_file(host(device_path), bytes));
}

int64_t DeviceTest::file_size(const std::u16string& device_path)
{
    std::error_code error;
    auto size = fs::file_size(host(device_path), error);
    return error ? -1 : int64_t(size);
}

void DeviceTest::write_device_file(const std::u16string& device_path, const std::string& bytes)
{
    files::Handle h = files::create_always(device_path, files::Access::ReadWrite);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(files::write(h, bytes.data(), uint32_t(bytes.size())), bytes.size());
    files::close(h);
}

}  // namespace testing_support
