// The machine window: the slot machine itself, its controls and every handler of
// the game.
#pragma once

#include "game_state.h"

#include "platform/form.h"

#include <array>

namespace machine {

// The controls of the machine window; they exist from a load to the next unload.
struct MachineControls {
    platform::TextBox* Text1 = nullptr;   // the money
    platform::TextBox* Text2 = nullptr;   // the caption "Bet"
    platform::TextBox* betbox = nullptr;  // the bet
    std::array<std::array<platform::Image*, 3>, chartRows> voitto_{};  // voitto_1 … voitto_12, elements 0 to 2
    std::array<platform::TextBox*, chartRows> voittosumma_{};        // voittosumma_1 … voittosumma_12
    std::array<platform::Image*, 9> Image_{};                        // the reel cells Image1 … Image9
    platform::Line* Line1 = nullptr;  // the winning line
    platform::Image* nuoli_vasen = nullptr;
    platform::Image* nuoli_oikea = nullptr;
    platform::Image* kahva = nullptr;  // the lever
    platform::Image* bet_one = nullptr;
    platform::Image* bet_max = nullptr;
    std::array<platform::PictureBox*, symbols> Picture_{};       // Picture1 … Picture8
    std::array<platform::PictureBox*, symbols> Picture_blur_{};  // Picture1_blur … Picture8_blur
    platform::PictureBox* kahva1 = nullptr;  // lever up
    platform::PictureBox* kahva2 = nullptr;  // lever down
    platform::Timer* Timer1 = nullptr;

    // The numbered families, by the numbers they carry.
    std::array<platform::Image*, 3>& voitto(int row) { return voitto_.at(row - 1); }
    platform::TextBox& voittosumma(int row) { return *voittosumma_.at(row - 1); }
    platform::Image& Image(int number) { return *Image_.at(number - 1); }
    platform::PictureBox& Picture(int symbol) { return *Picture_.at(symbol - 1); }
    platform::PictureBox& Picture_blur(int symbol) { return *Picture_blur_.at(symbol - 1); }
};

class MachineWindow final : public platform::Form, public GameState, public MachineControls {
public:
    MachineWindow() = default;

    // Event handlers.
    void Form_Load();
    void bet_one_Click();
    void bet_max_Click();
    void kahva_Click();
    void Timer1_Timer();
    void help_Click(int Index);

    // Procedures of the window.
    void aseta_voittosummat();
    void lataa_kuva(platform::Image& control, const long long& kuva, const long long& korjaus, const int& stopped);
    void tarkasta_voitot();
    void blinker(int voitto);
    void palauta_voitot_nakyviin();
    void voitonmaksu();

protected:
    platform::FormDescription describe() const override;
    void build() override;
    void onLoad() override { Form_Load(); }
    void onUnload() override { static_cast<MachineControls&>(*this) = MachineControls{}; }
    void onMenu(int index) override { help_Click(index); }

private:
    // The three blocks of a tick, in the order they run.
    void spinningBlock();
    void stopBlock();
    void evaluationBlock();

    void setRowVisible(int row, bool visible);
};

// The symbol a reel cell shows at position `kuva` with row offset `korjaus` (+1000
// top, 0 middle, -1000 bottom) on the strip 1 … 8 that runs round; 0 when no
// symbol belongs there.
int symbolInCell(long long kuva, long long korjaus);

// Where a reel starts, from a random value r in [0, 1): one of the symbols 1 to 5.
long long startPosition(double r);

}  // namespace machine

// The program-wide reference to the machine window object; it is never emptied.
extern platform::FormRef<machine::MachineWindow> Form1;
