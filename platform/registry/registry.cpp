// The registry's public calls: one tree in memory, read from the device's file on first use and written
// back whole after every change.
//
// The file is replaced safely (files::write_through_side_file): the new contents go to a side file first,
// which takes the old file's place in one step only when it was written completely, so a failed save (a
// full card, an armed write fault) leaves the last good registry on disk. A side file found without its
// main file (left by an older program that removed the file before renaming) is read instead.

#include "platform/registry/registry.h"

#include "platform/files/files.h"
#include "platform/registry/registry_file.h"
#include "platform/registry/registry_tree.h"
#include "platform/reset/reset.h"

#include <mutex>

namespace platform::registry {
namespace {

constexpr char16_t kFilePath[] = u"\\Windows\\registry.txt";

struct RegistryState {
    std::mutex lock;          // guards everything below; the driver and the UI thread may both ask
    bool loaded = false;      // `root` holds the file of `loaded_from`
    std::string loaded_from;  // host device root the tree was read from
    Key root;                 // the local-machine root
};

RegistryState s_registry;

// Whole contents of a device file, nullopt when it cannot be opened or read completely.
std::optional<std::string> read_whole(const std::u16string& path)
{
    files::Handle file = files::open_existing(path, files::Access::Read, files::kShareRead);
    if (file == nullptr)
        return std::nullopt;
    int64_t length = files::size(file);
    std::string bytes(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    uint32_t moved = bytes.empty() ? 0 : files::read(file, bytes.data(), static_cast<uint32_t>(bytes.size()));
    files::close(file);
    if (length < 0 || moved != bytes.size())
        return std::nullopt;
    return bytes;
}

// Makes `root` hold the current device's registry. False when the file exists but cannot be read whole:
// then nothing may be saved either, or a partial tree would overwrite the good file.
bool ensure_loaded()
{
    const std::string& device = files::device_root();
    if (s_registry.loaded && s_registry.loaded_from == device)
        return true;
    s_registry.root = Key {};
    s_registry.loaded = false;
    if (device.empty())
        return true;  // no device yet: an empty registry that cannot be saved
    std::u16string path = kFilePath;
    if (files::attributes(path) == files::kInvalidAttributes)
        path = files::side_path(kFilePath);
    if (files::attributes(path) != files::kInvalidAttributes) {
        std::optional<std::string> contents = read_whole(path);
        if (!contents)
            return false;
        parse(*contents, &s_registry.root);
    }
    s_registry.loaded = true;
    s_registry.loaded_from = device;
    return true;
}

bool save()
{
    if (!s_registry.loaded)
        return false;
    const std::string contents = serialize(s_registry.root);
    return files::write_through_side_file(kFilePath, contents.data(), static_cast<uint32_t>(contents.size()))
        == files::SideWrite::Replaced;
}

bool set_value(const std::u16string& key, const std::u16string& name, Value value)
{
    std::lock_guard guard(s_registry.lock);
    if (!ensure_loaded())
        return false;
    make_key(s_registry.root, split_key_path(key)).set_value(name, std::move(value));
    return save();
}

const Value* find_value(const std::u16string& key, const std::u16string& name)
{
    if (!ensure_loaded())
        return nullptr;
    Key* found = find_key(s_registry.root, split_key_path(key));
    return found ? found->find_value(name) : nullptr;
}

}  // namespace

bool set_text(const std::u16string& key, const std::u16string& name, const std::u16string& value)
{
    Value v;
    v.type = Type::Text;
    v.text = value;
    return set_value(key, name, std::move(v));
}

bool set_number(const std::u16string& key, const std::u16string& name, uint32_t value)
{
    Value v;
    v.type = Type::Number;
    v.number = value;
    return set_value(key, name, std::move(v));
}

bool set_binary(const std::u16string& key, const std::u16string& name, const std::vector<uint8_t>& value)
{
    Value v;
    v.type = Type::Binary;
    v.binary = value;
    return set_value(key, name, std::move(v));
}

std::optional<Value> query(const std::u16string& key, const std::u16string& name)
{
    std::lock_guard guard(s_registry.lock);
    const Value* value = find_value(key, name);
    return value ? std::optional<Value>(*value) : std::nullopt;
}

std::optional<std::u16string> query_text(const std::u16string& key, const std::u16string& name)
{
    std::lock_guard guard(s_registry.lock);
    const Value* value = find_value(key, name);
    return value && value->type == Type::Text ? std::optional(value->text) : std::nullopt;
}

std::optional<uint32_t> query_number(const std::u16string& key, const std::u16string& name)
{
    std::lock_guard guard(s_registry.lock);
    const Value* value = find_value(key, name);
    return value && value->type == Type::Number ? std::optional(value->number) : std::nullopt;
}

bool key_exists(const std::u16string& key)
{
    std::lock_guard guard(s_registry.lock);
    return ensure_loaded() && find_key(s_registry.root, split_key_path(key)) != nullptr;
}

bool create_key(const std::u16string& key)
{
    std::lock_guard guard(s_registry.lock);
    if (!ensure_loaded())
        return false;
    auto path = split_key_path(key);
    if (find_key(s_registry.root, path) != nullptr)
        return true;
    make_key(s_registry.root, path);
    return save();
}

std::vector<std::u16string> subkeys(const std::u16string& key)
{
    std::lock_guard guard(s_registry.lock);
    std::vector<std::u16string> names;
    Key* found = ensure_loaded() ? find_key(s_registry.root, split_key_path(key)) : nullptr;
    if (found != nullptr) {
        for (const auto& sub : found->subkeys)
            names.push_back(sub->name);
    }
    return names;
}

std::vector<std::u16string> value_names(const std::u16string& key)
{
    std::lock_guard guard(s_registry.lock);
    std::vector<std::u16string> names;
    Key* found = ensure_loaded() ? find_key(s_registry.root, split_key_path(key)) : nullptr;
    if (found != nullptr) {
        for (const auto& entry : found->values)
            names.push_back(entry.first);
    }
    return names;
}

bool delete_value(const std::u16string& key, const std::u16string& name)
{
    std::lock_guard guard(s_registry.lock);
    Key* found = ensure_loaded() ? find_key(s_registry.root, split_key_path(key)) : nullptr;
    if (found == nullptr || !found->erase_value(name))
        return false;
    return save();
}

bool delete_key(const std::u16string& key)
{
    std::lock_guard guard(s_registry.lock);
    auto path = split_key_path(key);
    if (path.empty() || !ensure_loaded())
        return false;  // the root itself stays
    std::u16string last = path.back();
    path.pop_back();
    Key* parent = find_key(s_registry.root, path);
    if (parent == nullptr || !parent->erase_subkey(last))
        return false;
    return save();
}

void reset()
{
    std::lock_guard guard(s_registry.lock);
    s_registry.root = Key {};
    s_registry.loaded = false;
    s_registry.loaded_from.clear();
}

// What a new process starts with, for the tests.
[[maybe_unused]] static const bool s_reset_registered = platform::register_reset(platform::ResetStage::Platform, reset);

}  // namespace platform::registry
