#pragma once

#include "DesignGeometry.h"

namespace morvane {

// The resolution compensation. The window lays its parts out in its own
// pixels, ScreenDPI to the inch, over a face picture that is never scaled.
// Dividing a design value by DpiScale and converting the result at ScreenDPI
// gives back the pixel count the value has at 96 dpi, so every compensated
// part stays at its place over the picture at any resolution.
class Compensation {
public:
    explicit Compensation(int screenDpi);

    int ScreenDPI() const { return screenDpi_; }
    double DpiScale() const { return dpiScale_; }

    double compensate(double designTwips) const { return designTwips / dpiScale_; }
    double fontPoints(double designPoints) const { return designPoints / dpiScale_; }
    int toPixels(double twips) const;
    int placed(double designTwips) const { return toPixels(compensate(designTwips)); }

    struct Size {
        double width;
        double height;
    };
    // Above 96 dpi the window's chrome grows, so its outer height gains 300
    // twips before both sides are divided by DpiScale.
    Size windowOuterSize(int designWidth, int designHeight) const;

private:
    int screenDpi_;
    double dpiScale_;
};

// Where start-up puts one pad's controls, in compensated twips.
struct PadPlacement {
    double imageLeft;
    double imageTop;
    double litLeft;
    double litTop;
    double noteLeft;
    double noteTop;
    double channelLeft;
    double channelTop;
    double noteMarkerTop;
    double channelMarkerTop;
};

PadPlacement placePad(const PadDesign& pad, const Compensation& compensation);

}  // namespace morvane
