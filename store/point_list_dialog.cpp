#include "store/point_list_dialog.h"

#include <algorithm>

#include "forms/fields.h"
#include "forms/form.h"
#include "platform/controls/controls.h"
#include "platform/gdi/gdi.h"
#include "platform/text/text.h"
#include "platform/reset/reset.h"
#include "resources/point_dialog_resources.h"
#include "store/list_selection.h"
#include "store/point_index.h"
#include "store/point_list_page.h"

namespace store {

namespace {

namespace ui = platform::ui;
namespace gdi = platform::gdi;
namespace controls = platform::controls;
namespace res = resources;

// Where the list draws its first character, from the list box's left edge.
constexpr int kHeaderIndent = 3;

// Kept from one opening to the next; the user-interface thread owns it.
struct PointListState {
    int layout = kLayoutNumberCoords;
};
PointListState s_list;

constexpr forms::Declaration kPointList {.dialog = res::kDialogPointList,
    .menu_bar = res::kMenuBarPointList,
    .menu_error = u"Pt list",
    .cancel_command = res::kCmdListCancel,
    .cancel_result = 2};

class PointListDialog : public forms::Form {
public:
    PointListDialog()
        : Form(kPointList)
    {
    }

    // The point picked with " OK ", read whole; nothing when none was.
    const std::optional<PointRecord>& picked() const { return m_picked; }

private:
    bool on_open() override
    {
        gdi::FontSpec spec;
        spec.height = res::kListFontHeight;
        spec.face = u"Courier";
        ui::set_font(item(res::kListPoints), gdi::create_font(spec));
        list_selection_clear();
        show_headers();
        show_page(list_page_from_start(s_list.layout, layout_order()));
        forms::show_text(hwnd(), res::kEditListGoTo, u"");
        ui::set_focus(item(res::kEditListGoTo));
        // False: the focus set here stays; true would hand it to the first tab stop, the mode button.
        return false;
    }

    bool on_action(int id, int code, ui::Hwnd control) override
    {
        switch (id) {
        case res::kCmdListLayoutNumberCoords:
            change_layout(kLayoutNumberCoords);
            return true;
        case res::kCmdListLayoutNumberTexts:
            change_layout(kLayoutNumberTexts);
            return true;
        case res::kCmdListLayoutNameCoords:
            change_layout(kLayoutNameCoords);
            return true;
        case res::kButtonListOrder:
            reverse_order();
            return true;
        case res::kButtonListGoToMode:
            toggle_go_to_mode();
            return true;
        case res::kButtonListGoTo:
            go_to();
            return true;
        case res::kButtonListUp:
            page(false);
            return true;
        case res::kButtonListDown:
            page(true);
            return true;
        case res::kButtonListLeft:
            shift(-1);
            return true;
        case res::kButtonListRight:
            shift(1);
            return true;
        case res::kCmdListOk:
            pick();
            return true;
        default:
            return false;
        }
    }

    ui::Hwnd list() const { return item(res::kListPoints); }

    // Pages built afresh from an end step in the order of the layout; Go-To and paging step by name
    // also when the Go-To mode is by name.
    ListOrder layout_order() const { return {s_list.layout == kLayoutNameCoords, m_descending}; }
    ListOrder search_order() const { return {m_by_name || s_list.layout == kLayoutNameCoords, m_descending}; }

    void show_headers()
    {
        std::vector<std::u16string> headers = point_list_headers(s_list.layout, m_descending);
        const int ids[]
            = {res::kButtonListOrder, res::kStaticListHeader2, res::kStaticListHeader3, res::kStaticListHeader4};
        for (int i = 0; i < 4; ++i)
            forms::show_text(hwnd(), ids[i], headers[size_t(i)]);
        place_headers();
    }

    // The three header texts stand over their columns as the lines are shifted: over the right end of a
    // right-aligned column (numbers), over the start of a left-aligned one (texts). The first column's
    // header is the order button and stays where it is.
    void place_headers()
    {
        struct Column {
            int start, width;
            bool right;
        };
        static constexpr Column kColumns[kListLayouts][3] = {{{7, 11, true}, {19, 11, true}, {31, 10, true}},
            {{7, 15, false}, {23, 7, false}, {31, 23, false}}, {{16, 6, true}, {23, 11, true}, {35, 11, true}}};
        const int ids[] = {res::kStaticListHeader2, res::kStaticListHeader3, res::kStaticListHeader4};
        // The advance of one character of the list's fixed-pitch font (a face's average width can
        // differ from its advance, which would put the headers off their columns).
        gdi::MemoryDC measure(1, 1);
        measure.select_font(ui::font(list()));
        const int pitch = std::max(1, measure.text_extent(u"0").cx);
        const ui::Rect dialog = ui::window_rect(hwnd());
        const ui::Rect list_rect = ui::window_rect(list());
        const int first_free = ui::window_rect(item(res::kButtonListOrder)).right - list_rect.left;
        for (int i = 0; i < 3; ++i) {
            ui::Hwnd header = item(ids[i]);
            const ui::Rect r = ui::window_rect(header);
            const Column& c = kColumns[s_list.layout][i];
            measure.select_font(ui::font(header));
            const int text = measure.text_extent(ui::window_text(header)).cx;
            int x = kHeaderIndent + ((c.right ? c.start + c.width : c.start) - m_offset) * pitch - (c.right ? text : 0);
            bool shown = x >= first_free && x + text <= list_rect.width();
            ui::show_window(header, shown);
            if (shown)
                ui::move_window(header, list_rect.left - dialog.left + x, r.top - dialog.top, std::max(text, 1) + 2,
                    r.height(), true);
        }
    }

    void show_page(ListPage page)
    {
        m_lines = std::move(page.lines);
        redisplay();
        if (page.too_long)
            controls::message_box(hwnd(), u"len", u"too long");
    }

    void redisplay()
    {
        int selected = controls::list_selection(list());
        controls::list_reset(list());
        for (const std::u16string& line : m_lines)
            controls::list_add(list(), shifted_line(line, m_offset));
        if (selected >= 0 && selected < int(m_lines.size()))
            controls::list_set_selection(list(), selected);
    }

    void change_layout(int layout)
    {
        if (layout == s_list.layout)
            return;
        s_list.layout = layout;
        m_offset = 0;
        show_headers();
        show_page(list_page_from_start(layout, layout_order()));
    }

    void reverse_order()
    {
        m_descending = !m_descending;
        show_headers();
        show_page(list_page_from_start(s_list.layout, layout_order()));
    }

    void toggle_go_to_mode()
    {
        m_by_name = !m_by_name;
        forms::show_text(hwnd(), res::kButtonListGoToMode, m_by_name ? u"Name" : u"Pt #");
    }

    void go_to()
    {
        const std::u16string typed = forms::read_text(hwnd(), res::kEditListGoTo, res::kReadListGoTo);
        const std::u16string target(platform::text::trim(typed, u" "));
        if (target.empty())
            return;
        bool found = false;
        ListPage found_page = list_page_go_to(s_list.layout, search_order(), target, &found);
        if (!found)
            return;
        show_page(std::move(found_page));
        controls::list_set_selection(list(), 0);
    }

    void page(bool down)
    {
        if (m_lines.empty())
            return;
        bool found = false;
        ListPage next = down ? list_page_down(s_list.layout, search_order(), m_lines.back(), &found)
                             : list_page_up(s_list.layout, search_order(), m_lines.front(), &found);
        if (found)
            show_page(std::move(next));
    }

    void shift(int by)
    {
        m_offset = std::clamp(m_offset + by, 0, kMaxListLineLength);
        redisplay();
        place_headers();
    }

    void pick()
    {
        int selected = controls::list_selection(list());
        if (selected >= 0 && selected < int(m_lines.size())) {
            PointRecord p;
            uint32_t number = point_list_line_number(s_list.layout, m_lines[size_t(selected)]);
            if (number != 0 && point_read_by_number(number, &p) == 1) {
                list_selection_set_point(p.number, p.easting, p.northing);
                m_picked = p;
            }
        }
        end(1);
    }

    std::vector<std::u16string> m_lines;  // the page as built; the list shows them from m_offset on
    bool m_descending = false;
    bool m_by_name = false;  // Go-To mode
    int m_offset = 0;
    std::optional<PointRecord> m_picked;
};

}  // namespace

void run_point_list(ui::Hwnd owner)
{
    pick_point(owner);
}

std::optional<PointRecord> pick_point(ui::Hwnd owner)
{
    PointListDialog list;
    list.run(owner);
    return list.picked();
}

int point_list_layout()
{
    return s_list.layout;
}

void point_list_reset_for_tests()
{
    s_list = PointListState {};
}

// What a new process starts with, for the tests.
[[maybe_unused]] static const bool s_reset_registered
    = platform::register_reset(platform::ResetStage::Program, point_list_reset_for_tests);

}  // namespace store
