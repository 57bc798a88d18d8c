#pragma once

#include <algorithm>
#include <cmath>

#include <QRect>
#include <QSize>

// The window's sizes are kept in twips (1/1440 inch), as its design gives
// them. At 96 dots per inch 15 twips make one pixel; Qt's logical pixels are
// those 96-dpi pixels, and Qt's high-DPI scaling maps them to the screen.
// A desktop whose standard font is larger than the one the twips were laid
// out for gets a window as much larger (`scale`), so that its captions, in
// that font, still show whole.
inline constexpr int kTwipsPerPixel = 15;
// The standard font the twips were laid out for: a desktop's usual 10 pt.
inline constexpr double kTwipsFontPoints = 10;

// How much larger than its twips the window is drawn for a standard font of
// `points`: 1 up to 10 pt, then as the font.
//   TwipsScale(9) -> 1; TwipsScale(10) -> 1; TwipsScale(14) -> 1.4
constexpr double TwipsScale(double points) {
    return std::max(1.0, points / kTwipsFontPoints);
}

inline int TwipsToPixels(int twips, double scale = 1) {
    return static_cast<int>(std::lround(twips * scale / kTwipsPerPixel));
}

// A rectangle given in twips, in logical pixels.
struct TwipsRect {
    int left;
    int top;
    int width;
    int height;

    QRect Pixels(double scale = 1) const {
        return {TwipsToPixels(left, scale), TwipsToPixels(top, scale), TwipsToPixels(width, scale),
                TwipsToPixels(height, scale)};
    }
    QSize PixelSize(double scale = 1) const {
        return {TwipsToPixels(width, scale), TwipsToPixels(height, scale)};
    }
};
