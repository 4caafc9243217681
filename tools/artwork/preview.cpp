#include "artwork.h"
#include "layout.h"
#include "modes.h"
#include "paintkit.h"

#include <QPainter>

#include <array>
#include <cstdio>

// A check picture: the background with the lever, the lamps and the reel
// and chart pictures placed where the game puts them, plus simple stand-ins
// for the boxes the game draws itself (black with red text).

namespace {

using namespace layout;

void gameBox(QPainter& p, const QRect& box, const QString& text, bool italic = false)
{
    p.fillRect(box, Qt::black);
    QFont font = paintkit::boldFont(box.height() >= 23 ? 20 : 11);
    font.setItalic(italic);
    p.setFont(font);
    p.setPen(QColor(0xff, 0x10, 0x10));
    p.drawText(box.adjusted(0, 0, -3, 0), Qt::AlignVCenter | Qt::AlignRight, text);
}

void placeScaled(QPainter& p, const QImage& picture, const QRect& where)
{
    // Stretched to the box without smoothing, as the game does.
    p.drawImage(where.topLeft(), picture.scaled(where.size()));
}

}  // namespace

int composePreview(const QDir& root, const QString& outPath)
{
    const auto load = [&](const QString& relative) {
        QImage image(root.filePath(relative));
        if (image.isNull())
            std::fprintf(stderr, "cannot load %s\n", qPrintable(relative));
        return image;
    };
    std::array<QImage, kSymbolCount + 1> symbols;
    for (int n = 1; n <= kSymbolCount; ++n)
        symbols[static_cast<size_t>(n)] = load(QStringLiteral("data/kuva%1.bmp").arg(n));
    const QImage background = load(QStringLiteral("assets/machine.bmp"));
    const QImage star = load(QStringLiteral("assets/star.bmp"));
    const QImage lever = load(QStringLiteral("assets/lever_up.bmp"));
    const QImage lamp = load(QStringLiteral("assets/arrow_right.bmp"));
    const QImage blur = load(QStringLiteral("data/kuva7_blur.bmp"));
    if (background.isNull() || star.isNull() || lever.isNull() || lamp.isNull() || blur.isNull())
        return 1;

    QImage window(kWindowSize, QImage::Format_RGB32);
    QPainter p(&window);
    p.drawImage(0, 0, background);
    p.drawImage(kLeverPos, lever);
    p.drawImage(kArrowLeftOfReels.topLeft(), lamp);

    gameBox(p, kMoneyDisplay, QStringLiteral("1250"), true);
    gameBox(p, kBetCaption, QStringLiteral("Bet"));
    gameBox(p, kBetDisplay, QStringLiteral("3"));

    // Chart: rows of three equal symbols, best at the top left.
    int row = 0;
    for (const ChartColumn& column : kChartColumns) {
        for (const int top : kChartRowTops) {
            const int symbol = kSymbolCount - row % kSymbolCount;
            for (const int x : column.symbolX)
                placeScaled(p, symbols[static_cast<size_t>(symbol)], QRect(x, top, kChartSymbolSize, kChartSymbolSize));
            gameBox(p, QRect(column.amountX, top, kChartAmountWidth, kChartRowHeight),
                    QString::number(symbol * 25));
            ++row;
        }
    }

    // Reels: symbols above and below, the star, the top prize and a
    // spinning reel on the pay line.
    const std::array<QImage, 9> cells{symbols[1], symbols[2], symbols[3], star,   symbols[8],
                                      blur,       symbols[4], symbols[5], symbols[6]};
    for (size_t i = 0; i < cells.size(); ++i)
        placeScaled(p, cells[i], kReelCells[i]);
    p.fillRect(QRect(kPayLineLeft, kPayLineY, kPayLineRight - kPayLineLeft + 1, 1), QColor(0xff, 0, 0));
    p.end();

    if (!window.save(outPath, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(outPath));
        return 1;
    }
    std::printf("%s: preview %dx%d\n", qPrintable(outPath), window.width(), window.height());
    return 0;
}
