#include "help_window.h"

#include "machine/machine_window.h"

platform::FormRef<helpwindow::HelpWindow> Form2;

namespace helpwindow {

namespace {

using platform::Color;
using platform::Font;

constexpr Color darkBlue{1, 0, 66};
constexpr Color text{255, 255, 255};
constexpr Color title{255, 214, 0};

const char* const instructionI =
    "I) Before round: Press 'BET MAX' (5) or 'BET ONE' (6) button to increase the bet. Your money and winnings are "
    "visible on the top of the machine (1)";
const char* const instructionII = "II) Pull the lever (3) to start the round and reels (4) begin to spin";
const char* const instructionIII =
    "III) When all reels are stopped, you will win the amount described in chart (2) if a winning combination is "
    "formed on the winning line (4). The machine will then flash its lights on arrows near the winning line (4) and "
    "also the line at the chart, which describes the win. (Yes, it is possible to win at this game! ;-)";

platform::TextDescription instruction(platform::Rect place, const char* caption)
{
    return {place, caption, std::nullopt, text, std::nullopt, platform::Alignment::Left, true};
}

}  // namespace

platform::FormDescription HelpWindow::describe() const
{
    platform::FormDescription d;
    d.caption = "Vilkora - Help";
    d.clientWidth = 7035;
    d.clientHeight = 7740;
    d.backColor = darkBlue;
    d.icon = "icon.png";
    d.font = Font{"Verdana", 8.25};
    d.dialogFrame = true;
    return d;
}

void HelpWindow::build()
{
    // The picture at its own size inside a frame two pixels wide.
    Image1 = &addImage({.place = {1200, 120, 4575, 4605}, .border = 2, .storedPicture = "help.jpg"});
    Label1 = &addTextBox({{2640, 4800, 1695, 255}, "Instructions", Font{"Verdana", 11.25, true, true}, title,
                          std::nullopt, platform::Alignment::Centre});
    Label2 = &addTextBox(instruction({120, 5280, 6735, 495}, instructionI));
    Label3 = &addTextBox(instruction({120, 5760, 6735, 255}, instructionII));
    Label4 = &addTextBox(instruction({120, 6120, 6735, 855}, instructionIII));
    Command1 = &addButton({{2520, 7200, 2055, 375}, "Close window", Font{"Verdana", 8.25, true}});
    Command1->onClick = [this] { Command1_Click(); };
}

void HelpWindow::onUnload()
{
    Image1 = nullptr;
    Label1 = Label2 = Label3 = Label4 = nullptr;
    Command1 = nullptr;
}

void HelpWindow::Command1_Click()
{
    Unload();
    Form1->Show();
    Form2.release();
}

}  // namespace helpwindow
