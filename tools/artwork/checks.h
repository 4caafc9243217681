#pragma once

// Checks on the painted pictures that catch a misplaced element before the
// files are written. Each returns a list of problems, empty when all is well.

#include <QImage>
#include <QStringList>

// Every place the game draws a black box or a picture must be pure black in
// the background (with a margin around the boxes), so that the game's own
// drawing sits cleanly on it.
QStringList machineLayoutProblems(const QImage& machine);

// The lever picture's left column shows only backdrop and the mount arm; it
// must be exactly what the background has there, or a seam shows when the
// game places the lever.
QStringList leverSeamProblems(const QImage& machine, const QImage& lever);
