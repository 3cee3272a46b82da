#pragma once

#include "core/settings/WindowPlacement.h"

class QWidget;
class QScreen;

namespace zorvex {

// Settings keep sizes and positions in twips (1/1440 inch); the windows work in pixels of
// the screen's logical resolution.
inline constexpr double TwipsPerInch = 1440.0;

int TwipsToPixels(double twips, double logicalDpi);
double PixelsToTwips(int pixels, double logicalDpi);

// The logical DPI of the screen a widget is on (of the primary screen without a widget).
double LogicalDpiX(const QWidget* widget);
double LogicalDpiY(const QWidget* widget);

TwipsSize ScreenSizeInTwips(const QScreen* screen);
TwipsSize WidgetSizeInTwips(const QWidget* widget);

}  // namespace zorvex
