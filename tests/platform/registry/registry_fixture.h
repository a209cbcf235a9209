#pragma once
// Each test gets its own device root and an empty registry, and the registry file seen from the host.

#include "platform/files/files.h"
#include "platform/registry/registry.h"
#include "tests/support/temp_device.h"

class RegistryTest : public testing_support::DeviceTest {
protected:
    std::string registry_host_file() const { return m_root + "/Windows/registry.txt"; }
    std::string read_registry_file() const { return testing_support::read_host_file(registry_host_file()); }
    void write_registry_file(const std::string& contents) const
    {
        testing_support::write_host_file(registry_host_file(), contents);
    }
};
