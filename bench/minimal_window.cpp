// The floor for the start-up benchmark: the least a Qt program does to show a window
// like the machine window, a menu bar with one entry "&Help" above a 595 × 603 client
// area, on the offscreen platform. It reports its first paint and ends.
#include "first_paint.h"

#include <QApplication>
#include <QMenuBar>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdlib>

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);

    QWidget window;
    window.setWindowTitle(QStringLiteral("Vilkora"));
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* menu = new QMenuBar(&window);
    menu->addAction(QStringLiteral("&Help"));
    layout->setMenuBar(menu);
    auto* client = new QWidget(&window);
    client->setFixedSize(595, 603);
    layout->addWidget(client);

    benchsupport::FirstPaintWatcher watcher([client] { return client; });
    application.installEventFilter(&watcher);
    window.show();
    return application.exec();
}
