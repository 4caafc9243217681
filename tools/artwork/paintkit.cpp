#include "paintkit.h"

#include <QFontDatabase>
#include <QPainterPath>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace paintkit {

namespace {

const char* const kFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
QString g_fontFamily;

int channel(double v)
{
    return std::clamp(static_cast<int>(std::lround(v)), 0, 255);
}

}  // namespace

QImage canvas(QSize size, const QColor& fill)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

void prepare(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

QColor mix(const QColor& a, const QColor& b, double t)
{
    return QColor(channel(a.red() + (b.red() - a.red()) * t),
                  channel(a.green() + (b.green() - a.green()) * t),
                  channel(a.blue() + (b.blue() - a.blue()) * t));
}

QColor ramp(std::initializer_list<std::pair<double, QColor>> stops, double t)
{
    const auto* prev = stops.begin();
    if (t <= prev->first)
        return prev->second;
    for (const auto* it = stops.begin() + 1; it != stops.end(); ++it) {
        if (t <= it->first)
            return mix(prev->second, it->second, (t - prev->first) / (it->first - prev->first));
        prev = it;
    }
    return prev->second;
}

QRgb backdropPixel(int x, int y)
{
    // Diagonal pinstripes six pixels apart (rising to the right), each one a
    // soft two-pixel line, over a violet-black that lightens a little towards
    // the top of the window.
    static constexpr int kStripeWeight[6] = {0, 0, 0, 1, 7, 13};
    const int phase = ((x - y) % 6 + 6) % 6;
    const int stripe = kStripeWeight[phase];
    const int lift = std::clamp(24 - y / 25, 0, 24);  // 24 at the top .. 0 from y 600
    const int r = 14 + stripe + lift / 3;
    const int g = 9 + stripe * 3 / 4 + lift / 4;
    const int b = 24 + stripe * 2 + lift / 2;
    return qRgb(r, g, b);
}

void fillBackdrop(QImage& image, QPoint origin)
{
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = backdropPixel(origin.x() + x, origin.y() + y);
    }
}

namespace {

// Polished silver: bright at the lit edge, a dark reflected band past the
// middle, and light again at the far edge.
const std::pair<double, QColor> kChromeStops[] = {
    {0.00, QColor(0xfb, 0xfc, 0xff)}, {0.30, QColor(0xc9, 0xcd, 0xd6)}, {0.48, QColor(0x86, 0x8b, 0x96)},
    {0.55, QColor(0x6a, 0x6e, 0x78)}, {0.75, QColor(0xb4, 0xb8, 0xc2)}, {1.00, QColor(0xe8, 0xea, 0xf0)},
};

}  // namespace

void chromePlate(QPainter& painter, const QRectF& plate, double radius, QPointF drop, int shadowAlpha)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, shadowAlpha));
    painter.drawRoundedRect(plate.translated(drop), radius, radius);
    painter.setBrush(chrome(plate.topLeft(), plate.bottomLeft()));
    painter.drawRoundedRect(plate, radius, radius);
}

QLinearGradient chrome(QPointF from, QPointF to)
{
    QLinearGradient g(from, to);
    for (const auto& [at, colour] : kChromeStops)
        g.setColorAt(at, colour);
    return g;
}

QColor chromeAt(double t)
{
    return ramp({kChromeStops[0], kChromeStops[1], kChromeStops[2], kChromeStops[3], kChromeStops[4], kChromeStops[5]},
                t);
}

void silverFrame(QPainter& painter, const QRect& inner, int width, double radius)
{
    const QRectF in(inner);
    const QRectF out = in.adjusted(-width, -width, width, width);
    painter.save();
    painter.setPen(Qt::NoPen);

    // Soft shadow below and to the right.
    painter.setBrush(QColor(0, 0, 0, 120));
    painter.drawRoundedRect(out.translated(1.0, 2.0), radius, radius);

    // Four bevelled faces, lit from the upper left: each shades from its
    // outer edge to the opening.
    struct Face {
        QPolygonF shape;
        QPointF from, to;
        QColor outerColour, innerColour;
    };
    const Face faces[] = {
        {QPolygonF({out.topLeft(), out.topRight(), in.topRight(), in.topLeft()}), QPointF(0, out.top()),
         QPointF(0, in.top()), QColor(0xff, 0xff, 0xff), QColor(0xb4, 0xb8, 0xc2)},
        {QPolygonF({out.topLeft(), in.topLeft(), in.bottomLeft(), out.bottomLeft()}), QPointF(out.left(), 0),
         QPointF(in.left(), 0), QColor(0xe6, 0xe8, 0xee), QColor(0x9a, 0x9e, 0xa8)},
        {QPolygonF({out.bottomLeft(), in.bottomLeft(), in.bottomRight(), out.bottomRight()}), QPointF(0, out.bottom()),
         QPointF(0, in.bottom()), QColor(0x6a, 0x6e, 0x78), QColor(0xc4, 0xc8, 0xd0)},
        {QPolygonF({out.topRight(), out.bottomRight(), in.bottomRight(), in.topRight()}), QPointF(out.right(), 0),
         QPointF(in.right(), 0), QColor(0x7a, 0x7e, 0x88), QColor(0xc8, 0xcc, 0xd4)},
    };
    painter.setClipPath([&] {
        QPainterPath rounded;
        rounded.addRoundedRect(out, radius, radius);
        return rounded;
    }());
    for (const Face& face : faces) {
        QLinearGradient g(face.from, face.to);
        g.setColorAt(0.0, face.outerColour);
        g.setColorAt(1.0, face.innerColour);
        painter.setBrush(g);
        painter.drawPolygon(face.shape);
    }
    painter.restore();

    // A dark groove next to the opening, then the opening itself.
    painter.fillRect(in.adjusted(-1, -1, 1, 1), QColor(0x2a, 0x2c, 0x34));
    painter.fillRect(inner, Qt::black);
}

bool loadFont(QString* error)
{
    const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(kFontFile));
    const QStringList families = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) {
        *error = QStringLiteral("cannot load %1 (install fonts-dejavu-core)").arg(QString::fromLatin1(kFontFile));
        return false;
    }
    g_fontFamily = families.first();
    return true;
}

QFont boldFont(int pixelSize)
{
    QFont font(g_fontFamily);
    font.setPixelSize(pixelSize);
    font.setBold(true);
    font.setStyleStrategy(QFont::PreferAntialias);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

}  // namespace paintkit
