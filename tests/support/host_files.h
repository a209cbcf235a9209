#pragma once
// Host files and folders for the tests, outside any device: a temporary folder that goes with everything in
// it, a folder made read-only for a scope, and whole files read and written. Links nothing of the program.

#include <string>

namespace testing_support {

// A fresh folder under the host's temporary directory, removed with everything in it when the object goes
// (write permission given back first, so a test that locked a folder inside cannot keep it). path() is
// empty when no folder could be made.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

// A host folder made read-only (no new names in it) for the length of a scope; write permission comes back
// however the test ends, so its temporary folder can still be removed.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(std::string host);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

private:
    std::string m_host;
};

// The whole content of a host file; empty when it cannot be read.
std::string read_host_file(const std::string& host);
// Writes `bytes` to a host file, creating or replacing it; false when it could not be written whole.
bool write_host_file(const std::string& host, const std::string& bytes);

}  // namespace testing_support
