// The game: start-up, bet and chart, the lever and the spin, the win check and the
// payout with its flashing lights.
#include "machine_window.h"

#include "helpwindow/help_window.h"
#include "platform/system.h"

#include <cmath>
#include <string>

platform::FormRef<machine::MachineWindow> Form1;

namespace machine {

namespace {

using platform::numberText;

constexpr int spinInterval = 25;    // ms, set by every pull
constexpr int payoutInterval = 200; // ms, while a win is paid
constexpr long long symbolStep = 1000;
constexpr long long lastPosition = 8000;
constexpr long long counterStep = 100;
constexpr long long leverUpAfter = 1000;
constexpr std::array<long long, reels> stopAfter{9000, 10000, 11000};
constexpr long long evaluateFrom = 11200;

// The reel cells: Image1 … Image9 with the reel each belongs to and its row offset.
struct Cell {
    int image;
    int reel;
    long long korjaus;
};
constexpr std::array<Cell, 9> cells{{
    {1, 0, +1000}, {2, 0, 0}, {3, 0, -1000},
    {4, 1, +1000}, {5, 1, 0}, {6, 1, -1000},
    {7, 2, +1000}, {8, 2, 0}, {9, 2, -1000},
}};

// The middle cells, left to right, that form the winning line.
constexpr std::array<int, 3> winningLine{2, 5, 8};

std::string symbolFile(int symbol, bool blurred)
{
    return "data/kuva" + std::to_string(symbol) + (blurred ? "_blur" : "") + ".bmp";
}

}  // namespace

int symbolInCell(long long kuva, long long korjaus)
{
    // The strip runs round: 1 follows 8 in the bottom cell, 8 precedes 1 in the top cell.
    if ((korjaus < 0 && kuva == 8000) || (korjaus >= 0 && kuva == korjaus + 1000)) return 1;
    for (int n = 2; n <= symbols; ++n)
        if (kuva == korjaus + n * 1000) return n;
    if (korjaus > 0 && kuva == 1000) return 8;
    return 0;
}

long long startPosition(double r)
{
    // The whole part of r × 5 + 1; computed in double, it stays below 6 for every r below 1.
    const long long symbol = static_cast<long long>(std::floor(r * 5 + 1));
    return std::min(symbol, 5LL) * symbolStep;
}

void MachineWindow::Form_Load()
{
    for (int symbol = 1; symbol <= symbols; ++symbol)
        Picture(symbol).setPicture(platform::LoadPicture(symbolFile(symbol, false)));
    for (int symbol = 1; symbol <= symbols; ++symbol)
        Picture_blur(symbol).setPicture(platform::LoadPicture(symbolFile(symbol, true)));
    kahva1->setPicture(platform::LoadPicture("data/kahva1.bmp"));
    kahva2->setPicture(platform::LoadPicture("data/kahva2.bmp"));

    // The chart images share the very pictures of the sharp stores; the win check
    // relies on it.
    for (int row = 1; row <= chartRows; ++row)
        for (int element = 0; element < 3; ++element)
            voitto(row)[element]->setPicture(Picture(combinations[row - 1][element]).picture());

    platform::Randomize();
    rahat = 100;
    Text1->setText(numberText(rahat));
    bet = 1;
    aseta_voittosummat();
    betbox->setText(numberText(bet));
}

void MachineWindow::bet_max_Click()
{
    bet = 5;
    aseta_voittosummat();
}

void MachineWindow::bet_one_Click()
{
    bet = bet + 1;
    if (bet > 5) bet = 1;
    aseta_voittosummat();
}

void MachineWindow::aseta_voittosummat()
{
    // A bet outside 1 to 5 keeps the amounts as they were.
    if (bet >= 1 && bet <= highestBet) voittoarvo_ = payAmounts[bet - 1];
    for (int row = 1; row <= chartRows; ++row) voittosumma(row).setText(numberText(voittoarvo(row)));
    betbox->setText(numberText(bet));
}

void MachineWindow::lataa_kuva(platform::Image& control, const long long& kuva, const long long& korjaus,
                               const int& stopped)
{
    // A moving reel shows blurred pictures, a stopped one sharp pictures.
    if (stopped == 0 || stopped == 1) {
        if (const int s = symbolInCell(kuva, korjaus); s != 0)
            control.setPicture((stopped == 0 ? Picture_blur(s) : Picture(s)).picture());
    }
    control.Refresh();
}

void MachineWindow::kahva_Click()
{
    if (tila != 0) return;
    bet_one->setEnabled(false);
    bet_max->setEnabled(false);
    kahva->setPicture(kahva2->picture());
    rahat = rahat - bet;
    Text1->setText(numberText(rahat));
    for (long long& position : rulla) {
        platform::Randomize();
        position = startPosition(platform::Rnd());
    }
    tila = 1;
    stopped = {0, 0, 0};
    Timer1->setInterval(spinInterval);
    platform::Beep();
}

void MachineWindow::Timer1_Timer()
{
    spinningBlock();
    stopBlock();
    evaluationBlock();
}

void MachineWindow::spinningBlock()
{
    if (tila != 1) return;
    if (laskuri > leverUpAfter) kahva->setPicture(kahva1->picture());
    laskuri = laskuri + counterStep;
    Timer1->setInterval(Timer1->interval() + 1);
    for (int reel = 0; reel < reels; ++reel) {
        if (stopped[reel] == 0) rulla[reel] = rulla[reel] + symbolStep;
        if (rulla[reel] > lastPosition) rulla[reel] = symbolStep;
    }
    for (const Cell& cell : cells) lataa_kuva(Image(cell.image), rulla[cell.reel], cell.korjaus, stopped[cell.reel]);
}

void MachineWindow::stopBlock()
{
    // The reels stop left to right as the counter passes each one's threshold.
    for (int reel = 0; reel < reels; ++reel)
        if (laskuri > stopAfter[reel] && stopped[reel] == 0) stopped[reel] = 1;
}

void MachineWindow::evaluationBlock()
{
    if (laskuri < evaluateFrom) return;
    tila = 2;
    tarkasta_voitot();
    if (voittorivi > 0) {
        Timer1->setInterval(payoutInterval);
        voitonmaksu();
    }
    if (voittorivi == 0) tila = 0;
    if (tila == 0) {
        palauta_voitot_nakyviin();
        bet_one->setEnabled(true);
        bet_max->setEnabled(true);
        laskuri = 0;
    }
}

void MachineWindow::tarkasta_voitot()
{
    // Pictures are compared by identity, never by their pixels.
    std::array<platform::Picture::Handle, 3> line{};
    for (int i = 0; i < 3; ++i) line[i] = platform::handleOf(Image(winningLine[i]).picture());
    for (int row = 1; row <= chartRows; ++row) {
        bool matches = true;
        for (int i = 0; i < 3; ++i) matches = matches && line[i] == platform::handleOf(voitto(row)[i]->picture());
        if (matches) voittorivi = row;
    }
}

void MachineWindow::voitonmaksu()
{
    if (voittorivi < 1 || voittorivi > chartRows) return;
    const int row = voittorivi;
    const long long step = payoutSteps[row - 1];
    // The limit is read anew at every step: a new bet after a reload changes it.
    if (maksettu < voittoarvo(row)) {
        rahat = rahat + step;
        maksettu = maksettu + step;
        blinker(row);
    } else {
        voittorivi = 0;
        maksettu = 0;
    }
}

void MachineWindow::blinker(int voitto)
{
    Text1->setText(numberText(rahat));
    tahti = tahti + 1;
    if (tahti > 1) tahti = 0;
    const bool lightsOn = tahti != 1;
    nuoli_vasen->setVisible(lightsOn);
    nuoli_oikea->setVisible(lightsOn);
    if (voitto >= 1 && voitto <= chartRows) setRowVisible(voitto, lightsOn);
}

void MachineWindow::palauta_voitot_nakyviin()
{
    nuoli_vasen->setVisible(false);
    nuoli_oikea->setVisible(false);
    for (int row = 1; row <= chartRows; ++row) setRowVisible(row, true);
}

void MachineWindow::setRowVisible(int row, bool visible)
{
    for (platform::Image* image : voitto(row)) image->setVisible(visible);
    voittosumma(row).setVisible(visible);
}

void MachineWindow::help_Click(int /*Index*/)
{
    Unload();
    // Nothing of this window may be touched after the help window has gone: the
    // window has been loaded anew by then.
    Form2->ShowModal();
}

}  // namespace machine
