#pragma once
// The SDL display: a desktop window showing the 240 x 320 screen enlarged by a whole factor, in real time.
// Left mouse button and touch arrive as taps (window pixels divided by the factor), the keyboard as keys
// with modifiers and typed text as characters. The window's close button calls the close handler.
//
// Everything but raise() and wake() runs on the user-interface thread, which must be the thread that
// called open().

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/display/display.h"

namespace platform::display::sdl {

struct WindowOptions {
    int scale = 2;  // window pixels per screen pixel, 1..16
    std::string title = "Varno";
    std::function<void()> on_close;  // the close button; empty: ui::post_quit_message(0)
};

class SdlBackend final : public Backend {
public:
    explicit SdlBackend(WindowOptions options);
    ~SdlBackend() override;

    // Starts SDL's video. False when no display can be reached; error() then says why. The window itself
    // appears with the first picture, so a program that ends before showing anything shows no window.
    bool open();
    const std::string& error() const { return m_error; }
    bool window_shown() const;

    void wait(std::optional<uint64_t> deadline_ms) override;
    void poll() override;
    void present(const gdi::Bitmap& screen) override;
    void raise() override;  // any thread
    void wake() override;   // any thread

private:
    struct Sdl;  // SDL's window, renderer and texture
    bool ensure_window();
    void handle_event(const void* event);
    void handle_pointer(uint32_t type, int x, int y);
    void redraw();

    WindowOptions m_options;
    std::unique_ptr<Sdl> m_sdl;
    std::string m_error;
    std::atomic<bool> m_open {false};
    std::atomic<bool> m_raise_requested {false};
    uint32_t m_wake_event = 0;  // SDL user event type that ends a wait
};

// The window manager's key code for an SDL key code (letters as their upper-case ASCII), 0 for a key the
// program does not know.
uint32_t key_code(int32_t sdl_key);
// The window manager's modifier bits (kModShift, kModCtrl, kModAlt) for SDL's modifier state.
unsigned key_modifiers(uint16_t sdl_mod);

}  // namespace platform::display::sdl
