// The simulated power loss: sector-level bookkeeping of unflushed writes and what a loss leaves of them.

#include "platform/files/power_loss.h"

#include "platform/files/files.h"
#include "platform/files/open_files.h"
#include "platform/reset/reset.h"

#include <map>
#include <mutex>
#include <random>
#include <unistd.h>
#include <vector>
#include <sys/stat.h>

namespace platform::files {
namespace {

constexpr int64_t kSector = kPowerLossSectorSize;

// One file's writes since its last flush: the flushed bytes of every sector touched (shorter than a sector,
// or empty, where the flushed file ended) and the flushed size. fd is a duplicate that outlives the
// program's own handle, so a file closed or renamed since can still be rolled back.
struct Pending {
    int fd = -1;
    int64_t flushed_size = 0;
    std::map<int64_t, std::vector<uint8_t>> sectors;  // sector number -> bytes at the last flush
};

struct PowerState {
    std::mutex lock;
    bool armed = false;
    bool off = false;
    PowerLoss plan;
    int writes = 0;  // writes since arming
    std::map<std::pair<dev_t, ino_t>, Pending> files;
};

PowerState s_power;

std::pair<dev_t, ino_t> key_of(const File* file)
{
    return {file->device, file->inode};
}

int64_t host_size(int fd)
{
    struct stat st { };
    return fstat(fd, &st) == 0 ? int64_t(st.st_size) : 0;
}

Pending& pending_for(File* file)
{
    auto [it, fresh] = s_power.files.try_emplace(key_of(file));
    if (fresh) {
        it->second.fd = dup(file->fd);
        it->second.flushed_size = host_size(file->fd);
    }
    return it->second;
}

// Remembers the flushed bytes of sectors first .. last (each only the first time it is touched).
void remember(Pending& pending, int64_t first, int64_t last)
{
    for (int64_t s = first; s <= last; ++s) {
        if (pending.sectors.count(s))
            continue;
        std::vector<uint8_t> bytes;
        int64_t start = s * kSector;
        if (start < pending.flushed_size) {
            bytes.resize(size_t(std::min<int64_t>(kSector, pending.flushed_size - start)));
            ssize_t got = pread(pending.fd, bytes.data(), bytes.size(), off_t(start));
            bytes.resize(got > 0 ? size_t(got) : 0);
        }
        pending.sectors.emplace(s, std::move(bytes));
    }
}

void release(Pending& pending)
{
    if (pending.fd >= 0)
        ::close(pending.fd);
    pending.fd = -1;
}

// What the disk keeps of one file's unflushed writes.
void roll_back(Pending& pending, std::mt19937& random, bool tear)
{
    int64_t present = host_size(pending.fd);
    int64_t size = tear && (random() & 1) ? present : pending.flushed_size;
    if (ftruncate(pending.fd, off_t(size)) != 0)
        return;
    for (auto& [sector, bytes] : pending.sectors) {
        int64_t start = sector * kSector;
        if (start >= size || (tear && (random() & 1)))
            continue;  // gone with the size, or the new bytes reached the disk
        std::vector<uint8_t> old = bytes;
        old.resize(size_t(std::min<int64_t>(kSector, size - start)), 0);  // never flushed: zeros
        ssize_t put = pwrite(pending.fd, old.data(), old.size(), off_t(start));
        (void)put;
    }
}

// Forgets the pending writes of one file (they are durable, or the file is gone).
void forget(std::pair<dev_t, ino_t> key)
{
    auto it = s_power.files.find(key);
    if (it != s_power.files.end()) {
        release(it->second);
        s_power.files.erase(it);
    }
}

// Forgets every file's pending writes and starts counting afresh.
void start_over(const PowerLoss& plan, bool armed)
{
    for (auto& [key, pending] : s_power.files)
        release(pending);
    s_power.files.clear();
    s_power.plan = plan;
    s_power.armed = armed;
    s_power.off = false;
    s_power.writes = 0;
}

void cut_power()
{
    std::mt19937 random(s_power.plan.seed);
    for (auto& [key, pending] : s_power.files) {
        roll_back(pending, random, s_power.plan.tear);
        release(pending);
    }
    s_power.files.clear();
    s_power.off = true;
}

}  // namespace

bool power_before_write(File* file, int64_t offset, uint32_t count)
{
    std::lock_guard guard(s_power.lock);
    if (s_power.off)
        return false;
    if (!s_power.armed || count == 0)
        return true;
    Pending& pending = pending_for(file);
    remember(pending, offset / kSector, (offset + int64_t(count) - 1) / kSector);
    return true;
}

void power_after_write()
{
    std::lock_guard guard(s_power.lock);
    if (!s_power.armed || s_power.off)
        return;
    if (++s_power.writes == s_power.plan.at)
        cut_power();
}

bool power_flush(File* file)
{
    std::lock_guard guard(s_power.lock);
    if (s_power.off)
        return false;
    forget(key_of(file));
    return true;
}

bool power_before_truncate(File* file, int64_t new_size)
{
    std::lock_guard guard(s_power.lock);
    if (s_power.off)
        return false;
    if (!s_power.armed)
        return true;
    Pending& pending = pending_for(file);
    int64_t present = host_size(file->fd);
    if (new_size < present)
        remember(pending, new_size / kSector, (present - 1) / kSector);
    return true;
}

void power_forget(dev_t device, ino_t inode)
{
    std::lock_guard guard(s_power.lock);
    forget({device, inode});
}

void arm_power_loss(const PowerLoss& plan)
{
    std::lock_guard guard(s_power.lock);
    start_over(plan, true);
}

int power_loss_writes()
{
    std::lock_guard guard(s_power.lock);
    return s_power.writes;
}

bool power_is_off()
{
    std::lock_guard guard(s_power.lock);
    return s_power.off;
}

void clear_power_loss()
{
    std::lock_guard guard(s_power.lock);
    start_over(PowerLoss(), false);
}

// What a new process starts with, for the tests.
[[maybe_unused]] static const bool s_reset_registered
    = platform::register_reset(platform::ResetStage::Plans, clear_power_loss);

}  // namespace platform::files
