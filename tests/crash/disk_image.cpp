#include "tests/crash/disk_image.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <set>

#include "tests/store/index_file_checker.h"

namespace crash {

namespace {

using index_bytes::name_key;
using index_bytes::number_key;

constexpr size_t kHeaderSize = 287;
constexpr size_t kRecordSize = 87;
constexpr uint32_t kTypeHeader = 5;
constexpr uint32_t kTypePoint = 4;
constexpr uint32_t kTypeDeleted = 6;
constexpr size_t kNumberKeySize = 12;
constexpr size_t kNameKeySize = 16;

// Offsets within the 87-byte record.
constexpr size_t kAtEast = 4, kAtNorth = 12, kAtElevation = 20, kAtNumber = 28, kAtName = 32, kAtFlags = 48,
                 kAtNote = 52, kAtCode = 70, kAtPads = 84;

uint32_t load32(const char* p)
{
    uint32_t v = 0;
    std::memcpy(&v, p, 4);  // the test runs little-endian, as the file is
    return v;
}

double load_double(const char* p)
{
    double v = 0;
    std::memcpy(&v, p, 8);
    return v;
}

std::string load_text(const char* p, size_t field)
{
    return std::string(p, strnlen(p, field));
}

void put32(std::string& out, size_t at, uint32_t v)
{
    std::memcpy(out.data() + at, &v, 4);
}
void put_double(std::string& out, size_t at, double v)
{
    std::memcpy(out.data() + at, &v, 8);
}

// The text and a NUL within its field; longer texts are a mistake of the caller, cut to fit.
void put_text(std::string& out, size_t at, size_t field, const std::string& text)
{
    std::memcpy(out.data() + at, text.data(), std::min(text.size(), field - 1));
}

std::string record_bytes(const RecordToWrite& r)
{
    std::string out(kRecordSize, '\0');
    put32(out, 0, r.deleted ? kTypeDeleted : kTypePoint);
    put_double(out, kAtEast, r.point.east);
    put_double(out, kAtNorth, r.point.north);
    put_double(out, kAtElevation, r.point.elevation);
    put32(out, kAtNumber, r.point.number);
    put_text(out, kAtName, 16, r.point.name);
    put32(out, kAtFlags, 0x40000007);
    put_text(out, kAtNote, 18, r.point.note);
    put_text(out, kAtCode, 14, r.point.code);
    out.replace(kAtPads, 3, 3, '\xFF');
    return out;
}

bool same_bits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

std::string record_name(int record)
{
    return "record " + std::to_string(record);
}

// The keys a live record may be entered under.
std::vector<std::string> keys_of(const PointValues& p, IndexKind kind)
{
    if (kind == IndexKind::Number)
        return {number_key(p.number)};
    std::string untrimmed = name_key(p.name), trimmed = name_key(trim_name(p.name));
    if (untrimmed == trimmed)
        return {untrimmed};
    return {untrimmed, trimmed};
}

std::string printable(const std::string& key)
{
    std::string out;
    for (char c : key)
        out += c == '\0' ? std::string("\\0") : std::string(1, c);
    return "\"" + out + "\"";
}

}  // namespace

bool PointValues::operator==(const PointValues& o) const
{
    return number == o.number && same_bits(east, o.east) && same_bits(north, o.north)
        && same_bits(elevation, o.elevation) && name == o.name && note == o.note && code == o.code;
}

std::string describe(const PointValues& p)
{
    char coords[96];
    std::snprintf(coords, sizeof coords, "N %.3f E %.3f El %.3f", p.north, p.east, p.elevation);
    return "pt " + std::to_string(p.number) + " \"" + p.name + "\" " + coords + " note \"" + p.note + "\" code \""
        + p.code + "\"";
}

CoordImage read_coord_image(const std::string& bytes)
{
    CoordImage image;
    if (bytes.size() < 4 || load32(bytes.data()) != kTypeHeader) {
        image.problem = "no header of type 5 (" + std::to_string(bytes.size()) + " bytes)";
        return image;
    }
    if (bytes.size() < kHeaderSize)
        return image;
    // A record whose pads never arrived still holds all its point data; one cut inside its data does not.
    image.record_count = int((bytes.size() - (kHeaderSize - 1)) / kRecordSize);
    for (int i = 1; i <= image.record_count; ++i) {
        const char* r = bytes.data() + kHeaderSize + kRecordSize * size_t(i - 1);
        if (load32(r) != kTypePoint)
            continue;
        PointValues p;
        p.east = load_double(r + kAtEast);
        p.north = load_double(r + kAtNorth);
        p.elevation = load_double(r + kAtElevation);
        p.number = load32(r + kAtNumber);
        p.name = load_text(r + kAtName, 16);
        p.note = load_text(r + kAtNote, 18);
        p.code = load_text(r + kAtCode, 14);
        image.live.emplace(i, p);
    }
    return image;
}

std::string coord_file_bytes(const std::vector<RecordToWrite>& records)
{
    std::string out(kHeaderSize, '\0');
    put32(out, 0, kTypeHeader);
    out.replace(284, 3, 3, '\xFF');
    out.reserve(kHeaderSize + kRecordSize * records.size());
    for (const RecordToWrite& r : records)
        out += record_bytes(r);
    return out;
}

std::string trim_name(const std::string& name)
{
    auto trimmed = [](char c) { return c == ' ' || c == 25; };
    size_t first = 0, last = name.size();
    while (first < last && trimmed(name[first]))
        ++first;
    while (last > first && trimmed(name[last - 1]))
        --last;
    return name.substr(first, last - first);
}

std::vector<std::string> check_index(const std::string& index_bytes, IndexKind kind, const CoordImage& image)
{
    const std::string what = kind == IndexKind::Number ? "number index: " : "name index: ";
    std::vector<std::string> problems;
    IndexShape shape = check_index_file(index_bytes, int(kind == IndexKind::Number ? kNumberKeySize : kNameKeySize));
    if (!shape.problem.empty())
        return {what + shape.problem};
    std::set<int> entered;
    for (const CheckedEntry& e : shape.entries) {
        auto live = image.live.find(int(e.record));
        if (live == image.live.end()) {
            problems.push_back(what + printable(e.key) + " names " + record_name(int(e.record)) + ", no live point");
            continue;
        }
        std::vector<std::string> keys = keys_of(live->second, kind);
        if (std::find(keys.begin(), keys.end(), e.key) == keys.end())
            problems.push_back(what + printable(e.key) + " names " + record_name(int(e.record)) + ", which holds "
                + describe(live->second));
        if (!entered.insert(int(e.record)).second)
            problems.push_back(what + record_name(int(e.record)) + " entered twice");
    }
    for (const auto& [record, point] : image.live) {
        if (!entered.count(record))
            problems.push_back(what + "no entry for " + record_name(record) + " (" + describe(point) + ")");
    }
    return problems;
}

}  // namespace crash
