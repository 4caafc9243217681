#include "picture.h"

#include "qt_internal.h"
#include "system.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QHash>
#include <QResource>
#include <QtEndian>

#include <atomic>
#include <cstdint>
#include <cstring>
#include <optional>
#include <variant>

namespace platform {

namespace {

std::atomic<Picture::Handle> lastHandle{0};

// Sizes beyond these are taken for a damaged or hostile file, not a picture.
constexpr qint64 largestFile = 64 * 1024 * 1024;
constexpr qint64 largestSide = 16384;

[[noreturn]] void cannotLoad(const std::string& path, const std::string& reason)
{
    throw RuntimeError("cannot load picture \"" + path + "\": " + reason);
}

std::uint32_t u32(const QByteArray& b, int at) { return qFromLittleEndian<quint32>(b.constData() + at); }
std::int32_t i32(const QByteArray& b, int at) { return qFromLittleEndian<qint32>(b.constData() + at); }
std::uint16_t u16(const QByteArray& b, int at) { return qFromLittleEndian<quint16>(b.constData() + at); }

// Decodes bytes known to be of one format. Qt's reader would otherwise load every
// image format plugin to ask it whether it knows the bytes better.
QImage decodeAs(const QByteArray& bytes, const char* format)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

// Where a Windows bitmap keeps its pixels and how they are laid out.
struct BitmapLayout {
    qint64 width = 0;
    qint64 height = 0;
    bool topDown = false;
    int bitsPerPixel = 0;
    std::uint32_t compression = 0;
    std::uint32_t pixelsAt = 0;
};

// Reads the headers of a Windows bitmap and checks them against the file's length
// before any pixel memory is asked for. Returns the reason the file is unusable,
// if it is.
std::optional<std::string> readBitmapLayout(const QByteArray& bytes, BitmapLayout& layout)
{
    constexpr int fileHeader = 14;
    const qint64 length = bytes.size();
    if (length == 0) return "the file is empty";
    if (length < 2 || bytes[0] != 'B' || bytes[1] != 'M') return "not a bitmap file";
    if (length < fileHeader + 4) return "the file is truncated";

    layout.pixelsAt = u32(bytes, 10);
    const std::uint32_t infoSize = u32(bytes, 14);
    if (infoSize != 12 && infoSize != 40 && infoSize != 52 && infoSize != 56 && infoSize != 108 && infoSize != 124)
        return "not a bitmap file (unknown header)";
    if (length < fileHeader + qint64(infoSize)) return "the file is truncated";

    if (infoSize == 12) {
        layout.width = u16(bytes, 18);
        layout.height = u16(bytes, 20);
        layout.bitsPerPixel = u16(bytes, 24);
    } else {
        layout.width = i32(bytes, 18);
        layout.height = i32(bytes, 22);
        layout.topDown = layout.height < 0;
        if (layout.topDown) layout.height = -layout.height;
        layout.bitsPerPixel = u16(bytes, 28);
        layout.compression = u32(bytes, 30);
    }
    const qint64 width = layout.width;
    const qint64 height = layout.height;
    const int bitsPerPixel = layout.bitsPerPixel;
    if (width <= 0 || height <= 0) return "the bitmap has no pixels";
    if (width > largestSide || height > largestSide)
        return "the header claims " + std::to_string(width) + " x " + std::to_string(height) +
               " pixels, more than a picture can have";
    if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 16 &&
        bitsPerPixel != 24 && bitsPerPixel != 32)
        return "unsupported colour depth of " + std::to_string(bitsPerPixel) + " bits";
    if (qint64(layout.pixelsAt) > length) return "the file is truncated";
    const bool uncompressed = layout.compression == 0 || layout.compression == 3;
    if (uncompressed) {
        const qint64 rowBytes = (width * bitsPerPixel + 31) / 32 * 4;
        const qint64 needed = qint64(layout.pixelsAt) + rowBytes * height;
        if (length < needed)
            return "the file is truncated (" + std::to_string(length) + " of " + std::to_string(needed) + " bytes)";
    }
    return std::nullopt;
}

// Decodes a checked bitmap. Plain 24-bit rows, the kind the game ships, keep their
// three bytes a pixel and are only copied into place, row by row: fewer fresh pages
// to fault in than a four-byte picture, which at start-up costs more than the
// conversion when drawing. Qt decodes every other kind.
QImage decodeBitmap(const QByteArray& bytes, const BitmapLayout& layout, bool bytesLastForever)
{
    if (layout.bitsPerPixel != 24 || layout.compression != 0) return decodeAs(bytes, "BMP");
    const int width = static_cast<int>(layout.width);
    const int height = static_cast<int>(layout.height);
    const qint64 rowBytes = (qint64(width) * 24 + 31) / 32 * 4;
    const auto* pixels = reinterpret_cast<const uchar*>(bytes.constData()) + layout.pixelsAt;
    // Rows stored top-down in bytes that are never freed (the artwork compiled into
    // the program) are shown from where they lie, without a copy.
    if (bytesLastForever && layout.topDown && reinterpret_cast<std::uintptr_t>(pixels) % 4 == 0)
        return QImage(pixels, width, height, rowBytes, QImage::Format_BGR888);
    QImage image(width, height, QImage::Format_BGR888);
    if (image.isNull()) return image;
    for (int y = 0; y < height; ++y)
        std::memcpy(image.scanLine(y), pixels + rowBytes * (layout.topDown ? y : height - 1 - y), std::size_t(width) * 3);
    return image;
}

// A picture from the bytes of a bitmap file, or the reason it cannot be one.
std::variant<QImage, std::string> bitmapFromBytes(const QByteArray& bytes, bool bytesLastForever = false)
{
    BitmapLayout layout;
    if (auto fault = readBitmapLayout(bytes, layout)) return *fault;
    QImage image = decodeBitmap(bytes, layout, bytesLastForever);
    if (image.isNull()) return std::string("the bitmap cannot be decoded");
    return image;
}

PictureRef makePicture(QImage image)
{
    return std::make_shared<const Picture>(std::make_shared<const detail::PictureData>(std::move(image)));
}

}  // namespace

Picture::Picture(std::shared_ptr<const detail::PictureData> data) : handle_(++lastHandle), data_(std::move(data)) {}
Picture::~Picture() = default;
int Picture::width() const { return data_->image.width(); }
int Picture::height() const { return data_->image.height(); }

PictureRef LoadPicture(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (!file.exists()) cannotLoad(path, "file not found");
    if (!file.open(QIODevice::ReadOnly)) cannotLoad(path, "the file cannot be read (" + file.errorString().toStdString() + ")");
    if (file.size() > largestFile) cannotLoad(path, "the file is too large for a picture");
    auto decoded = bitmapFromBytes(file.readAll());
    if (auto* reason = std::get_if<std::string>(&decoded)) cannotLoad(path, *reason);
    return makePicture(std::get<QImage>(std::move(decoded)));
}

namespace {

QImage decodeStored(const QString& name)
{
    const QResource resource(QStringLiteral(":/assets/") + name);
    const QByteArray bytes = resource.uncompressedData();
    if (name.endsWith(QLatin1String(".bmp"))) {
        // Uncompressed, the artwork lies in the program's own memory as long as it runs.
        auto bitmap = bitmapFromBytes(bytes, resource.compressionAlgorithm() == QResource::NoCompression);
        auto* image = std::get_if<QImage>(&bitmap);
        return image ? std::move(*image) : QImage();
    }
    return decodeAs(bytes, name.endsWith(QLatin1String(".png")) ? "PNG" : "JPG");
}

// Each stored picture is decoded once; every picture object made of it shares its pixels.
QHash<QString, std::shared_ptr<const detail::PictureData>>& decodedArtwork()
{
    static QHash<QString, std::shared_ptr<const detail::PictureData>> decoded;
    return decoded;
}

}  // namespace

PictureRef StoredPicture(const std::string& name)
{
    const QString key = QString::fromStdString(name);
    auto& decoded = decodedArtwork();
    auto found = decoded.find(key);
    if (found == decoded.end()) {
        QImage image = decodeStored(key);
        if (image.isNull()) throw RuntimeError("stored artwork \"" + name + "\" is missing or damaged");
        found = decoded.insert(key, std::make_shared<const detail::PictureData>(std::move(image)));
    }
    return std::make_shared<const Picture>(*found);
}

namespace detail {

const QImage& PictureData::natural(qreal devicePixelRatio) const
{
    if (devicePixelRatio == 1.0) return image;
    return scaledTo(image.size(), devicePixelRatio);
}

const QImage& PictureData::scaledTo(QSize logicalSize, qreal devicePixelRatio) const
{
    const QSize deviceSize = logicalSize * devicePixelRatio;
    if (deviceSize == image.size()) return image;
    for (const Rendition& r : renditions_)
        if (r.deviceSize == deviceSize) return r.image;
    // Scaled, and kept, in the screen's own format, so that drawing it only copies pixels.
    QImage scaled = image.convertToFormat(QImage::Format_RGB32)
                        .scaled(deviceSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    scaled.setDevicePixelRatio(devicePixelRatio);
    renditions_.push_back({deviceSize, std::move(scaled)});
    return renditions_.back().image;
}

}  // namespace detail
}  // namespace platform
