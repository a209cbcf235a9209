#include "resources/strings.h"

#include <map>

#include "platform/reset/reset.h"

namespace resources {
namespace {

struct StringTable {
    std::map<int, std::u16string> texts;  // by id; lives for the whole run
};
StringTable s_strings;

}  // namespace

void add_string(int id, std::u16string_view text)
{
    s_strings.texts[id] = std::u16string(text);
}

std::u16string load_string(int id, int capacity)
{
    if (capacity < 1)
        return {};
    auto it = s_strings.texts.find(id);
    if (it == s_strings.texts.end())
        return {};
    return it->second.substr(0, size_t(capacity - 1));
}

void clear_strings()
{
    s_strings.texts.clear();
}

// What a new process starts with, for the tests.
[[maybe_unused]] static const bool s_reset_registered
    = platform::register_reset(platform::ResetStage::Foundation, clear_strings);

}  // namespace resources
