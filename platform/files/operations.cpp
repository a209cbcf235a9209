// Whole-file operations: attributes, delete, folders, move and replace.

#include "platform/files/files.h"
#include "platform/files/host_attributes.h"
#include "platform/files/open_files.h"
#include "platform/files/power_loss.h"
#include "platform/files/resolve.h"
#include "platform/text/text.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace platform::files {
namespace {

bool is_plain_path(const HostPath& path)
{
    return path.valid && !path.is_root && !path.is_card_mount;
}

std::string parent_of(const std::string& host)
{
    size_t slash = host.find_last_of('/');
    return slash == 0 ? "/" : host.substr(0, slash);
}

// The host target of a move: the resolved path, except that renaming a file to another case of its own
// name must keep the new spelling rather than find the old one.
std::string move_target(const std::u16string& to, const HostPath& resolved, const struct stat& from_st)
{
    struct stat st { };
    if (stat(resolved.host.c_str(), &st) != 0 || st.st_dev != from_st.st_dev || st.st_ino != from_st.st_ino)
        return resolved.host;
    std::vector<std::u16string> parts;
    split_device_path(to, &parts);
    return parent_of(resolved.host) + "/" + text::to_utf8(parts.back());
}

// rename() cannot cross file systems (the card may be on another one): copy, then delete the original.
bool copy_then_delete(const std::string& from, const std::string& to)
{
    int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return false;
    int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    bool ok = out >= 0;
    char buffer[65536];
    while (ok) {
        ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        ok = ::write(out, buffer, static_cast<size_t>(n)) == n;
    }
    ::close(in);
    if (out >= 0 && ::close(out) != 0)
        ok = false;
    if (!ok) {
        if (out >= 0)
            unlink(to.c_str());
        return false;
    }
    return unlink(from.c_str()) == 0;
}

}  // namespace

uint32_t host_attributes(const std::string& name, const struct stat& st)
{
    uint32_t attrs = 0;
    if (S_ISDIR(st.st_mode))
        attrs |= kAttrDirectory;
    if (!(st.st_mode & S_IWUSR))
        attrs |= kAttrReadOnly;
    if (!name.empty() && name[0] == '.')
        attrs |= kAttrHidden;
    return attrs == 0 ? kAttrNormal : attrs;
}

uint32_t attributes(const std::u16string& path)
{
    HostPath resolved = resolve(path);
    if (!resolved.valid)
        return kInvalidAttributes;
    if (resolved.is_card_mount)
        return kAttrDirectory | kAttrTemporary;
    struct stat st { };
    if (stat(resolved.host.c_str(), &st) != 0)
        return kInvalidAttributes;
    std::string name = resolved.is_root ? std::string() : resolved.host.substr(resolved.host.find_last_of('/') + 1);
    return host_attributes(name, st);
}

bool folder_takes_new_names(const std::string& host)
{
    struct stat st { };
    return stat(parent_of(host).c_str(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & S_IWUSR);
}

bool is_directory(const std::u16string& path)
{
    uint32_t attrs = attributes(path);
    return attrs != kInvalidAttributes && (attrs & kAttrDirectory);
}

bool remove(const std::u16string& path)
{
    HostPath resolved = resolve(path);
    struct stat st { };
    if (!is_plain_path(resolved) || lstat(resolved.host.c_str(), &st) != 0 || S_ISDIR(st.st_mode))
        return false;
    if (is_open(resolved.host))
        return false;
    power_forget(st.st_dev, st.st_ino);
    return unlink(resolved.host.c_str()) == 0;
}

bool create_directory(const std::u16string& path)
{
    HostPath resolved = resolve(path);
    return is_plain_path(resolved) && mkdir(resolved.host.c_str(), 0777) == 0;
}

bool remove_directory(const std::u16string& path)
{
    HostPath resolved = resolve(path);
    return is_plain_path(resolved) && rmdir(resolved.host.c_str()) == 0;
}

bool move(const std::u16string& from, const std::u16string& to)
{
    HostPath source = resolve(from);
    HostPath target = resolve(to);
    struct stat st { };
    if (!is_plain_path(source) || !is_plain_path(target) || lstat(source.host.c_str(), &st) != 0)
        return false;
    if (is_open(source.host))
        return false;
    std::string destination = move_target(to, target, st);
    struct stat existing { };
    if (destination != source.host && lstat(destination.c_str(), &existing) == 0
        && (existing.st_dev != st.st_dev || existing.st_ino != st.st_ino))
        return false;  // never replaces another file
    if (std::rename(source.host.c_str(), destination.c_str()) == 0)
        return true;
    return errno == EXDEV && S_ISREG(st.st_mode) && copy_then_delete(source.host, destination);
}

bool replace(const std::u16string& from, const std::u16string& to)
{
    HostPath source = resolve(from);
    HostPath target = resolve(to);
    struct stat st { };
    if (!is_plain_path(source) || !is_plain_path(target) || lstat(source.host.c_str(), &st) != 0
        || !S_ISREG(st.st_mode))
        return false;
    if (is_open(source.host) || is_open(target.host) || !folder_takes_new_names(target.host))
        return false;
    struct stat existing { };
    if (lstat(target.host.c_str(), &existing) == 0 && S_ISDIR(existing.st_mode))
        return false;
    // rename(2) swaps the name over in one step, so a reader finds the old file or the new one, never
    // neither; it refuses to cross file systems (EXDEV), where no such step exists.
    if (std::rename(source.host.c_str(), target.host.c_str()) != 0)
        return false;
    // The new name must reach the disk too, or a power loss could bring the old file back.
    int folder = ::open(parent_of(target.host).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        fsync(folder);
        ::close(folder);
    }
    return true;
}

}  // namespace platform::files
