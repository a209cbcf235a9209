// The table of open files, for share modes and for refusing to delete or move a file in use.

#include "platform/files/open_files.h"

#include <algorithm>
#include <mutex>
#include <sys/stat.h>
#include <vector>

namespace platform::files {
namespace {

struct OpenFilesState {
    std::mutex lock;          // guards `open`; handles may be used from the driver and the UI thread
    std::vector<File*> open;  // borrowed: each File is owned by its handle until close()
};

OpenFilesState s_open;

bool writes(Access access)
{
    return access == Access::ReadWrite;
}

// Whether an existing open and a new one may coexist. Every access reads; ReadWrite also writes.
bool compatible(const File& existing, const File& added, bool truncates)
{
    if (!(existing.share & kShareRead) || !(added.share & kShareRead))
        return false;
    if ((writes(added.access) || truncates) && !(existing.share & kShareWrite))
        return false;
    if (writes(existing.access) && !(added.share & kShareWrite))
        return false;
    return true;
}

}  // namespace

bool register_open(File* file, bool truncates)
{
    std::lock_guard guard(s_open.lock);
    for (const File* other : s_open.open) {
        bool same = other->device == file->device && other->inode == file->inode;
        if (same && !compatible(*other, *file, truncates))
            return false;
    }
    s_open.open.push_back(file);
    return true;
}

void unregister_open(File* file)
{
    std::lock_guard guard(s_open.lock);
    auto& open = s_open.open;
    open.erase(std::remove(open.begin(), open.end(), file), open.end());
}

bool is_open(const std::string& host)
{
    struct stat st { };
    if (stat(host.c_str(), &st) != 0)
        return false;
    std::lock_guard guard(s_open.lock);
    return std::any_of(s_open.open.begin(), s_open.open.end(),
        [&](const File* f) { return f->device == st.st_dev && f->inode == st.st_ino; });
}

}  // namespace platform::files
