#include "store/point_edit_dialog.h"

#include <optional>

#include "forms/fields.h"
#include "forms/form.h"
#include "platform/controls/controls.h"
#include "platform/reset/reset.h"
#include "resources/point_dialog_resources.h"
#include "store/coord_file.h"
#include "store/point_index.h"
#include "store/point_list_dialog.h"
#include "store/point_prompts.h"
#include "store/view_extents.h"

namespace store {

namespace {

namespace ui = platform::ui;
namespace controls = platform::controls;
namespace res = resources;

// The editor's state for the whole run; the user-interface thread owns it.
struct PointEditState {
    PointRecord current;        // the point shown, zeros when none
    PointPlotRunner show_plot;  // what "Show" opens; empty until the plot is there
};
PointEditState s_edit;

// Widened by a tenth of the width and of the height on each side; nothing for a file without points.
void set_view_extents_from_points()
{
    if (!coord_is_open() || view_extents_valid())
        return;
    double min_e = 0, min_n = 0, max_e = 0, max_n = 0;
    if (!coord_bounding_box(&min_e, &min_n, &max_e, &max_n))
        return;
    double dx = 0.1 * (max_e - min_e), dy = 0.1 * (max_n - min_n);
    view_extents_set(min_e - dx, min_n - dy, max_e + dx, max_n + dy);
}

constexpr forms::Declaration kPointEdit {.dialog = res::kDialogPointEdit,
    .menu_bar = res::kMenuBarPointEdit,
    .menu_error = u"Area",
    .cancel_command = res::kCmdPointCancel,
    .cancel_result = 1};

class PointEditDialog : public forms::Form {
public:
    explicit PointEditDialog(std::optional<PointRecord> handed)
        : Form(kPointEdit)
        , m_handed(handed)
    {
    }

private:
    bool on_open() override
    {
        // What can be typed is what is read: no digit beyond the tenth is silently left out.
        controls::edit_set_limit(item(res::kEditPointNumber), res::kReadPointNumber);
        if (m_handed) {
            show(*m_handed);
        } else {
            PointRecord p;
            show_or_clear(point_first_by_number(&p), p);
        }
        set_view_extents_from_points();
        return true;
    }

    bool on_action(int id, int code, ui::Hwnd control) override
    {
        switch (id) {
        case res::kButtonPointGet:
            get();
            return true;
        case res::kButtonPointFirst:
        case res::kButtonPointNext:
        case res::kButtonPointPrevious:
        case res::kButtonPointLast:
            step(id);
            return true;
        case res::kButtonPointList:
            pick_from_list();
            return true;
        case res::kCmdPointSave:
            save();
            return true;
        case res::kCmdPointDelete:
            remove();
            return true;
        case res::kCmdPointShow:
            if (s_edit.show_plot)
                s_edit.show_plot(hwnd());
            return true;
        default:
            return false;
        }
    }

    void show(const PointRecord& p)
    {
        s_edit.current = p;
        forms::show_point_number(hwnd(), res::kEditPointNumber, p.number);
        forms::show_record_text(hwnd(), res::kEditPointName, p.name);
        forms::show_coordinate(hwnd(), res::kEditPointNorth, p.northing);
        forms::show_coordinate(hwnd(), res::kEditPointEast, p.easting);
        forms::show_coordinate(hwnd(), res::kEditPointElevation, p.elevation);
        forms::show_record_text(hwnd(), res::kEditPointNote, p.note);
        forms::show_record_text(hwnd(), res::kEditPointCode, p.code);
    }

    void clear()
    {
        s_edit.current = PointRecord {};
        for (int id = res::kEditPointNumber; id <= res::kEditPointCode; ++id)
            forms::show_text(hwnd(), id, u"");
    }

    void show_or_clear(uint32_t number, const PointRecord& p)
    {
        if (number != 0)
            show(p);
        else
            clear();
    }

    uint32_t typed_number() const
    {
        return forms::read_point_number(hwnd(), res::kEditPointNumber, res::kReadPointNumber);
    }

    // A coordinate field: empty gives 0; a text that does not parse keeps the value it had.
    double coordinate(int id, double current) const
    {
        return forms::read_coordinate(hwnd(), id, res::kReadPointCoordinate).value_or(current);
    }

    void get()
    {
        if (!coord_is_open())
            return;
        PointRecord p;
        uint32_t number = typed_number();
        show_or_clear(number != 0 && point_read_by_number(number, &p) == 1 ? number : 0, p);
    }

    // First, Next, Prev and Last, in point-number order.
    void step(int button)
    {
        PointRecord p;
        switch (button) {
        case res::kButtonPointFirst:
            show_or_clear(point_first_by_number(&p), p);
            return;
        case res::kButtonPointNext:
            show_or_clear(point_next_by_number(&p), p);
            return;
        case res::kButtonPointPrevious:
            show_or_clear(point_previous_by_number(&p), p);
            return;
        default:
            show_or_clear(point_last_by_number(&p), p);
            return;
        }
    }

    // Nothing picked leaves the fields as they are.
    void pick_from_list()
    {
        if (std::optional<PointRecord> picked = pick_point(hwnd()))
            show(*picked);
    }

    PointRecord record_from_fields(uint32_t number) const
    {
        PointRecord r = s_edit.current;
        r.number = number;
        forms::read_record_text(hwnd(), res::kEditPointName, res::kReadPointName, r.name);
        r.northing = coordinate(res::kEditPointNorth, r.northing);
        r.easting = coordinate(res::kEditPointEast, r.easting);
        r.elevation = coordinate(res::kEditPointElevation, r.elevation);
        forms::read_record_text(hwnd(), res::kEditPointNote, res::kReadPointNote, r.note);
        forms::read_record_text(hwnd(), res::kEditPointCode, res::kReadPointCode, r.code);
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
            if (!ask_overwrite(hwnd(), u"Point exists.  Overwrite?"))
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
        if (ask_delete(hwnd()) && point_delete(number) == 1)
            controls::message_box(hwnd(), u"Delete pt", u"Pt deleted.");
    }

    std::optional<PointRecord> m_handed;
};

}  // namespace

void run_point_edit(ui::Hwnd owner)
{
    PointEditDialog(std::nullopt).run(owner);
}

void run_point_edit_with_point(ui::Hwnd owner, uint32_t number, double e, double n)
{
    PointRecord p;
    p.number = number;
    p.easting = e;
    p.northing = n;
    PointEditDialog(p).run(owner);
}

void set_point_plot_runner(PointPlotRunner runner)
{
    s_edit.show_plot = std::move(runner);
}

const PointRecord& point_edit_current()
{
    return s_edit.current;
}

void point_edit_reset_for_tests()
{
    s_edit = PointEditState {};
}

// What a new process starts with, for the tests.
[[maybe_unused]] static const bool s_reset_registered
    = platform::register_reset(platform::ResetStage::Program, point_edit_reset_for_tests);

}  // namespace store
