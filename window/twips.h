#pragma once

#include <QRect>
#include <QSize>

// The window's sizes are kept in twips (1/1440 inch), as its design gives
// them. At 96 dots per inch 15 twips make one pixel; Qt's logical pixels are
// those 96-dpi pixels, and Qt's high-DPI scaling maps them to the screen, so
// this is the only conversion the window needs at any screen scale.
inline constexpr int kTwipsPerPixel = 15;

constexpr int TwipsToPixels(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

// A rectangle given in twips, in logical pixels.
struct TwipsRect {
    int left;
    int top;
    int width;
    int height;

    QRect Pixels() const {
        return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
                TwipsToPixels(height)};
    }
    QSize PixelSize() const { return {TwipsToPixels(width), TwipsToPixels(height)}; }
};
