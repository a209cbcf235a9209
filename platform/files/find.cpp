// Listing folders: the entries matching a wildcard pattern, in name order.

#include "platform/files/files.h"
#include "platform/files/host_attributes.h"
#include "platform/files/resolve.h"
#include "platform/text/text.h"

#include <algorithm>
#include <dirent.h>
#include <vector>

namespace platform::files {

class Finder {
public:
    std::vector<FindData> entries;  // everything that matched, sorted
    size_t next = 0;                // index of the entry find_next returns
};

namespace {

// '*' matches any run of characters, '?' any one character, letters without regard to case.
bool wildcard_match(std::u16string_view pattern, std::u16string_view name)
{
    size_t p = 0, n = 0;
    size_t star = std::u16string_view::npos, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == u'?' || text::to_upper(pattern[p]) == text::to_upper(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == u'*') {
            star = p++;
            resume = n;
        } else if (star != std::u16string_view::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

// As on the handheld, a pattern ending in ".*" also matches names without an extension, so "*.*"
// matches everything and "Lot7.*" matches "Lot7".
bool name_matches(std::u16string_view pattern, std::u16string_view name)
{
    if (wildcard_match(pattern, name))
        return true;
    return pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == u".*"
        && name.find(u'.') == std::u16string_view::npos && wildcard_match(pattern.substr(0, pattern.size() - 2), name);
}

bool name_order(const FindData& a, const FindData& b)
{
    int c = text::compare_no_case(a.name, b.name);
    return c != 0 ? c < 0 : a.name < b.name;
}

// The entries of one host folder matching `pattern`. In the device root the card mount replaces any host
// entry of the same name.
std::vector<FindData> list_folder(const HostPath& folder, const std::u16string& pattern)
{
    std::vector<FindData> found;
    DIR* dir = opendir(folder.host.c_str());
    if (dir == nullptr)
        return found;
    while (const dirent* entry = readdir(dir)) {
        std::string host_name = entry->d_name;
        if (host_name == "." || host_name == "..")
            continue;
        std::u16string name = text::from_utf8(host_name);
        if (!name_matches(pattern, name) || (folder.is_root && text::equal_no_case(name, kCardName)))
            continue;
        struct stat st { };
        if (stat((folder.host + "/" + host_name).c_str(), &st) != 0)
            continue;  // a dangling link has nothing to show
        uint32_t attrs = host_attributes(host_name, st);
        uint64_t bytes = (attrs & kAttrDirectory) ? 0 : static_cast<uint64_t>(st.st_size);
        found.push_back(FindData {name, attrs, bytes});
    }
    closedir(dir);
    if (folder.is_root && name_matches(pattern, kCardName))
        found.push_back(FindData {kCardName, kAttrDirectory | kAttrTemporary, 0});
    std::sort(found.begin(), found.end(), name_order);
    return found;
}

}  // namespace

FindHandle find_first(const std::u16string& pattern, FindData* out)
{
    std::vector<std::u16string> parts;
    if (out == nullptr || !split_device_path(pattern, &parts) || parts.empty())
        return nullptr;
    std::u16string last = parts.back();
    parts.pop_back();
    std::u16string folder_path;
    for (const std::u16string& part : parts)
        folder_path += u"\\" + part;
    HostPath folder = resolve(folder_path);
    if (!folder.valid)
        return nullptr;
    auto* finder = new Finder {list_folder(folder, last), 0};
    if (!find_next(finder, out)) {
        delete finder;
        return nullptr;
    }
    return finder;
}

bool find_next(FindHandle finder, FindData* out)
{
    if (finder == nullptr || out == nullptr || finder->next >= finder->entries.size())
        return false;
    *out = finder->entries[finder->next++];
    return true;
}

void find_close(FindHandle finder)
{
    delete finder;
}

}  // namespace platform::files
