// The picture of the monitor layout that every project file carries: one outlined rectangle per
// monitor in its true relative position, labelled with its number, and a small mark per desktop icon.
#pragma once

#include <vector>

#include "display/MonitorRecord.h"
#include "errors/ErrorHandler.h"
#include "ui/PictureView.h"

namespace plenvik {

// Draws the monitors (table elements 1 ... upper bound; element 0 is not used) into the picture and
// sets both operators to the one number of virtual-screen pixels per picture pixel: the layout keeps
// its aspect ratio and leaves a two-pixel margin on its limiting side. Labels are "Mon." + number,
// or "M." + number from four monitors on, just below each rectangle's bottom-left corner.
// Registers as "frmMain.fc_DesktopMonitorsPictureGet". A table without a monitor, or a picture too
// small to hold a margin, is a run-time error for the handler; the operators then keep their values.
// The result is never true and means nothing, as callers have always known.
bool drawMonitorPicture(PictureView& picture, const std::vector<MonitorRecord>& monitors, float& horizontalOperator,
                        float& verticalOperator, ErrorHandler& handler);

// Prepares the main window's picture for a new layout: a fresh surface of the main picture size
// when the current one has another size (a project loaded before may have brought its own), then
// the clearing rectangle (-1, -1, 255, 255) with the surface's pen and brush.
void clearMonitorPicture(PictureView& picture);

// The mark of one desktop icon: x = PosX / operator + 1 and y = PosY / operator + 1, each rounded to a
// whole pixel (ties to even), drawn as PaintRectangle(x, y, x + 2, y + 2). Operators that are not
// positive numbers draw nothing (false).
bool markIconOnPicture(PictureView& picture, long posX, long posY, float horizontalOperator, float verticalOperator);

}  // namespace plenvik
