#pragma once
// The registry's text file, UTF-8, one record a line. Internal to platform/registry.
//
//   # comment
//   [Drivers\\BuiltIn\\GPSID]                      a key: its full path, escaped like a string
//   "DriverInterface"=text:"GPD0:"                 a text value
//   "Baud"=number:4800                             a 32-bit number, decimal
//   "Blob"=binary:00ff7a                           bytes, two lowercase hex digits each
//
// Values belong to the key above them; values before any key line belong to the root. Every key is
// written, empty ones too, parents before their subkeys, each list in order of creation.
// Strings escape \\ \" \n \r \t, and write other control characters and unpaired surrogates as \uXXXX,
// so any UTF-16 text survives. Lines that cannot be read are skipped.

#include "platform/registry/registry_tree.h"

#include <string>
#include <string_view>

namespace platform::registry {

std::string serialize(const Key& root);
// Adds what `file` holds to `root`.
void parse(std::string_view file, Key* root);

// Exposed for tests: the string escape and its inverse (the whole of `escaped`, no quotes).
std::string escape(std::u16string_view s);
std::optional<std::u16string> unescape(std::string_view escaped);

}  // namespace platform::registry
