#pragma once
// Painting into the one screen bitmap: invalid windows, paint messages, device contexts on a window.

#include <memory>

#include "platform/gdi/gdi.h"
#include "platform/ui/windows.h"

namespace platform::ui {

void invalidate(Hwnd hwnd, bool erase = true);  // the whole client area; children are not affected
void update_window(Hwnd hwnd);                  // paints now if invalid
// Within kMsgPaint: a DC on the window's client area in the screen bitmap, clipped to what of the window
// is visible; the background erased first when the window's class asks for it.
std::unique_ptr<gdi::DC> begin_paint(Hwnd hwnd);
void end_paint(Hwnd hwnd, std::unique_ptr<gdi::DC> dc);
// Outside paint messages (the plots and the GPS views draw on taps and timers).
std::unique_ptr<gdi::DC> get_dc(Hwnd hwnd);
void release_dc(Hwnd hwnd, std::unique_ptr<gdi::DC> dc);
// True while a paint message is being handled (through any loop, update_window or paint_pending). No
// modal dialog is opened then: run_dialog refuses, and a message box is put off (platform/controls).
bool painting();
// The screen, with the navigation bar drawn; the display shows it.
const gdi::Bitmap& screen();
// Paints everything invalid now (the driver's screenshot uses it).
void paint_pending();

}  // namespace platform::ui
