#pragma once
// The handheld's attribute bits for a host file. Internal to platform/files.

#include <cstdint>
#include <string>
#include <sys/stat.h>

namespace platform::files {

// Folders are kAttrDirectory; files without the owner's write permission are kAttrReadOnly; names the
// host hides (a leading dot) are kAttrHidden; a file with none of these is kAttrNormal.
uint32_t host_attributes(const std::string& name, const struct stat& st);

}  // namespace platform::files
