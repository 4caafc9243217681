#include "imagefiles.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QtEndian>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kFileHeaderBytes = 14;
constexpr int kInfoHeaderBytes = 40;

void put16(QByteArray& out, quint16 v)
{
    out.append(static_cast<char>(v & 0xff));
    out.append(static_cast<char>(v >> 8));
}

void put32(QByteArray& out, quint32 v)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.append(static_cast<char>((v >> shift) & 0xff));
}

quint32 get32le(const QByteArray& b, int at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}

quint16 get16le(const QByteArray& b, int at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}

// First pixel whose colour differs between the two images, or (-1, -1).
QPoint firstDifference(const QImage& a, const QImage& b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col)
            if ((x.pixel(col, row) & 0xffffff) != (y.pixel(col, row) & 0xffffff))
                return {col, row};
    return {-1, -1};
}

// Palette of at most maxColours colours for the image by median cut: the
// set of colours is split, box by box, at the median of its widest channel;
// each box then contributes the pixel-weighted mean of its colours.
QList<QRgb> medianCutPalette(const QImage& source, int maxColours)
{
    struct Entry {
        QRgb rgb;
        int count;
    };
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    std::vector<QRgb> pixels;
    pixels.reserve(static_cast<size_t>(image.width()) * static_cast<size_t>(image.height()));
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            pixels.push_back(image.pixel(x, y) | 0xff000000u);
    std::sort(pixels.begin(), pixels.end());
    std::vector<Entry> colours;
    for (const QRgb p : pixels) {
        if (colours.empty() || colours.back().rgb != p)
            colours.push_back({p, 0});
        ++colours.back().count;
    }

    using Box = std::pair<size_t, size_t>;  // [first, last) in colours
    const auto channelOf = [](QRgb c, int ch) { return ch == 0 ? qRed(c) : ch == 1 ? qGreen(c) : qBlue(c); };
    const auto widest = [&](const Box& box, int* range) {
        int best = 0;
        *range = -1;
        for (int ch = 0; ch < 3; ++ch) {
            int lo = 255, hi = 0;
            for (size_t i = box.first; i < box.second; ++i) {
                lo = std::min(lo, channelOf(colours[i].rgb, ch));
                hi = std::max(hi, channelOf(colours[i].rgb, ch));
            }
            if (hi - lo > *range) {
                *range = hi - lo;
                best = ch;
            }
        }
        return best;
    };

    std::vector<Box> boxes{{0, colours.size()}};
    while (static_cast<int>(boxes.size()) < maxColours) {
        // Split the box with the widest channel range (ties: the first one).
        int splitIndex = -1, splitRange = 0, splitChannel = 0;
        for (size_t b = 0; b < boxes.size(); ++b) {
            if (boxes[b].second - boxes[b].first < 2)
                continue;
            int range = 0;
            const int ch = widest(boxes[b], &range);
            if (range > splitRange) {
                splitIndex = static_cast<int>(b);
                splitRange = range;
                splitChannel = ch;
            }
        }
        if (splitIndex < 0)
            break;
        Box& box = boxes[static_cast<size_t>(splitIndex)];
        const auto first = colours.begin() + static_cast<std::ptrdiff_t>(box.first);
        const auto last = colours.begin() + static_cast<std::ptrdiff_t>(box.second);
        std::sort(first, last, [&](const Entry& a, const Entry& b) {
            const int ca = channelOf(a.rgb, splitChannel), cb = channelOf(b.rgb, splitChannel);
            return ca != cb ? ca < cb : a.rgb < b.rgb;
        });
        long long total = 0;
        for (auto it = first; it != last; ++it)
            total += it->count;
        long long running = 0;
        size_t cut = box.first + 1;
        for (size_t i = box.first; i + 1 < box.second; ++i) {
            running += colours[i].count;
            cut = i + 1;
            if (running * 2 >= total)
                break;
        }
        const Box upper{cut, box.second};
        box.second = cut;
        boxes.push_back(upper);
    }

    QList<QRgb> palette;
    for (const Box& box : boxes) {
        long long r = 0, g = 0, b = 0, n = 0;
        for (size_t i = box.first; i < box.second; ++i) {
            r += static_cast<long long>(qRed(colours[i].rgb)) * colours[i].count;
            g += static_cast<long long>(qGreen(colours[i].rgb)) * colours[i].count;
            b += static_cast<long long>(qBlue(colours[i].rgb)) * colours[i].count;
            n += colours[i].count;
        }
        palette.append(qRgb(static_cast<int>((r + n / 2) / n), static_cast<int>((g + n / 2) / n),
                            static_cast<int>((b + n / 2) / n)));
    }
    return palette;
}

QString sizeText(QSize s)
{
    return QStringLiteral("%1x%2").arg(s.width()).arg(s.height());
}

}  // namespace

QByteArray encodeBmp24(const QImage& source, RowOrder order)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB888);
    const int width = image.width();
    const int height = image.height();
    const int rowBytes = (width * 3 + 3) & ~3;
    const quint32 pixelBytes = static_cast<quint32>(rowBytes) * static_cast<quint32>(height);
    const bool topDown = order == RowOrder::TopDown;
    const quint32 headers = kFileHeaderBytes + kInfoHeaderBytes;
    const quint32 offset = topDown ? (headers + 3) & ~3u : headers;

    QByteArray out;
    out.reserve(static_cast<qsizetype>(offset + pixelBytes));

    // BITMAPFILEHEADER
    out.append("BM", 2);
    put32(out, offset + pixelBytes);
    put16(out, 0);
    put16(out, 0);
    put32(out, offset);

    // BITMAPINFOHEADER; a positive height means rows are stored bottom-up, a
    // negative one top-down.
    put32(out, kInfoHeaderBytes);
    put32(out, static_cast<quint32>(width));
    put32(out, static_cast<quint32>(topDown ? -height : height));
    put16(out, 1);   // planes
    put16(out, 24);  // bits per pixel
    put32(out, 0);   // BI_RGB, no compression
    put32(out, pixelBytes);
    put32(out, 2835);  // 72 dpi
    put32(out, 2835);
    put32(out, 0);  // no palette
    put32(out, 0);

    out.append(QByteArray(static_cast<qsizetype>(offset - headers), '\0'));
    const QByteArray padding(rowBytes - width * 3, '\0');
    for (int row = 0; row < height; ++row) {
        const uchar* rgb = image.constScanLine(topDown ? row : height - 1 - row);
        for (int x = 0; x < width; ++x) {
            out.append(static_cast<char>(rgb[3 * x + 2]));
            out.append(static_cast<char>(rgb[3 * x + 1]));
            out.append(static_cast<char>(rgb[3 * x + 0]));
        }
        out.append(padding);
    }
    return out;
}

ArtworkWriter::ArtworkWriter(const QDir& root) : m_root(root) {}

bool ArtworkWriter::bmp24(const QString& relativePath, const QImage& image, RowOrder order)
{
    const QByteArray bytes = encodeBmp24(image, order);
    if (!save(relativePath, bytes))
        return false;

    QFile file(m_root.filePath(relativePath));
    if (!file.open(QIODevice::ReadOnly))
        return fail(relativePath, QStringLiteral("cannot read it back"));
    const QByteArray back = file.readAll();
    if (back != bytes || back.size() < kFileHeaderBytes + kInfoHeaderBytes)
        return fail(relativePath, QStringLiteral("read back different bytes"));
    if (!back.startsWith("BM") || get32le(back, 14) != kInfoHeaderBytes || get16le(back, 28) != 24
        || get32le(back, 30) != 0
        || (static_cast<qint32>(get32le(back, 22)) < 0) != (order == RowOrder::TopDown)
        || (order == RowOrder::TopDown && get32le(back, 10) % 4 != 0))
        return fail(relativePath, QStringLiteral("header is not an uncompressed 24-bit bitmap in the chosen row order"));

    QImage reloaded;
    if (!reloaded.loadFromData(back, "BMP"))
        return fail(relativePath, QStringLiteral("does not load as BMP"));
    if (reloaded.size() != image.size())
        return fail(relativePath, QStringLiteral("reloads as %1, expected %2").arg(sizeText(reloaded.size()), sizeText(image.size())));
    const QPoint diff = firstDifference(image, reloaded);
    if (diff.x() >= 0)
        return fail(relativePath, QStringLiteral("pixel (%1,%2) changed on reload").arg(diff.x()).arg(diff.y()));

    std::printf("%-24s %s, 24-bit BMP, %lld bytes\n", qPrintable(relativePath), qPrintable(sizeText(image.size())),
                static_cast<long long>(bytes.size()));
    return true;
}

bool ArtworkWriter::indexedPng(const QString& relativePath, const QImage& image)
{
    // Our own palette (Qt's fallback for many colours is a fixed colour
    // cube, which bands the star's gradients), each pixel mapped to its
    // nearest entry without dithering.
    const QImage indexed = image.convertToFormat(QImage::Format_Indexed8, medianCutPalette(image, 256),
                                                 Qt::ThresholdDither);
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "png");
        if (!writer.write(indexed))
            return fail(relativePath, QStringLiteral("PNG encoding failed: %1").arg(writer.errorString()));
    }
    if (!save(relativePath, bytes))
        return false;

    // IHDR follows the 8-byte signature: length, "IHDR", width, height,
    // bit depth (byte 24), colour type (byte 25; 3 = palette).
    if (bytes.size() < 26 || bytes.mid(12, 4) != "IHDR" || bytes.at(24) != 8 || bytes.at(25) != 3)
        return fail(relativePath, QStringLiteral("not an 8-bit palette PNG"));
    QImage reloaded;
    if (!reloaded.load(m_root.filePath(relativePath), "PNG"))
        return fail(relativePath, QStringLiteral("does not load as PNG"));
    if (reloaded.size() != image.size())
        return fail(relativePath, QStringLiteral("reloads as %1, expected %2").arg(sizeText(reloaded.size()), sizeText(image.size())));
    if (reloaded.colorCount() < 1 || reloaded.colorCount() > 256)
        return fail(relativePath, QStringLiteral("palette has %1 colours").arg(reloaded.colorCount()));
    const QPoint diff = firstDifference(indexed, reloaded);
    if (diff.x() >= 0)
        return fail(relativePath, QStringLiteral("pixel (%1,%2) changed on reload").arg(diff.x()).arg(diff.y()));

    std::printf("%-24s %s, 8-bit indexed PNG, %d colours, %lld bytes\n", qPrintable(relativePath),
                qPrintable(sizeText(image.size())), reloaded.colorCount(), static_cast<long long>(bytes.size()));
    return true;
}

bool ArtworkWriter::sameBytes(const QString& relativeA, const QString& relativeB) const
{
    QFile a(m_root.filePath(relativeA));
    QFile b(m_root.filePath(relativeB));
    if (!a.open(QIODevice::ReadOnly) || !b.open(QIODevice::ReadOnly) || a.readAll() != b.readAll())
        return fail(relativeB, QStringLiteral("differs from %1").arg(relativeA));
    return true;
}

bool ArtworkWriter::save(const QString& relativePath, const QByteArray& bytes) const
{
    const QString path = m_root.filePath(relativePath);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return fail(relativePath, QStringLiteral("cannot create its folder"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() || !file.flush())
        return fail(relativePath, QStringLiteral("cannot write: %1").arg(file.errorString()));
    return true;
}

bool ArtworkWriter::fail(const QString& relativePath, const QString& why) const
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(relativePath), qPrintable(why));
    return false;
}
