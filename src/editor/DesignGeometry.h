#pragma once

#include <array>

namespace morvane {

// Every place and size below is a design value in twips at 96 pixels per
// inch (15 twips to a pixel), relative to the window's client area and so to
// the instrument face drawn from its top left corner.
struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct TwipLine {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
};

struct PadDesign {
    TwipRect image;  // the pad's transparent mouse target
    TwipRect lit;    // the lit picture, sized to its picture
    int noteLeft = 0;
    int noteTop = 0;
    int channelTop = 0;
};

inline constexpr int TwipsPerPixelAt96 = 15;

namespace design {

inline constexpr int ClientWidth = 11190;
inline constexpr int ClientHeight = 4860;

inline constexpr int ValueLabelWidth = 615;
inline constexpr int ValueLabelHeight = 375;
// The channel label sits this far right of the note label, whatever its own design left.
inline constexpr int ChannelLabelOffset = 560;
// Markers sit this far below their label's compensated top (not divided).
inline constexpr int MarkerDrop = 20;
inline constexpr int NoteMarkerWidth = 555;
inline constexpr int ChannelMarkerWidth = 375;
inline constexpr int MarkerHeight = 315;

inline constexpr TwipRect LEDLabel{5385, 985, 495, 255};
inline constexpr TwipLine Line1{7440, 600, 10920, 600};
inline constexpr TwipRect Print_KitTitleLabel{7440, 120, 3615, 615};
inline constexpr TwipRect Print_KitNumberLabel{9600, 720, 975, 255};
inline constexpr TwipRect Print_BankNumberLabel{9600, 960, 1335, 255};

inline constexpr TwipRect VexoButtonImage{120, 120, 2235, 900};

inline constexpr TwipRect No_Kit_Loaded_Label{960, 480, 9615, 735};
inline constexpr TwipLine Line2{840, 1320, 10560, 1320};
inline constexpr TwipRect Label1{840, 1560, 9855, 1455};
inline constexpr TwipRect No_Kit_Loaded_To_Open_A_Kit_Label{840, 3240, 9855, 735};

}  // namespace design

// The 24 pads, index 0 being pad 1.
const std::array<PadDesign, 24>& padDesigns();

}  // namespace morvane
