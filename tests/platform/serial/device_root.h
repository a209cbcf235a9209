#pragma once
// A temporary device for each test: its own device root (so its own registry file), removed afterwards.

#include "platform/files/files.h"
#include "platform/registry/registry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace varno_test {

class TempDevice {
public:
    TempDevice()
    {
        char pattern[] = "/tmp/varno-serial-XXXXXX";
        const char* made = mkdtemp(pattern);
        EXPECT_NE(made, nullptr);
        m_root = made ? made : "";
        EXPECT_TRUE(platform::files::set_device_root(m_root));
        platform::registry::reset();
    }
    ~TempDevice()
    {
        platform::registry::reset();
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }
    TempDevice(const TempDevice&) = delete;
    TempDevice& operator=(const TempDevice&) = delete;

    const std::string& root() const { return m_root; }

    // Writes a host file inside the temporary folder and returns its host path.
    std::string write_host_file(const std::string& name, const std::string& bytes) const
    {
        const std::string path = m_root + "/" + name;
        FILE* f = std::fopen(path.c_str(), "wb");
        EXPECT_NE(f, nullptr);
        if (f) {
            std::fwrite(bytes.data(), 1, bytes.size(), f);
            std::fclose(f);
        }
        return path;
    }

private:
    std::string m_root;
};

}  // namespace varno_test
