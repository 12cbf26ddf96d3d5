#include "twips.h"

#include <QWidget>
#include <cmath>
#include <limits>

namespace widgets {
namespace {

// nearbyint rounds in the default mode, to nearest with ties to even. Only a nonsensical value
// gets near the limits of int; the conversion must still be defined.
int roundedToInt(double value) {
    const double rounded = std::nearbyint(value);
    constexpr double low = std::numeric_limits<int>::min();
    constexpr double high = std::numeric_limits<int>::max();
    return static_cast<int>(rounded < low ? low : (rounded > high ? high : rounded));
}

}  // namespace

int pixels(int twips) {
    return roundedToInt(double(twips) / kTwipsPerPixel);
}

int toTwips(double pixels) {
    return roundedToInt(pixels * kTwipsPerPixel);
}

QRect pixelRect(int left, int top, int width, int height) {
    return {pixels(left), pixels(top), pixels(width), pixels(height)};
}

void placeTwips(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(pixelRect(left, top, width, height));
}

}  // namespace widgets
