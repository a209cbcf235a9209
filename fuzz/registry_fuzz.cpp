// A registry file of any bytes. What the parser keeps must be a fixed point of writing and reading it
// again, and the registry's calls must show the same keys and values from the file as it came and from the
// file as the registry writes it. (Saving itself syncs the disk on every change, too slow to run per input;
// what it writes is serialize's text.)

#include <string>

#include "fuzz/fuzz_support.h"
#include "platform/registry/registry.h"
#include "platform/registry/registry_file.h"
#include "platform/text/text.h"

namespace {

namespace registry = platform::registry;

constexpr const char16_t* kFilePath = u"\\Windows\\registry.txt";
constexpr const char16_t* kSidePath = u"\\Windows\\registry.txt.new";

void describe_value(const registry::Value& v, std::string* out)
{
    switch (v.type) {
    case registry::Type::Text:
        *out += "text " + registry::escape(v.text);
        break;
    case registry::Type::Number:
        *out += "number " + std::to_string(v.number);
        break;
    case registry::Type::Binary:
        *out += "binary " + std::string(v.binary.begin(), v.binary.end());
        break;
    }
}

// Everything the public calls show below key, one line per key and value, in their order.
void describe(const std::u16string& key, std::string* out, int depth)
{
    FUZZ_CHECK(depth < 10000);
    *out += "[" + registry::escape(key) + "]\n";
    for (const std::u16string& name : registry::value_names(key)) {
        std::optional<registry::Value> v = registry::query(key, name);
        FUZZ_CHECK(v.has_value());
        *out += registry::escape(name) + "=";
        describe_value(*v, out);
        *out += "\n";
    }
    for (const std::u16string& sub : registry::subkeys(key))
        describe(key.empty() ? sub : key + u"\\" + sub, out, depth + 1);
}

// The parser keeps what it can read; writing that and reading it again changes nothing more.
std::string check_parse_fixed_point(std::string_view file)
{
    registry::Key first;
    registry::parse(file, &first);
    std::string written = registry::serialize(first);
    registry::Key second;
    registry::parse(written, &second);
    FUZZ_CHECK(registry::serialize(second) == written);
    return written;
}

// The registry's calls show the same keys and values whether they read the file as it came or as the
// registry writes it back.
void check_calls_read_the_written_file(const std::string& written)
{
    registry::reset();
    std::string as_read;
    describe(u"", &as_read, 0);
    fuzz::write_device_file(kFilePath, reinterpret_cast<const uint8_t*>(written.data()), written.size());
    registry::reset();
    std::string as_written;
    describe(u"", &as_written, 0);
    FUZZ_CHECK(as_read == as_written);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::prepare_device();
    fuzz::write_device_file(kSidePath, nullptr, 0);
    fuzz::write_device_file(kFilePath, data, size);
    std::string written = check_parse_fixed_point(std::string_view(reinterpret_cast<const char*>(data), size));
    check_calls_read_the_written_file(written);
    registry::reset();
    return 0;
}
