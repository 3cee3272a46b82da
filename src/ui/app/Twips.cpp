#include "ui/app/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace zorvex {

int TwipsToPixels(double twips, double logicalDpi) {
    return static_cast<int>(std::lround(twips * logicalDpi / TwipsPerInch));
}

double PixelsToTwips(int pixels, double logicalDpi) {
    return logicalDpi > 0 ? pixels * TwipsPerInch / logicalDpi : 0;
}

namespace {
const QScreen* ScreenOf(const QWidget* widget) {
    if (widget != nullptr && widget->screen() != nullptr) {
        return widget->screen();
    }
    return QGuiApplication::primaryScreen();
}
}  // namespace

double LogicalDpiX(const QWidget* widget) {
    const QScreen* screen = ScreenOf(widget);
    return screen != nullptr ? screen->logicalDotsPerInchX() : 96.0;
}

double LogicalDpiY(const QWidget* widget) {
    const QScreen* screen = ScreenOf(widget);
    return screen != nullptr ? screen->logicalDotsPerInchY() : 96.0;
}

TwipsSize ScreenSizeInTwips(const QScreen* screen) {
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return {};
    }
    const QSize size = screen->size();
    return {PixelsToTwips(size.width(), screen->logicalDotsPerInchX()),
            PixelsToTwips(size.height(), screen->logicalDotsPerInchY())};
}

TwipsSize WidgetSizeInTwips(const QWidget* widget) {
    return {PixelsToTwips(widget->width(), LogicalDpiX(widget)),
            PixelsToTwips(widget->height(), LogicalDpiY(widget))};
}

}  // namespace zorvex
