#include "device_fixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;
namespace pf = platform::files;

void DeviceTest::SetUp()
{
    std::string templ = (fs::temp_directory_path() / "varno-files-XXXXXX").string();
    ASSERT_NE(mkdtemp(templ.data()), nullptr);
    m_temp = templ;
    m_root = m_temp + "/device";
    m_card = m_temp + "/card";
    fs::create_directories(m_card);
    ASSERT_TRUE(pf::set_device_root(m_root));
    pf::set_card_folder(m_card);
    pf::clear_faults();
}

void DeviceTest::TearDown()
{
    pf::clear_faults();
    std::error_code ignored;
    fs::permissions(m_temp, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(m_temp, ignored);
}

void DeviceTest::write_host_file(const std::string& host, const std::string& bytes)
{
    std::ofstream out(host, std::ios::binary);
    out << bytes;
}

std::string DeviceTest::read_host_file(const std::string& host)
{
    std::ifstream in(host, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

void DeviceTest::write_device_file(const std::u16string& path, const std::string& bytes)
{
    pf::Handle h = pf::create_always(path, pf::Access::ReadWrite);
    ASSERT_NE(h, nullptr);
    ASSERT_EQ(pf::write(h, bytes.data(), static_cast<uint32_t>(bytes.size())), bytes.size());
    pf::close(h);
}
