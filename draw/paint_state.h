#pragma once
// The device context the drawing engine paints on: taken from a window by dwg_begin_paint and held until
// dwg_end_paint (or the next dwg_begin_paint). Drawing while none is held has no visible effect.

#include "platform/gdi/gdi.h"
#include "platform/ui/windows.h"

namespace draw {

namespace gdi = platform::gdi;
namespace ui = platform::ui;

// Ends the painting still held, takes the window's device context, makes the device rectangle of the view
// the window's client rectangle, sets the raster operation `rop` (gdi::kRopCopyPen to draw,
// gdi::kRopXorPen while a plot handles a tap), saving the one before, and with `clear` fills
// (0, 0)-(32767, 32767) white. The world window is not fitted again: call view_set_window after.
void dwg_begin_paint(ui::Hwnd window, int rop, bool clear);

// When a device context is held: restores its raster operation and releases it. Afterwards none is held.
void dwg_end_paint();

// The held device context, or null; the window it belongs to, or ui::kNoWindow.
gdi::DC* dwg_paint_dc();
ui::Hwnd dwg_paint_window();

}  // namespace draw
