// Exchange files of any bytes, read as an import reads them: the lines a file has, every line with a layout
// taken from the input. A point read is sound (a number, finite coordinates, texts within their fields),
// and its export line reads back as the same point, its coordinates within half the last decimal.

#include <cmath>
#include <cstring>
#include <string>

#include "exchange/ascii_lines.h"
#include "exchange/point_lines.h"
#include "fuzz/fuzz_support.h"

namespace {

const std::u16string kFile = u"\\points.txt";

void check_point(const store::PointRecord& p, const exchange::Layout& layout, int decimals)
{
    FUZZ_CHECK(p.number != 0);
    FUZZ_CHECK(std::isfinite(p.easting) && std::isfinite(p.northing) && std::isfinite(p.elevation));
    FUZZ_CHECK(p.name[sizeof p.name - 1] == 0 && p.note[sizeof p.note - 1] == 0 && p.code[sizeof p.code - 1] == 0);
    const std::optional<std::string> line = exchange::export_line(p, layout, decimals);
    FUZZ_CHECK(line && line->size() >= 2 && line->substr(line->size() - 2) == "\r\n");
    const std::optional<store::PointRecord> back
        = exchange::parse_point_line(std::string_view(*line).substr(0, line->size() - 2), layout);
    FUZZ_CHECK(back);
    FUZZ_CHECK(back->number == p.number);
    FUZZ_CHECK(std::strcmp(back->name, p.name) == 0);
    FUZZ_CHECK(std::strcmp(back->note, p.note) == 0);
    FUZZ_CHECK(std::strcmp(back->code, p.code) == 0);
    const double half = 0.5000001 * std::pow(10.0, -decimals);
    for (auto [a, b] :
        {std::pair {p.easting, back->easting}, {p.northing, back->northing}, {p.elevation, back->elevation}})
        FUZZ_CHECK(!(std::fabs(a) <= 1e15) || std::fabs(a - b) <= half + 1e-15 * std::fabs(a));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 4)
        return 0;
    fuzz::prepare_device();
    // The first four bytes: the seven kinds (a nibble each, 8 and up read as " ") and the decimals.
    exchange::Layout layout {};
    for (size_t k = 0; k < layout.size(); ++k) {
        const int nibble = (data[k / 2] >> (4 * (k % 2))) & 0x0F;
        layout[k] = nibble < exchange::kFieldKinds ? nibble : exchange::kFieldNone;
    }
    const int decimals = (data[3] >> 4) % 11;
    fuzz::write_device_file(kFile, data + 4, size - 4);

    platform::files::Handle file = platform::files::open_existing(kFile, platform::files::Access::Read);
    FUZZ_CHECK(file);
    exchange::LineReader reader(file);
    std::string line;
    bool too_long = false;
    int64_t lines = 0;
    while (reader.next(&line, &too_long)) {
        ++lines;
        FUZZ_CHECK(line.size() <= exchange::kMaxLineBytes);
        for (char c : line)
            FUZZ_CHECK(c == '\t' || (static_cast<unsigned char>(c) >= 32 && static_cast<unsigned char>(c) <= 127));
        (void)exchange::read_heading(line);
        if (const std::optional<store::PointRecord> p = exchange::parse_point_line(line, layout))
            check_point(*p, layout, decimals);
    }
    platform::files::close(file);
    FUZZ_CHECK(lines == exchange::count_lines(kFile));
    return 0;
}
