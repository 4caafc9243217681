#pragma once

// Where everything sits on the machine, in pixels of the game window's
// client area (595 x 603, origin at its top-left corner).
//
// The first block lists places where the game puts its own widgets and
// pictures; the painted background must line up with them to the pixel.
// The second block is free to change: it only decides how the machine looks
// around those places.

#include <QPoint>
#include <QRect>
#include <QSize>

#include <array>

namespace layout {

// ---------------------------------------------------------------------------
// Fixed by the game.
// ---------------------------------------------------------------------------

inline constexpr QSize kWindowSize{595, 603};
// The background is 7 rows taller than the window; those rows are never seen.
inline constexpr QSize kBackgroundSize{595, 610};

// Black boxes with red digits, drawn by the game.
inline constexpr QRect kMoneyDisplay{240, 16, 97, 29};
inline constexpr QRect kBetCaption{272, 90, 41, 13};
inline constexpr QRect kBetDisplay{278, 104, 25, 23};

// Pay chart: two columns of six rows. A row is three 17 x 17 symbols and a
// 41 x 17 amount box, all drawn by the game.
inline constexpr int kChartRowHeight = 17;
inline constexpr int kChartSymbolSize = 17;
inline constexpr int kChartAmountWidth = 41;
inline constexpr std::array<int, 6> kChartRowTops{136, 152, 168, 184, 200, 216};
struct ChartColumn {
    std::array<int, 3> symbolX;
    int amountX;
};
inline constexpr std::array<ChartColumn, 2> kChartColumns{{
    {{184, 208, 232}, 248},
    {{304, 328, 352}, 368},
}};

// Reel cells, row by row from the top, left to right. The middle row is the
// pay line and is larger.
inline constexpr std::array<QRect, 9> kReelCells{{
    {184, 281, 50, 45}, {265, 281, 50, 45}, {346, 281, 50, 45},
    {179, 338, 62, 62}, {260, 338, 62, 62}, {341, 338, 62, 62},
    {184, 413, 50, 45}, {265, 413, 50, 45}, {346, 413, 50, 45},
}};
inline constexpr int kFirstPayLineCell = 3;  // cells 3..5 form the middle row

// The red line the game draws across the middle row (not painted by us).
inline constexpr int kPayLineY = 368;
inline constexpr int kPayLineLeft = 168;
inline constexpr int kPayLineRight = 412;

// Arrow lamps beside the middle row; the lit arrow pictures cover these.
inline constexpr QRect kArrowLeftOfReels{137, 352, 31, 32};   // points right
inline constexpr QRect kArrowRightOfReels{413, 352, 31, 32};  // points left

// Click areas of the two round buttons.
inline constexpr QRect kBetMaxButton{224, 480, 49, 41};
inline constexpr QRect kBetOneButton{312, 480, 41, 41};

// The lever is a separate picture placed here by the game.
inline constexpr QPoint kLeverPos{544, 161};
inline constexpr QSize kLeverSize{47, 373};

inline constexpr QSize kSymbolSize{100, 100};
inline constexpr QSize kStarSize{100, 100};
inline constexpr QSize kIconSize{100, 100};

// ---------------------------------------------------------------------------
// Free to change: the look of the machine around the fixed places.
// ---------------------------------------------------------------------------

// Everything on the body is symmetric about this vertical line.
inline constexpr double kAxisX = 290.5;

// Cabinet: straight sides, closed at the top by a half circle whose top is
// at archTop. The glowing rim is rimWidth wide inside the outline and throws
// a glow glowWidth wide onto the backdrop.
struct Body {
    int left;
    int right;
    int archTop;
    int rimWidth;
    int glowWidth;
};
inline constexpr Body kBody{104, 477, 40, 12, 12};

// Oval window round the money display, sitting on top of the arch. The oval
// is a superellipse (|x/rx|^n + |y/ry|^n = 1, n a little over 2): slightly
// fuller than an ellipse, so the display's corners keep black around them.
struct Oval {
    double centreY;
    double innerRx, innerRy;  // black glass
    double exponent;
    double rimWidth;          // silver ring around it
};
inline constexpr Oval kCrown{30.5, 78.0, 25.0, 2.5, 4.5};

// Marquee lamps round the arch between the rim and the dome, at a fixed
// distance from the arch's centre, every stepDeg degrees from firstDeg on
// each side, stopping where the money window begins.
struct ArchLamps {
    double distance;
    double firstDeg;
    double stepDeg;
    double lastDeg;
    double radius;
};
inline constexpr ArchLamps kArchLamps{167.5, 6.0, 7.0, 69.0, 3.2};

// Black half-dome behind the bet boxes and the pay chart: straight sides
// from bottom up to the middle of an ellipse whose upper half closes it.
struct Dome {
    int left, right;
    int top;       // top of the ellipse
    int centreY;   // where the straight sides meet the ellipse
    int bottom;
    int edgeWidth; // silver edge outside the black
};
inline constexpr Dome kDome{150, 431, 72, 185, 246, 4};

// Recessed panel holding the reel cells and the two arrow lamps.
inline constexpr QRect kReelPanel{126, 268, 329, 204};
inline constexpr int kReelPanelRadius = 10;
inline constexpr int kReelPanelRim = 4;
inline constexpr int kCellFrameWidth = 4;

// Plate behind the two round buttons.
inline constexpr QRect kButtonPlate{196, 476, 189, 50};

// Coin tray at the foot of the cabinet.
inline constexpr QRect kCoinTray{150, 538, 281, 62};

// Arm that carries the lever from the cabinet's right side. It is painted in
// the background up to the lever picture and again inside the lever
// pictures, so both halves meet without a seam.
struct LeverMount {
    int armTop, armBottom;  // vertical extent of the arm
    QRect sidePlate;        // plate where the arm leaves the cabinet
    QRect base;             // silver base the shaft stands on (lever picture)
    double pivotY;          // centre of the pivot boss on the base
};
inline constexpr LeverMount kLeverMount{
    503, 521,
    {468, 489, 18, 46},
    {549, 492, 37, 40},
    512.0,
};

}  // namespace layout
