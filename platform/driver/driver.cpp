// The Driver's operations. Each one reads and posts inside display::headless::act, while the program is
// parked, and the program then runs until it parks again.
#include "platform/driver/driver.h"

#include "platform/controls/controls.h"
#include "platform/display/headless.h"
#include "platform/driver/driver_find.h"
#include "platform/gdi/gdi.h"
#include "platform/text/text.h"
#include "platform/ui/ui.h"

namespace platform::driver {

namespace headless = display::headless;
using text::from_utf8;
using text::to_utf8;
using ui::Hwnd;

namespace {

Result fail(std::string message)
{
    return {false, std::move(message)};
}

const Result kEnded {false, "the program has ended"};

std::string mismatch(const std::string& what, std::string_view expected, const std::string& seen)
{
    return what + ": expected " + quote(expected) + ", seen " + quote(seen);
}

}  // namespace

std::string ControlName::describe() const
{
    return by_id ? std::to_string(id) : quote(caption);
}

Driver::Driver(std::function<int()> program)
{
    headless::start(std::move(program));
}

Driver::~Driver()
{
    finish();
}

bool Driver::running() const
{
    return !m_finished && headless::running();
}

int Driver::finish()
{
    if (!m_finished) {
        m_exit_code = headless::finish();
        m_finished = true;
    }
    return m_exit_code;
}

bool Driver::inspect(const std::function<void()>& read)
{
    return !m_finished && headless::act(read);
}

// Runs `step` while the program is parked and returns what it found.
static Result on_parked(Driver& d, const std::function<Result()>& step)
{
    Result r = kEnded;
    if (!d.inspect([&] { r = step(); }))
        return kEnded;
    return r;
}

Result Driver::menu(std::string_view path)
{
    return on_parked(*this, [&]() -> Result {
        Hwnd window = ui::active_window();
        Hwnd bar = controls::menu_bar_of(window);
        if (bar == ui::kNoWindow)
            return fail("the active window (" + window_name(window) + ") has no menu bar");
        int command = controls::menu_command_for_path(bar, from_utf8(path));
        if (command < 0)
            return fail("no menu command " + quote(path) + " in the menu bar of " + window_name(window));
        ui::post_message(window, ui::kMsgCommand, ui::make_wparam(unsigned(command), 0), 0);
        return {};
    });
}

Result Driver::command(int id)
{
    return on_parked(*this, [&]() -> Result {
        Hwnd window = ui::active_window();
        if (window == ui::kNoWindow)
            return fail("no active window");
        ui::post_message(window, ui::kMsgCommand, ui::make_wparam(unsigned(id), 0), 0);
        return {};
    });
}

Result Driver::click(const ControlName& button)
{
    return on_parked(*this, [&]() -> Result {
        Found f = find_control(button, {u"button"});
        if (!f.ok())
            return fail(f.error);
        if (std::string why = unusable(f.hwnd, button); !why.empty())
            return fail(why);
        controls::post_click(f.hwnd);
        return {};
    });
}

Result Driver::type(const ControlName& edit, std::string_view typed)
{
    return on_parked(*this, [&]() -> Result {
        Found f = find_control(edit, {u"edit"});
        if (!f.ok())
            return fail(f.error);
        std::u16string wide = from_utf8(typed);
        if (std::string why = unusable(f.hwnd, edit); !why.empty())
            return fail(why);
        if (std::string why = refused_text(f.hwnd, wide, edit); !why.empty())
            return fail(why);
        controls::post_type(f.hwnd, wide);
        return {};
    });
}

Result Driver::select(const ControlName& list, int index)
{
    return on_parked(*this, [&]() -> Result {
        Found f = find_control(list, {u"listbox", u"combobox"});
        if (!f.ok())
            return fail(f.error);
        if (std::string why = unusable(f.hwnd, list); !why.empty())
            return fail(why);
        int count = entry_count(f.hwnd);
        if (index < 0 || index >= count)
            return fail(list.describe() + " has no entry " + std::to_string(index) + " (" + std::to_string(count)
                + " entries)");
        controls::post_select(f.hwnd, index);
        return {};
    });
}

Result Driver::select(const ControlName& list, std::string_view entry)
{
    return on_parked(*this, [&]() -> Result {
        Found f = find_control(list, {u"listbox", u"combobox"});
        if (!f.ok())
            return fail(f.error);
        if (std::string why = unusable(f.hwnd, list); !why.empty())
            return fail(why);
        int index = entry_index(f.hwnd, from_utf8(entry));
        if (index < 0)
            return fail(list.describe() + " has no entry " + quote(entry));
        controls::post_select(f.hwnd, index);
        return {};
    });
}

Result Driver::tap(int x, int y)
{
    gdi::Point screen;
    Result r = on_parked(*this, [&]() -> Result {
        Hwnd window = ui::active_window();
        if (window == ui::kNoWindow)
            return fail("no active window");
        screen = ui::client_to_screen(window, {x, y});
        ui::input_button_down(screen.x, screen.y);
        return {};
    });
    if (!r.ok)
        return r;
    return on_parked(*this, [&]() -> Result {
        ui::input_button_up(screen.x, screen.y);
        return {};
    });
}

Result Driver::tap_during_work(int x, int y, int polls)
{
    return on_parked(*this, [&]() -> Result {
        Hwnd window = ui::active_window();
        if (window == ui::kNoWindow)
            return fail("no active window");
        const gdi::Point screen = ui::client_to_screen(window, {x, y});
        headless::arm_input_during_work(polls, [screen] {
            ui::input_button_down(screen.x, screen.y);
            ui::input_button_up(screen.x, screen.y);
        });
        return {};
    });
}

Result Driver::key(std::string_view name)
{
    KeyPress press;
    if (!parse_key(name, &press))
        return fail("unknown key " + quote(name));
    return on_parked(*this, [&]() -> Result {
        if (press.key != 0)
            ui::input_key(press.key, press.modifiers);
        if (press.character != 0)
            ui::input_char(press.character);
        return {};
    });
}

Result Driver::wait(uint64_t ms)
{
    if (m_finished || !headless::advance(ms))
        return kEnded;
    return {};
}

Result Driver::expect_window(std::string_view name)
{
    return on_parked(*this, [&]() -> Result {
        Hwnd window = ui::active_window();
        if (window_matches(window, name))
            return {};
        return fail("window: expected " + std::string(name) + ", seen " + window_name(window));
    });
}

Result Driver::expect_text(const ControlName& control, std::string_view expected)
{
    return on_parked(*this, [&]() -> Result {
        Found f = find_control(control, {});
        if (!f.ok())
            return fail(f.error);
        std::string seen = to_utf8(ui::window_text(f.hwnd));
        if (seen == expected)
            return {};
        return fail(mismatch("text of " + control.describe(), expected, seen));
    });
}

Result Driver::expect_item(const ControlName& list, int index, std::string_view expected)
{
    return on_parked(*this, [&]() -> Result {
        Found f = find_control(list, {u"listbox", u"combobox"});
        if (!f.ok())
            return fail(f.error);
        int count = entry_count(f.hwnd);
        std::string what = "entry " + std::to_string(index) + " of " + list.describe();
        if (index < 0 || index >= count)
            return fail(what + ": expected " + quote(expected) + ", seen no such entry (" + std::to_string(count)
                + " entries)");
        std::string seen = to_utf8(entry_text(f.hwnd, index));
        if (seen == expected)
            return {};
        return fail(mismatch(what, expected, seen));
    });
}

Result Driver::expect_count(const ControlName& list, int expected)
{
    return on_parked(*this, [&]() -> Result {
        Found f = find_control(list, {u"listbox", u"combobox"});
        if (!f.ok())
            return fail(f.error);
        int seen = entry_count(f.hwnd);
        if (seen == expected)
            return {};
        return fail("count of " + list.describe() + ": expected " + std::to_string(expected) + ", seen "
            + std::to_string(seen));
    });
}

Result Driver::expect_box(std::string_view caption, std::string_view expected)
{
    return on_parked(*this, [&]() -> Result {
        Hwnd window = ui::active_window();
        std::string want = "box " + quote(caption) + " " + quote(expected);
        if (ui::template_name(window) != "MessageBox")
            return fail("expected " + want + ", seen window " + window_name(window));
        std::string seen_caption = to_utf8(ui::window_text(window));
        std::string seen_text = to_utf8(ui::item_text(window, controls::kMessageBoxTextId));
        if (seen_caption == caption && seen_text == expected)
            return {};
        return fail("expected " + want + ", seen box " + quote(seen_caption) + " " + quote(seen_text));
    });
}

Result Driver::answer(std::string_view button)
{
    int id = box_button_id(button);
    if (id == 0)
        return fail("unknown answer " + quote(button) + " (ok, cancel, yes or no)");
    return on_parked(*this, [&]() -> Result {
        Hwnd window = ui::active_window();
        if (ui::template_name(window) != "MessageBox")
            return fail("no message box is active (seen " + window_name(window) + ")");
        Hwnd b = ui::child_by_id(window, id);
        if (b == ui::kNoWindow)
            return fail("the message box has no " + std::string(button) + " button");
        controls::post_click(b);
        return {};
    });
}

Result Driver::dump()
{
    return on_parked(*this, [&]() -> Result { return {true, dump_window(ui::active_window())}; });
}

Result Driver::screenshot(const std::string& host_path)
{
    return on_parked(*this, [&]() -> Result {
        ui::paint_pending();
        if (!gdi::write_png(ui::screen(), host_path))
            return fail("cannot write " + host_path);
        return {};
    });
}

Result Driver::quit()
{
    if (!running()) {
        finish();
        return {};
    }
    Result r = on_parked(*this, [&]() -> Result {
        Hwnd main = main_window();
        if (main == ui::kNoWindow)
            return fail("the program has no main window");
        ui::post_message(main, ui::kMsgClose);
        return {};
    });
    if (!r.ok)
        return r;
    // A program that asks something on its way out (a message box) stays parked for the script to answer;
    // one that ended is finished here.
    if (!headless::running())
        finish();
    return r;
}

}  // namespace platform::driver
