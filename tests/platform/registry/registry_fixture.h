#pragma once
// Each test gets its own device root and an empty registry.

#include "platform/files/files.h"
#include "platform/registry/registry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string templ = (std::filesystem::temp_directory_path() / "varno-registry-XXXXXX").string();
        ASSERT_NE(mkdtemp(templ.data()), nullptr);
        m_temp = templ;
        ASSERT_TRUE(platform::files::set_device_root(m_temp + "/device"));
        platform::files::clear_faults();
        platform::registry::reset();
    }

    void TearDown() override
    {
        platform::files::clear_faults();
        platform::registry::reset();
        std::filesystem::remove_all(m_temp);
    }

    std::string registry_host_file() const { return m_temp + "/device/Windows/registry.txt"; }

    std::string read_registry_file() const
    {
        std::ifstream in(registry_host_file(), std::ios::binary);
        std::stringstream all;
        all << in.rdbuf();
        return all.str();
    }

    void write_registry_file(const std::string& contents) const
    {
        std::ofstream out(registry_host_file(), std::ios::binary);
        out << contents;
    }

    std::string m_temp;
};
