// The game as main.cpp starts it, with a watcher that reports the machine window's
// first paint (see first_paint.h) and ends the process. Run from the repository root.
#include "first_paint.h"

#include "machine/machine_window.h"
#include "platform/form.h"
#include "platform/qt_internal.h"

#include <cstdlib>

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    platform::Application application(argc, argv);
    benchsupport::FirstPaintWatcher watcher(
        [] { return Form1.empty() ? nullptr : platform::qtClientArea(*Form1); });
    qApp->installEventFilter(&watcher);
    return application.run([] { Form1->Show(); });
}
