// Every command of every menu bar has a handler: each one, chosen as a user chooses it, is taken by the
// window that carries the bar (a window answers 1 for a command it took).

#include <functional>
#include <map>
#include <set>

#include "platform/controls/controls.h"
#include "platform/text/text.h"
#include "platform/ui/ui.h"
#include "resources/builders.h"
#include "resources/resources.h"
#include "store/coord_file.h"
#include "tests/app/session_fixture.h"

namespace {

namespace ui = platform::ui;
namespace controls = platform::controls;
using platform::driver::Driver;
using testing_support::SessionTest;

// How a user reaches the window of each menu bar, from a fresh start.
const std::map<int, std::function<void(Driver&)>>& ways_in()
{
    static const std::map<int, std::function<void(Driver&)>> ways = {
        {111, [](Driver&) {}},
        {139, [](Driver& d) { d.menu("Coords/Open"); }},
        {138,
            [](Driver& d) {
                d.inspect([] { store::coord_create(u"\\My Documents\\Menus.dat"); });
                d.menu("Coords/Edit");
            }},
        {170, [](Driver& d) { d.menu("Calc/Map Check"); }},
        {171,
            [](Driver& d) {
                d.inspect([] { store::coord_create(u"\\My Documents\\Menus.dat"); });
                d.menu("Calc/Area");
            }},
        {175,
            [](Driver& d) {
                d.inspect([] { store::coord_create(u"\\My Documents\\Menus.dat"); });
                d.menu("Coords/Transform/By Parameters");
            }},
        {176,
            [](Driver& d) {
                d.inspect([] { store::coord_create(u"\\My Documents\\Menus.dat"); });
                d.menu("Coords/Transform/By Points");
            }},
        {172,
            [](Driver& d) {
                d.inspect([] { store::coord_create(u"\\My Documents\\Menus.dat"); });
                d.menu("Calc/Traverse");
            }},
        {144,
            [](Driver& d) {
                d.menu("Calc/Map Check");
                d.menu("Calc");
                d.click("Display");
            }},
        {143,
            [](Driver& d) {
                d.inspect([] { store::coord_create(u"\\My Documents\\Menus.dat"); });
                d.menu("Coords/Edit");
                d.menu("Show");
            }},
        {145,
            [](Driver& d) {
                d.inspect([] { store::coord_create(u"\\My Documents\\Menus.dat"); });
                d.menu("Calc/COGO");
            }},
        {147,
            [](Driver& d) {
                d.inspect([] { store::coord_create(u"\\My Documents\\Menus.dat"); });
                d.menu("Calc/COGO");
                d.menu("Curve");
            }},
        {168, [](Driver& d) { d.menu("GPS/Position"); }},
        {169, [](Driver& d) { d.menu("GPS/Navigation/Compass View"); }},
        {180,
            [](Driver& d) {
                d.inspect([] { store::coord_create(u"\\My Documents\\Menus.dat"); });
                d.menu("Coords/ASCII/Export");
            }},
        {181,
            [](Driver& d) {
                d.inspect([] { store::coord_create(u"\\My Documents\\Menus.dat"); });
                d.menu("Coords/ASCII/Import");
            }},
        {160,
            [](Driver& d) {
                d.inspect([] { store::coord_create(u"\\My Documents\\Menus.dat"); });
                d.menu("Coords/Edit");
                d.click("Pt#");
            }},
    };
    return ways;
}

class MenuHandlers : public SessionTest {
protected:
    // Starts afresh, opens the window of `bar` and listens to the commands it takes.
    ui::Hwnd open(int bar)
    {
        if (m_driver) {
            finish();
            testing_support::reset_program_state();
        }
        Driver& d = start();
        ways_in().at(bar)(d);
        ui::Hwnd window = ui::kNoWindow;
        d.inspect([&] {
            window = ui::active_window();
            auto previous = std::make_shared<ui::WndProc>();
            *previous
                = ui::set_window_proc(window, [previous, this](ui::Hwnd h, uint32_t msg, ui::WParam w, ui::LParam l) {
                      const ui::LResult taken = (*previous)(h, msg, w, l);
                      if (msg == ui::kMsgCommand && taken != 0)
                          m_taken.insert(ui::loword(w));
                      return taken;
                  });
        });
        return window;
    }

    // Closes what the command opened (boxes, dialogs) until the window is back on top, if it still is.
    void back_to(ui::Hwnd window)
    {
        for (int tries = 0; tries < 4 && m_driver->running(); ++tries) {
            ui::Hwnd active = ui::kNoWindow;
            bool gone = false;
            m_driver->inspect([&] {
                active = ui::active_window();
                gone = !ui::is_window(window);
            });
            if (active == window || gone)
                return;
            m_driver->key("escape");
            m_driver->inspect([&] {
                if (ui::active_window() == active)
                    ui::post_message(active, ui::kMsgCommand, ui::kIdOk);
            });
        }
    }

    bool on_top(ui::Hwnd window)
    {
        bool top = false;
        return m_driver && m_driver->inspect([&] { top = ui::active_window() == window; }) && top;
    }

    std::set<int> m_taken;
};

TEST_F(MenuHandlers, EveryMenuBarHasAWayInAndEveryCommandOfItAHandler)
{
    for (const platform::controls::MenuBarTemplate& bar : resources::all_templates().menu_bars) {
        EXPECT_TRUE(ways_in().count(bar.id)) << "menu bar " << bar.id << ": say above how its window is reached";
        if (!ways_in().count(bar.id))
            continue;
        ui::Hwnd window = open(bar.id);
        std::vector<std::pair<std::u16string, int>> paths;
        m_driver->inspect([&] { paths = controls::menu_paths(controls::menu_bar_of(window)); });
        ASSERT_FALSE(paths.empty()) << "menu bar " << bar.id;
        for (const auto& [path, command] : paths) {
            if (!on_top(window))
                window = open(bar.id);
            m_taken.clear();
            ASSERT_OK(m_driver->menu(platform::text::to_utf8(path)));
            // A handler that asks something answers once the question is closed.
            back_to(window);
            EXPECT_TRUE(m_taken.count(command)) << "menu bar " << bar.id << ": nothing took "
                                                << platform::text::to_utf8(path) << " (" << command << ")";
        }
    }
}

}  // namespace
