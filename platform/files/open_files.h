#pragma once
// Files open within this process and the share modes they were opened with. Internal to platform/files.
// A file is known by its host device and inode, so two spellings of one path (different case, the card
// mount seen from inside the device) are the same file.

#include "platform/files/files.h"

#include <sys/types.h>

namespace platform::files {

class File {
public:
    int fd = -1;
    std::string host;
    Access access = Access::Read;
    uint32_t share = kShareNone;
    dev_t device = 0;
    ino_t inode = 0;
};

// Adds `file` to the table unless an open of the same file forbids it or it forbids one: an open that
// reads needs the others to share reading, one that writes (or `truncates` the file) needs them to share
// writing, and the same holds the other way round. Returns false (table unchanged) on a share violation.
bool register_open(File* file, bool truncates);
void unregister_open(File* file);

// True when the host file is open through any handle.
bool is_open(const std::string& host);

}  // namespace platform::files
