#include "calc/calc_lists.h"

#include <algorithm>

#include "calc/curve_types.h"
#include "platform/controls/controls.h"
#include "platform/gdi/gdi.h"
#include "resources/calc_resources.h"

namespace calc {

namespace ui = platform::ui;
namespace controls = platform::controls;
namespace gdi = platform::gdi;

namespace {

// The frame and the scroll bar with its gap.
constexpr int kListMargins = 2 + 6;

}  // namespace

void set_calc_list_font(ui::Hwnd list, int columns)
{
    gdi::FontSpec spec;
    spec.height = resources::kCalcListFontHeight;
    spec.width = resources::kCalcListFontWidth;
    if (columns > 0)
        spec.width = std::clamp((ui::client_rect(list).right - kListMargins) / columns, 1, spec.width);
    spec.face = u"Courier";
    ui::set_font(list, gdi::create_font(spec));
}

size_t calc_list_columns(ui::Hwnd list)
{
    const int width = ui::client_rect(list).right - kListMargins;
    const int glyph = std::max(1, gdi::metrics(ui::font(list)).average_width);
    return size_t(std::max(8, width / glyph));
}

void fill_curve_type_box(ui::Hwnd combo)
{
    for (int t = 0; t < kCurveTypeCount; ++t)
        controls::combo_add(combo, curve_type_name(t));
}

void fill_list(ui::Hwnd list, const std::vector<std::u16string>& lines)
{
    const int selected = controls::list_selection(list);
    const int top = controls::list_top_index(list);
    controls::list_reset(list);
    for (const std::u16string& line : lines)
        controls::list_add(list, line);
    controls::list_set_top_index(list, top);
    if (selected >= 0 && selected < int(lines.size()))
        controls::list_set_selection(list, selected);
}

}  // namespace calc
