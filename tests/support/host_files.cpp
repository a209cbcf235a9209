#include "tests/support/host_files.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>

namespace testing_support {

namespace fs = std::filesystem;

TempDir::TempDir()
{
    std::string pattern = (fs::temp_directory_path() / "varno-test-XXXXXX").string();
    if (mkdtemp(pattern.data()))
        m_path = pattern;
}

TempDir::~TempDir()
{
    if (m_path.empty())
        return;
    std::error_code ignored;
    for (auto it = fs::recursive_directory_iterator(m_path, ignored); it != fs::recursive_directory_iterator();
         it.increment(ignored)) {
        if (it->is_directory(ignored))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    fs::remove_all(m_path, ignored);
}

ReadOnlyFolder::ReadOnlyFolder(std::string host)
    : m_host(std::move(host))
{
    fs::permissions(m_host, fs::perms::owner_read | fs::perms::owner_exec);
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    std::error_code ignored;
    fs::permissions(m_host, fs::perms::owner_all, ignored);
}

std::string read_host_file(const std::string& host)
{
    std::ifstream in(host, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool write_host_file(const std::string& host, const std::string& bytes)
{
    std::ofstream out(host, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    return bool(out);
}

}  // namespace testing_support
