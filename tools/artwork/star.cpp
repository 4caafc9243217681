#include "artwork.h"
#include "paintkit.h"

#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace {

// The star is drawn in a 100 x 100 design space and scaled to the box.
constexpr double kDesign = 100.0;
constexpr QPointF kCentre{50.0, 54.0};
constexpr double kOuterRadius = 44.0;
constexpr double kInnerRadius = 22.5;
constexpr double kOutlineWidth = 5.0;

QPolygonF starOutline()
{
    QPolygonF points;
    for (int i = 0; i < 10; ++i) {
        const double radius = (i % 2 == 0) ? kOuterRadius : kInnerRadius;
        const double angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        points << kCentre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
    }
    return points;
}

void paintStarBody(QPainter& p)
{
    const QPolygonF star = starOutline();

    // Warm glow hugging the outline: a few wide, faint strokes.
    p.setBrush(Qt::NoBrush);
    for (const double width : {17.0, 15.0, 13.0, 11.0, 9.0, 7.0}) {
        p.setPen(QPen(QColor(255, 200, 40, 24), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolygon(star);
    }

    // Orange outline with round joins gives soft, chubby points.
    QRadialGradient fill(kCentre + QPointF(-8, -14), kOuterRadius * 1.1);
    fill.setColorAt(0.00, QColor(0xff, 0xfb, 0xc8));
    fill.setColorAt(0.35, QColor(0xff, 0xe6, 0x2a));
    fill.setColorAt(0.80, QColor(0xff, 0xc2, 0x00));
    fill.setColorAt(1.00, QColor(0xf0, 0x90, 0x00));
    p.setPen(QPen(QColor(0xc8, 0x5a, 0x00), kOutlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPolygon(star);

    // Shine on the upper left arm.
    QPainterPath shine;
    shine.moveTo(kCentre + QPointF(-30, -10));
    shine.quadTo(kCentre + QPointF(-16, -16), kCentre + QPointF(-8, -30));
    p.setPen(QPen(QColor(255, 255, 240, 170), 3.0, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shine);
}

void paintCheeks(QPainter& p)
{
    for (const double side : {-1.0, 1.0}) {
        const QPointF c = kCentre + QPointF(side * 16.0, 6.0);
        QRadialGradient blush(c, 7.5);
        blush.setColorAt(0.0, QColor(255, 80, 110, 220));
        blush.setColorAt(0.6, QColor(255, 100, 120, 140));
        blush.setColorAt(1.0, QColor(255, 120, 120, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(blush);
        p.drawEllipse(c, 7.5, 6.0);
    }
}

void paintEyes(QPainter& p)
{
    for (const double side : {-1.0, 1.0}) {
        const QPointF c = kCentre + QPointF(side * 8.0, -6.0);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x2a, 0x14, 0x00));
        p.drawEllipse(c, 3.6, 5.6);
        p.setBrush(Qt::white);
        p.drawEllipse(c + QPointF(-1.1, -2.2), 1.4, 1.6);
    }
}

void paintSmile(QPainter& p)
{
    // Open, happy mouth: a dark half-moon with a pink tongue.
    QPainterPath mouth;
    mouth.moveTo(kCentre + QPointF(-10.0, 5.0));
    mouth.cubicTo(kCentre + QPointF(-8.0, 18.0), kCentre + QPointF(8.0, 18.0), kCentre + QPointF(10.0, 5.0));
    mouth.quadTo(kCentre + QPointF(0.0, 8.0), kCentre + QPointF(-10.0, 5.0));
    p.setPen(QPen(QColor(0x5a, 0x20, 0x00), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(0x8a, 0x10, 0x10));
    p.drawPath(mouth);

    p.save();
    p.setClipPath(mouth);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0x70, 0x80));
    p.drawEllipse(kCentre + QPointF(0.0, 15.5), 6.0, 4.0);
    p.restore();
}

}  // namespace

void paintSmilingStar(QPainter& painter, const QRectF& box)
{
    painter.save();
    painter.translate(box.topLeft());
    painter.scale(box.width() / kDesign, box.height() / kDesign);
    paintStarBody(painter);
    paintCheeks(painter);
    paintEyes(painter);
    paintSmile(painter);
    painter.restore();
}

QImage paintStarPicture(QSize size)
{
    QImage image = paintkit::canvas(size);
    QPainter painter(&image);
    paintkit::prepare(painter);
    paintSmilingStar(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}
