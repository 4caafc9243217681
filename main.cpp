// Vilkora: a three-reel slot machine. The machine window is the start-up window.
#include "machine/machine_window.h"
#include "platform/form.h"

int main(int argc, char** argv)
{
    platform::Application application(argc, argv);
    return application.run([] { Form1->Show(); });
}
