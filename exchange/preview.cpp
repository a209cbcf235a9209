#include "exchange/preview.h"

#include <cstring>

#include "exchange/ascii_lines.h"
#include "platform/text/text.h"

namespace exchange {

namespace files = platform::files;

Preview preview_file(const std::u16string& path, const Layout& layout)
{
    Preview preview;
    files::Handle file = files::open_existing(path, files::Access::Read);
    if (!file)
        return preview;
    preview.result = PreviewResult::NoMatch;
    Layout current = layout;
    LineReader reader(file);
    std::string line;
    bool too_long = false;
    for (int non_empty = 0; non_empty < 2 && reader.next(&line, &too_long);) {
        if (line.empty())
            continue;
        ++non_empty;
        if (too_long)
            continue;
        if (std::optional<store::PointRecord> point = parse_point_line(line, current)) {
            preview.result = PreviewResult::Point;
            preview.point = *point;
            break;
        }
        if (!preview.heading) {
            preview.heading = read_heading(line);
            if (preview.heading)
                current = *preview.heading;
        }
    }
    files::close(file);
    return preview;
}

std::u16string preview_text(const store::PointRecord& p)
{
    auto text = [](const char* field, size_t size) { return std::string(field, strnlen(field, size)); };
    return platform::text::from_ansi(
        platform::text::format("Pt: %lu\nName: %s\nN: %.3f\nE: %.3f\nEl: %.3f\nCode: %s\nRemark: %s",
            static_cast<unsigned long>(p.number), text(p.name, sizeof p.name).c_str(), p.northing, p.easting,
            p.elevation, text(p.code, sizeof p.code).c_str(), text(p.note, sizeof p.note).c_str()));
}

}  // namespace exchange
