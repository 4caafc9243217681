// vilkora_help_picture: makes the help window's picture from the real machine window.
//
//   vilkora_help_picture <repo-root>
//
// Loads the machine window as a player first sees it (money 100, bet 1, the stars in
// the middle cells, the lever up), takes its client area at about half size and
// draws the six numbered markers that the instructions point at. Writes
// <repo-root>/assets/help.jpg, 301 x 303 pixels.

#include "machine/machine_window.h"
#include "platform/form.h"
#include "platform/qt_internal.h"

#include <QDir>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <array>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr QSize pictureSize(301, 303);

// Where each marker stands in the picture and what it points at.
struct Marker {
    const char* text;
    QPoint baseline;  // left end of the text's baseline, picture pixels
};
constexpr std::array<Marker, 6> markers{{
    {"1.", {88, 21}},    // left of the money display
    {"2.", {72, 98}},    // left of the pay chart
    {"3.", {284, 118}},  // right of the lever, below its knob
    {"4.", {62, 172}},   // left of the middle reel row, above the left arrow
    {"5.", {93, 257}},   // left of the BET MAX button
    {"6.", {200, 257}},  // right of the BET ONE button
}};

void drawMarkers(QImage& picture)
{
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(12);
    font.setBold(true);
    for (const Marker& marker : markers) {
        QPainterPath path;
        path.addText(marker.baseline, font, QString::fromLatin1(marker.text));
        painter.strokePath(path, QPen(QColor(0, 40, 0), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.fillPath(path, QColor(40, 255, 40));
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: vilkora_help_picture <repo-root>\n");
        return 2;
    }
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const QDir root(QString::fromLocal8Bit(argv[1]));
    if (!QDir::setCurrent(root.absolutePath())) {
        std::fprintf(stderr, "no such folder: %s\n", argv[1]);
        return 1;
    }
    platform::Timer::setClockDriven(false);
    platform::Application application(argc, argv);
    Form1->Show();
    const QImage window = platform::qtClientArea(*Form1)->grab().toImage();
    QImage picture = window.scaled(pictureSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                         .convertToFormat(QImage::Format_RGB32);
    drawMarkers(picture);
    Form1->Unload();

    const QString path = root.filePath(QStringLiteral("assets/help.jpg"));
    if (!picture.save(path, "JPG", 92)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 1;
    }
    std::printf("wrote %s (%d x %d)\n", qPrintable(path), picture.width(), picture.height());
    return 0;
}
