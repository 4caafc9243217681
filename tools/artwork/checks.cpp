#include "checks.h"
#include "layout.h"

namespace {

using namespace layout;

// Margin of black required around the game's text boxes and the chart.
constexpr int kBoxMargin = 3;

QString describe(const QRect& r)
{
    return QStringLiteral("(%1,%2 %3x%4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

void requireBlack(const QImage& image, const QString& what, const QRect& area, QStringList* problems)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if ((image.pixel(x, y) & 0xffffff) != 0) {
                problems->append(QStringLiteral("%1 %2 is not black at (%3,%4)").arg(what, describe(area)).arg(x).arg(y));
                return;
            }
        }
    }
}

QRect withMargin(const QRect& r)
{
    return r.adjusted(-kBoxMargin, -kBoxMargin, kBoxMargin, kBoxMargin);
}

}  // namespace

QStringList machineLayoutProblems(const QImage& machine)
{
    QStringList problems;
    requireBlack(machine, QStringLiteral("money display"), withMargin(kMoneyDisplay), &problems);
    requireBlack(machine, QStringLiteral("bet caption"), withMargin(kBetCaption), &problems);
    requireBlack(machine, QStringLiteral("bet display"), withMargin(kBetDisplay), &problems);

    // The whole chart block, gaps included.
    QRect chart;
    for (const ChartColumn& column : kChartColumns) {
        for (const int top : kChartRowTops) {
            chart |= QRect(column.symbolX.front(), top, kChartSymbolSize, kChartRowHeight);
            chart |= QRect(column.amountX, top, kChartAmountWidth, kChartRowHeight);
        }
    }
    requireBlack(machine, QStringLiteral("pay chart"), withMargin(chart), &problems);

    // Reel cells are black exactly; their frames start right outside.
    for (const QRect& cell : kReelCells) {
        requireBlack(machine, QStringLiteral("reel cell"), cell, &problems);
        const QRect ring = cell.adjusted(-1, -1, 1, 1);
        const QPoint corners[] = {ring.topLeft(), ring.topRight(), ring.bottomLeft(), ring.bottomRight()};
        for (const QPoint& pt : corners) {
            if ((machine.pixel(pt) & 0xffffff) == 0)
                problems.append(QStringLiteral("reel cell %1 has no frame at (%2,%3)").arg(describe(cell)).arg(pt.x()).arg(pt.y()));
        }
    }
    return problems;
}

QStringList leverSeamProblems(const QImage& machine, const QImage& lever)
{
    QStringList problems;
    for (int y = 0; y < lever.height(); ++y) {
        const QPoint at = kLeverPos + QPoint(0, y);
        if (lever.pixel(0, y) != machine.pixel(at)) {
            problems.append(QStringLiteral("left column differs from the background at window (%1,%2)").arg(at.x()).arg(at.y()));
            break;
        }
    }
    return problems;
}
