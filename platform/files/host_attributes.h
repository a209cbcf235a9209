#pragma once
// The handheld's attribute bits for a host file. Internal to platform/files.

#include <cstdint>
#include <string>
#include <sys/stat.h>

namespace platform::files {

// Folders are kAttrDirectory; files without the owner's write permission are kAttrReadOnly; names the
// host hides (a leading dot) are kAttrHidden; a file with none of these is kAttrNormal.
uint32_t host_attributes(const std::string& name, const struct stat& st);

// Whether the folder that holds the host path `host` takes new names: a folder without the owner's write
// permission is read-only, and like a read-only file it is so for everyone, even a privileged user the
// host would let in.
bool folder_takes_new_names(const std::string& host);

}  // namespace platform::files
