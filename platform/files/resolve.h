#pragma once
// Device path -> host path. Internal to platform/files.
//
// A device path is split at backslashes (forward slashes count too); empty and "." components are dropped
// and ".." removes the component before it. A ".." with nothing before it would leave the device, so the
// whole path is refused. The first component "Storage Card" (any case) is the card mount. Each remaining
// component is looked up in its host folder without regard to case; the first one missing and all after it
// are used as given.

#include <string>
#include <vector>

namespace platform::files {

struct HostPath {
    bool valid = false;          // false: refused (escapes the device, holds a NUL, or no device root)
    std::string host;            // host path, no trailing slash
    bool is_root = false;        // the device root itself
    bool is_card_mount = false;  // "\Storage Card" itself
    bool in_root = false;        // the last component sits directly in the device root
};

HostPath resolve(const std::u16string& device_path);

// Splits a device path as resolve() does. Returns false when ".." would climb above the root or a
// component holds a NUL.
bool split_device_path(const std::u16string& device_path, std::vector<std::u16string>* components);

// The name of the card mount in the root folder.
inline constexpr char16_t kCardName[] = u"Storage Card";

}  // namespace platform::files
