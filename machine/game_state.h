// The game state record of the machine window. It belongs to the window object, not
// to the window, so it outlives an unload; a new load resets only the money, the bet
// and the amounts of the chart. Every field starts at 0, which the game treats as
// the empty value of a field never written.
#pragma once

#include "pay_tables.h"

#include <array>

namespace machine {

constexpr int reels = 3;  // left, centre, right

struct GameState {
    long long laskuri = 0;             // spin counter: +100 per spinning tick, 0 between rounds
    std::array<long long, reels> rulla{};  // rulla_1 … rulla_3: symbol in the middle cell × 1000
    long long maksettu = 0;            // how much of the current win has been credited
    std::array<int, reels> stopped{};  // stopped_1 … stopped_3: 0 moving, 1 stopped
    int tila = 0;                      // 0 idle, 1 spinning, 2 win check and payout
    int bet = 0;                       // 1 to 5
    int tahti = 0;                     // blink beat: 1 lights off, 0 lights on
    int voittorivi = 0;                // the chart row being paid, 0 for none
    long long rahat = 0;               // the money; may go below zero
    std::array<long long, chartRows> voittoarvo_{};  // what each row pays at the current bet

    // voittoarvo_1 … voittoarvo_12
    long long& voittoarvo(int row) { return voittoarvo_.at(row - 1); }
    long long voittoarvo(int row) const { return voittoarvo_.at(row - 1); }
};

}  // namespace machine
