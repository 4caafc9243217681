#include "artwork.h"
#include "layout.h"
#include "paintkit.h"

#include <QPainterPath>
#include <QTransform>

#include <array>

// Every symbol is painted in a 100 x 100 space on black. They are shown as
// small as 17 x 17, so each is one bold, brightly coloured silhouette with a
// thick outline in a dark shade of its own colour; details only add polish
// at the larger sizes.

namespace {

constexpr double kOutline = 4.0;

QPen outlinePen(const QColor& colour, double width = kOutline)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// Round fruit body lit from the upper left.
QRadialGradient fruitShading(QPointF centre, double radius, const QColor& light, const QColor& mid, const QColor& dark)
{
    QRadialGradient g(centre, radius * 1.25, centre + QPointF(-radius * 0.4, -radius * 0.45));
    g.setColorAt(0.0, light);
    g.setColorAt(0.45, mid);
    g.setColorAt(1.0, dark);
    return g;
}

void paintGloss(QPainter& p, QPointF centre, double rx, double ry, double rotation = -30.0)
{
    p.save();
    p.translate(centre);
    p.rotate(rotation);
    QRadialGradient g(QPointF(0, 0), rx);
    g.setColorAt(0.0, QColor(255, 255, 255, 230));
    g.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(QPointF(0, 0), rx, ry);
    p.restore();
}

// A pointed leaf from `base` towards `tip`, bulging to both sides.
void paintLeaf(QPainter& p, QPointF base, QPointF tip, double bulge)
{
    const QPointF along = tip - base;
    const QPointF normal(-along.y() * bulge, along.x() * bulge);
    QPainterPath leaf;
    leaf.moveTo(base);
    leaf.cubicTo(base + along * 0.25 + normal, base + along * 0.7 + normal, tip);
    leaf.cubicTo(base + along * 0.7 - normal, base + along * 0.25 - normal, base);
    QLinearGradient g(base + normal, base - normal);
    g.setColorAt(0.0, QColor(0x9c, 0xf0, 0x4a));
    g.setColorAt(1.0, QColor(0x1f, 0x8a, 0x1c));
    p.setPen(outlinePen(QColor(0x0c, 0x3a, 0x0a), 2.5));
    p.setBrush(g);
    p.drawPath(leaf);
    p.setPen(QPen(QColor(0x14, 0x5a, 0x10), 1.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(base + along * 0.1, base + along * 0.8);
}

void paintStem(QPainter& p, const QPainterPath& stem, const QColor& colour, const QColor& edge, double width)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(edge, width + 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(stem);
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(stem);
}

// 1 -------------------------------------------------------------------------
void paintCherries(QPainter& p)
{
    QPainterPath stems;
    stems.moveTo(32, 52);
    stems.cubicTo(36, 36, 48, 20, 60, 12);
    stems.moveTo(68, 47);
    stems.cubicTo(66, 34, 63, 22, 60, 12);
    paintStem(p, stems, QColor(0x6c, 0xc8, 0x2c), QColor(0x16, 0x48, 0x0e), 4.0);
    paintLeaf(p, QPointF(60, 12), QPointF(90, 16), 0.22);

    struct Cherry {
        QPointF centre;
        double radius;
    };
    static constexpr std::array<Cherry, 2> kCherries{{{{30, 70}, 20}, {{69, 64}, 20}}};
    for (const Cherry& c : kCherries) {
        p.setPen(outlinePen(QColor(0x3a, 0x00, 0x08)));
        p.setBrush(fruitShading(c.centre, c.radius, QColor(0xff, 0x9a, 0x9a), QColor(0xee, 0x10, 0x28),
                                QColor(0x82, 0x00, 0x10)));
        p.drawEllipse(c.centre, c.radius, c.radius);
        paintGloss(p, c.centre + QPointF(-8, -8), 6.5, 4.0);
    }
}

// 2 -------------------------------------------------------------------------
void paintLemon(QPainter& p)
{
    p.save();
    p.translate(50, 52);
    p.rotate(-22);
    QPainterPath lemon;
    lemon.addEllipse(QPointF(0, 0), 36, 27);
    QPainterPath tips;
    tips.addEllipse(QPointF(-37, 0), 7, 6);
    tips.addEllipse(QPointF(37, 0), 7, 6);
    lemon = lemon.united(tips);
    p.setPen(outlinePen(QColor(0x6a, 0x58, 0x00)));
    p.setBrush(fruitShading(QPointF(0, 0), 34, QColor(0xff, 0xff, 0xc8), QColor(0xff, 0xe8, 0x10),
                            QColor(0xc8, 0xa0, 0x00)));
    p.drawPath(lemon);

    // Pores in the peel.
    static constexpr std::array<QPointF, 7> kPores{{{-18, 8}, {-6, 14}, {8, 12}, {20, 4}, {14, -10}, {-22, -6}, {2, 2}}};
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xd8, 0xb4, 0x00));
    for (const QPointF& pore : kPores)
        p.drawEllipse(pore, 1.3, 1.3);
    p.restore();
    paintGloss(p, QPointF(36, 38), 10, 5, -22);
}

// 3 -------------------------------------------------------------------------
void paintOrange(QPainter& p)
{
    const QPointF centre(50, 56);
    const double radius = 37;
    p.setPen(outlinePen(QColor(0x5a, 0x22, 0x00)));
    p.setBrush(fruitShading(centre, radius, QColor(0xff, 0xd8, 0x90), QColor(0xff, 0x88, 0x00),
                            QColor(0xc0, 0x44, 0x00)));
    p.drawEllipse(centre, radius, radius);

    static constexpr std::array<QPointF, 9> kDimples{
        {{30, 60}, {40, 72}, {56, 78}, {70, 66}, {74, 48}, {62, 42}, {46, 50}, {34, 44}, {56, 60}}};
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xd8, 0x62, 0x00));
    for (const QPointF& d : kDimples)
        p.drawEllipse(d, 1.4, 1.4);
    paintGloss(p, QPointF(36, 38), 9, 5.5);

    QPainterPath stem;
    stem.moveTo(50, 21);
    stem.lineTo(48, 13);
    paintStem(p, stem, QColor(0x7a, 0x4a, 0x18), QColor(0x2e, 0x18, 0x04), 3.0);
    paintLeaf(p, QPointF(49, 16), QPointF(76, 8), 0.25);
}

// 4 -------------------------------------------------------------------------
void paintPlum(QPainter& p)
{
    QPainterPath plum;
    plum.moveTo(50, 22);
    plum.cubicTo(20, 14, 10, 50, 18, 70);
    plum.cubicTo(26, 92, 74, 92, 82, 70);
    plum.cubicTo(90, 50, 80, 14, 50, 22);
    p.setPen(outlinePen(QColor(0x20, 0x00, 0x3a)));
    p.setBrush(fruitShading(QPointF(50, 56), 36, QColor(0xe4, 0xb0, 0xff), QColor(0x90, 0x2c, 0xe8),
                            QColor(0x44, 0x06, 0x7a)));
    p.drawPath(plum);

    // The groove down one side.
    QPainterPath groove;
    groove.moveTo(50, 25);
    groove.cubicTo(60, 40, 62, 62, 56, 84);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x4a, 0x10, 0x80), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(groove);
    paintGloss(p, QPointF(34, 42), 8, 11, 15);

    QPainterPath stem;
    stem.moveTo(50, 24);
    stem.cubicTo(50, 16, 52, 12, 56, 8);
    paintStem(p, stem, QColor(0x7a, 0x4a, 0x18), QColor(0x2e, 0x18, 0x04), 3.0);
    paintLeaf(p, QPointF(53, 13), QPointF(26, 6), 0.25);
}

// 5 -------------------------------------------------------------------------
void paintBell(QPainter& p)
{
    QLinearGradient gold(QPointF(12, 0), QPointF(88, 0));
    gold.setColorAt(0.00, QColor(0x7a, 0x46, 0x00));
    gold.setColorAt(0.22, QColor(0xe6, 0xa4, 0x10));
    gold.setColorAt(0.38, QColor(0xff, 0xf4, 0xa8));
    gold.setColorAt(0.55, QColor(0xff, 0xcc, 0x22));
    gold.setColorAt(0.85, QColor(0xb0, 0x6a, 0x00));
    gold.setColorAt(1.00, QColor(0x6a, 0x3a, 0x00));
    const QPen edge = outlinePen(QColor(0x3a, 0x1e, 0x00));

    // Clapper first; the bell's lip covers its top.
    p.setPen(edge);
    p.setBrush(gold);
    p.drawEllipse(QPointF(50, 86), 8, 8);

    p.drawEllipse(QPointF(50, 13), 6, 6);  // hanging loop

    QPainterPath bell;
    bell.moveTo(50, 17);
    bell.cubicTo(30, 17, 27, 36, 26, 54);
    bell.cubicTo(25, 66, 18, 72, 12, 76);
    bell.lineTo(88, 76);
    bell.cubicTo(82, 72, 75, 66, 74, 54);
    bell.cubicTo(73, 36, 70, 17, 50, 17);
    bell.closeSubpath();
    p.drawPath(bell);
    p.drawRoundedRect(QRectF(9, 73, 82, 10), 5, 5);

    // Decorative band and a gleam.
    p.setPen(QPen(QColor(0x8a, 0x52, 0x00), 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(27, 60), QPointF(73, 60));
    paintGloss(p, QPointF(40, 36), 4, 12, 10);
}

// 6 -------------------------------------------------------------------------
void paintWatermelon(QPainter& p)
{
    // A half slice, flat side up.
    const QPointF centre(50, 33);
    const auto halfDisc = [&](double radius) {
        QPainterPath path;
        path.moveTo(centre.x() - radius, centre.y());
        path.arcTo(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius), 180, 180);
        path.closeSubpath();
        return path;
    };

    QLinearGradient rind(QPointF(0, 33), QPointF(0, 79));
    rind.setColorAt(0.0, QColor(0x4c, 0xc8, 0x3c));
    rind.setColorAt(1.0, QColor(0x12, 0x6a, 0x1a));
    p.setPen(outlinePen(QColor(0x06, 0x34, 0x0a)));
    p.setBrush(rind);
    p.drawPath(halfDisc(44));

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xe6, 0xff, 0xc4));
    p.drawPath(halfDisc(38));

    QRadialGradient flesh(centre, 36);
    flesh.setColorAt(0.0, QColor(0xff, 0x70, 0x80));
    flesh.setColorAt(0.7, QColor(0xff, 0x20, 0x3c));
    flesh.setColorAt(1.0, QColor(0xd0, 0x08, 0x24));
    p.setBrush(flesh);
    p.drawPath(halfDisc(34.5));

    // The cut edge along the top.
    p.setPen(outlinePen(QColor(0x7a, 0x00, 0x14), 3.0));
    p.drawLine(QPointF(centre.x() - 44, centre.y()), QPointF(centre.x() + 44, centre.y()));

    static constexpr std::array<QPointF, 7> kSeeds{{{30, 43}, {44, 47}, {58, 47}, {72, 43}, {37, 56}, {52, 59}, {64, 55}}};
    p.setPen(Qt::NoPen);
    for (const QPointF& s : kSeeds) {
        p.setBrush(QColor(0x10, 0x08, 0x08));
        p.drawEllipse(s, 2.6, 4.0);
        p.setBrush(QColor(255, 255, 255, 150));
        p.drawEllipse(s + QPointF(-0.8, -1.6), 0.9, 1.2);
    }
}

// 7 -------------------------------------------------------------------------
void paintBar(QPainter& p)
{
    const QRectF plate(7, 29, 86, 42);
    p.setPen(outlinePen(QColor(0x00, 0x10, 0x50), 8.0));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(plate, 8, 8);
    QLinearGradient blue(plate.topLeft(), plate.bottomLeft());
    blue.setColorAt(0.0, QColor(0x7a, 0xb0, 0xff));
    blue.setColorAt(0.45, QColor(0x1c, 0x5a, 0xf0));
    blue.setColorAt(1.0, QColor(0x06, 0x22, 0x90));
    p.setPen(outlinePen(QColor(0xf2, 0xf6, 0xff), 4.0));
    p.setBrush(blue);
    p.drawRoundedRect(plate, 8, 8);

    // The word, fitted into the plate.
    QPainterPath word;
    word.addText(0, 0, paintkit::boldFont(40), QStringLiteral("BAR"));
    const QRectF bounds = word.boundingRect();
    const QRectF target = plate.adjusted(10, 8, -10, -8);
    QTransform fit;
    fit.translate(target.left(), target.top());
    fit.scale(target.width() / bounds.width(), target.height() / bounds.height());
    fit.translate(-bounds.left(), -bounds.top());
    word = fit.map(word);
    p.setPen(outlinePen(QColor(0x00, 0x14, 0x5a), 4.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(word);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(word);
}

// 8 -------------------------------------------------------------------------
void paintSparkle(QPainter& p, QPointF centre, double size)
{
    QPainterPath spark;
    spark.moveTo(centre + QPointF(0, -size));
    spark.quadTo(centre, centre + QPointF(size, 0));
    spark.quadTo(centre, centre + QPointF(0, size));
    spark.quadTo(centre, centre + QPointF(-size, 0));
    spark.quadTo(centre, centre + QPointF(0, -size));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xfa, 0xd0));
    p.drawPath(spark);
}

void paintLuckySeven(QPainter& p)
{
    QPainterPath seven;
    seven.moveTo(17, 11);
    seven.lineTo(85, 11);
    seven.lineTo(85, 27);
    seven.cubicTo(68, 46, 58, 66, 55, 90);
    seven.lineTo(31, 90);
    seven.cubicTo(34, 66, 46, 46, 62, 29);
    seven.lineTo(32, 29);
    seven.lineTo(30, 36);
    seven.lineTo(17, 36);
    seven.closeSubpath();

    // Dark edge, then a gold border, then the red face.
    p.setBrush(Qt::NoBrush);
    p.setPen(outlinePen(QColor(0x4a, 0x16, 0x00), 13.0));
    p.drawPath(seven);
    QLinearGradient gold(QPointF(0, 6), QPointF(0, 96));
    gold.setColorAt(0.0, QColor(0xff, 0xf4, 0x9a));
    gold.setColorAt(0.5, QColor(0xff, 0xc0, 0x10));
    gold.setColorAt(1.0, QColor(0xd0, 0x80, 0x00));
    p.setPen(QPen(QBrush(gold), 9.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(seven);

    QLinearGradient red(QPointF(0, 11), QPointF(0, 90));
    red.setColorAt(0.0, QColor(0xff, 0x78, 0x70));
    red.setColorAt(0.3, QColor(0xf4, 0x10, 0x18));
    red.setColorAt(1.0, QColor(0x9a, 0x00, 0x08));
    p.setPen(Qt::NoPen);
    p.setBrush(red);
    p.drawPath(seven);

    paintSparkle(p, QPointF(15, 62), 9);
    paintSparkle(p, QPointF(84, 72), 7);
}

using SymbolPainter = void (*)(QPainter&);
// Index 0 is symbol 1 (lowest value); the last one is the top prize.
constexpr std::array<SymbolPainter, kSymbolCount> kSymbolPainters{
    paintCherries, paintLemon, paintOrange, paintPlum, paintBell, paintWatermelon, paintBar, paintLuckySeven,
};

// Rows averaged above and below each pixel by the motion blur.
constexpr int kBlurReach = 16;

}  // namespace

QImage paintSymbol(int number)
{
    QImage image = paintkit::canvas(layout::kSymbolSize);
    QPainter painter(&image);
    paintkit::prepare(painter);
    painter.scale(image.width() / 100.0, image.height() / 100.0);
    kSymbolPainters.at(static_cast<size_t>(number - 1))(painter);
    return image;
}

QImage verticalMotionBlur(const QImage& sharp)
{
    // Box average over 2 * kBlurReach + 1 rows, wrapping top to bottom as
    // the picture does on a turning reel.
    const QImage src = sharp.convertToFormat(QImage::Format_RGB32);
    QImage out(src.size(), QImage::Format_RGB32);
    const int h = src.height();
    const int window = 2 * kBlurReach + 1;
    for (int x = 0; x < src.width(); ++x) {
        for (int y = 0; y < h; ++y) {
            int r = 0, g = 0, b = 0;
            for (int k = -kBlurReach; k <= kBlurReach; ++k) {
                const QRgb c = src.pixel(x, ((y + k) % h + h) % h);
                r += qRed(c);
                g += qGreen(c);
                b += qBlue(c);
            }
            out.setPixel(x, y, qRgb((r + window / 2) / window, (g + window / 2) / window, (b + window / 2) / window));
        }
    }
    return out;
}
