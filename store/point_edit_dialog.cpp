#include "store/point_edit_dialog.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "formats/number_format.h"
#include "formats/number_parse.h"
#include "formats/text_helpers.h"
#include "platform/controls/controls.h"
#include "platform/reset/reset.h"
#include "platform/text/text.h"
#include "resources/point_dialog_resources.h"
#include "store/coord_file.h"
#include "store/decimal_text.h"
#include "store/list_selection.h"
#include "store/point_index.h"
#include "store/point_list_dialog.h"
#include "store/point_prompts.h"
#include "store/view_extents.h"

namespace store {

namespace {

namespace ui = platform::ui;
namespace controls = platform::controls;
namespace text = platform::text;
namespace res = resources;

// The editor's state for the whole run; the user-interface thread owns it.
struct PointEditState {
    PointRecord current;        // the point shown, zeros when none
    PointPlotRunner show_plot;  // what "Show" opens; empty until the plot is there
};
PointEditState s_edit;

template <size_t N>
std::u16string field_text(const char (&field)[N])
{
    return text::from_ansi(std::string_view(field, strnlen(field, N)));
}

// The typed text without trailing white space, 8-bit, cut to what the field holds with its NUL.
template <size_t N>
void set_field(char (&field)[N], std::u16string_view typed)
{
    std::string ansi = text::to_ansi(formats::trim_trailing_white_space(typed));
    std::memset(field, 0, N);
    std::memcpy(field, ansi.data(), std::min(ansi.size(), N - 1));
}

// A coordinate field: empty gives 0; a text that does not parse keeps the value it had.
double coordinate_field(std::u16string_view typed, double current)
{
    std::u16string trimmed = formats::trim_leading_spaces(formats::trim_trailing_white_space(typed));
    double value = current;
    if (trimmed.empty())
        return 0;
    formats::parse_number(trimmed, &value);
    return value;
}

// Widened by a tenth of the width and of the height on each side; nothing for a file without points.
void set_view_extents_from_points()
{
    if (!coord_is_open() || view_extents_valid())
        return;
    double min_e = 0, min_n = 0, max_e = 0, max_n = 0;
    // With no live point the box keeps its start values, smallest above largest.
    if (!coord_bounding_box(&min_e, &min_n, &max_e, &max_n) || min_e > max_e)
        return;
    double dx = 0.1 * (max_e - min_e), dy = 0.1 * (max_n - min_n);
    view_extents_set(min_e - dx, min_n - dy, max_e + dx, max_n + dy);
}

class PointEditDialog : public ui::DialogProc {
public:
    explicit PointEditDialog(std::optional<PointRecord> handed) : m_handed(handed) {}

    bool on_init() override
    {
        ui::init_full_screen(hwnd(), false);
        // What can be typed is what is read: no digit beyond the tenth is silently left out.
        controls::edit_set_limit(item(res::kEditPointNumber), res::kReadPointNumber);
        m_menu_bar = controls::create_menu_bar(hwnd(), res::kMenuBarPointEdit);
        if (m_menu_bar == ui::kNoWindow)
            controls::message_box(hwnd(), u"Area", u"menu error");
        if (m_handed) {
            show(*m_handed);
        } else {
            PointRecord p;
            show_or_clear(point_first_by_number(&p), p);
        }
        set_view_extents_from_points();
        return true;
    }

    bool on_command(int id, int code, ui::Hwnd control) override
    {
        switch (id) {
        case res::kButtonPointGet: get(); return true;
        case res::kButtonPointFirst: step(point_first_by_number); return true;
        case res::kButtonPointNext: step(point_next_by_number); return true;
        case res::kButtonPointPrevious: step(point_previous_by_number); return true;
        case res::kButtonPointLast: step(point_last_by_number); return true;
        case res::kButtonPointList: pick_from_list(); return true;
        case res::kCmdPointSave: save(); return true;
        case res::kCmdPointDelete: remove(); return true;
        case res::kCmdPointShow:
            if (s_edit.show_plot)
                s_edit.show_plot(hwnd());
            return true;
        case res::kCmdPointCancel:
        case ui::kIdCancel: ui::end_dialog(hwnd(), 1); return true;
        default: return false;
        }
    }

    bool on_close() override
    {
        ui::end_dialog(hwnd(), 1);
        return true;
    }

    void on_destroy() override
    {
        if (m_menu_bar != ui::kNoWindow)
            ui::destroy_window(m_menu_bar);
        m_menu_bar = ui::kNoWindow;
    }

private:
    void set(int id, std::u16string_view value) { ui::set_item_text(hwnd(), id, value); }
    std::u16string read(int id, int max_chars) const { return ui::item_text(hwnd(), id, max_chars); }

    void show(const PointRecord& p)
    {
        s_edit.current = p;
        set(res::kEditPointNumber, p.number == 0 ? u"" : text::wformat(u"%ld", long(p.number)));
        set(res::kEditPointName, field_text(p.name));
        set(res::kEditPointNorth, formats::format_coordinate(p.northing));
        set(res::kEditPointEast, formats::format_coordinate(p.easting));
        set(res::kEditPointElevation, formats::format_coordinate(p.elevation));
        set(res::kEditPointNote, field_text(p.note));
        set(res::kEditPointCode, field_text(p.code));
    }

    void clear()
    {
        s_edit.current = PointRecord{};
        for (int id = res::kEditPointNumber; id <= res::kEditPointCode; ++id)
            set(id, u"");
    }

    void show_or_clear(uint32_t number, const PointRecord& p)
    {
        if (number != 0)
            show(p);
        else
            clear();
    }

    uint32_t typed_number() const { return read_point_number(read(res::kEditPointNumber, res::kReadPointNumber)); }

    void get()
    {
        if (!coord_is_open())
            return;
        PointRecord p;
        uint32_t number = typed_number();
        show_or_clear(number != 0 && point_read_by_number(number, &p) == 1 ? number : 0, p);
    }

    void step(uint32_t (*move)(PointRecord*))
    {
        PointRecord p;
        show_or_clear(move(&p), p);
    }

    // Nothing picked leaves the fields as they are.
    void pick_from_list()
    {
        run_point_list(hwnd());
        uint32_t picked = list_selection().number;
        if (picked == 0)
            return;
        PointRecord p;
        show_or_clear(point_read_by_number(picked, &p) == 1 ? picked : 0, p);
    }

    PointRecord record_from_fields(uint32_t number) const
    {
        PointRecord r = s_edit.current;
        r.number = number;
        set_field(r.name, read(res::kEditPointName, res::kReadPointName));
        r.northing = coordinate_field(read(res::kEditPointNorth, res::kReadPointCoordinate), r.northing);
        r.easting = coordinate_field(read(res::kEditPointEast, res::kReadPointCoordinate), r.easting);
        r.elevation = coordinate_field(read(res::kEditPointElevation, res::kReadPointCoordinate), r.elevation);
        set_field(r.note, read(res::kEditPointNote, res::kReadPointNote));
        set_field(r.code, read(res::kEditPointCode, res::kReadPointCode));
        return r;
    }

    void save()
    {
        if (!coord_is_open())
            return;
        // 0 is "no point" in the file: a record under it could never be found again.
        uint32_t number = typed_number();
        if (number == 0) {
            controls::message_box(hwnd(), u"Save pt", u"Not a point number.");
            return;
        }
        bool overwrite = false;
        if (point_read_by_number(number, &s_edit.current) == 1) {
            set_overwrite_prompt_text(u"Point exists.  Overwrite?");
            run_overwrite_prompt(hwnd());
            if (!overwrite_confirmed())
                return;
            overwrite = true;
        }
        PointRecord r = record_from_fields(number);
        if (point_store(r, overwrite) != 1)
            return;
        s_edit.current = r;
        controls::message_box(hwnd(), u"Save pt", overwrite ? u"Pt overwritten." : u"Pt saved.");
        view_extents_extend(r.easting, r.northing);
    }

    void remove()
    {
        if (!coord_is_open())
            return;
        uint32_t number = typed_number();
        PointRecord p;
        if (number == 0 || point_read_by_number(number, &p) != 1)
            return;
        run_delete_prompt(hwnd());
        if (delete_confirmed() && point_delete(number) == 1)
            controls::message_box(hwnd(), u"Delete pt", u"Pt deleted.");
    }

    std::optional<PointRecord> m_handed;
    ui::Hwnd m_menu_bar = ui::kNoWindow;
};

void run_editor(ui::Hwnd owner, std::optional<PointRecord> handed)
{
    PointEditDialog proc(handed);
    ui::run_dialog(res::kDialogPointEdit, owner, proc);
}

}  // namespace

void run_point_edit(ui::Hwnd owner) { run_editor(owner, std::nullopt); }

void run_point_edit_with_point(ui::Hwnd owner, uint32_t number, double e, double n)
{
    PointRecord p;
    p.number = number;
    p.easting = e;
    p.northing = n;
    run_editor(owner, p);
}

void set_point_plot_runner(PointPlotRunner runner) { s_edit.show_plot = std::move(runner); }

const PointRecord& point_edit_current() { return s_edit.current; }

void point_edit_reset_for_tests() { s_edit = PointEditState{}; }

namespace {

// What a new process starts with, for the tests.
[[maybe_unused]] const bool s_reset_registered =
    platform::register_reset(platform::ResetStage::Program, point_edit_reset_for_tests);

}  // namespace

}  // namespace store
