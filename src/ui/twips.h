#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Window geometry is laid out in twips (1/1440 inch); on screen one
// device-independent pixel is 15 twips. Every conversion goes through here.
namespace orvel::ui {

inline constexpr int kTwipsPerPixel = 15;

// Rounded to the nearest pixel, halves away from zero (tops may be negative).
constexpr int px(int twips)
{
    return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                      : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

constexpr int twips(int pixels)
{
    return pixels * kTwipsPerPixel;
}

// left, top, width x height, all in twips.
struct TwipsRect
{
    int left;
    int top;
    int width;
    int height;
};

constexpr QRect toPixels(const TwipsRect &r)
{
    return QRect(px(r.left), px(r.top), px(r.width), px(r.height));
}

constexpr QSize toPixels(int widthTwips, int heightTwips)
{
    return QSize(px(widthTwips), px(heightTwips));
}

} // namespace orvel::ui
