#include "picture.h"

#include "qt_internal.h"
#include "system.h"

#include <QFile>
#include <QHash>
#include <QtEndian>

#include <atomic>
#include <cstdint>
#include <optional>

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

// Checks the headers of a Windows bitmap against the file's length before any
// pixel memory is asked for. Returns the reason the file is unusable, if it is.
std::optional<std::string> bitmapFault(const QByteArray& bytes)
{
    constexpr int fileHeader = 14;
    const qint64 length = bytes.size();
    if (length == 0) return "the file is empty";
    if (length < 2 || bytes[0] != 'B' || bytes[1] != 'M') return "not a bitmap file";
    if (length < fileHeader + 4) return "the file is truncated";

    const std::uint32_t pixelsAt = u32(bytes, 10);
    const std::uint32_t infoSize = u32(bytes, 14);
    if (infoSize != 12 && infoSize != 40 && infoSize != 52 && infoSize != 56 && infoSize != 108 && infoSize != 124)
        return "not a bitmap file (unknown header)";
    if (length < fileHeader + qint64(infoSize)) return "the file is truncated";

    qint64 width, height;
    int bitsPerPixel;
    std::uint32_t compression = 0;
    if (infoSize == 12) {
        width = u16(bytes, 18);
        height = u16(bytes, 20);
        bitsPerPixel = u16(bytes, 24);
    } else {
        width = i32(bytes, 18);
        height = i32(bytes, 22);
        if (height < 0) height = -height;
        bitsPerPixel = u16(bytes, 28);
        compression = u32(bytes, 30);
    }
    if (width <= 0 || height <= 0) return "the bitmap has no pixels";
    if (width > largestSide || height > largestSide)
        return "the header claims " + std::to_string(width) + " x " + std::to_string(height) +
               " pixels, more than a picture can have";
    if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 16 &&
        bitsPerPixel != 24 && bitsPerPixel != 32)
        return "unsupported colour depth of " + std::to_string(bitsPerPixel) + " bits";
    if (qint64(pixelsAt) > length) return "the file is truncated";
    const bool uncompressed = compression == 0 || compression == 3;
    if (uncompressed) {
        const qint64 rowBytes = (width * bitsPerPixel + 31) / 32 * 4;
        const qint64 needed = qint64(pixelsAt) + rowBytes * height;
        if (length < needed)
            return "the file is truncated (" + std::to_string(length) + " of " + std::to_string(needed) + " bytes)";
    }
    return std::nullopt;
}

PictureRef makePicture(QImage image)
{
    return std::make_shared<const Picture>(std::make_unique<detail::PictureData>(std::move(image)));
}

}  // namespace

Picture::Picture(std::unique_ptr<detail::PictureData> data) : handle_(++lastHandle), data_(std::move(data)) {}
Picture::~Picture() = default;
int Picture::width() const { return data_->image.width(); }
int Picture::height() const { return data_->image.height(); }

PictureRef LoadPicture(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (!file.exists()) cannotLoad(path, "file not found");
    if (!file.open(QIODevice::ReadOnly)) cannotLoad(path, "the file cannot be read (" + file.errorString().toStdString() + ")");
    if (file.size() > largestFile) cannotLoad(path, "the file is too large for a picture");
    const QByteArray bytes = file.readAll();
    if (const auto fault = bitmapFault(bytes)) cannotLoad(path, *fault);
    QImage image;
    if (!image.loadFromData(bytes, "BMP")) cannotLoad(path, "the bitmap cannot be decoded");
    return makePicture(std::move(image));
}

PictureRef StoredPicture(const std::string& name)
{
    static QHash<QString, QImage> decoded;
    const QString key = QString::fromStdString(name);
    auto found = decoded.find(key);
    if (found == decoded.end()) {
        QImage image(QStringLiteral(":/assets/") + key);
        if (image.isNull()) throw RuntimeError("stored artwork \"" + name + "\" is missing");
        found = decoded.insert(key, image);
    }
    return makePicture(*found);
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
    QImage scaled = image.scaled(deviceSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    scaled.setDevicePixelRatio(devicePixelRatio);
    renditions_.push_back({deviceSize, std::move(scaled)});
    return renditions_.back().image;
}

}  // namespace detail
}  // namespace platform
