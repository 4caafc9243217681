#pragma once

// The painters, one per kind of picture. Each returns a finished image of
// the size the game expects (see layout.h).

#include <QImage>
#include <QPainter>
#include <QRectF>

// machine.cpp: the whole background, 595 x 610.
QImage paintMachine();

// lever.cpp: the lever pictures, 47 x 373, on backdrop that continues the
// background's. The mount arm is shared with the background.
enum class LeverPose { Up, Pulled };
QImage paintLever(LeverPose pose);
void paintLeverArm(QPainter& painter);  // in window coordinates

// arrow.cpp: the arrow lamps beside the pay line, 31 x 32. The geometry is
// shared between the lit pictures and the unlit lamps in the background.
enum class ArrowDirection { Right, Left };
QImage paintLitArrow(ArrowDirection direction);
// Paints the unlit lamp into `cell` (window coordinates) of the background.
void paintUnlitArrow(QPainter& painter, const QRect& cell, ArrowDirection direction);

// star.cpp: the smiling star (start-up reel picture and program icon).
void paintSmilingStar(QPainter& painter, const QRectF& box);
QImage paintStarPicture(QSize size);

// symbols.cpp: the eight reel symbols, numbered 1..8 by rising value, and
// their motion-blurred versions shown while the reels spin.
inline constexpr int kSymbolCount = 8;
QImage paintSymbol(int number);
QImage verticalMotionBlur(const QImage& sharp);
