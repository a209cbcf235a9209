#include "store_fixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "formats/messages.h"
#include "store/coord_file.h"
#include "store/view_extents.h"

namespace fs = std::filesystem;
namespace pf = platform::files;

void StoreTest::SetUp()
{
    std::string templ = (fs::temp_directory_path() / "varno-store-XXXXXX").string();
    ASSERT_NE(mkdtemp(templ.data()), nullptr);
    m_temp = templ;
    ASSERT_TRUE(pf::set_device_root(m_temp + "/device"));
    pf::clear_faults();
    store::coord_reset_for_tests();
    store::view_extents_reset_for_tests();
    formats::set_message_sink([this](const std::u16string& caption, const std::u16string& text) {
        m_messages.emplace_back(caption, text);
    });
}

void StoreTest::TearDown()
{
    pf::clear_faults();
    store::coord_reset_for_tests();
    formats::set_message_sink({});
    std::error_code ignored;
    fs::remove_all(m_temp, ignored);
}

std::string StoreTest::host(const std::u16string& device_path) const
{
    return pf::host_path(device_path);
}

std::string StoreTest::read_bytes(const std::u16string& device_path) const
{
    std::ifstream in(host(device_path), std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

void StoreTest::write_bytes(const std::u16string& device_path, const std::string& bytes) const
{
    std::ofstream out(host(device_path), std::ios::binary | std::ios::trunc);
    out << bytes;
}

int64_t StoreTest::file_size(const std::u16string& device_path) const
{
    std::error_code error;
    auto size = fs::file_size(host(device_path), error);
    return error ? -1 : int64_t(size);
}
