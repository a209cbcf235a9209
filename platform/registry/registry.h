#pragma once
// The handheld's registry, local-machine root only: keys ("Drivers\\BuiltIn\\GPSID", backslash-separated,
// case-insensitive) holding typed values. Kept in a readable text file in the device's \Windows folder
// ("\Windows\registry.txt"), loaded on first use after the device root is set and saved after every change.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform::registry {

enum class Type { Text, Number, Binary };

struct Value {
    Type type = Type::Text;
    std::u16string text;          // Type::Text
    uint32_t number = 0;          // Type::Number
    std::vector<uint8_t> binary;  // Type::Binary
};

// Setting a value creates its key and any parent keys. Return false when the file cannot be saved (the
// change then stays in memory only), when no device root is set yet, and when the file exists but could
// not be read whole (so that a partial registry never replaces it).
bool set_text(const std::u16string& key, const std::u16string& name, const std::u16string& value);
bool set_number(const std::u16string& key, const std::u16string& name, uint32_t value);
bool set_binary(const std::u16string& key, const std::u16string& name, const std::vector<uint8_t>& value);

std::optional<Value> query(const std::u16string& key, const std::u16string& name);
std::optional<std::u16string> query_text(const std::u16string& key, const std::u16string& name);
std::optional<uint32_t> query_number(const std::u16string& key, const std::u16string& name);

bool key_exists(const std::u16string& key);
bool create_key(const std::u16string& key);
std::vector<std::u16string> subkeys(const std::u16string& key);  // names, in order of creation
std::vector<std::u16string> value_names(const std::u16string& key);
bool delete_value(const std::u16string& key, const std::u16string& name);
bool delete_key(const std::u16string& key);  // with its subkeys

// Forgets what is in memory so the next call reads the file of the current device root again (tests, and
// the start of the program after the device root is chosen).
void reset();

}  // namespace platform::registry
