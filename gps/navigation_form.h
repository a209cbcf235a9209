#pragma once
// What the two navigation views share: the port and its one-second timer 2, the target, the fixes P
// (current) and Q (previous) with their times, the speed, the flags, the menu commands and the texts.
// A view says what it does at each fix (update) and how it draws itself again after being covered.

#include "forms/form.h"
#include "gps/navigation_rules.h"
#include "platform/serial/serial.h"

#include <optional>
#include <string>

namespace gps {

class NavigationForm : public forms::Form {
public:
    explicit NavigationForm(NavView view);
    ~NavigationForm() override;

protected:
    // A fix while the display is enabled: grid point, elevation (m), time (seconds since midnight).
    virtual void update(const GridPoint& p, double elevation, int32_t t) = 0;
    // Draws the picture again (after a paint).
    virtual void redraw() { }
    // The view's own opening, after the common one.
    virtual void open_view() { }

    NavView view() const { return m_view; }
    const std::optional<GridPoint>& target() const { return m_target; }
    // Static 1232: the azimuth and distance from p to the target separated by `spaces` spaces; empty
    // without a target.
    void show_target(const GridPoint& p, int spaces);
    // The heading Q -> P, and the speed and arrival time when they can be computed (motion rules).
    void show_motion(const GridPoint& q, const GridPoint& p, int32_t dt);

    SpeedTracker m_speed;
    bool m_first_done = false;
    bool m_have_fix = false;
    GridPoint m_last_fix;  // what Save Pt. offers
    GridPoint m_p, m_q;
    double m_elevation = 0.0;
    int32_t m_tp = 0, m_tq = 0;
    double m_heading = 0.0;

private:
    bool on_open() final;
    bool on_timer(int id) final;
    bool on_action(int id, int code, platform::ui::Hwnd control) final;
    bool on_paint(platform::gdi::DC& dc) final;

    void read_target();
    void to_point();
    void save_point();
    void satellite_status();

    NavView m_view;
    std::optional<GridPoint> m_target;
    bool m_enabled = false;
    platform::serial::Handle m_port = nullptr;
    int m_saved_decimals = 0;
    bool m_angles_saved = false;
};

}  // namespace gps
