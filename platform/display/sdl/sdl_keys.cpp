#include <SDL.h>

#include "platform/display/sdl/sdl_display.h"
#include "platform/ui/messages.h"

namespace platform::display::sdl {

namespace ui = platform::ui;

uint32_t key_code(int32_t key)
{
    if (key >= SDLK_a && key <= SDLK_z)
        return uint32_t('A' + (key - SDLK_a));
    if (key >= SDLK_0 && key <= SDLK_9)
        return uint32_t('0' + (key - SDLK_0));
    if (key >= SDLK_F1 && key <= SDLK_F12)
        return ui::kKeyF1 + uint32_t(key - SDLK_F1);
    switch (key) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return ui::kKeyReturn;
    case SDLK_ESCAPE:
        return ui::kKeyEscape;
    case SDLK_BACKSPACE:
        return ui::kKeyBack;
    case SDLK_TAB:
        return ui::kKeyTab;
    case SDLK_SPACE:
        return ui::kKeySpace;
    case SDLK_PAGEUP:
        return ui::kKeyPrior;
    case SDLK_PAGEDOWN:
        return ui::kKeyNext;
    case SDLK_END:
        return ui::kKeyEnd;
    case SDLK_HOME:
        return ui::kKeyHome;
    case SDLK_LEFT:
        return ui::kKeyLeft;
    case SDLK_UP:
        return ui::kKeyUp;
    case SDLK_RIGHT:
        return ui::kKeyRight;
    case SDLK_DOWN:
        return ui::kKeyDown;
    case SDLK_DELETE:
        return ui::kKeyDelete;
    default:
        return 0;
    }
}

unsigned key_modifiers(uint16_t mod)
{
    unsigned bits = 0;
    if (mod & KMOD_SHIFT)
        bits |= ui::kModShift;
    if (mod & KMOD_CTRL)
        bits |= ui::kModCtrl;
    if (mod & KMOD_ALT)
        bits |= ui::kModAlt;
    return bits;
}

}  // namespace platform::display::sdl
