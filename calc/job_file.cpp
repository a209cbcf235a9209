#include "calc/job_file.h"

#include <map>

#include "calc/job_bytes.h"
#include "platform/files/files.h"
#include "platform/reset/reset.h"
#include "platform/text/text.h"

namespace calc {

namespace files = platform::files;

namespace {

constexpr std::u16string_view kMagic = u"RSJ1";
constexpr std::u16string_view kVersion = u"0.5";

std::map<std::u16string, std::u16string> s_paths;

// Closes the handle when it goes out of scope.
struct OpenFile {
    files::Handle handle;
    explicit OpenFile(files::Handle h)
        : handle(h)
    {
    }
    ~OpenFile() { files::close(handle); }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
};

std::vector<uint8_t> encode(const JobType& type, const JobImage& image)
{
    std::vector<uint8_t> bytes(kJobHeaderSize);
    put_text(bytes, 0, kJobHeaderField, kMagic);
    put_text(bytes, kJobHeaderField, kJobHeaderField, type.type);
    put_text(bytes, 2 * kJobHeaderField, kJobHeaderField, kVersion);
    bytes.insert(bytes.end(), image.settings.begin(), image.settings.end());
    bytes.resize(kJobHeaderSize + type.settings_size);
    if (type.record_size == 0)
        return bytes;
    const size_t count_at = bytes.size();
    bytes.resize(count_at + 4);
    put_i32(bytes, count_at, int32_t(image.slots.size()));
    for (const std::vector<uint8_t>& slot : image.slots) {
        const size_t at = bytes.size();
        bytes.insert(bytes.end(), slot.begin(), slot.end());
        bytes.resize(at + type.record_size);
    }
    return bytes;
}

}  // namespace

int job_slot_count(const std::vector<bool>& in_use)
{
    int count = 1;
    for (size_t i = 0; i < in_use.size(); ++i) {
        if (in_use[i])
            count = int(i) + 1;
    }
    return count;
}

bool header_names_type(const uint8_t* header, std::u16string_view type)
{
    const std::u16string field = get_text(Bytes(header, kJobHeaderSize), kJobHeaderField, kJobHeaderField);
    return platform::text::equal_no_case(field, type.substr(0, kJobHeaderField / 2 - 1));
}

JobWrite write_job(const JobType& type, const std::u16string& path, const JobImage& image)
{
    if (path.empty())
        return JobWrite::NoFile;
    OpenFile file(files::open_existing(path, files::Access::ReadWrite, files::kShareNone));
    if (!file.handle)
        return JobWrite::NoFile;
    // Only an empty file or a job of this type is written over.
    const int64_t size = files::size(file.handle);
    if (size != 0) {
        uint8_t header[kJobHeaderSize];
        if (size < int64_t(kJobHeaderSize) || files::read_at(file.handle, 0, header, kJobHeaderSize) != kJobHeaderSize
            || !header_names_type(header, type.type))
            return JobWrite::OtherContent;
    }
    const std::vector<uint8_t> bytes = encode(type, image);
    if (files::write_at(file.handle, 0, bytes.data(), uint32_t(bytes.size())) != bytes.size()
        || !files::flush(file.handle))
        return JobWrite::ShortWrite;
    return JobWrite::Written;
}

bool create_empty_job_file(const std::u16string& path)
{
    if (path.empty())
        return false;
    files::Handle file = files::create_always(path, files::Access::ReadWrite);
    files::close(file);
    return file != nullptr;
}

JobRead read_job(const JobType& type, const std::u16string& path, JobImage* out)
{
    if (path.empty())
        return JobRead::NoFile;
    OpenFile file(files::open_existing(path, files::Access::Read));
    if (!file.handle)
        return JobRead::NoFile;
    const int64_t size = files::size(file.handle);
    uint8_t header[kJobHeaderSize];
    if (size < int64_t(kJobHeaderSize) || files::read_at(file.handle, 0, header, kJobHeaderSize) != kJobHeaderSize)
        return JobRead::WrongType;
    if (!header_names_type(header, type.type))
        return JobRead::WrongType;

    JobImage image;
    int64_t at = kJobHeaderSize;
    image.settings.resize(type.settings_size);
    if (files::read_at(file.handle, at, image.settings.data(), type.settings_size) != type.settings_size)
        return JobRead::Truncated;
    at += type.settings_size;
    if (type.record_size != 0) {
        uint8_t count_bytes[4];
        if (files::read_at(file.handle, at, count_bytes, 4) != 4)
            return JobRead::Truncated;
        at += 4;
        const int32_t count = get_i32(count_bytes, 0);
        if (count < 0 || count > kJobSlots)
            return JobRead::BadCount;
        if (size < at + int64_t(count) * type.record_size)
            return JobRead::Truncated;
        image.slots.assign(size_t(count), std::vector<uint8_t>(type.record_size));
        for (std::vector<uint8_t>& slot : image.slots) {
            if (files::read_at(file.handle, at, slot.data(), type.record_size) != type.record_size)
                return JobRead::Truncated;
            at += type.record_size;
        }
    }
    *out = std::move(image);
    return JobRead::Read;
}

std::u16string& job_path(const JobType& type)
{
    return s_paths[std::u16string(type.type)];
}

// Every job forgets its path when a new process starts (tests).
[[maybe_unused]] static const bool s_reset_registered
    = platform::register_reset(platform::ResetStage::Program, [] { s_paths.clear(); });

}  // namespace calc
