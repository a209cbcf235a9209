// Replacing a file's contents through a side file, so that a failed write never costs the last good file.

#include "platform/files/files.h"

namespace platform::files {

std::u16string side_path(const std::u16string& path)
{
    return path + u".new";
}

SideWrite write_through_side_file(const std::u16string& path, const void* bytes, uint32_t count)
{
    const std::u16string side = side_path(path);
    Handle file = create_always(side, Access::ReadWrite);
    if (file == nullptr)
        return SideWrite::NoSideFile;
    const bool whole = write(file, bytes, count) == count;
    // Durable before it takes the old file's place: otherwise a power loss could leave the new name on
    // contents that never reached the disk.
    const bool flushed = whole && flush(file);
    close(file);
    if (!flushed) {
        remove(side);
        return SideWrite::ShortWrite;
    }
    if (!replace(side, path)) {
        remove(side);
        return SideWrite::NotReplaced;
    }
    return SideWrite::Replaced;
}

}  // namespace platform::files
