// Draws a ProgressBar on Windows: the bar in the back colour, the filled part in the fore colour,
// the edge (DrawEdge), and the percentage text centred with the bar's font and text flags - in the
// fore colour over the empty part and in the back colour over the filled part, so it stays readable.
#pragma once

#include <windows.h>

#include "ui/ProgressBar.h"

namespace plenvik::win32 {

// Into a device context (a WM_PAINT handler, a memory DC).
void paintProgressBar(HDC dc, const ProgressBarDrawing& drawing);
// Into the drawing's target window. An invisible bar asks the window to repaint the bar's area.
void drawProgressBar(const ProgressBarDrawing& drawing);
// Gives the bar the screen's twips per pixel and drawProgressBar as its painter.
void bindProgressBar(ProgressBar& bar);

}  // namespace plenvik::win32
