#include "artwork.h"
#include "layout.h"
#include "paintkit.h"

#include <QPainterPath>

namespace {

// Triangle pointing right inside the 31 x 32 lamp; the left-pointing lamp
// is its mirror image.
QPolygonF rightTriangle()
{
    return QPolygonF({QPointF(5.5, 4.5), QPointF(27.0, 16.0), QPointF(5.5, 27.5)});
}

// Maps the lamp's own right-pointing coordinates onto `cell`, mirrored when
// the lamp points left. Pixel column i lands on column width-1-i exactly.
void placeLamp(QPainter& painter, const QRect& cell, ArrowDirection direction)
{
    if (direction == ArrowDirection::Right) {
        painter.translate(cell.topLeft());
    } else {
        painter.translate(cell.x() + cell.width(), cell.y());
        painter.scale(-1.0, 1.0);
    }
}

void paintLitLamp(QPainter& painter, QSizeF size)
{
    // Dark red housing, glowing towards the triangle.
    QRadialGradient glow(QPointF(14.0, 16.0), 20.0);
    glow.setColorAt(0.0, QColor(0x9a, 0x10, 0x14));
    glow.setColorAt(1.0, QColor(0x3c, 0x02, 0x06));
    painter.fillRect(QRectF(QPointF(0, 0), size), glow);

    const QPolygonF triangle = rightTriangle();

    // Bevelled silver rim: a wide chrome stroke, then a narrow dark one.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QBrush(paintkit::chrome(QPointF(0, 3), QPointF(0, 29))), 4.0, Qt::SolidLine, Qt::SquareCap,
                        Qt::MiterJoin));
    painter.drawPolygon(triangle);
    painter.setPen(QPen(QColor(0x40, 0x08, 0x0a), 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawPolygon(triangle);

    // Red face lit from the upper left.
    QLinearGradient face(QPointF(6, 5), QPointF(20, 26));
    face.setColorAt(0.0, QColor(0xff, 0x9a, 0x8a));
    face.setColorAt(0.35, QColor(0xff, 0x1c, 0x1c));
    face.setColorAt(1.0, QColor(0xa0, 0x00, 0x08));
    painter.setPen(Qt::NoPen);
    painter.setBrush(face);
    painter.drawPolygon(triangle);
}

}  // namespace

QImage paintLitArrow(ArrowDirection direction)
{
    const QSize size = layout::kArrowLeftOfReels.size();
    QImage image = paintkit::canvas(size);
    {
        QPainter painter(&image);
        paintkit::prepare(painter);
        paintLitLamp(painter, size);
    }
    // The left-pointing lamp is the exact mirror image.
    return direction == ArrowDirection::Right ? image : image.mirrored(true, false);
}

void paintUnlitArrow(QPainter& painter, const QRect& cell, ArrowDirection direction)
{
    painter.save();
    placeLamp(painter, cell, direction);
    const QRectF area(QPointF(0, 0), QSizeF(cell.size()));

    // Dark housing with a thin frame just outside it: the lit picture fills
    // the housing exactly and leaves the frame.
    painter.setPen(QPen(QColor(0x5a, 0x5e, 0x68), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area.adjusted(-0.5, -0.5, 0.5, 0.5));
    painter.fillRect(area, QColor(0x16, 0x06, 0x08));

    // Unlit glass, outlined in white.
    painter.setPen(QPen(QColor(0xf4, 0xf4, 0xf4), 1.5, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(QColor(0x46, 0x12, 0x16));
    painter.drawPolygon(rightTriangle());
    painter.restore();
}
