#pragma once
// The state of a menu bar and the chain of pop-up menus open from it. The pop-ups are top-level windows
// owned by the bar; the deepest holds the stylus capture, so a tap anywhere else closes them all.

#include <vector>

#include "platform/controls/controls.h"

namespace platform::controls {

constexpr int kMenuBarHeightPixels = ui::kMenuBarHeight;

struct OpenPopup {
    Hwnd hwnd = ui::kNoWindow;
    const std::vector<MenuItem>* items = nullptr;  // inside the bar's template copy
    std::vector<gdi::Rect> rects;                  // item rectangles, pop-up client coordinates
    int pressed = -1;                              // item under a stylus that went down on it
    int open_item = -1;                            // item whose nested pop-up is open
};

struct MenuBarState {
    Hwnd window = ui::kNoWindow;     // receives the commands
    MenuBarTemplate tmpl;            // a copy: captions can change per bar
    std::vector<gdi::Rect> buttons;  // bar client coordinates
    int pressed = -1;                // button under a stylus that went down on it
    int open_button = -1;            // button whose pop-up is open
    std::vector<OpenPopup> popups;   // outermost first
};

MenuBarState* menu_bar_state(Hwnd bar);

// Opens a pop-up at `level` of the chain (closing any at that level or deeper) with its bottom-left corner
// near screen point (x, bottom) for level 0, or beside (x, y) for nested levels.
void open_popup(Hwnd bar, const std::vector<MenuItem>* items, int x, int y, int level);
void close_popups(Hwnd bar);
// A press at screen point `p` that closed the pop-ups: on a bar button other than `was_open` it starts
// pressing that button, so its release acts as on the bar; elsewhere it did its work by closing.
void press_after_popups(Hwnd bar, gdi::Point p, int was_open);

}  // namespace platform::controls
