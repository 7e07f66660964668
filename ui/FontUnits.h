// Window sizes as they were laid out for the original desktop (an 8-point font whose
// average character is 6 pixels wide and 13 pixels high), turned into the units of the
// font a widget has now: a larger desktop font, or a scale, grows them with the text.
#pragma once

#include <QSize>

class QWidget;

namespace FontUnits {

// designed, scaled by widget's average character width and line height (never shrunk).
QSize Scaled(const QWidget& widget, QSize designed);
// A height given in pixels of the original desktop, scaled as Scaled scales heights.
int ScaledHeight(const QWidget& widget, int designed);
// Fixes widget's size at Scaled(designed), or at what its layout asks for when more.
// REQUIRES: widget's layout is complete.
void FixSize(QWidget& widget, QSize designed);
// The same size as FixSize, as the starting size of a window the user may resize.
void Resize(QWidget& widget, QSize designed);
// Gives widget the desktop's fixed-pitch font at its own size, so the blank-padded numbers
// of code lists ("  10 - ", " 100 - ") line up.
void UseFixedPitch(QWidget& widget);

}  // namespace FontUnits
