#pragma once
// The simulated power loss's bookkeeping. Internal to platform/files.
//
// While a power loss is armed, every write remembers, per file, what each 512-byte sector it touches held
// at that file's last flush, and the file's size then. A flush forgets it: those bytes are durable. When the
// armed write arrives the power goes: that write is made, then every sector written since its file's last
// flush keeps its new bytes or gets its flushed ones back (all back when dropping; a seeded choice per sector
// when tearing), and each file's size is its flushed size or its present one. From then on the device is
// off: writes move nothing, flushes and size changes fail, until the switch is cleared.

#include <cstdint>
#include <sys/types.h>

namespace platform::files {

class File;

// Before a write of count bytes at offset through file: false when the device is off (the write must move
// nothing). Otherwise remembers the sectors the write will touch.
bool power_before_write(File* file, int64_t offset, uint32_t count);
// After that write: counts it, and when it is the armed one, cuts the power.
void power_after_write();
// A flush of file succeeded (or is about to be made): its writes so far are durable. False when the device
// is off (the flush must fail).
bool power_flush(File* file);
// Before a file's size is cut to new_size: false when the device is off. Remembers the sectors cut.
bool power_before_truncate(File* file, int64_t new_size);
// The host file (device, inode) is about to be deleted: its pending writes go with it.
void power_forget(dev_t device, ino_t inode);

}  // namespace platform::files
