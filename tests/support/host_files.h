#pragma once
// A host folder made read-only (no new names in it) for the length of a scope; write permission comes
// back however the test ends, so its temporary folder can still be removed.

#include <filesystem>
#include <string>
#include <utility>

namespace testing_support {

class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(std::string host) : m_host(std::move(host))
    {
        std::filesystem::permissions(m_host, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    }
    ~ReadOnlyFolder()
    {
        std::error_code ignored;
        std::filesystem::permissions(m_host, std::filesystem::perms::owner_all, ignored);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

private:
    std::string m_host;
};

}  // namespace testing_support
