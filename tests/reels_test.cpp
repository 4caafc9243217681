// Drawing one reel cell: which store's picture a cell gets for a reel position, a
// row offset and a stop flag.
#include "support.h"

#include <vector>

using testsupport::MachineTest;

namespace {

constexpr long long top = +1000;
constexpr long long middle = 0;
constexpr long long bottom = -1000;

struct CellCase {
    long long kuva;
    long long korjaus;
    int symbol;  // 0: no symbol belongs there, and the cell keeps its picture
};

std::string describe(const CellCase& c)
{
    return "position " + std::to_string(c.kuva) + ", offset " + std::to_string(c.korjaus);
}

class ReelCellTest : public MachineTest {
protected:
    // The cell that the caller draws with this offset, on the left reel.
    platform::Image& cellFor(long long korjaus) { return w().Image(korjaus > 0 ? 1 : korjaus == 0 ? 2 : 3); }

    // Draws the cell and checks that it was repainted once and its arguments kept.
    void draw(platform::Image& cell, long long kuva, long long korjaus, int stopped)
    {
        const long long kuvaBefore = kuva;
        const long long korjausBefore = korjaus;
        const int stoppedBefore = stopped;
        const long refreshes = cell.refreshCount();
        w().lataa_kuva(cell, kuva, korjaus, stopped);
        EXPECT_EQ(cell.refreshCount(), refreshes + 1) << "the cell is repainted on every drawing";
        EXPECT_EQ(kuva, kuvaBefore);
        EXPECT_EQ(korjaus, korjausBefore);
        EXPECT_EQ(stopped, stoppedBefore);
    }
};

}  // namespace

TEST_F(ReelCellTest, aReelShowsTheSymbolBeforeItOnTopItsOwnInTheMiddleAndTheNextAtTheBottom)
{
    // The strip runs 1 … 8 and round again: 8 stands above 1, and 1 below 8.
    const std::vector<CellCase> strip{
        {1000, top, 8}, {1000, middle, 1}, {1000, bottom, 2},
        {2000, top, 1}, {2000, middle, 2}, {2000, bottom, 3},
        {3000, top, 2}, {3000, middle, 3}, {3000, bottom, 4},
        {4000, top, 3}, {4000, middle, 4}, {4000, bottom, 5},
        {5000, top, 4}, {5000, middle, 5}, {5000, bottom, 6},
        {6000, top, 5}, {6000, middle, 6}, {6000, bottom, 7},
        {7000, top, 6}, {7000, middle, 7}, {7000, bottom, 8},
        {8000, top, 7}, {8000, middle, 8}, {8000, bottom, 1},
    };
    for (const CellCase& c : strip) {
        platform::Image& cell = cellFor(c.korjaus);
        // A moving reel: the blurred store's very picture object.
        draw(cell, c.kuva, c.korjaus, 0);
        EXPECT_EQ(cell.picture().get(), w().Picture_blur(c.symbol).picture().get()) << describe(c) << ", moving";
        // The same cell once its reel has stopped: the sharp store of the same symbol.
        draw(cell, c.kuva, c.korjaus, 1);
        EXPECT_EQ(cell.picture().get(), w().Picture(c.symbol).picture().get()) << describe(c) << ", stopped";
    }
}

TEST_F(ReelCellTest, aPositionOffTheStripKeepsTheCellsPictureButStillRepaintsIt)
{
    const std::vector<CellCase> odd{
        {0, top, 0},     {0, middle, 0},     {0, bottom, 0},  // no symbol 1 below an empty position
        {-1000, top, 0}, {-1000, middle, 0}, {-1000, bottom, 0},
        {1500, top, 0},  {1500, middle, 0},  {1500, bottom, 0},
        {9000, top, 8},  {9000, middle, 0},  {9000, bottom, 0},  // only the top cell finds a symbol
        {10000, top, 0}, {10000, middle, 0}, {10000, bottom, 0},
    };
    for (const CellCase& c : odd)
        for (const int stopped : {0, 1}) {
            platform::Image& cell = cellFor(c.korjaus);
            cell.setPicture(w().Picture(3).picture());
            draw(cell, c.kuva, c.korjaus, stopped);
            const platform::PictureRef expected =
                c.symbol == 0 ? w().Picture(3).picture()
                              : (stopped == 0 ? w().Picture_blur(c.symbol) : w().Picture(c.symbol)).picture();
            EXPECT_EQ(cell.picture().get(), expected.get()) << describe(c) << ", stop flag " << stopped;
        }
}

TEST_F(ReelCellTest, aStopFlagOtherThanZeroOrOneKeepsTheCellsPictureButStillRepaintsIt)
{
    for (const int stopped : {2, -1})
        for (const long long kuva : {1000, 5000, 8000}) {
            platform::Image& cell = w().Image(5);
            const platform::PictureRef before = cell.picture();
            draw(cell, kuva, middle, stopped);
            EXPECT_EQ(cell.picture().get(), before.get()) << "position " << kuva << ", stop flag " << stopped;
        }
}
