// The stored description of the machine window: every control with its place (in
// twips), font, colours, stored picture and stored visibility, as each load builds it.
#include "machine_window.h"

namespace machine {

namespace {

using platform::Alignment;
using platform::Color;
using platform::Rect;

constexpr Color black{0, 0, 0};
constexpr Color red{255, 0, 0};

// The displays: red bold italic Tahoma, centred on black.
platform::TextDescription display(Rect place, double points, std::string text = {})
{
    return {place, std::move(text), platform::Font{"Tahoma", points, true, true}, red, black, Alignment::Centre};
}

// The pay chart: rows 1 to 6 down the left column, 7 to 12 down the right one.
// In a row the three symbol images stand 360 twips apart and the amount box follows.
constexpr std::array<int, 2> chartColumnLeft{2760, 4560};
constexpr int chartTop = 2040;
constexpr int chartRowPitch = 240;
constexpr int chartSymbolPitch = 360;
constexpr int chartAmountOffset = 960;

Rect chartPlace(int row, int leftOffset, int width)
{
    const int column = (row - 1) / 6;
    const int k = (row - 1) % 6;
    return {chartColumnLeft[column] + leftOffset, chartTop + chartRowPitch * k, width, 255};
}

// The reel cells: one column per reel, 1215 twips (81 px) apart; the middle cells
// are larger and carry the star until the first spin draws them.
struct CellRow {
    int left;
    int top;
    int width;
    int height;
    bool star;
};
constexpr std::array<CellRow, 3> cellRows{{
    {2760, 4215, 750, 675, false},  // top
    {2685, 5070, 930, 930, true},   // middle: the winning line
    {2760, 6195, 750, 675, false},  // bottom
}};
constexpr int reelPitch = 1215;

}  // namespace

platform::FormDescription MachineWindow::describe() const
{
    platform::FormDescription d;
    d.caption = "Vilkora";
    d.clientWidth = 8925;
    d.clientHeight = 9045;
    d.background = "machine.bmp";
    d.backColor = {3, 0, 99};
    d.icon = "icon.png";
    d.menu = {{"&Help", 1}};
    return d;
}

void MachineWindow::build()
{
    Text1 = &addTextBox(display({3600, 240, 1455, 435}, 18));
    Text2 = &addTextBox(display({4080, 1350, 615, 195}, 8.25, "Bet"));
    betbox = &addTextBox(display({4170, 1560, 375, 345}, 14.25));

    for (int row = 1; row <= chartRows; ++row) {
        for (int element = 0; element < 3; ++element)
            voitto(row)[element] = &addImage({.place = chartPlace(row, chartSymbolPitch * element, 255), .stretch = true});
        voittosumma_[row - 1] = &addTextBox(display(chartPlace(row, chartAmountOffset, 615), 9.75, "1500"));
    }

    for (int reel = 0; reel < reels; ++reel)
        for (int row = 0; row < 3; ++row) {
            const CellRow& r = cellRows[row];
            platform::ImageDescription cell{
                .place = {r.left + reelPitch * reel, r.top, r.width, r.height}, .stretch = true, .border = 1};
            if (r.star) cell.storedPicture = "star.bmp";  // each cell its own copy
            Image_[reel * 3 + row] = &addImage(cell);
        }

    // The arrows point towards the reels: the left one to the right and the right one to the left.
    nuoli_vasen = &addImage({.place = {2055, 5280, 465, 480}, .visible = false, .storedPicture = "arrow_right.bmp"});
    nuoli_oikea = &addImage({.place = {6195, 5280, 465, 480}, .visible = false, .storedPicture = "arrow_left.bmp"});
    kahva = &addImage(
        {.place = {8160, 2415, 705, 5595}, .storedPicture = "lever_up.bmp", .pointer = platform::Pointer::UpArrow});
    // Click areas without a picture over the painted bet buttons.
    bet_max = &addImage({.place = {3360, 7200, 735, 615}});
    bet_one = &addImage({.place = {4680, 7200, 615, 615}});
    // Made last, so the winning line is drawn over the middle cells.
    Line1 = &addLine({2520, 5520, 6180, 5520, red});

    for (auto& store : Picture_) store = &addPictureBox();
    for (auto& store : Picture_blur_) store = &addPictureBox();
    kahva1 = &addPictureBox();
    kahva2 = &addPictureBox();

    Timer1 = &addTimer(25);

    kahva->onClick = [this] { kahva_Click(); };
    bet_one->onClick = [this] { bet_one_Click(); };
    bet_max->onClick = [this] { bet_max_Click(); };
    Timer1->onTick = [this] { Timer1_Timer(); };
}

}  // namespace machine
