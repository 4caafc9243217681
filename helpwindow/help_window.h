// The help window: a picture of the machine with numbered parts and the three
// instructions that point at them. While it is open the machine window is unloaded.
#pragma once

#include "platform/form.h"

namespace helpwindow {

class HelpWindow final : public platform::Form {
public:
    HelpWindow() = default;

    void Command1_Click();

    platform::Image* Image1 = nullptr;  // the help picture
    platform::Label* Label1 = nullptr;  // "Instructions"
    platform::Label* Label2 = nullptr;  // instruction I
    platform::Label* Label3 = nullptr;  // instruction II
    platform::Label* Label4 = nullptr;  // instruction III
    platform::CommandButton* Command1 = nullptr;  // "Close window"

protected:
    platform::FormDescription describe() const override;
    void build() override;
    void onUnload() override;
};

}  // namespace helpwindow

// The program-wide reference to the help window object; every Help builds a new one.
extern platform::FormRef<helpwindow::HelpWindow> Form2;
