// Keys and values in memory.

#include "platform/registry/registry_tree.h"

#include "platform/text/text.h"

#include <algorithm>

namespace platform::registry {

Key* Key::find_subkey(const std::u16string& subkey_name)
{
    for (auto& key : subkeys) {
        if (text::equal_no_case(key->name, subkey_name))
            return key.get();
    }
    return nullptr;
}

Key& Key::subkey(const std::u16string& subkey_name)
{
    if (Key* found = find_subkey(subkey_name))
        return *found;
    subkeys.push_back(std::make_unique<Key>());
    subkeys.back()->name = subkey_name;
    return *subkeys.back();
}

bool Key::erase_subkey(const std::u16string& subkey_name)
{
    auto it = std::find_if(
        subkeys.begin(), subkeys.end(), [&](const auto& key) { return text::equal_no_case(key->name, subkey_name); });
    if (it == subkeys.end())
        return false;
    subkeys.erase(it);
    return true;
}

const Value* Key::find_value(const std::u16string& value_name) const
{
    for (const auto& [name, value] : values) {
        if (text::equal_no_case(name, value_name))
            return &value;
    }
    return nullptr;
}

void Key::set_value(const std::u16string& value_name, Value value)
{
    for (auto& [name, existing] : values) {
        if (text::equal_no_case(name, value_name)) {
            existing = std::move(value);
            return;
        }
    }
    values.emplace_back(value_name, std::move(value));
}

bool Key::erase_value(const std::u16string& value_name)
{
    auto it = std::find_if(
        values.begin(), values.end(), [&](const auto& entry) { return text::equal_no_case(entry.first, value_name); });
    if (it == values.end())
        return false;
    values.erase(it);
    return true;
}

std::vector<std::u16string> split_key_path(const std::u16string& path)
{
    std::vector<std::u16string> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find(u'\\', start);
        if (end == std::u16string::npos)
            end = path.size();
        if (end > start)
            parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

Key* find_key(Key& root, const std::vector<std::u16string>& path)
{
    Key* key = &root;
    for (const std::u16string& part : path) {
        key = key->find_subkey(part);
        if (key == nullptr)
            return nullptr;
    }
    return key;
}

Key& make_key(Key& root, const std::vector<std::u16string>& path)
{
    Key* key = &root;
    for (const std::u16string& part : path)
        key = &key->subkey(part);
    return *key;
}

}  // namespace platform::registry
