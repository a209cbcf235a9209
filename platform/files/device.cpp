// The device root and the card mount: where the device's folders live on the host.

#include "platform/files/files.h"
#include "platform/files/resolve.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::files {
namespace {

struct DeviceState {
    std::string root;  // absolute host folder of the device, no trailing slash; empty until set
    std::string card;  // host folder mounted as \Storage Card; empty until chosen or first asked for
};

DeviceState s_device;

// The folders every device has, created on first start.
constexpr const char16_t* kStandardFolders[] = {
    u"\\Program Files",
    u"\\Program Files\\Varno",
    u"\\My Documents",
    u"\\Temp",
    u"\\Windows",
};

std::string strip_trailing_slashes(std::string dir)
{
    while (dir.size() > 1 && dir.back() == '/')
        dir.pop_back();
    return dir;
}

// mkdir -p: creates every missing folder along `dir`.
bool make_host_folders(const std::string& dir)
{
    struct stat st { };
    if (stat(dir.c_str(), &st) == 0)
        return S_ISDIR(st.st_mode);
    size_t slash = dir.find_last_of('/');
    if (slash != std::string::npos && slash > 0 && !make_host_folders(dir.substr(0, slash)))
        return false;
    return mkdir(dir.c_str(), 0777) == 0 || errno == EEXIST;
}

std::string absolute(const std::string& dir)
{
    char resolved[PATH_MAX];
    if (realpath(dir.c_str(), resolved) == nullptr)
        return dir;
    return resolved;
}

std::string home_folder()
{
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/')
        return home;
    const passwd* pw = getpwuid(getuid());
    return pw != nullptr && pw->pw_dir != nullptr ? pw->pw_dir : "/tmp";
}

}  // namespace

bool set_device_root(const std::string& host_dir)
{
    if (host_dir.empty())
        return false;
    std::string dir = strip_trailing_slashes(host_dir);
    if (!make_host_folders(dir))
        return false;
    s_device.root = strip_trailing_slashes(absolute(dir));
    // Each standard folder is looked up without regard to case first, so a device whose folders were
    // renamed in another case keeps them instead of gaining a second copy.
    for (const char16_t* folder : kStandardFolders) {
        if (is_directory(folder))
            continue;
        if (!create_directory(folder))
            return false;
    }
    return true;
}

const std::string& device_root()
{
    return s_device.root;
}

std::string default_device_root()
{
    const char* data_home = std::getenv("XDG_DATA_HOME");
    if (data_home != nullptr && data_home[0] == '/')
        return strip_trailing_slashes(data_home) + "/varno";
    return home_folder() + "/.local/share/varno";
}

void set_card_folder(const std::string& host_dir)
{
    s_device.card = strip_trailing_slashes(absolute(host_dir));
}

const std::string& card_folder()
{
    if (s_device.card.empty()) {
        char cwd[PATH_MAX];
        s_device.card = getcwd(cwd, sizeof cwd) != nullptr ? cwd : "/";
    }
    return s_device.card;
}

std::u16string executable_path()
{
    return u"\\Program Files\\Varno\\Varno.exe";
}

std::string host_path(const std::u16string& device_path)
{
    HostPath resolved = resolve(device_path);
    return resolved.valid ? resolved.host : std::string();
}

}  // namespace platform::files
