#include "ui/app/StartupWarmUp.h"

#include <QBuffer>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QThreadPool>

namespace zorvex {

namespace {
// The first icon a window loads (the menu bar's and every child frame's come from the style)
// makes the image reader ask each image plugin whether it reads the file, which loads them
// all. Asking once here loads them on this thread instead.
void LoadImagePlugins() {
    QByteArray png;
    QBuffer out(&png);
    out.open(QIODevice::WriteOnly);
    QImage(1, 1, QImage::Format_ARGB32).save(&out, "PNG");
    QBuffer in(&png);
    in.open(QIODevice::ReadOnly);
    QImageReader(&in).canRead();
}
}  // namespace

StartupWarmUp::StartupWarmUp() {
    if (qGuiApp == nullptr) {
        return;
    }
    // The font database and the plugin loader serialise their users, so the window thread
    // simply finds them filled, or waits for the rest.
    QThreadPool::globalInstance()->start([] {
        QFontDatabase::families();
        LoadImagePlugins();
    });
}

}  // namespace zorvex
