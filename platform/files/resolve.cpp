// Device path resolution: components matched without regard to case against what the host folder holds.

#include "platform/files/resolve.h"

#include "platform/files/files.h"
#include "platform/text/text.h"

#include <dirent.h>

namespace platform::files {
namespace {

bool is_separator(char16_t c)
{
    return c == u'\\' || c == u'/';
}

// The host name of `component` inside `folder`: an exact match first, then one that differs only in case.
// Empty when the folder holds neither (or cannot be read).
std::string find_in_folder(const std::string& folder, const std::u16string& component)
{
    std::string exact = text::to_utf8(component);
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr)
        return {};
    std::string found;
    while (const dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (name == exact) {
            found = name;
            break;
        }
        if (found.empty() && text::equal_no_case(text::from_utf8(name), component))
            found = name;
    }
    closedir(dir);
    return found;
}

}  // namespace

bool split_device_path(const std::u16string& device_path, std::vector<std::u16string>* components)
{
    components->clear();
    size_t i = 0;
    while (i < device_path.size()) {
        while (i < device_path.size() && is_separator(device_path[i]))
            ++i;
        size_t end = i;
        while (end < device_path.size() && !is_separator(device_path[end]))
            ++end;
        std::u16string part = device_path.substr(i, end - i);
        i = end;
        if (part.empty() || part == u".")
            continue;
        if (part.find(u'\0') != std::u16string::npos)
            return false;
        if (part == u"..") {
            if (components->empty())
                return false;
            components->pop_back();
            continue;
        }
        components->push_back(std::move(part));
    }
    return true;
}

HostPath resolve(const std::u16string& device_path)
{
    HostPath out;
    std::vector<std::u16string> parts;
    if (device_root().empty() || !split_device_path(device_path, &parts))
        return out;
    out.valid = true;
    out.host = device_root();
    out.is_root = parts.empty();
    out.in_root = parts.size() == 1;
    size_t first = 0;
    if (!parts.empty() && text::equal_no_case(parts[0], kCardName)) {
        out.host = card_folder();
        out.is_card_mount = parts.size() == 1;
        first = 1;
    }
    bool exists = true;
    for (size_t k = first; k < parts.size(); ++k) {
        std::string name = exists ? find_in_folder(out.host, parts[k]) : std::string();
        if (name.empty()) {
            exists = false;
            name = text::to_utf8(parts[k]);
        }
        out.host += (out.host == "/" ? "" : "/") + name;
    }
    return out;
}

}  // namespace platform::files
