// Opening, reading, writing and positioning files through POSIX descriptors.

#include "platform/files/fault_plan.h"
#include "platform/files/files.h"
#include "platform/files/host_attributes.h"
#include "platform/files/open_files.h"
#include "platform/files/power_loss.h"
#include "platform/files/resolve.h"

#include <cerrno>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::files {
namespace {

enum class Disposition { OpenExisting, CreateAlways, CreateNew };

int open_flags(Disposition disposition, Access access)
{
    int flags = O_CLOEXEC;
    // A create opens read/write even for a read handle, because emptying the file needs it;
    // write() still refuses a read handle.
    if (access == Access::ReadWrite || disposition == Disposition::CreateAlways)
        flags |= O_RDWR;
    else
        flags |= O_RDONLY;
    if (disposition != Disposition::OpenExisting)
        flags |= O_CREAT;
    if (disposition == Disposition::CreateNew)
        flags |= O_EXCL;
    return flags;
}

// Refuses what is not a plain file before opening it: opening a FIFO would block, a folder is no file.
bool may_open(const HostPath& path, Access access, Disposition disposition)
{
    if (!path.valid || path.is_root || path.is_card_mount)
        return false;
    struct stat st { };
    if (stat(path.host.c_str(), &st) != 0)
        return disposition != Disposition::OpenExisting && folder_takes_new_names(path.host);
    if (!S_ISREG(st.st_mode) || disposition == Disposition::CreateNew)
        return false;
    // A read-only file is read-only for everyone, as its attributes say, even when the host would let
    // a privileged user write it.
    bool writes = access == Access::ReadWrite || disposition == Disposition::CreateAlways;
    return !writes || (st.st_mode & S_IWUSR);
}

Handle open_file(const std::u16string& path, Access access, uint32_t share, Disposition disposition)
{
    HostPath resolved = resolve(path);
    if (!may_open(resolved, access, disposition))
        return nullptr;
    int fd = ::open(resolved.host.c_str(), open_flags(disposition, access), 0666);
    if (fd < 0)
        return nullptr;
    struct stat st { };
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    auto* file = new File {fd, resolved.host, access, share, st.st_dev, st.st_ino};
    bool truncates = disposition == Disposition::CreateAlways;
    if (!register_open(file, truncates)) {
        ::close(fd);
        delete file;
        return nullptr;
    }
    if (truncates)
        power_forget(st.st_dev, st.st_ino);  // emptied: what it held before is gone
    if (truncates && ftruncate(fd, 0) != 0) {
        close(file);
        return nullptr;
    }
    return file;
}

}  // namespace

Handle open_existing(const std::u16string& path, Access access, uint32_t share)
{
    return open_file(path, access, share, Disposition::OpenExisting);
}

Handle create_always(const std::u16string& path, Access access, uint32_t share)
{
    return open_file(path, access, share, Disposition::CreateAlways);
}

Handle create_new(const std::u16string& path, Access access, uint32_t share)
{
    return open_file(path, access, share, Disposition::CreateNew);
}

namespace {

// Moves up to `wanted` bytes with `step(done, rest)`: one system call moving `rest` bytes after the first
// `done`. The kernel may hand over less than asked; only end of file or an error ends the loop early.
template <typename Step> uint32_t transfer(uint32_t wanted, Step step)
{
    uint32_t done = 0;
    while (done < wanted) {
        ssize_t n = step(done, wanted - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<uint32_t>(n);
    }
    return done;
}

}  // namespace

uint32_t read(Handle file, void* buffer, uint32_t count)
{
    if (file == nullptr || buffer == nullptr)
        return 0;
    auto* bytes = static_cast<char*>(buffer);
    return transfer(fault_limit(Direction::Read, count),
        [&](uint32_t done, uint32_t rest) { return ::read(file->fd, bytes + done, rest); });
}

uint32_t write(Handle file, const void* buffer, uint32_t count)
{
    if (file == nullptr || buffer == nullptr || file->access != Access::ReadWrite)
        return 0;
    const auto* bytes = static_cast<const char*>(buffer);
    off_t at = lseek(file->fd, 0, SEEK_CUR);
    if (!power_before_write(file, at, count))
        return 0;
    uint32_t moved = transfer(fault_limit(Direction::Write, count),
        [&](uint32_t done, uint32_t rest) { return ::write(file->fd, bytes + done, rest); });
    power_after_write();
    return moved;
}

uint32_t read_at(Handle file, int64_t offset, void* buffer, uint32_t count)
{
    if (file == nullptr || buffer == nullptr || offset < 0)
        return 0;
    auto* bytes = static_cast<char*>(buffer);
    return transfer(fault_limit(Direction::Read, count),
        [&](uint32_t done, uint32_t rest) { return ::pread(file->fd, bytes + done, rest, off_t(offset + done)); });
}

uint32_t write_at(Handle file, int64_t offset, const void* buffer, uint32_t count)
{
    if (file == nullptr || buffer == nullptr || offset < 0 || file->access != Access::ReadWrite)
        return 0;
    const auto* bytes = static_cast<const char*>(buffer);
    if (!power_before_write(file, offset, count))
        return 0;
    uint32_t moved = transfer(fault_limit(Direction::Write, count),
        [&](uint32_t done, uint32_t rest) { return ::pwrite(file->fd, bytes + done, rest, off_t(offset + done)); });
    power_after_write();
    return moved;
}

int64_t seek(Handle file, int64_t offset, Origin origin)
{
    if (file == nullptr)
        return -1;
    int64_t base = 0;
    if (origin == Origin::Current)
        base = lseek(file->fd, 0, SEEK_CUR);
    else if (origin == Origin::End)
        base = size(file);
    if (base < 0)
        return -1;
    if (offset > 0 && base > std::numeric_limits<int64_t>::max() - offset)
        return -1;
    int64_t target = base + offset;
    if (target < 0)
        return -1;
    return lseek(file->fd, target, SEEK_SET);
}

int64_t size(Handle file)
{
    struct stat st { };
    if (file == nullptr || fstat(file->fd, &st) != 0)
        return -1;
    return st.st_size;
}

bool flush(Handle file)
{
    // Writes go straight to the kernel, so other readers already see them; flushing makes them durable.
    return file != nullptr && power_flush(file) && fdatasync(file->fd) == 0;
}

bool set_end_of_file(Handle file)
{
    if (file == nullptr || file->access != Access::ReadWrite)
        return false;
    off_t position = lseek(file->fd, 0, SEEK_CUR);
    return position >= 0 && power_before_truncate(file, position) && ftruncate(file->fd, position) == 0;
}

void close(Handle file)
{
    if (file == nullptr)
        return;
    unregister_open(file);
    ::close(file->fd);
    delete file;
}

}  // namespace platform::files
