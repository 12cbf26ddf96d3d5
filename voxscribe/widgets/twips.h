// Positions and sizes of the windows are designed in twips (1/1440 inch); 15 make one pixel at
// 96 DPI. Every conversion between the two goes through here, so that all windows round alike:
// to the nearest whole number, ties to even.
#pragma once

#include <QRect>
#include <QWidget>
#include <QtGlobal>

namespace widgets {

inline constexpr int kTwipsPerPixel = 15;

// A twip distance in pixels.
int pixels(int twips);
// A pixel coordinate in twips. Positions far out on a desktop of several monitors are as valid as
// any other.
int toTwips(double pixels);
QRect pixelRect(int left, int top, int width, int height);
// Places widget at a design position and size given in twips.
void placeTwips(QWidget* widget, int left, int top, int width, int height);

// A new control under its name, at its design position and size in twips (left, top, width,
// height).
template <class Control>
Control* placed(Control* control, const char* name, const QRect& twips) {
    control->setObjectName(QString::fromLatin1(name));
    placeTwips(control, twips.x(), twips.y(), twips.width(), twips.height());
    return control;
}

}  // namespace widgets
