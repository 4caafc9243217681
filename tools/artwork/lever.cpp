#include "artwork.h"
#include "layout.h"
#include "paintkit.h"

#include <algorithm>

// The lever pictures are painted in window coordinates (the painter is
// shifted by the lever's position), so the backdrop stripes and the mount
// arm continue exactly from the background into the lever picture.

namespace {

using layout::kLeverMount;

constexpr double kShaftX = layout::kLeverPos.x() + layout::kLeverSize.width() / 2.0;

struct LeverShape {
    double knobY;        // centre of the ball
    double knobRadius;
    double shaftTopWidth;     // just under the ball
    double shaftBottomWidth;  // at the pivot
};

// Up: a long shaft with the ball at the top of the picture. Pulled: the
// lever swings towards the player, so the shaft looks short and thick and
// the (nearer) ball larger, just above the base.
constexpr LeverShape kUpShape{182.0, 19.0, 7.0, 11.0};
constexpr LeverShape kPulledShape{461.0, 21.5, 16.0, 13.0};

void paintBase(QPainter& p)
{
    const QRectF base(kLeverMount.base);
    p.setPen(QPen(QColor(0x30, 0x32, 0x3a), 1.0));
    p.setBrush(paintkit::chrome(base.topLeft(), base.topRight()));
    p.drawRoundedRect(base.adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
    // A dark slot the shaft swings in.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x18, 0x18, 0x1e));
    p.drawRoundedRect(QRectF(kShaftX - 4.5, base.top() + 3, 9, kLeverMount.pivotY - base.top() - 3), 4.5, 4.5);
}

void paintShaft(QPainter& p, const LeverShape& shape)
{
    const double top = shape.knobY;
    const double bottom = kLeverMount.pivotY;
    const QPolygonF rod({
        QPointF(kShaftX - shape.shaftTopWidth / 2, top),
        QPointF(kShaftX + shape.shaftTopWidth / 2, top),
        QPointF(kShaftX + shape.shaftBottomWidth / 2, bottom),
        QPointF(kShaftX - shape.shaftBottomWidth / 2, bottom),
    });
    const double half = std::max(shape.shaftTopWidth, shape.shaftBottomWidth) / 2;
    QLinearGradient metal(QPointF(kShaftX - half, 0), QPointF(kShaftX + half, 0));
    metal.setColorAt(0.00, QColor(0x08, 0x08, 0x0c));
    metal.setColorAt(0.30, QColor(0x5c, 0x60, 0x6c));
    metal.setColorAt(0.45, QColor(0x30, 0x32, 0x3a));
    metal.setColorAt(1.00, QColor(0x04, 0x04, 0x06));
    p.setPen(QPen(QColor(0, 0, 0), 1.0));
    p.setBrush(metal);
    p.drawPolygon(rod);
}

// Round chrome boss the shaft turns on, over the shaft's foot.
void paintPivot(QPainter& p)
{
    const QPointF pivot(kShaftX, kLeverMount.pivotY);
    QRadialGradient boss(pivot, 10, pivot + QPointF(-3, -4));
    boss.setColorAt(0.0, QColor(0xff, 0xff, 0xff));
    boss.setColorAt(0.55, QColor(0xa4, 0xa8, 0xb2));
    boss.setColorAt(1.0, QColor(0x50, 0x54, 0x5e));
    p.setPen(QPen(QColor(0x2a, 0x2c, 0x34), 1.0));
    p.setBrush(boss);
    p.drawEllipse(pivot, 9, 9);
    p.setBrush(QColor(0x5a, 0x5e, 0x68));
    p.setPen(Qt::NoPen);
    p.drawEllipse(pivot, 2.5, 2.5);
}

void paintKnob(QPainter& p, const LeverShape& shape)
{
    const QPointF centre(kShaftX, shape.knobY);
    const double r = shape.knobRadius;

    // Black ball: a soft grey sheen on the upper left, a faint rim light
    // from below, and one sharp highlight.
    QRadialGradient ball(centre, r, centre + QPointF(-r * 0.35, -r * 0.4));
    ball.setColorAt(0.00, QColor(0x8c, 0x8e, 0x9a));
    ball.setColorAt(0.30, QColor(0x26, 0x26, 0x2c));
    ball.setColorAt(0.85, QColor(0x02, 0x02, 0x04));
    ball.setColorAt(1.00, QColor(0x3a, 0x3a, 0x48));
    p.setPen(QPen(QColor(0, 0, 0), 1.0));
    p.setBrush(ball);
    p.drawEllipse(centre, r, r);

    QRadialGradient spot(centre + QPointF(-r * 0.38, -r * 0.42), r * 0.22);
    spot.setColorAt(0.0, QColor(255, 255, 255, 240));
    spot.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(spot);
    p.drawEllipse(centre + QPointF(-r * 0.38, -r * 0.42), r * 0.22, r * 0.22);
}

}  // namespace

void paintLeverArm(QPainter& p)
{
    // Plate where the arm leaves the cabinet.
    const QRectF plate(kLeverMount.sidePlate);
    p.save();
    p.setPen(QPen(QColor(0x30, 0x32, 0x3a), 1.0));
    p.setBrush(paintkit::chrome(plate.topLeft(), plate.topRight()));
    p.drawRoundedRect(plate.adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);

    // The arm runs on into the lever picture, behind the base. It is filled
    // row by row with plain colours so that both pictures get exactly the
    // same pixels on either side of the join.
    const int left = kLeverMount.sidePlate.right() + 1;
    const int width = static_cast<int>(kShaftX) - left;
    const int height = kLeverMount.armBottom - kLeverMount.armTop;
    for (int row = 0; row < height; ++row) {
        QColor colour = paintkit::chromeAt((row + 0.5) / height);
        if (row == 0)
            colour = QColor(0x30, 0x32, 0x3a);
        else if (row == height - 1)
            colour = QColor(0x20, 0x22, 0x28);
        p.fillRect(QRect(left, kLeverMount.armTop + row, width, 1), colour);
    }
    p.restore();
}

QImage paintLever(LeverPose pose)
{
    const LeverShape& shape = pose == LeverPose::Up ? kUpShape : kPulledShape;
    QImage image = paintkit::canvas(layout::kLeverSize);
    paintkit::fillBackdrop(image, layout::kLeverPos);

    QPainter painter(&image);
    paintkit::prepare(painter);
    painter.translate(-layout::kLeverPos);
    paintLeverArm(painter);
    paintBase(painter);
    paintShaft(painter, shape);
    paintPivot(painter);
    paintKnob(painter, shape);
    return image;
}
