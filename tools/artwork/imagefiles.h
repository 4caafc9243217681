#pragma once

// Writing the finished pictures. Every file is read back straight after
// writing and checked: the size, the format details the game relies on, and
// that the pixels survived the round trip.

#include <QByteArray>
#include <QDir>
#include <QImage>
#include <QString>

// The order of a bitmap's rows. The game shows a top-down bitmap that is stored
// with it straight from the program's memory; its pixels start on a 4-byte boundary.
enum class RowOrder { BottomUp, TopDown };

// Uncompressed 24-bit Windows bitmap (BITMAPINFOHEADER).
// Written by hand so the bytes depend on nothing but the pixels.
QByteArray encodeBmp24(const QImage& image, RowOrder order = RowOrder::BottomUp);

class ArtworkWriter {
public:
    explicit ArtworkWriter(const QDir& root);

    // Each writes root/relativePath, checks it, prints a one-line summary
    // and returns false (after printing why) on any failure.
    bool bmp24(const QString& relativePath, const QImage& image, RowOrder order = RowOrder::BottomUp);
    bool indexedPng(const QString& relativePath, const QImage& image);

    // Same bytes in two files.
    bool sameBytes(const QString& relativeA, const QString& relativeB) const;

private:
    bool save(const QString& relativePath, const QByteArray& bytes) const;
    bool fail(const QString& relativePath, const QString& why) const;

    QDir m_root;
};
