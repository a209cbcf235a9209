#pragma once
// The registry in memory: a tree of keys, each with its values, both kept in order of creation and found
// without regard to letter case. Internal to platform/registry.

#include "platform/registry/registry.h"

#include <memory>
#include <utility>

namespace platform::registry {

struct Key {
    std::u16string name;                                   // as first created
    std::vector<std::unique_ptr<Key>> subkeys;             // in order of creation
    std::vector<std::pair<std::u16string, Value>> values;  // in order of creation

    Key* find_subkey(const std::u16string& subkey_name);
    Key& subkey(const std::u16string& subkey_name);  // found, or created at the end
    bool erase_subkey(const std::u16string& subkey_name);

    const Value* find_value(const std::u16string& value_name) const;
    // Replaces the type and data of an existing value (its name and place stay), or appends a new one.
    void set_value(const std::u16string& value_name, Value value);
    bool erase_value(const std::u16string& value_name);
};

// "Drivers\\BuiltIn\\GPSID" -> {"Drivers", "BuiltIn", "GPSID"}; empty components are dropped, so "" and
// "\\" name the root.
std::vector<std::u16string> split_key_path(const std::u16string& path);

// The key at `path` below `root`, nullptr when any part is missing.
Key* find_key(Key& root, const std::vector<std::u16string>& path);
// The key at `path`, creating it and its parents as needed.
Key& make_key(Key& root, const std::vector<std::u16string>& path);

}  // namespace platform::registry
