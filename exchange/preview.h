#pragma once
// Preview of an import: whether the exchange file's first lines read as points with the layout, taking a
// heading line's layout on the way. Up to two non-empty lines are read: a line that is a point ends the
// check; a line that is not, while no heading has been taken, is read as a heading (exchange/point_lines.h
// read_heading) and its layout is used from then on.

#include <optional>
#include <string>

#include "exchange/point_lines.h"
#include "store/point_record.h"

namespace exchange {

enum class PreviewResult { NoFile, NoMatch, Point };

struct Preview {
    PreviewResult result = PreviewResult::NoFile;
    store::PointRecord point;       // the first point, with Point
    std::optional<Layout> heading;  // the layout a heading line named, whatever the result
};

Preview preview_file(const std::u16string& path, const Layout& layout);

// "Pt: %lu\nName: %hs\nN: %.3lf\nE: %.3lf\nEl: %.3lf\nCode: %hs\nRemark: %hs" (Remark is the note).
std::u16string preview_text(const store::PointRecord& point);

}  // namespace exchange
