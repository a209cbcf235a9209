#include "fuzz/fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

#include "formats/messages.h"
#include "platform/files/files.h"

namespace fuzz {

namespace files = platform::files;

namespace {

struct SupportState {
    std::string temp;  // host folder of the device and the card; removed at exit
};

SupportState s_support;

// VARNO_FUZZ_TMP when set (scripts/run-fuzzers points it into its own scratch folder, which it removes
// even after a crash). Otherwise a memory file system where there is one: the index engine syncs the disk
// as it closes, which on a disk would bound a harness to a few hundred inputs a second.
std::filesystem::path temp_parent()
{
    if (const char* chosen = std::getenv("VARNO_FUZZ_TMP"); chosen != nullptr && chosen[0] != '\0')
        return chosen;
    std::error_code error;
    if (std::filesystem::is_directory("/dev/shm", error) && access("/dev/shm", W_OK) == 0)
        return "/dev/shm";
    return std::filesystem::temp_directory_path();
}

void remove_temp()
{
    std::error_code ignored;
    std::filesystem::remove_all(s_support.temp, ignored);
}

}  // namespace

void prepare_device()
{
    if (s_support.temp.empty()) {
        std::string templ = (temp_parent() / "varno-fuzz-XXXXXX").string();
        if (mkdtemp(templ.data()) == nullptr)
            fail(__FILE__, __LINE__, "mkdtemp");
        s_support.temp = templ;
        std::atexit(remove_temp);
        std::filesystem::create_directories(templ + "/card");
        files::set_card_folder(templ + "/card");
        if (!files::set_device_root(templ + "/device"))
            fail(__FILE__, __LINE__, "set_device_root");
    }
    formats::set_message_sink([](const std::u16string&, const std::u16string&) {});
}

void write_device_file(const std::u16string& path, const uint8_t* bytes, size_t size)
{
    files::remove(path);
    if (!bytes)
        return;
    files::Handle file = files::create_always(path, files::Access::ReadWrite);
    if (!file)
        fail(__FILE__, __LINE__, "create_always");
    bool whole = size == 0 || files::write(file, bytes, uint32_t(size)) == size;
    files::close(file);
    if (!whole)
        fail(__FILE__, __LINE__, "write");
}

std::string read_device_file(const std::u16string& path)
{
    files::Handle file = files::open_existing(path, files::Access::Read);
    if (!file)
        return {};
    std::string bytes(size_t(std::max<int64_t>(files::size(file), 0)), '\0');
    bytes.resize(bytes.empty() ? 0 : files::read(file, bytes.data(), uint32_t(bytes.size())));
    files::close(file);
    return bytes;
}

std::u16string widen(std::string_view bytes)
{
    std::u16string wide;
    wide.reserve(bytes.size());
    for (char c : bytes)
        wide.push_back(char16_t(static_cast<unsigned char>(c)));
    return wide;
}

void fail(const char* file, int line, const char* condition)
{
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
    std::abort();
}

}  // namespace fuzz
