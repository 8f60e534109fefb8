#pragma once
// Drawing routines the group-bar widgets share.

#include "platform/gui/Canvas.h"
#include "platform/gui/Graphics.h"
#include "platform/gui/Types.h"

int MaxOf3(int a, int b, int c);

// Fills (0, 0, Width, Height) of the canvas with bands from FromColor to
// ToColor: top to bottom when Vertical, else left to right. With S the largest
// channel difference and E the extent, each band is E div (S + 1) + 1 pixels
// thick, band l has FromColor + l * (difference * thickness) div E in each
// channel, and the bands stop once one would start past E (the last may reach
// beyond it). Nothing is drawn for an extent of 0 or less.
void DrawGradient(TCanvas& canvas, int Width, int Height, TColor FromColor, TColor ToColor, bool Vertical);

// Moves Rect across so that it is centred in Outer; its width, top and bottom
// stay.
void CenterRectHorz(TRect& Rect, const TRect& Outer);
