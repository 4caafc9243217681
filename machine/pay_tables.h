// The pay chart: what each row's three symbols are and what each row pays at each bet.
#pragma once

#include <array>

namespace machine {

constexpr int chartRows = 12;
constexpr int symbols = 8;
constexpr int highestBet = 5;

// The amount each chart row pays, one line per bet (1 to 5), rows 1 to 12.
constexpr std::array<std::array<long long, chartRows>, highestBet> payAmounts{{
    {500, 400, 300, 250, 200, 150, 100, 50, 40, 30, 20, 10},
    {600, 500, 400, 300, 250, 200, 150, 100, 80, 60, 40, 20},
    {600, 500, 400, 350, 300, 250, 200, 150, 100, 90, 60, 30},
    {700, 600, 500, 400, 300, 250, 200, 180, 140, 100, 80, 40},
    {5000, 1500, 1000, 800, 700, 600, 500, 400, 300, 200, 100, 50},
}};

// The symbols of each chart row, left, centre and right (the row's images 0, 1, 2).
constexpr std::array<std::array<int, 3>, chartRows> combinations{{
    {8, 8, 8},
    {7, 7, 7},
    {6, 6, 6},
    {6, 6, 5},
    {5, 5, 5},
    {5, 4, 4},
    {4, 4, 4},
    {3, 3, 4},
    {3, 3, 3},
    {2, 3, 2},
    {1, 1, 1},
    {1, 1, 2},
}};

// How much one payout step credits for each row: the small wins of rows 10 to 12
// are counted out one credit at a time.
constexpr std::array<long long, chartRows> payoutSteps{10, 10, 10, 10, 10, 10, 10, 10, 10, 1, 1, 1};

}  // namespace machine
