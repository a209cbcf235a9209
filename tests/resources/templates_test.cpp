// Every dialog template and menu bar of the program, as the resources files build them: names and ids
// that cannot collide, and controls that lie where the dialog can show them.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "platform/text/text.h"
#include "resources/builders.h"
#include "resources/resources.h"

namespace {

namespace ui = platform::ui;
namespace controls = platform::controls;

std::string name_of(const ui::DialogTemplate& t)
{
    return t.name.empty() ? "#" + std::to_string(t.number) : t.name;
}

// The client area a template's controls lie in.
ui::Rect client_of(const ui::DialogTemplate& t)
{
    if (t.full_screen)
        return {0, 0, ui::kWorkArea.width(), ui::kWorkArea.height()};
    return {0, controls::kPopupCaptionHeight, t.rect.width(), t.rect.height()};
}

bool inside(const ui::Rect& r, const ui::Rect& area)
{
    return !r.empty() && r.left >= area.left && r.top >= area.top && r.right <= area.right && r.bottom <= area.bottom;
}

// Every command of a menu and its nested menus; a drop-down holds none of its own.
void collect_commands(const std::vector<controls::MenuItem>& items, const std::string& path, std::vector<int>* out)
{
    for (const controls::MenuItem& item : items) {
        EXPECT_EQ(item.command != 0, item.submenu.empty()) << path << "/" << platform::text::to_utf8(item.label);
        out->push_back(item.command);
        collect_commands(item.submenu, path, out);
    }
}

TEST(Templates, NoTwoDialogsOrMenuBarsShareANameOrAnId)
{
    const resources::TemplateSet all = resources::all_templates();
    ASSERT_FALSE(all.dialogs.empty());
    std::map<std::string, int> names;
    for (const ui::DialogTemplate& t : all.dialogs) {
        EXPECT_NE(t.name.empty(), t.number == 0) << name_of(t) << ": known by a name or by a number, not both";
        ++names[name_of(t)];
    }
    for (const auto& [name, count] : names)
        EXPECT_EQ(count, 1) << name;
    std::map<int, int> bars;
    for (const controls::MenuBarTemplate& bar : all.menu_bars)
        ++bars[bar.id];
    for (const auto& [id, count] : bars)
        EXPECT_EQ(count, 1) << "menu bar " << id;
}

TEST(Templates, EachDialogsControlIdsAreUniqueAndItsControlsLieInsideIt)
{
    for (const ui::DialogTemplate& t : resources::all_templates().dialogs) {
        std::set<int> ids;
        for (const ui::ControlTemplate& c : t.controls) {
            EXPECT_TRUE(ids.insert(c.id).second) << name_of(t) << ": control " << c.id << " twice";
            EXPECT_TRUE(inside(c.rect, client_of(t))) << name_of(t) << ": control " << c.id << " outside";
        }
    }
}

TEST(Templates, EachMenuBarsCommandsAreUnique)
{
    for (const controls::MenuBarTemplate& bar : resources::all_templates().menu_bars) {
        std::vector<int> commands;
        for (const controls::MenuBarButton& b : bar.buttons) {
            EXPECT_EQ(b.command != 0, b.popup.empty()) << "menu bar " << bar.id;
            commands.push_back(b.command);
            collect_commands(b.popup, std::to_string(bar.id), &commands);
        }
        std::erase(commands, 0);
        EXPECT_EQ(std::set<int>(commands.begin(), commands.end()).size(), commands.size()) << "menu bar " << bar.id;
    }
}

}  // namespace
