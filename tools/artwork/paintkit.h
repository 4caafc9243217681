#pragma once

// Small painting helpers shared by all pictures: the backdrop pattern,
// silver (chrome) surfaces, colour arithmetic and the one font we use.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRect>
#include <QString>

#include <initializer_list>
#include <utility>

namespace paintkit {

// A blank picture to paint on.
QImage canvas(QSize size, const QColor& fill = Qt::black);

// Painter with antialiasing on, as every picture wants it.
void prepare(QPainter& painter);

// Linear mix of two colours, t = 0 gives a, t = 1 gives b.
QColor mix(const QColor& a, const QColor& b, double t);

// Colour at position t (0..1) of a piecewise linear colour ramp.
QColor ramp(std::initializer_list<std::pair<double, QColor>> stops, double t);

// The dark, finely striped backdrop behind the machine, as a function of
// absolute window coordinates. Every picture that shows backdrop (the
// machine and both lever pictures) fills it through this, so the stripes
// line up wherever the pictures are placed.
QRgb backdropPixel(int x, int y);

// Fills the whole image with backdrop, the image's top-left pixel lying at
// window position origin.
void fillBackdrop(QImage& image, QPoint origin);

// Polished silver running from `from` (lit) to `to`.
QLinearGradient chrome(QPointF from, QPointF to);
// A rounded plate of that silver, lit from the top, over its soft shadow cast
// `drop` pixels away with the given opacity (0..255). Leaves the pen off.
void chromePlate(QPainter& painter, const QRectF& plate, double radius, QPointF drop, int shadowAlpha);
// The same silver at position t (0..1), for surfaces filled line by line.
QColor chromeAt(double t);

// A bevelled silver frame `width` pixels wide just outside `inner`, with
// `inner` itself filled black to the exact pixel.
void silverFrame(QPainter& painter, const QRect& inner, int width, double radius);

// DejaVu Sans Bold, loaded from its file so that the result does not depend
// on the font configuration of the machine. loadFont must succeed before
// boldFont is used.
bool loadFont(QString* error);
QFont boldFont(int pixelSize);

}  // namespace paintkit
