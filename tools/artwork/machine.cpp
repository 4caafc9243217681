#include "artwork.h"
#include "layout.h"
#include "paintkit.h"

#include <QFontMetricsF>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

// The machine background: backdrop, cabinet with its glowing rim, and on
// the cabinet the money window, the pay chart dome, the reels, the arrow
// lamps, the buttons and the coin tray. Each element has its own function
// below; paintMachine() at the end puts them together in order.

namespace {

using namespace layout;
using paintkit::mix;

double clamp01(double v)
{
    return std::clamp(v, 0.0, 1.0);
}

// ---------------------------------------------------------------------------
// Cabinet shell, painted pixel by pixel from the distance to its outline.
// ---------------------------------------------------------------------------

constexpr double kBodyRadius = (kBody.right - kBody.left) / 2.0;
constexpr double kArchCentreY = kBody.archTop + kBodyRadius;
constexpr double kGrooveWidth = 2.0;

// Distance from (px, py) to the cabinet outline: positive inside.
double bodyDepth(double px, double py)
{
    if (py < kArchCentreY)
        return kBodyRadius - std::hypot(px - kAxisX, py - kArchCentreY);
    return std::min(px - kBody.left, kBody.right - px);
}

// The rim glows from pale yellow at the outer edge through orange to a deep
// red where it meets the face; t runs 0..1 across it.
QColor rimColour(double t)
{
    return paintkit::ramp({{0.00, QColor(0xff, 0xf8, 0xb0)},
                           {0.18, QColor(0xff, 0xe0, 0x30)},
                           {0.42, QColor(0xff, 0x96, 0x10)},
                           {0.70, QColor(0xe0, 0x2c, 0x0c)},
                           {1.00, QColor(0x6a, 0x04, 0x08)}},
                          t);
}

// Crimson lacquer, darker towards the bottom and the sides, with a broad
// soft reflection left of centre.
QColor faceColour(double px, double py)
{
    const double v = clamp01((py - kBody.archTop) / (kBackgroundSize.height() - kBody.archTop));
    const QColor base = mix(QColor(0xa2, 0x16, 0x2a), QColor(0x4e, 0x06, 0x12), v);
    const double s = (px - kAxisX) / (kBodyRadius - kBody.rimWidth);
    const double sheen = 0.20 * std::exp(-std::pow((s + 0.52) / 0.16, 2.0));
    const double shade = 1.0 - 0.38 * s * s + sheen;
    return QColor(std::clamp(static_cast<int>(base.red() * shade), 0, 255),
                  std::clamp(static_cast<int>(base.green() * shade + 60 * sheen), 0, 255),
                  std::clamp(static_cast<int>(base.blue() * shade + 60 * sheen), 0, 255));
}

// Colour of the cabinet at depth d (>= 0) inside its outline.
QColor shellColour(double d, double px, double py)
{
    const double rim = kBody.rimWidth;
    QColor c = rimColour(clamp01(d / rim));
    c = mix(c, QColor(0x1c, 0x02, 0x04), clamp01(d - rim + 0.5));
    return mix(c, faceColour(px, py), clamp01(d - rim - kGrooveWidth + 0.5));
}

void paintShell(QImage& image)
{
    const QColor glow(0xff, 0xa8, 0x28);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const double px = x + 0.5, py = y + 0.5;
            const double d = bodyDepth(px, py);
            if (d <= -kBody.glowWidth)
                continue;
            // Outside: the backdrop lit by the rim's glow.
            const double g = clamp01(1.0 + d / kBody.glowWidth);
            const QColor outside = mix(QColor(line[x]), glow, 0.5 * g * g * g);
            const QColor inside = shellColour(std::max(d, 0.0), px, py);
            line[x] = mix(outside, inside, clamp01(d + 0.5)).rgb();
        }
    }
}

// ---------------------------------------------------------------------------
// Marquee lamps round the arch.
// ---------------------------------------------------------------------------

void paintLamp(QPainter& p, QPointF c, double r)
{
    QRadialGradient halo(c, r * 2.4);
    halo.setColorAt(0.0, QColor(255, 220, 120, 150));
    halo.setColorAt(1.0, QColor(255, 160, 40, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(halo);
    p.drawEllipse(c, r * 2.4, r * 2.4);

    p.setBrush(QColor(0x2a, 0x06, 0x08));
    p.drawEllipse(c, r + 1.0, r + 1.0);
    QRadialGradient bulb(c, r, c + QPointF(-r * 0.3, -r * 0.3));
    bulb.setColorAt(0.0, QColor(0xff, 0xff, 0xf0));
    bulb.setColorAt(0.5, QColor(0xff, 0xe8, 0x70));
    bulb.setColorAt(1.0, QColor(0xff, 0x90, 0x10));
    p.setBrush(bulb);
    p.drawEllipse(c, r, r);
}

void paintArchLamps(QPainter& p)
{
    constexpr double kDegree = std::numbers::pi / 180.0;
    for (double deg = kArchLamps.firstDeg; deg <= kArchLamps.lastDeg + 1e-9; deg += kArchLamps.stepDeg) {
        const double dx = kArchLamps.distance * std::cos(deg * kDegree);
        const double dy = kArchLamps.distance * std::sin(deg * kDegree);
        for (const double side : {-1.0, 1.0})
            paintLamp(p, QPointF(kAxisX + side * dx, kArchCentreY - dy), kArchLamps.radius);
    }
}

// ---------------------------------------------------------------------------
// Money window: a silver-rimmed black oval on top of the arch.
// ---------------------------------------------------------------------------

QPainterPath crownOval(double grow)
{
    constexpr int kSteps = 720;
    const double rx = kCrown.innerRx + grow;
    const double ry = kCrown.innerRy + grow;
    const double power = 2.0 / kCrown.exponent;
    QPolygonF outline;
    for (int i = 0; i < kSteps; ++i) {
        const double t = 2.0 * std::numbers::pi * i / kSteps;
        const double c = std::cos(t), s = std::sin(t);
        outline << QPointF(kAxisX + rx * std::copysign(std::pow(std::abs(c), power), c),
                           kCrown.centreY + ry * std::copysign(std::pow(std::abs(s), power), s));
    }
    QPainterPath path;
    path.addPolygon(outline);
    path.closeSubpath();
    return path;
}

void paintCrown(QPainter& p)
{
    const double rim = kCrown.rimWidth;
    const double top = kCrown.centreY - kCrown.innerRy - rim;
    const double bottom = kCrown.centreY + kCrown.innerRy + rim;

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 140));
    p.drawPath(crownOval(rim + 1).translated(0, 2));

    // Raised silver ring: the outer half lit from above, the inner half
    // from below.
    p.setPen(QPen(QColor(0x3a, 0x3c, 0x44), 1.0));
    p.setBrush(paintkit::chrome(QPointF(0, top), QPointF(0, bottom)));
    p.drawPath(crownOval(rim));
    p.setPen(Qt::NoPen);
    p.setBrush(paintkit::chrome(QPointF(0, bottom), QPointF(0, top)));
    p.drawPath(crownOval(rim / 2));

    p.setPen(QPen(QColor(0x24, 0x26, 0x2c), 1.0));
    p.setBrush(Qt::black);
    p.drawPath(crownOval(0));
}

// ---------------------------------------------------------------------------
// Pay chart dome: black half-dome with a silver edge.
// ---------------------------------------------------------------------------

// The dome outline, grown outwards by `grow` pixels.
QPainterPath domePath(double grow)
{
    const double left = kDome.left - grow;
    const double right = kDome.right + grow;
    const double top = kDome.top - grow;
    const double bottom = kDome.bottom + grow;
    const double ry = kDome.centreY - top;
    QPainterPath path;
    path.moveTo(left, bottom);
    path.lineTo(left, kDome.centreY);
    path.arcTo(QRectF(left, top, right - left, 2 * ry), 180.0, -180.0);
    path.lineTo(right, bottom);
    path.closeSubpath();
    return path;
}

void paintDome(QPainter& p)
{
    const double edge = kDome.edgeWidth;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 120));
    p.drawPath(domePath(edge + 1).translated(1, 3));

    p.setBrush(paintkit::chrome(QPointF(0, kDome.top - edge), QPointF(0, kDome.bottom + edge)));
    p.drawPath(domePath(edge));
    p.setBrush(QColor(0x22, 0x24, 0x2a));
    p.drawPath(domePath(1));
    p.setBrush(Qt::black);
    p.drawPath(domePath(0));
}

// ---------------------------------------------------------------------------
// Reels: a recessed panel with nine silver-framed black cells.
// ---------------------------------------------------------------------------

void paintReelPanel(QPainter& p)
{
    const QRectF outer(kReelPanel);
    const double r = kReelPanelRadius;
    paintkit::chromePlate(p, outer, r, {1, 3}, 130);

    const QRectF inner = outer.adjusted(kReelPanelRim, kReelPanelRim, -kReelPanelRim, -kReelPanelRim);
    QLinearGradient well(inner.topLeft(), inner.bottomLeft());
    well.setColorAt(0.0, QColor(0x08, 0x08, 0x0c));
    well.setColorAt(0.5, QColor(0x1c, 0x1c, 0x26));
    well.setColorAt(1.0, QColor(0x0c, 0x0c, 0x12));
    p.setBrush(well);
    p.drawRoundedRect(inner, r - kReelPanelRim, r - kReelPanelRim);
}

void paintReelCells(QPainter& p)
{
    for (const QRect& cell : kReelCells)
        paintkit::silverFrame(p, cell, kCellFrameWidth, 3.0);
}

void paintArrowLamps(QPainter& p)
{
    paintUnlitArrow(p, kArrowLeftOfReels, ArrowDirection::Right);
    paintUnlitArrow(p, kArrowRightOfReels, ArrowDirection::Left);
}

// ---------------------------------------------------------------------------
// Round red buttons with their words painted on.
// ---------------------------------------------------------------------------

struct RoundButton {
    QRect clickArea;
    const char* upperWord;
    const char* lowerWord;
};
constexpr std::array<RoundButton, 2> kButtons{{
    {kBetMaxButton, "BET", "MAX"},
    {kBetOneButton, "BET", "ONE"},
}};
constexpr int kButtonFontPixels = 10;

void paintButtonPlate(QPainter& p)
{
    const QRectF plate(kButtonPlate);
    paintkit::chromePlate(p, plate, 12, {1, 2}, 110);
    p.setBrush(QColor(0x14, 0x14, 0x1a));
    p.drawRoundedRect(plate.adjusted(3, 3, -3, -3), 9, 9);
}

void paintRoundButton(QPainter& p, const RoundButton& button)
{
    const QRectF area(button.clickArea);
    const QPointF c = area.center();
    const double r = std::min(area.width(), area.height()) / 2.0 - 1.0;

    // Silver bezel.
    p.setPen(Qt::NoPen);
    p.setBrush(paintkit::chrome(c - QPointF(0, r + 3), c + QPointF(0, r + 3)));
    p.drawEllipse(c, r + 2.5, r + 2.5);

    // Red cap, lit from the upper left.
    QRadialGradient cap(c, r * 1.15, c + QPointF(-r * 0.35, -r * 0.45));
    cap.setColorAt(0.00, QColor(0xff, 0x8a, 0x80));
    cap.setColorAt(0.40, QColor(0xe8, 0x12, 0x1c));
    cap.setColorAt(1.00, QColor(0x70, 0x00, 0x08));
    p.setPen(QPen(QColor(0x40, 0x00, 0x04), 1.0));
    p.setBrush(cap);
    p.drawEllipse(c, r, r);

    // Gloss on the upper half.
    QLinearGradient gloss(c - QPointF(0, r), c);
    gloss.setColorAt(0.0, QColor(255, 255, 255, 150));
    gloss.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(gloss);
    p.drawEllipse(QRectF(c.x() - r * 0.68, c.y() - r * 0.92, r * 1.36, r * 0.9));

    // Two words, one above the other, with a dark shadow for contrast.
    const QFont font = paintkit::boldFont(kButtonFontPixels);
    const QFontMetricsF metrics(font);
    p.setFont(font);
    const double lineStep = kButtonFontPixels + 1.0;
    const struct {
        const char* word;
        double baseline;
        QColor colour;
    } lines[] = {
        {button.upperWord, c.y() - 1.5, QColor(0xff, 0xff, 0xff)},
        {button.lowerWord, c.y() - 1.5 + lineStep, QColor(0xff, 0xe4, 0x40)},
    };
    for (const auto& line : lines) {
        const QString word = QString::fromLatin1(line.word);
        const QPointF at(std::round(c.x() - metrics.horizontalAdvance(word) / 2.0), std::round(line.baseline));
        p.setPen(QColor(0x30, 0x00, 0x00));
        p.drawText(at + QPointF(0.0, 1.0), word);
        p.setPen(line.colour);
        p.drawText(at, word);
    }
}

void paintButtons(QPainter& p)
{
    paintButtonPlate(p);
    for (const RoundButton& button : kButtons)
        paintRoundButton(p, button);
}

// ---------------------------------------------------------------------------
// Coin tray at the foot of the cabinet.
// ---------------------------------------------------------------------------

void paintCoin(QPainter& p, QPointF centre, double rx, double ry)
{
    QLinearGradient gold(centre - QPointF(rx, ry), centre + QPointF(rx, ry));
    gold.setColorAt(0.0, QColor(0xff, 0xf0, 0x9a));
    gold.setColorAt(0.5, QColor(0xe8, 0xae, 0x1a));
    gold.setColorAt(1.0, QColor(0x8a, 0x5a, 0x00));
    p.setPen(QPen(QColor(0x5a, 0x36, 0x00), 1.0));
    p.setBrush(gold);
    p.drawEllipse(centre, rx, ry);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xb0, 0x7a, 0x08), 1.0));
    p.drawEllipse(centre, rx * 0.7, ry * 0.7);
}

void paintCoinTray(QPainter& p)
{
    const QRectF tray(kCoinTray);
    paintkit::chromePlate(p, tray, 16, {1, 3}, 130);

    // The dark hollow of the tray.
    const QRectF hollow = tray.adjusted(10, 7, -10, -22);
    QLinearGradient deep(hollow.topLeft(), hollow.bottomLeft());
    deep.setColorAt(0.0, QColor(0x00, 0x00, 0x00));
    deep.setColorAt(0.6, QColor(0x1a, 0x1a, 0x20));
    deep.setColorAt(1.0, QColor(0x4a, 0x4c, 0x56));
    p.setBrush(deep);
    p.drawRoundedRect(hollow, 10, 10);

    // A few coins waiting to be collected.
    struct Coin {
        QPointF centre;
        double rx, ry;
    };
    static constexpr std::array<Coin, 5> kCoins{{
        {{212, 572}, 11, 5}, {{230, 569}, 11, 5}, {{259, 573}, 11, 5}, {{338, 571}, 11, 5}, {{356, 573}, 11, 5},
    }};
    for (const Coin& coin : kCoins)
        paintCoin(p, coin.centre, coin.rx, coin.ry);

    // Rounded front lip.
    const QRectF lip(tray.left() + 4, tray.bottom() - 26, tray.width() - 8, 22);
    QLinearGradient front(lip.topLeft(), lip.bottomLeft());
    front.setColorAt(0.00, QColor(0x5a, 0x5e, 0x68));
    front.setColorAt(0.12, QColor(0xff, 0xff, 0xff));
    front.setColorAt(0.35, QColor(0xd0, 0xd4, 0xdc));
    front.setColorAt(0.60, QColor(0x70, 0x74, 0x7e));
    front.setColorAt(0.85, QColor(0xa8, 0xac, 0xb6));
    front.setColorAt(1.00, QColor(0x50, 0x54, 0x5e));
    p.setPen(QPen(QColor(0x3a, 0x3c, 0x44), 1.0));
    p.setBrush(front);
    p.drawRoundedRect(lip, 11, 11);
}

}  // namespace

QImage paintMachine()
{
    QImage image = paintkit::canvas(kBackgroundSize);
    paintkit::fillBackdrop(image, QPoint(0, 0));
    paintShell(image);

    QPainter painter(&image);
    paintkit::prepare(painter);
    paintLeverArm(painter);
    paintArchLamps(painter);
    paintCrown(painter);
    paintDome(painter);
    paintReelPanel(painter);
    paintReelCells(painter);
    paintArrowLamps(painter);
    paintButtons(painter);
    paintCoinTray(painter);
    return image;
}
