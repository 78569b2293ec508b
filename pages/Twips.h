#pragma once

#include <QRect>
#include <QSize>

// Every position and size of the window is designed in twips. 15 twips make one
// device-independent pixel; Qt scales those for high-DPI screens.
namespace twips {

constexpr int TwipsPerPixel = 15;

constexpr int toPixels(int twips)
{
    return (2 * twips + TwipsPerPixel) / (2 * TwipsPerPixel);
}

constexpr QRect rect(int left, int top, int width, int height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

constexpr QSize size(int width, int height)
{
    return QSize(toPixels(width), toPixels(height));
}

} // namespace twips
