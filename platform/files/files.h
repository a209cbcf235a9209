#pragma once
// The device file system. The program names files with wide, backslash-separated device paths
// ("\My Documents\Lot7.dat"); each maps to a host file under the device root. "\Storage Card" is a mount of
// a host folder chosen at launch. Existing components are matched without regard to letter case, new ones
// are created as given. A path without a leading backslash is taken from the device root.
//
// Reads and writes return the count actually moved: a short read or write is a count, never an exception.
// Nothing here shows a message; callers decide what a failure means.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform::files {

// ---- The device -------------------------------------------------------------------------------------

// Host folder that holds the device (created when missing). Default: $XDG_DATA_HOME/varno, or
// ~/.local/share/varno. Creates \Program Files\Varno, \My Documents, \Temp and \Windows inside it.
// Returns false when the folder cannot be created.
bool set_device_root(const std::string& host_dir);
const std::string& device_root();  // host path, no trailing slash; empty before set_device_root
std::string default_device_root();

// Host folder mounted as \Storage Card (default: the folder the program was started from).
void set_card_folder(const std::string& host_dir);
const std::string& card_folder();

// The executable's device path: "\Program Files\Varno\Varno.exe".
std::u16string executable_path();

// Host path of a device path: existing components matched case-insensitively, the rest as given.
// Empty when the path is refused: no device root set, a NUL in a name, or ".." climbing above the device
// root ("\Temp\..\Windows" is fine, "\..\etc" is not). Every call below fails for a refused path.
std::string host_path(const std::u16string& device_path);

// ---- Attributes -------------------------------------------------------------------------------------

constexpr uint32_t kAttrReadOnly = 0x01;
constexpr uint32_t kAttrHidden = 0x02;
constexpr uint32_t kAttrDirectory = 0x10;
constexpr uint32_t kAttrArchive = 0x20;
constexpr uint32_t kAttrNormal = 0x80;
constexpr uint32_t kAttrTemporary = 0x100;  // with kAttrDirectory: a mounted storage card
constexpr uint32_t kInvalidAttributes = 0xFFFFFFFF;

// Attributes of a file or folder, kInvalidAttributes when it does not exist. "\Storage Card" reports
// kAttrDirectory | kAttrTemporary.
uint32_t attributes(const std::u16string& path);
bool is_directory(const std::u16string& path);

// ---- Files ------------------------------------------------------------------------------------------

enum class Access { Read, ReadWrite };

// Share modes: what other opens of the same file within this process may do meanwhile.
constexpr uint32_t kShareNone = 0;
constexpr uint32_t kShareRead = 1;
constexpr uint32_t kShareWrite = 2;

class File;            // opaque
using Handle = File*;  // nullptr: no file

// Opens an existing file; nullptr when it does not exist, is a folder, cannot be opened with that access,
// or an open handle's share mode forbids it.
Handle open_existing(const std::u16string& path, Access access, uint32_t share = kShareRead | kShareWrite);
// Creates the file, replacing (emptying) an existing one; nullptr when it cannot be created (folder
// missing, a new name in a read-only folder, name is a folder, share violation).
Handle create_always(const std::u16string& path, Access access, uint32_t share = kShareNone);
// Creates a new empty file; fails (nullptr) when it exists or its folder is read-only.
Handle create_new(const std::u16string& path, Access access, uint32_t share = kShareNone);

// Bytes moved, 0..count. Each call may come up short when a fault is armed (see below).
uint32_t read(Handle file, void* buffer, uint32_t count);
uint32_t write(Handle file, const void* buffer, uint32_t count);

// Positioned transfers: read or write at a byte offset from the file's start in one call, leaving the
// file position where it was. Bytes moved, 0..count; 0 for a negative offset or a null handle. They honour
// the fault switch exactly as read and write do (each call counts as one read or one write).
uint32_t read_at(Handle file, int64_t offset, void* buffer, uint32_t count);
uint32_t write_at(Handle file, int64_t offset, const void* buffer, uint32_t count);

enum class Origin { Begin, Current, End };
// New position, or -1 (position unchanged) when it would be negative or the handle is null.
int64_t seek(Handle file, int64_t offset, Origin origin);
int64_t size(Handle file);  // -1 for a null handle
bool flush(Handle file);
// Cuts or extends the file at the current position (zero-filled when extended).
bool set_end_of_file(Handle file);
void close(Handle file);  // null is harmless

bool remove(const std::u16string& path);            // a file; false when missing or open
bool create_directory(const std::u16string& path);  // false when it exists or the parent is missing
bool remove_directory(const std::u16string& path);  // empty folders only
// Renames a file or folder; never replaces another file (false then). Across file systems (device and
// card) a file is copied and the original deleted.
bool move(const std::u16string& from, const std::u16string& to);
// Gives the file `from` the name `to` in one step, replacing a file already there: a reader finds the old
// file or the new one, never neither. False, and both left as they were, when `from` is not a file, `to`
// is a folder, either is open, the folder of `to` takes no new names (read-only), or the two lie on
// different file systems.
bool replace(const std::u16string& from, const std::u16string& to);

// ---- Replacing a file's contents safely -------------------------------------------------------------

// The side file of `path`: the same name with ".new" appended, in the same folder.
std::u16string side_path(const std::u16string& path);

enum class SideWrite {
    Replaced,     // `path` holds the new bytes
    NoSideFile,   // the side file could not be created (say, a read-only folder); nothing changed
    ShortWrite,   // the bytes could not all be written and flushed; `path` unchanged
    NotReplaced,  // the side file could not take the place of `path` (open, say); `path` unchanged
};
// Writes `count` bytes to the side file of `path` (replacing a stale one), flushes it, and then replaces
// `path` with it. Whatever the outcome `path` holds its old contents or all the new ones, never a part,
// and no side file is left behind.
SideWrite write_through_side_file(const std::u16string& path, const void* bytes, uint32_t count);

// ---- Finding files ----------------------------------------------------------------------------------

struct FindData {
    std::u16string name;  // the last component, as stored on the host
    uint32_t attributes = 0;
    uint64_t size = 0;
};

class Finder;
using FindHandle = Finder*;  // nullptr: nothing found

// Pattern: a folder path and a last component with '*' and '?' wildcards, matched without regard to case
// ("\Temp\*.*" lists \Temp; "*.*" also matches names without a dot). "." and ".." are never returned. The
// root lists "Storage Card" among its folders. Entries come in name order.
FindHandle find_first(const std::u16string& pattern, FindData* out);
bool find_next(FindHandle finder, FindData* out);
void find_close(FindHandle finder);

// ---- Documents --------------------------------------------------------------------------------------

// The device's document store: the files under \My Documents and its sub-folders (at most
// kMaxDocumentDepth folders deep) whose names match `pattern` (a last component as for find_first, such
// as "*.*"), as full device paths. A folder's own files come before those of its sub-folders, each group
// in name order. Empty when there is no \My Documents or nothing matches.
constexpr int kMaxDocumentDepth = 8;
std::vector<std::u16string> find_documents(const std::u16string& pattern);

// ---- Fault switch for tests -------------------------------------------------------------------------

// Makes reads or writes come up short on demand, so every message path of the program can be exercised.
// After `skip` further calls pass untouched, the next `count` calls (-1: all following) move at most
// `moved` bytes. Arming replaces a previous plan for that direction.
struct Fault {
    int skip = 0;
    int count = 1;
    uint32_t moved = 0;
};
void arm_read_fault(const Fault& fault);
void arm_write_fault(const Fault& fault);
void clear_faults();

// A simulated power loss, as a crash test of the files that must survive one. Once armed, the `at`-th write
// (counted over all files from arming) is the last: it is made, then every write since its file's last
// flush is dropped (`tear` false: the file as it was flushed) or torn (each kPowerLossSectorSize-byte sector
// they touched keeps its new bytes or its flushed ones, and the size is the flushed or the present one, as
// `seed` chooses). Bytes never flushed read as zeros. From then on the device is off: writes move nothing and
// flushes and size changes fail, until clear_power_loss. Creating, deleting and renaming files are durable
// at once.
constexpr int kPowerLossSectorSize = 512;
struct PowerLoss {
    int at = 1;
    uint32_t seed = 0;
    bool tear = true;
};
void arm_power_loss(const PowerLoss& plan);
int power_loss_writes();  // writes counted since arming: how many write points an operation has
bool power_is_off();      // the armed write has come
void clear_power_loss();

}  // namespace platform::files
