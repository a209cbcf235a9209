#pragma once
// Resources of the plot windows: GRAPHICS with its menu bar 144 (the area, map-check and traverse plots)
// and the point plot PT_GRAPHICS with its menu bar 143. Neither has a control: the whole work area is the
// plot.

#include "resources/builders.h"

namespace resources {

// ---- GRAPHICS -----------------------------------------------------------------------------------------
constexpr const char* kDialogGraphics = "GRAPHICS";
constexpr int kMenuBarGraphics = 144;
constexpr int kCmdGraphicsAll = 40124;
constexpr int kCmdGraphicsZoomIn = 40126;
constexpr int kCmdGraphicsZoomOut = 40132;
constexpr int kCmdGraphicsScroll = 40135;
constexpr int kCmdGraphicsOk = 40137;

// ---- PT_GRAPHICS --------------------------------------------------------------------------------------
constexpr const char* kDialogPointGraphics = "PT_GRAPHICS";
constexpr int kMenuBarPointGraphics = 143;
constexpr int kCmdPointGraphicsAll = 1022;
constexpr int kCmdPointGraphicsZoomIn = 1019;
constexpr int kCmdPointGraphicsZoomOut = 1020;
constexpr int kCmdPointGraphicsScroll = 1021;
constexpr int kCmdPointGraphicsClearCogo = 1099;
constexpr int kCmdPointGraphicsOk = 1;  // the OK command

TemplateSet plot_templates();
void install_plot_resources();

}  // namespace resources
