#pragma once
// Places and sizes of every window are written in twips (1/1440 inch); the screen gets logical
// pixels, 15 twips to a pixel at 96 dpi (Qt scales them for high-DPI screens). One rounding rule
// for all windows: to the nearest pixel, halves up (611 twips are 41 pixels).

#include <QRect>
#include <QSize>

namespace vardo::widgets {

constexpr int kTwipsPerPixel = 15;

constexpr int twipsToPixels(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

constexpr QRect twipsRect(int left, int top, int width, int height) {
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

constexpr QSize twipsSize(int width, int height) {
    return {twipsToPixels(width), twipsToPixels(height)};
}

}  // namespace vardo::widgets
