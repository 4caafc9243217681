#pragma once

// What the program can do, one function per mode (see main.cpp).

#include <QDir>
#include <QString>

// Paints every picture and writes it under root/assets and root/data.
int paintAllArtwork(const QDir& root);

// Puts the written pictures together the way the game shows them (with
// stand-ins for the game's own boxes and texts) into one PNG, to check the
// alignment by eye. Writes only outPath.
int composePreview(const QDir& root, const QString& outPath);
