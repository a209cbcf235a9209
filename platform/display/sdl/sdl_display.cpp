#include "platform/display/sdl/sdl_display.h"

#include <SDL.h>

#include <algorithm>
#include <climits>

#include "platform/clock/clock.h"
#include "platform/text/text.h"
#include "platform/ui/messages.h"
#include "platform/ui/windows.h"

namespace platform::display::sdl {

namespace ui = platform::ui;

struct SdlBackend::Sdl {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;  // the screen, streamed on every present
    bool have_picture = false;       // a picture was presented: redraw it on exposure

    ~Sdl()
    {
        if (texture)
            SDL_DestroyTexture(texture);
        if (renderer)
            SDL_DestroyRenderer(renderer);
        if (window)
            SDL_DestroyWindow(window);
    }
};

SdlBackend::SdlBackend(WindowOptions options)
    : m_options(std::move(options))
{
    m_options.scale = std::clamp(m_options.scale, 1, 16);
}

SdlBackend::~SdlBackend()
{
    if (!m_open.exchange(false))
        return;
    m_sdl.reset();
    // All of SDL, so that it also lets go of its session-bus connection.
    SDL_Quit();
}

bool SdlBackend::open()
{
    if (m_open)
        return true;
    // Crisp pixels when enlarged, and no compositor bypass games on the desktop.
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    // SDL from 2.30 on also closes its session-bus library on quit when asked, which leak checkers like.
    SDL_SetHint("SDL_SHUTDOWN_DBUS_ON_QUIT", "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        m_error = SDL_GetError();
        return false;
    }
    m_wake_event = SDL_RegisterEvents(1);
    m_sdl = std::make_unique<Sdl>();
    m_open = true;
    return true;
}

bool SdlBackend::window_shown() const
{
    return m_sdl && m_sdl->window;
}

bool SdlBackend::ensure_window()
{
    if (!m_open)
        return false;
    if (m_sdl->window)
        return true;
    const int w = ui::kScreenWidth * m_options.scale, h = ui::kScreenHeight * m_options.scale;
    m_sdl->window = SDL_CreateWindow(
        m_options.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, w, h, SDL_WINDOW_SHOWN);
    if (!m_sdl->window) {
        m_error = SDL_GetError();
        return false;
    }
    // A 240 x 320 picture needs no graphics card: the software renderer copies it exactly, needs no GL
    // driver, and behaves the same on every desktop and virtual X server.
    m_sdl->renderer = SDL_CreateRenderer(m_sdl->window, -1, SDL_RENDERER_SOFTWARE);
    if (m_sdl->renderer)
        m_sdl->texture = SDL_CreateTexture(m_sdl->renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
            ui::kScreenWidth, ui::kScreenHeight);
    if (!m_sdl->texture) {
        m_error = SDL_GetError();
        return false;
    }
    SDL_StartTextInput();
    return true;
}

void SdlBackend::present(const gdi::Bitmap& screen)
{
    if (!ensure_window() || screen.width() != ui::kScreenWidth || screen.height() != ui::kScreenHeight)
        return;
    // 0x00RRGGBB is ARGB8888 with the alpha byte unused.
    SDL_UpdateTexture(m_sdl->texture, nullptr, screen.row(0), screen.stride() * int(sizeof(uint32_t)));
    m_sdl->have_picture = true;
    redraw();
}

void SdlBackend::redraw()
{
    if (!m_sdl || !m_sdl->have_picture)
        return;
    SDL_RenderClear(m_sdl->renderer);
    SDL_RenderCopy(m_sdl->renderer, m_sdl->texture, nullptr, nullptr);
    SDL_RenderPresent(m_sdl->renderer);
}

void SdlBackend::wait(std::optional<uint64_t> deadline_ms)
{
    if (!m_open)
        return;
    int timeout = -1;
    if (deadline_ms) {
        uint64_t now = clock::now_ms();
        timeout = *deadline_ms <= now ? 0 : int(std::min<uint64_t>(*deadline_ms - now, INT_MAX));
    }
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, timeout) == 0)
        return;
    handle_event(&event);
    while (SDL_PollEvent(&event))
        handle_event(&event);
}

void SdlBackend::poll()
{
    if (!m_open)
        return;
    SDL_Event event;
    while (SDL_PollEvent(&event))
        handle_event(&event);
}

void SdlBackend::raise()
{
    m_raise_requested = true;
    wake();
}

void SdlBackend::wake()
{
    if (!m_open)
        return;
    SDL_Event event {};
    event.type = m_wake_event;
    SDL_PushEvent(&event);
}

void SdlBackend::handle_pointer(uint32_t type, int x, int y)
{
    x = std::clamp(x / m_options.scale, 0, ui::kScreenWidth - 1);
    y = std::clamp(y / m_options.scale, 0, ui::kScreenHeight - 1);
    if (type == SDL_MOUSEBUTTONDOWN || type == SDL_FINGERDOWN)
        ui::input_button_down(x, y);
    else if (type == SDL_MOUSEBUTTONUP || type == SDL_FINGERUP)
        ui::input_button_up(x, y);
    else
        ui::input_mouse_move(x, y);
}

void SdlBackend::handle_event(const void* raw)
{
    const SDL_Event& e = *static_cast<const SDL_Event*>(raw);
    if (e.type == m_wake_event) {
        if (m_raise_requested.exchange(false) && m_sdl->window) {
            SDL_RestoreWindow(m_sdl->window);
            SDL_RaiseWindow(m_sdl->window);
        }
        return;
    }
    switch (e.type) {
    case SDL_QUIT:
        if (m_options.on_close)
            m_options.on_close();
        else
            ui::post_quit_message(0);
        return;
    case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_EXPOSED)
            redraw();
        return;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        // Touch arrives as finger events; SDL's copies of them as mouse events are dropped.
        if (e.button.button == SDL_BUTTON_LEFT && e.button.which != SDL_TOUCH_MOUSEID)
            handle_pointer(e.type, e.button.x, e.button.y);
        return;
    case SDL_MOUSEMOTION:
        if ((e.motion.state & SDL_BUTTON_LMASK) && e.motion.which != SDL_TOUCH_MOUSEID)
            handle_pointer(e.type, e.motion.x, e.motion.y);
        return;
    case SDL_FINGERDOWN:
    case SDL_FINGERUP:
    case SDL_FINGERMOTION: {
        const int w = ui::kScreenWidth * m_options.scale, h = ui::kScreenHeight * m_options.scale;
        handle_pointer(e.type, int(e.tfinger.x * float(w)), int(e.tfinger.y * float(h)));
        return;
    }
    case SDL_MOUSEWHEEL: {
        int x = 0, y = 0;
        SDL_GetMouseState(&x, &y);
        ui::input_wheel(x / m_options.scale, y / m_options.scale, e.wheel.y * 120);
        return;
    }
    case SDL_KEYDOWN:
        if (uint32_t key = key_code(e.key.keysym.sym))
            ui::input_key(key, key_modifiers(e.key.keysym.mod));
        return;
    case SDL_TEXTINPUT:
        for (char16_t c : text::from_utf8(e.text.text))
            ui::input_char(c);
        return;
    default:
        return;
    }
}

}  // namespace platform::display::sdl
