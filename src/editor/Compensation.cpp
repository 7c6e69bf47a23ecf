#include "Compensation.h"

#include <cmath>

namespace morvane {
namespace {

constexpr int DesignDpi = 96;
constexpr double TwipsPerInch = 1440.0;
constexpr int ChromeAllowance = 300;

}  // namespace

Compensation::Compensation(int screenDpi)
    : screenDpi_(screenDpi), dpiScale_(static_cast<double>(screenDpi) / DesignDpi)
{
}

int Compensation::toPixels(double twips) const
{
    return static_cast<int>(std::lround(twips * screenDpi_ / TwipsPerInch));
}

Compensation::Size Compensation::windowOuterSize(int designWidth, int designHeight) const
{
    const int height = screenDpi_ > DesignDpi ? designHeight + ChromeAllowance : designHeight;
    return {compensate(designWidth), compensate(height)};
}

PadPlacement placePad(const PadDesign& pad, const Compensation& c)
{
    PadPlacement p{};
    p.litLeft = c.compensate(pad.lit.left);
    p.litTop = c.compensate(pad.lit.top);
    p.imageLeft = c.compensate(pad.image.left);
    p.imageTop = c.compensate(pad.image.top);
    p.channelTop = c.compensate(pad.channelTop);
    p.channelLeft = c.compensate(pad.noteLeft + design::ChannelLabelOffset);
    p.noteTop = c.compensate(pad.noteTop);
    p.noteLeft = c.compensate(pad.noteLeft);
    p.noteMarkerTop = p.noteTop + design::MarkerDrop;
    p.channelMarkerTop = p.channelTop + design::MarkerDrop;
    return p;
}

}  // namespace morvane
